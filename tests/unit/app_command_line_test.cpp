// The command line parser: what each argument list asks for, Qt's own
// options let through, and the errors.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kav::app {
namespace {

TEST(CommandLine, ArgumentListsAndWhatTheyAskFor) {
    struct Case {
        std::vector<std::string_view> args;
        Action action;
        // The name of the form --pick prints in, or of the palette's format.
        std::string_view format;
        std::optional<Colour> colour;
    };
    const Case cases[] = {
        {{}, Action::Start, {}, {}},
        {{"--help"}, Action::Help, {}, {}},
        {{"-h"}, Action::Help, {}, {}},
        {{"--version"}, Action::Version, {}, {}},
        {{"--version", "--help"}, Action::Help, {}, {}},
        {{"--pick"}, Action::Pick, {}, {}},
        {{"--pick", "--format", "rgb"}, Action::Pick, "rgb", {}},
        {{"--format=hsl", "--pick"}, Action::Pick, "hsl", {}},
        {{"--pick", "--format", "short", "--format", "hexlower"}, Action::Pick, "hexlower", {}},
        {{"--pick", "-platform", "xcb"}, Action::Pick, {}, {}},
        {{"-style", "fusion", "--display", ":1", "-reverse", "-session", "abc"}, Action::Start, {}, {}},
        {{"-style=fusion"}, Action::Start, {}, {}},
        {{"--pick", "--format", "rgb", "--help"}, Action::Help, "rgb", {}},
        {{"--pick", "--color", "FF8000"}, Action::Pick, {}, 0x0080FFu},
        {{"--color=#f80", "--pick", "--format", "hsl"}, Action::Pick, "hsl", 0x0088FFu},
        {{"--pick", "--color", "rgb(1, 2, 3)", "--color", "hsl(0, 0%, 100%)"}, Action::Pick, {}, 0xFFFFFFu},
        {{"--pick", "--color", "oklch(73.2% 0.186 53)", "--format", "oklab"}, Action::Pick, "oklab", 0x0080FFu},
        {{"--pick-screen"}, Action::PickScreen, {}, {}},
        {{"--pick-screen", "--format=rgb"}, Action::PickScreen, "rgb", {}},
        {{"--palette"}, Action::Palette, "gpl", {}},
        {{"--palette", "--format", "css"}, Action::Palette, "css", {}},
        {{"--format=hex", "--palette"}, Action::Palette, "hex", {}},
    };
    for (const Case& c : cases) {
        const CommandLine cl = parseCommandLine(c.args);
        EXPECT_EQ(cl.action, c.action) << testing::PrintToString(c.args) << ": " << cl.error;
        const std::string_view format = cl.action == Action::Palette ? cl.paletteFormat->name
                                        : cl.format                  ? cl.format->name
                                                                     : std::string_view();
        EXPECT_EQ(format, c.format) << testing::PrintToString(c.args);
        EXPECT_EQ(cl.colour, c.colour) << testing::PrintToString(c.args);
    }
}

TEST(CommandLine, ErrorsNameWhatWasWrong) {
    struct Case {
        std::vector<std::string_view> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--hjälp"}, "--hjälp"},
        {{"file.txt"}, "file.txt"},
        {{"--pick", "-x"}, "-x"},
        {{"--pick", "--format", "cmyk"}, "cmyk"},
        {{"--pick", "--format", "gpl"}, "gpl"},
        {{"--palette", "--format", "rgb"}, "rgb"},
        {{"--pick", "--format"}, "--format"},
        {{"--format", "rgb"}, "--pick"},
        {{"-platform"}, "-platform"},
        {{"--help", "--bogus"}, "--bogus"},
        {{"-style", "fusion", "--pick=1"}, "--pick=1"},
        {{"--pick", "--color", "orange;"}, "orange;"},
        {{"--pick", "--color", "rgb(255 128 0 / 50%)"}, "helt täckande"},
        {{"--pick", "--color", "transparent"}, "helt täckande"},
        {{"--pick", "--color"}, "--color"},
        {{"--color", "FF8000"}, "--pick"},
        {{"--palette", "--color", "FF8000"}, "--pick"},
        {{"--pick", "--palette"}, "--palette"},
        {{"--pick-screen", "--palette"}, "--palette"},
        {{"--pick", "--pick-screen"}, "--pick-screen"},
        {{"--pick-screen", "--color", "FF8000"}, "--color"},
        {{"--pick-screen", "--format", "gpl"}, "gpl"},
    };
    for (const Case& c : cases) {
        const CommandLine cl = parseCommandLine(c.args);
        EXPECT_EQ(cl.action, Action::Error) << testing::PrintToString(c.args);
        EXPECT_NE(cl.error.find(c.mentions), std::string::npos) << cl.error;
    }
}

TEST(CommandLine, ControlCharactersInAnArgumentAreShownEscaped) {
    struct Case {
        std::vector<std::string_view> args;
        const char* shown;
    };
    const Case cases[] = {
        {{"--pick", "--color", "\x1b[31mRED"}, "\\e[31mRED"},
        {{"bell\a\x7f"}, "bell\\x07\\x7f"},
        {{"--pick", "--format", "line\nbreak"}, "line\\x0abreak"},
    };
    for (const Case& c : cases) {
        const CommandLine cl = parseCommandLine(c.args);
        EXPECT_NE(cl.error.find(c.shown), std::string::npos) << cl.error;
        EXPECT_EQ(std::count_if(cl.error.begin(), cl.error.end(),
                                [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f; }),
                  0)
            << cl.error;
    }
}

} // namespace
} // namespace kav::app
