// Carrying out the command line: the texts, the errors, the picks and --palette.
#include "app/CommandLine.h"
#include "colour/ColourHistory.h"
#include "colour/HexRGB.h"
#include "data/Resources.h"
#include "platform/dbus/SessionBusCheck.h"
#include "platform/posix/DisplayCheck.h"
#include "platform/posix/Fd.h"
#include "platform/posix/ProgramFolder.h"
#include "platform/qt/ColourDialog.h"
#include "platform/qt/Convert.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/ScreenPick.h"
#include "platform/qt/Translations.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::app {

namespace {

// --palette reads the logbook a start would use in blocks of a fixed size,
// small enough to stay in the processor's cache between the copy out of the
// kernel and the scan, so a logbook grown to a million lines costs no more
// memory than a small one and little more time than reading it.
constexpr std::size_t kBlock = std::size_t{128} << 10;

int fail(const std::string& message) {
    std::fprintf(stderr, "kavrilon: %s\n", message.c_str());
    return 1;
}

int printPalette(const char* argv0, const PaletteFormatRow& format) {
    // The folder a start would choose; it is not made or entered here.
    const std::string path =
        posix::logbookPathIn(posix::chooseProgramFolder(posix::programFolderInputsFromSystem(argv0)));
    if (path.empty()) return fail("ingen loggbok: det finns ingen hemmapp att ha den i");
    // Not blocking, so that a FIFO in the logbook's place cannot hold us.
    const posix::Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno == ENOENT) return fail("ingen loggbok i " + path + " ännu: välj en färg först");
        return fail("loggboken " + path + " kan inte läsas: " + std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return fail("loggboken " + path + " är ingen vanlig fil");
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    SelectionScanner scanner;
    DistinctColours distinct;
    std::vector<Colour> codes;
    const std::unique_ptr<char[]> block(new char[kBlock]);
    for (;;) {
        const ssize_t n = ::read(fd.get(), block.get(), kBlock);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail("loggboken " + path + " kan inte läsas: " + std::strerror(errno));
        if (n == 0) break;
        scanner.feed(std::string_view(block.get(), static_cast<std::size_t>(n)), codes);
        for (Colour c : codes)
            distinct.add(c);
        codes.clear();
    }
    scanner.finish(codes);
    for (Colour c : codes)
        distinct.add(c);

    const std::string text = format.write(distinct.colours());
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        return fail(std::string("paletten kunde inte skrivas: ") + std::strerror(errno));
    return 0;
}

// The application of a pick: no main window, no program folder, no logbook.
struct PickApplication {
    PickApplication(int& argc, char** argv) : app(argc, argv) {
        QApplication::setApplicationName(QStringLiteral("kavrilon"));
        QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kavrilon.Kavrilon"));
        qt::installTranslations(app);
        // The icon theme lookup takes a while; a window is mapped first and
        // gets the program's icon as soon as the event loop runs.
        QTimer::singleShot(0, [] {
            kavInitResources();
            QApplication::setWindowIcon(qt::programIcon());
        });
    }
    QApplication app;
};

int printColour(const QColor& c, const CommandLine& cl) {
    const Colour colour = qt::fromQColor(c);
    const std::string text = cl.format ? webFormOrFirst(colour, *cl.format) : HexRGB(static_cast<std::int32_t>(colour));
    std::printf("%s\n", text.c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// Only the colour dialog.
int pick(int& argc, char** argv, const CommandLine& cl) {
    // Without a display Qt would abort; a script gets an exit code of its own.
    if (!requireDisplay(argc, argv)) return 3;
    // A session bus that never answers is kept from Qt, as at a plain start;
    // the dialog then picks from the screen only where X11 can.
    checkSessionBus();
    const PickApplication pickApp(argc, argv);
    const std::optional<QColor> c =
        qt::runColourDialog(cl.colour ? qt::toQColor(*cl.colour) : QColor(Qt::white), nullptr);
    return c ? printColour(*c, cl) : 1;
}

// A colour off the screen, the way the dialog's pick button takes it.
int pickScreen(int& argc, char** argv, const CommandLine& cl) {
    if (!requireDisplay(argc, argv)) return 3;
    checkSessionBus();
    const PickApplication pickApp(argc, argv);
    // The grab's window closing is not the end; the pick's answer is.
    QApplication::setQuitOnLastWindowClosed(false);
    qt::ScreenPick screen(nullptr);
    QObject::connect(&screen, &qt::ScreenPick::decided, &screen, [&screen](qt::ScreenPick::Path path) {
        if (path != qt::ScreenPick::Path::None) return screen.pick(nullptr);
        std::fputs("kavrilon: ingen färg kan hämtas från den här skärmen: skrivbordet erbjuder ingen "
                   "färghämtning (xdg-desktop-portal)\n",
                   stderr);
        QCoreApplication::exit(3);
    });
    QColor picked;
    QObject::connect(&screen, &qt::ScreenPick::finished, &screen,
                     [&picked](qt::ScreenPick::Outcome outcome, const QColor& c) {
                         picked = c;
                         if (outcome == qt::ScreenPick::Outcome::Failed)
                             std::fputs("kavrilon: färgen kunde inte hämtas från skärmen\n", stderr);
                         QCoreApplication::exit(outcome == qt::ScreenPick::Outcome::Picked      ? 0
                                                : outcome == qt::ScreenPick::Outcome::Cancelled ? 1
                                                                                                : 3);
                     });
    const int rc = QApplication::exec();
    return rc == 0 ? printColour(picked, cl) : rc;
}

} // namespace

std::optional<int> runCommandLine(int& argc, char** argv) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    const CommandLine cl = parseCommandLine(args);
    switch (cl.action) {
    case Action::Start: return std::nullopt;
    case Action::Help: std::fputs(helpText().c_str(), stdout); return 0;
    case Action::Version: std::fputs(versionText().c_str(), stdout); return 0;
    case Action::Pick: return pick(argc, argv, cl);
    case Action::PickScreen: return pickScreen(argc, argv, cl);
    case Action::Palette: return printPalette(argc > 0 ? argv[0] : nullptr, *cl.paletteFormat);
    case Action::Error:
        std::fprintf(stderr, "kavrilon: %s\nSkriv \"kavrilon --help\" för hjälp.\n", cl.error.c_str());
        return 2;
    }
    return 2;
}

} // namespace kav::app
