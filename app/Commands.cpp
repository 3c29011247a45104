// Carrying out the command line: the texts, the errors, the picks and --palette.
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/SessionBusCheck.h"
#include "colour/ColourHistory.h"
#include "colour/HexRGB.h"
#include "data/Resources.h"
#include "logbook/Fd.h"
#include "logbook/LogbookFile.h"
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
#include <optional>
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

// The logbook a start would use; its folder is not made or entered here.
// Empty when there is no home folder to keep it in.
std::string logbookPath(const char* argv0) {
    return logbook::logbookPathIn(posix::chooseProgramFolder(posix::programFolderInputsFromSystem(argv0)));
}

// Opens the logbook at `path` for reading into `fd` (which the caller
// closes) and tells its size; what keeps it from being read, in Swedish, when
// it cannot be.
std::string openLogbook(const std::string& path, int& fd, off_t& size) {
    // Not blocking, so that a FIFO in the logbook's place cannot hold us.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return "ingen loggbok i " + path + " ännu: välj en färg först";
        return "loggboken " + path + " kan inte läsas: " + std::strerror(errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return "loggboken " + path + " är ingen vanlig fil";
    size = st.st_size;
    return {};
}

// Reads the open logbook from `from` to its end and hands the code of every
// colour choice there to `take`, oldest first. From anywhere but the start,
// the scan begins after the first line end, at the start of a whole line.
template <class Take> std::string readChoices(const logbook::Fd& fd, off_t from, Take take) {
    SelectionScanner scanner;
    std::vector<Colour> codes;
    const std::unique_ptr<char[]> block(new char[kBlock]);
    bool skipping = from > 0;
    for (off_t at = from;;) {
        const ssize_t n = ::pread(fd.get(), block.get(), kBlock, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::string("loggboken kan inte läsas: ") + std::strerror(errno);
        if (n == 0) break;
        at += n;
        std::string_view bytes(block.get(), static_cast<std::size_t>(n));
        if (skipping) {
            const std::size_t lineEnd = bytes.find('\n');
            if (lineEnd == std::string_view::npos) continue;
            bytes.remove_prefix(lineEnd + 1);
            skipping = false;
        }
        scanner.feed(bytes, codes);
        for (Colour c : codes)
            take(c);
        codes.clear();
    }
    scanner.finish(codes);
    for (Colour c : codes)
        take(c);
    return {};
}

int printPalette(const char* argv0, const PaletteFormatRow& format) {
    const std::string path = logbookPath(argv0);
    if (path.empty()) return fail("ingen loggbok: det finns ingen hemmapp att ha den i");
    int raw = -1;
    off_t size = 0;
    const std::string opened = openLogbook(path, raw, size);
    const logbook::Fd fd(raw);
    if (!opened.empty()) return fail(opened);
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    DistinctColours distinct;
    if (std::string error = readChoices(fd, 0, [&distinct](Colour c) { distinct.add(c); }); !error.empty())
        return fail(error + " (" + path + ")");

    const std::string text = format.write(distinct.colours());
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        return fail(std::string("paletten kunde inte skrivas: ") + std::strerror(errno));
    return 0;
}

// The colour chosen last in the logbook at `path`, read as --palette reads
// it; none when there is no logbook or it cannot be read. Only the file's
// last block is scanned, and more of it, twice as much each time, only
// while what was scanned holds no choice, so a logbook grown for years costs
// the dialog no more than a small one.
std::optional<Colour> lastChoice(const std::string& path) {
    int raw = -1;
    off_t size = 0;
    const bool opened = openLogbook(path, raw, size).empty();
    const logbook::Fd fd(raw);
    if (!opened) return std::nullopt;
    for (off_t tail = static_cast<off_t>(kBlock);; tail *= 2) {
        const off_t from = size > tail ? size - tail : 0;
        std::optional<Colour> last;
        if (!readChoices(fd, from, [&last](Colour c) { last = c; }).empty()) return std::nullopt;
        if (last || from == 0) return last;
    }
}

// The application of a pick: no main window, no program folder, no lock.
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

// Only the colour dialog: no main window and no lock; the logbook is only
// read, for the colour the dialog opens on when --color names none.
int pick(int& argc, char** argv, const CommandLine& cl) {
    // Without a display Qt would abort; a script gets an exit code of its own.
    if (!requireDisplay(argc, argv)) return 3;
    // A session bus that never answers is kept from Qt, as at a plain start;
    // the dialog then picks from the screen only where X11 can.
    checkSessionBus();
    // Without --color the dialog opens on the logbook's last colour; its
    // path, which reads the environment, is found before the toolkit can
    // change that.
    std::optional<Colour> start = cl.colour;
    if (!start) {
        if (const std::string path = logbookPath(argc > 0 ? argv[0] : nullptr); !path.empty())
            start = lastChoice(path);
    }
    const PickApplication pickApp(argc, argv);
    const std::optional<QColor> c = qt::runColourDialog(start ? qt::toQColor(*start) : QColor(Qt::white), nullptr);
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
