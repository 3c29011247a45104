// Kavrilon's entry point: the program folder as the working directory, one
// running copy per folder, the application, the platform, the windows and the
// event loop. When the program ends, for whatever reason, the logbook is
// saved once more if the list holds journal lines no chain has saved yet.

#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/SessionBusCheck.h"
#include "data/Resources.h"
#include "forms/main/frmMain.h"
#include "logbook/Logbook.h"
#include "logbook/StaleTempFiles.h"
#include "platform/posix/ProgramFolder.h"
#include "platform/qt/Desktop.h"
#include "platform/qt/FormView.h"
#include "platform/qt/ProgramEnd.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/SingleInstance.h"
#include "platform/qt/Translations.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QSessionManager>
#include <QWidget>

#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    // A write past the file size limit fails like any other instead of killing us.
    std::signal(SIGXFSZ, SIG_IGN);
    // --help, --version, --pick and errors end here, before any display,
    // program folder or logbook work.
    if (const std::optional<int> rc = kav::app::runCommandLine(argc, argv)) return *rc;

    // The program folder is entered first, so commands naming "kavrilon.ini"
    // act on the logbook even when a desktop menu starts the program from
    // $HOME. Without a folder the program runs but keeps no logbook.
    std::filesystem::path folder = kav::posix::chooseProgramFolder(kav::posix::programFolderInputsFromSystem(argv[0]));
    if (!kav::posix::enterProgramFolder(folder)) folder.clear();

    // A second copy on the same folder shows the first one and ends; when the
    // first cannot be asked (stopped, or hung), the status and a line say why.
    kav::qt::SingleInstance instance(folder);
    if (!instance.isFirst()) {
        if (const auto message = instance.endMessage()) {
            std::fputs(message->c_str(), stderr);
            return kav::qt::SingleInstance::kNoAnswerStatus;
        }
        return 0;
    }
    // Before the first thread starts: it may change the environment.
    kav::app::checkSessionBus();
    // Only the copy that holds the lock of its own folder clears what killed
    // saves left there.
    if (instance.holdsLock())
        kav::logbook::removeStaleTempFiles({folder.string(), std::string(kav::logbook::kLogbookName), ::geteuid()});
    // A logbook grown over years is read while the toolkit starts; a change
    // by another program meanwhile is noticed at the load, which reads again.
    kav::logbook::Logbook logbook(kav::logbook::logbookPathIn(folder), kav::qt::showLogbookHeld);
    logbook.readAhead();
    // Without the folder's lock another copy may be writing the logbook: this
    // one saves nothing and says so. A read-only folder has no lock either;
    // its saves fail silently.
    if (!folder.empty() && !instance.holdsLock() && ::access(folder.c_str(), W_OK) == 0) logbook.holdSaves();

    if (!kav::app::requireDisplay(argc, argv)) return 1;
    // The menu bar stays in the window, where the design places it. A
    // desktop-wide one would have Qt ask the session bus whether one exists,
    // and a bus that never answers would keep the window from appearing.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kavrilon"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kavrilon.Kavrilon"));
    kavInitResources();
    // Qt's dialogs and context menus speak the user's language, Swedish included.
    kav::qt::installTranslations(app);
    QApplication::setWindowIcon(kav::qt::programIcon());
    // Later starts ask for the main window; before it exists, showing it answers.
    QPointer<QWidget> mainView;
    instance.listen([&mainView](const kav::qt::SingleInstance::Activation& activation) {
        kav::qt::SingleInstance::bringToFront(mainView, activation);
    });

    kav::qt::Desktop desktop(folder, logbook);
    // A desktop logout asks running programs to save their data first.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&logbook](QSessionManager&) { logbook.saveUnsaved(); });
    kav::qt::ProgramEnd ending([&logbook] { logbook.close(); });
    const std::vector<std::string> problems = desktop.start();
    if (!problems.empty()) {
        for (const auto& p : problems)
            std::fprintf(stderr, "kavrilon: design error: %s\n", p.c_str());
        return 70;
    }
    mainView = desktop.viewFor(desktop.program().main());
    ending.watchMainWindow(mainView);
    const int rc = QApplication::exec();
    ending.closingSave();
    instance.stopListening();
    return rc;
}
