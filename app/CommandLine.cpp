// Parsing the command line, and the help and version texts.
#include "app/CommandLine.h"

#include <array>

#ifndef KAV_VERSION
#define KAV_VERSION "0"
#endif

namespace kav::app {

namespace {

// Options Qt reads from the command line itself. A session manager restarts
// a program with -session, desktop entries and users pass -platform or
// -style; refusing them would break those starts.
constexpr std::array<std::string_view, 16> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry", "geometry", "qwindowtitle",
    "title",    "qwindowicon",        "icon",          "session", "display",         "name",     "visual",
    "style",    "stylesheet"};
constexpr std::array<std::string_view, 6> kQtFlags = {"reverse", "nograb",      "dograb",
                                                      "sync",    "widgetcount", "testability"};
// Qt also takes these as -name=value.
constexpr std::array<std::string_view, 3> kQtOptionsWithEquals = {"style=", "stylesheet=", "qmljsdebugger="};

template <std::size_t N> bool contains(const std::array<std::string_view, N>& list, std::string_view s) {
    for (std::string_view x : list)
        if (x == s) return true;
    return false;
}

enum class QtOption { None, Flag, WithValue };

// Whether an argument is one of Qt's options. Qt accepts them with one dash
// or two.
QtOption qtOption(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') return QtOption::None;
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    if (contains(kQtOptionsWithValue, arg)) return QtOption::WithValue;
    if (contains(kQtFlags, arg)) return QtOption::Flag;
    for (std::string_view p : kQtOptionsWithEquals)
        if (arg.starts_with(p)) return QtOption::Flag;
    return QtOption::None;
}

std::string quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

} // namespace

CommandLine parseCommandLine(const std::vector<std::string_view>& args) {
    CommandLine cl;
    bool help = false, version = false, pick = false;
    auto fail = [&cl](std::string message) {
        cl.action = Action::Error;
        cl.error = std::move(message);
        return cl;
    };
    auto setFormat = [&](std::string_view name) -> bool {
        cl.format = webFormNamed(name);
        return cl.format.has_value();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--pick") {
            pick = true;
        } else if (arg == "--format" || arg.starts_with("--format=")) {
            std::string_view name;
            if (arg == "--format") {
                if (i + 1 == args.size()) return fail("--format behöver ett namn: hex, hexlower, short, rgb eller hsl");
                name = args[++i];
            } else {
                name = arg.substr(9);
            }
            if (!setFormat(name))
                return fail("okänt format " + quoted(name) + " (hex, hexlower, short, rgb eller hsl)");
        } else if (const QtOption qt = qtOption(arg); qt == QtOption::WithValue) {
            if (i + 1 == args.size()) return fail(quoted(arg) + " behöver ett värde");
            ++i;
        } else if (qt == QtOption::Flag) {
            // Qt's own; Qt reads it when the application object is made.
        } else {
            return fail("okänt argument " + quoted(arg));
        }
    }
    if (cl.format && !pick && !help && !version) return fail("--format gäller bara tillsammans med --pick");
    cl.action = help ? Action::Help : version ? Action::Version : pick ? Action::Pick : Action::Start;
    return cl;
}

std::string helpText() {
    return "Användning: kavrilon [ALTERNATIV]\n"
           "\n"
           "Utan alternativ startar Kavrilon sitt fönster.\n"
           "\n"
           "  --pick          öppna bara färgdialogen och skriv den valda färgens kod\n"
           "                  på standard ut, som FF8000; avbryt skriver inget\n"
           "  --format NAMN   kodens form för --pick:\n"
           "                    hex       #FF8000\n"
           "                    hexlower  #ff8000\n"
           "                    short     #F80 (sex siffror där ingen kort form finns)\n"
           "                    rgb       rgb(255, 128, 0)\n"
           "                    hsl       hsl(30, 100%, 50%)\n"
           "  -h, --help      visa den här hjälpen och avsluta\n"
           "      --version   visa versionen och avsluta\n"
           "\n"
           "Qt:s egna alternativ, som -platform, -style och -display, godtas.\n"
           "\n"
           "Slutkod: 0 klart, 1 färgdialogen avbröts, 2 fel på kommandoraden,\n"
           "3 ingen skärm för färgdialogen.\n";
}

std::string versionText() { return "kavrilon " KAV_VERSION "\n"; }

} // namespace kav::app
