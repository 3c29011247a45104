// Kavrilon's entry point: the application object, the program folder as the
// working directory, the platform, the windows and the event loop. When the
// program ends, for whatever reason, the logbook is saved once more if the
// list holds journal lines no chain has saved yet.

#include "app/CommandLine.h"
#ifndef KAV_NO_RESOURCES
#include "data/Resources.h"
#endif
#include "app/DisplayCheck.h"
#include "app/SessionBusCheck.h"
#include "forms/DesignCheck.h"
#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Program.h"
#include "forms/frmMain.h"
#include "platform/qt/ProgramFolder.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/Renderer.h"
#include "platform/qt/TimerDriver.h"
#include "platform/qt/Translations.h"

#include <QApplication>
#include <QIcon>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalFd[2] = {-1, -1};

void onTerminationSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_signalFd[1], &c, 1);
}

// SIGTERM, SIGINT and SIGHUP end the event loop normally, so the closing save
// still runs. The handler only writes a byte; the loop does the rest.
void installTerminationHandlers(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalFd) != 0) return;
    auto* notifier = new QSocketNotifier(g_signalFd[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char buf[16];
        while (::read(g_signalFd[0], buf, sizeof buf) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction sa {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

} // namespace

int main(int argc, char** argv) {
    // A write past the file size limit fails like any other failed write (the
    // save is skipped and its temporary file removed) instead of killing us.
    std::signal(SIGXFSZ, SIG_IGN);
    // --help, --version, --pick and errors end here, before any display,
    // program folder or logbook work.
    if (const std::optional<int> rc = kav::app::runCommandLine(argc, argv)) return *rc;

    if (!kav::app::requireDisplay(argc, argv)) return 1;
    // The menu bar stays in the window, where the design places the client
    // area below it. A desktop-wide menu bar would also have Qt ask the
    // session bus, while the window is built, whether one exists: a bus that
    // never answers would keep the window from ever appearing.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    kav::app::SessionBusCheck sessionBus;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kavrilon"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kavrilon.Kavrilon"));
#ifndef KAV_NO_RESOURCES
    kavInitResources();
#endif
    // Qt's dialogs and context menus speak the user's language, Swedish included.
    kav::qt::installTranslations(app);
    // The installed theme icon where there is one, else the compiled-in picture.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("io.github.kavrilon.Kavrilon"), QIcon(QStringLiteral(":/kavrilon/kavrilon"))));

    // The program folder becomes the working directory, as a shortcut's start
    // folder did, so commands naming "kavrilon.ini" by its bare name act on the
    // logbook itself even when a desktop menu starts the program from $HOME.
    kav::qt::ProgramFolderInputs in;
    in.executableDir = QCoreApplication::applicationDirPath().toStdString();
    in.xdgDataHome = env("XDG_DATA_HOME");
    in.home = env("HOME");
    const std::filesystem::path folder = kav::qt::chooseProgramFolder(in);
    if (!folder.empty()) [[maybe_unused]]
        const int rc = ::chdir(folder.c_str());

    kav::qt::SteadyClock clock;
    kav::qt::QtPlatform platform(folder.empty() ? std::filesystem::current_path() : folder);
    kav::Program program(platform, clock);
    kav::qt::Renderer renderer(program);
    platform.setRenderer(&renderer);
    program.setListener(&renderer);
    kav::qt::TimerDriver driver(program.timers());

    auto saveLogbook = [&program] {
        if (program.started()) program.main().saveUnsavedLines();
    };
    // A desktop logout asks running programs to save their data first.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [&](QSessionManager&) { saveLogbook(); });
    installTerminationHandlers(app);

    // The design tables and the binding table are checked before anything is
    // shown: a misspelt name must stop the program, not fail silently later.
    std::vector<std::string> problems;
    for (const kav::FormDef* def : {&kav::frmMainDesign(), &kav::Form1Design(), &kav::Form2Design()})
        for (auto& p : kav::checkDesign(*def))
            problems.push_back(p);
    if (problems.empty()) {
        program.start();
        sessionBus.restore();
        for (auto& p : kav::checkBindings(program.main()))
            problems.push_back(p);
    }
    if (!problems.empty()) {
        for (const auto& p : problems)
            std::fprintf(stderr, "kavrilon: design error: %s\n", p.c_str());
        return 70;
    }
    const int rc = QApplication::exec();
    saveLogbook();
    return rc;
}
