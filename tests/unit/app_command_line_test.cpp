// The command line parser: what each argument list asks for, Qt's own
// options let through, and the errors.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace kav::app {
namespace {

TEST(CommandLine, ArgumentListsAndWhatTheyAskFor) {
    struct Case {
        std::vector<std::string_view> args;
        Action action;
        // The name of the form --pick prints in.
        std::string_view format;
    };
    const Case cases[] = {
        {{}, Action::Start, {}},
        {{"--help"}, Action::Help, {}},
        {{"-h"}, Action::Help, {}},
        {{"--version"}, Action::Version, {}},
        {{"--version", "--help"}, Action::Help, {}},
        {{"--pick"}, Action::Pick, {}},
        {{"--pick", "--format", "rgb"}, Action::Pick, "rgb"},
        {{"--format=hsl", "--pick"}, Action::Pick, "hsl"},
        {{"--pick", "--format", "short", "--format", "hexlower"}, Action::Pick, "hexlower"},
        {{"--pick", "-platform", "xcb"}, Action::Pick, {}},
        {{"-style", "fusion", "--display", ":1", "-reverse", "-session", "abc"}, Action::Start, {}},
        {{"-style=fusion"}, Action::Start, {}},
        {{"--pick", "--format", "rgb", "--help"}, Action::Help, "rgb"},
    };
    for (const Case& c : cases) {
        const CommandLine cl = parseCommandLine(c.args);
        EXPECT_EQ(cl.action, c.action) << testing::PrintToString(c.args) << ": " << cl.error;
        EXPECT_EQ(cl.format ? cl.format->name : std::string_view(), c.format) << testing::PrintToString(c.args);
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
        {{"--pick", "--format"}, "--format"},
        {{"--format", "rgb"}, "--pick"},
        {{"-platform"}, "-platform"},
        {{"--help", "--bogus"}, "--bogus"},
        {{"-style", "fusion", "--pick=1"}, "--pick=1"},
    };
    for (const Case& c : cases) {
        const CommandLine cl = parseCommandLine(c.args);
        EXPECT_EQ(cl.action, Action::Error) << testing::PrintToString(c.args);
        EXPECT_NE(cl.error.find(c.mentions), std::string::npos) << cl.error;
    }
}

} // namespace
} // namespace kav::app
