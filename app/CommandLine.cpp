#include "app/CommandLine.h"

#include <algorithm>
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

enum class QtOption { None, Flag, WithValue };

// Whether an argument is one of Qt's options. Qt accepts them with one dash
// or two.
QtOption qtOption(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') return QtOption::None;
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    if (std::ranges::count(kQtOptionsWithValue, arg) > 0) return QtOption::WithValue;
    if (std::ranges::count(kQtFlags, arg) > 0) return QtOption::Flag;
    for (std::string_view p : kQtOptionsWithEquals)
        if (arg.starts_with(p)) return QtOption::Flag;
    return QtOption::None;
}

// An argument in quotes, its control characters escaped (ESC as \e, the others
// as \xNN), so that what the user typed cannot steer the terminal it is
// shown on.
std::string quoted(std::string_view s) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x1b)
            out += "\\e";
        else if (byte < 0x20 || byte == 0x7f)
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
        else
            out += c;
    }
    return out + "\"";
}

// The value of an option given as "--name VALUE" or "--name=VALUE"; false
// when `arg` is not that option.
bool optionValue(const std::vector<std::string_view>& args, std::size_t& i, std::string_view name,
                 std::optional<std::string_view>& value, bool& missing) {
    const std::string_view arg = args[i];
    if (arg == name) {
        missing = i + 1 == args.size();
        if (!missing) value = args[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string_view>& args) {
    CommandLine cl;
    bool help = false, version = false, pick = false, pickScreen = false, palette = false;
    std::optional<std::string_view> format, colour;
    auto fail = [&cl](std::string message) {
        cl.action = Action::Error;
        cl.error = std::move(message);
        return cl;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        bool missing = false;
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--pick") {
            pick = true;
        } else if (arg == "--pick-screen") {
            pickScreen = true;
        } else if (arg == "--palette") {
            palette = true;
        } else if (optionValue(args, i, "--format", format, missing)) {
            if (missing)
                return fail("--format behöver ett namn: " + webFormNames() + " för --pick, " + paletteFormatNames() +
                            " för --palette");
        } else if (optionValue(args, i, "--color", colour, missing)) {
            if (missing) return fail("--color behöver en färg, som " + webFormExamples());
            const ColourReading reading = readColourText(*colour);
            if (reading.translucent)
                return fail(quoted(*colour) +
                            " är genomskinlig, men Kavrilons färger är alltid helt täckande; skriv färgen utan alfa "
                            "eller med alfa 1");
            if (!reading.colour)
                return fail(quoted(*colour) + " är ingen färg; skriv den som FF8000, orange eller " + webFormExamples());
        } else if (const QtOption qt = qtOption(arg); qt == QtOption::WithValue) {
            if (i + 1 == args.size()) return fail(quoted(arg) + " behöver ett värde");
            ++i;
        } else if (qt == QtOption::Flag) {
            // Qt's own; Qt reads it when the application object is made.
        } else {
            return fail("okänt argument " + quoted(arg));
        }
    }
    if (int(pick) + int(pickScreen) + int(palette) > 1)
        return fail(std::string(pick ? "--pick" : "--pick-screen") + " och " +
                    (palette ? "--palette" : "--pick-screen") + " går inte att använda tillsammans");
    // Both picks print a code in the asked form.
    pick = pick || pickScreen;
    if (format) {
        cl.format = webFormNamed(*format);
        const PaletteFormatRow* paletteFormat = paletteFormatNamed(*format);
        if (palette) {
            if (!paletteFormat)
                return fail("okänt format " + quoted(*format) + " för --palette (" + paletteFormatNames() + ")");
            cl.paletteFormat = paletteFormat;
            cl.format = nullptr;
        } else if (!cl.format && (pick || !paletteFormat)) {
            return fail("okänt format " + quoted(*format) + " (" + webFormNames() + ")");
        }
        if (!pick && !palette && !help && !version)
            return fail("--format gäller bara tillsammans med --pick, --pick-screen eller --palette");
    }
    if (colour) {
        if ((!pick || pickScreen) && !help && !version) return fail("--color gäller bara tillsammans med --pick");
        cl.colour = readColour(*colour);
    }
    cl.action = help         ? Action::Help
                : version    ? Action::Version
                : pickScreen ? Action::PickScreen
                : pick       ? Action::Pick
                : palette    ? Action::Palette
                             : Action::Start;
    return cl;
}

std::string helpText() {
    // A name indented into the options' column, padded to its text's column.
    const auto named = [](std::string_view name) {
        std::string line = "                    " + std::string(name);
        line.resize(30, ' ');
        return line;
    };
    std::string forms;
    for (const WebFormRow& row : webForms())
        forms += named(row.name) + std::string(row.example) +
                 (row.note.empty() ? "" : " (" + std::string(row.note) + ")") + "\n";
    std::string palettes;
    for (const PaletteFormatRow& row : paletteFormats())
        palettes += named(row.name) + std::string(row.description) +
                    (&row == &paletteFormats().front() ? " (standard)" : "") + "\n";
    return "Användning: kavrilon [ALTERNATIV]\n"
           "\n"
           "Utan alternativ startar Kavrilon sitt fönster.\n"
           "\n"
           "  --pick          öppna bara färgdialogen och skriv den valda färgens kod\n"
           "                  på standard ut, som FF8000; avbryt skriver inget\n"
           "  --pick-screen   hämta en färg från skärmen med ett klick, som knappen\n"
           "                  \"Hämta färg från skärmen\" gör, och skriv dess kod;\n"
           "                  Esc skriver inget\n"
           "  --color FÄRG    med --pick: färgen som dialogen öppnas med, som FF8000,\n"
           "                  orange, hwb(30 0% 0%) eller i någon av formerna nedan,\n"
           "                  så som CSS skriver dem; färgen måste vara helt täckande;\n"
           "                  utan den loggbokens senast valda färg\n"
           "  --palette       skriv de färger som valts förut, äldsta först, var och\n"
           "                  en en gång, ur loggboken; läser bara, utan fönster\n"
           "  --format NAMN   kodens form för --pick och --pick-screen:\n" +
           forms + "                  paletten med --palette:\n" + palettes +
           "  -h, --help      visa den här hjälpen och avsluta\n"
           "      --version   visa versionen och avsluta\n"
           "\n"
           "Qt:s egna alternativ, som -platform, -style och -display, godtas.\n"
           "\n"
           "Slutkod:\n"
           "  0   klart\n"
           "  1   färgdialogen eller hämtningen avbröts; ingen loggbok att läsa\n"
           "      för --palette; ingen skärm för programmets fönster\n"
           "  2   fel på kommandoraden\n"
           "  3   ingen skärm för färgdialogen; för --pick-screen: inget sätt att\n"
           "      läsa den här skärmen\n"
           "  70  fel i programmets egna tabeller\n"
           "  75  en annan kopia i samma mapp svarar inte\n";
}

std::string versionText() { return "kavrilon " KAV_VERSION "\n"; }

} // namespace kav::app
