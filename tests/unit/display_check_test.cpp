// The display check reads -platform and -display as Qt does: the last one
// counts, "--" works as "-", and a value Qt takes for another option is no
// display name.
#include "app/DisplayCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav::app {
namespace {

TEST(DisplayCheck, ReadsPlatformAndDisplayAsQtDoes) {
    const struct {
        std::vector<std::string_view> args;
        std::string_view env;
        DisplayRequest want;
    } cases[] = {
        {{}, "", {"", std::nullopt}},
        {{"-display", ":5"}, "", {"", ":5"}},
        {{"--display", ":5"}, "xcb", {"xcb", ":5"}},
        {{"--pick", "-display", ":5"}, "", {"", ":5"}},
        {{"-display", ":5", "-display", ":6"}, "", {"", ":6"}},
        {{"-display"}, "", {"", std::nullopt}},
        {{"-display=:5"}, "", {"", std::nullopt}},
        {{"-platform", "offscreen"}, "xcb", {"offscreen", std::nullopt}},
        {{"--platform", "wayland"}, "", {"wayland", std::nullopt}},
        {{"-platform", "xcb", "-platform", "minimal"}, "", {"minimal", std::nullopt}},
        {{"-platform"}, "xcb", {"xcb", std::nullopt}},
        {{"-platform", "offscreen", "-display", ":5"}, "", {"offscreen", ":5"}},
        {{"-qwindowtitle", "-display", ":5"}, "", {"", std::nullopt}},
        {{"-title", "-display", ":5"}, "xcb", {"xcb", std::nullopt}},
        {{"-title", "-display", ":5"}, "offscreen", {"offscreen", ":5"}},
        {{"-name", "-display", ":5"}, "", {"", std::nullopt}},
        {{"-platformtheme", "-platform", "offscreen"}, "xcb", {"xcb", std::nullopt}},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (auto a : c.args)
            shown += std::string(a) + ' ';
        EXPECT_EQ(readDisplayRequest(c.args, c.env), c.want) << shown << "with QT_QPA_PLATFORM=" << c.env;
    }
}

} // namespace
} // namespace kav::app
