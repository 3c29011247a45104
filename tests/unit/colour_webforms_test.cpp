// The web forms of a colour: each form for fixed colours, the short form only
// where every pair is a doubled digit, HSL against a formula in doubles, and
// a code read back into its colour.
#include "colour/WebForms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kav {
namespace {

Colour rgb(int r, int g, int b) { return static_cast<Colour>(r + 256 * g + 65536 * b); }

TEST(WebForms, EveryFormOfBlackWhiteAndTheCodesWorkedExamples) {
    const std::vector<std::vector<std::string>> cases = {
        // colour value, then hex, hexlower, short, rgb, hsl
        {"0", "#000000", "#000000", "#000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)"},
        {"16777215", "#FFFFFF", "#ffffff", "#FFF", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)"},
        {"255", "#FF0000", "#ff0000", "#F00", "rgb(255, 0, 0)", "hsl(0, 100%, 50%)"},
        {"65280", "#00FF00", "#00ff00", "#0F0", "rgb(0, 255, 0)", "hsl(120, 100%, 50%)"},
        {"16711680", "#0000FF", "#0000ff", "#00F", "rgb(0, 0, 255)", "hsl(240, 100%, 50%)"},
        {"33023", "#FF8000", "#ff8000", "#FF8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)"},
        {"658188", "#0C0B0A", "#0c0b0a", "#0C0B0A", "rgb(12, 11, 10)", "hsl(30, 9%, 4%)"},
        {"16576", "#C04000", "#c04000", "#C04000", "rgb(192, 64, 0)", "hsl(20, 100%, 38%)"},
    };
    for (const auto& c : cases)
        for (std::size_t f = 0; f < kWebForms.size(); ++f)
            EXPECT_EQ(webForm(static_cast<Colour>(std::stoul(c[0])), kWebForms[f]), c[f + 1]) << "colour " << c[0];
}

TEST(WebForms, ShortFormOnlyWhenEveryPairIsADoubledDigit) {
    const std::vector<std::pair<Colour, std::string>> cases = {
        {rgb(0xFF, 0x88, 0x00), "#F80"}, {rgb(0x11, 0x22, 0x33), "#123"}, {rgb(0xFF, 0x88, 0x01), "none"},
        {rgb(0x10, 0x22, 0x33), "none"}, {rgb(0x11, 0x22, 0x3C), "none"}, {rgb(0x01, 0x10, 0x00), "none"},
    };
    for (const auto& [colour, expected] : cases)
        EXPECT_EQ(shortHex(colour).value_or("none"), expected) << webForm(colour, WebForm::Hex);
}

// HSL as a textbook writes it, in doubles on the 0-255 scale, rounded with
// std::round. Each quantity is one division of exact integers, so a value
// exactly on a half stays exactly on it.
std::string referenceHsl(int r, int g, int b) {
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
    const long l = std::lround(100.0 * (mx + mn) / 510.0);
    long s = 0, h = 0;
    if (d != 0) {
        s = std::lround(100.0 * d / (255 - std::abs(mx + mn - 255)));
        double hue = mx == r ? 60.0 * (g - b) / d : mx == g ? 60.0 * (b - r) / d + 120.0 : 60.0 * (r - g) / d + 240.0;
        h = std::lround(hue < 0 ? hue + 360.0 : hue) % 360;
    }
    return "hsl(" + std::to_string(h) + ", " + std::to_string(s) + "%, " + std::to_string(l) + "%)";
}

TEST(WebForms, HslMatchesAFormulaInDoublesForRandomColoursAndHalves) {
    // Halves: hue 60 * 1 / 120 = 0.5, saturation 100 * 2 / 16 = 12.5, and a
    // hue of 359.76 that must come out as 0, not 360.
    std::vector<std::array<int, 3>> colours = {{200, 81, 80}, {9, 8, 7}, {255, 0, 1}};
    std::mt19937 gen(20261207);
    std::uniform_int_distribution<int> component(0, 255);
    for (int i = 0; i < 500; ++i)
        colours.push_back({component(gen), component(gen), component(gen)});
    for (const auto& [r, g, b] : colours)
        EXPECT_EQ(webForm(rgb(r, g, b), WebForm::Hsl), referenceHsl(r, g, b)) << r << ", " << g << ", " << b;
    EXPECT_EQ(webForm(rgb(200, 81, 80), WebForm::Hsl), "hsl(1, 52%, 55%)");
    EXPECT_EQ(webForm(rgb(9, 8, 7), WebForm::Hsl), "hsl(30, 13%, 3%)");
}

TEST(WebForms, CodeReadsBackIntoItsColourAndAnythingElseIsNone) {
    EXPECT_EQ(colourOfCode("FF8000"), Colour{33023});
    EXPECT_EQ(colourOfCode("0c0b0a"), Colour{658188});
    for (const char* bad : {"", "FF800", "FF80000", "#F8000", "GG8000", "FF 800"})
        EXPECT_FALSE(colourOfCode(bad).has_value()) << '"' << bad << '"';
}

} // namespace
} // namespace kav
