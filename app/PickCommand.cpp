// Carrying out the command line: the texts, the errors, --pick and --palette.
#include "app/CommandLine.h"
#include "platform/posix/DisplayCheck.h"
#include "app/PaletteCommand.h"
#include "platform/dbus/SessionBusCheck.h"
#include "colour/HexRGB.h"
#include "data/Resources.h"
#include "platform/qt/ColourDialog.h"
#include "platform/qt/Convert.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/Translations.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdint>
#include <cstdio>

namespace kav::app {

namespace {

// Only the colour dialog: no main window, no program folder, no logbook.
int pick(int& argc, char** argv, const CommandLine& cl) {
    // Without a display Qt would abort; a script gets an exit code of its own.
    if (!requireDisplay(argc, argv)) return 3;
    // A session bus that never answers is kept from Qt, as at a plain start;
    // the screen pick then keeps Qt's own grab.
    checkSessionBus();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kavrilon"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kavrilon.Kavrilon"));
    qt::installTranslations(app);
    // The icon theme lookup takes a while; the dialog is mapped first and
    // gets the program's icon as soon as the event loop runs.
    QTimer::singleShot(0, [] {
        kavInitResources();
        QApplication::setWindowIcon(qt::programIcon());
    });
    const std::optional<QColor> c =
        qt::runColourDialog(cl.colour ? qt::toQColor(*cl.colour) : QColor(Qt::white), nullptr);
    if (!c) return 1;
    const Colour colour = qt::fromQColor(*c);
    const std::string text = cl.format ? webFormOrFirst(colour, *cl.format) : HexRGB(static_cast<std::int32_t>(colour));
    std::printf("%s\n", text.c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
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
    case Action::Palette: return printPalette(argc > 0 ? argv[0] : nullptr, *cl.paletteFormat);
    case Action::Error:
        std::fprintf(stderr, "kavrilon: %s\nSkriv \"kavrilon --help\" för hjälp.\n", cl.error.c_str());
        return 2;
    }
    return 2;
}

} // namespace kav::app
