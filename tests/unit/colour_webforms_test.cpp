// The web forms of a colour: each form for fixed colours, the short form only
// where every pair is a doubled digit, HSL against a formula in doubles, and
// a code read back into its colour.
#include "colour/HexRGB.h"
#include "colour/WebForms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace kav {
namespace {

Colour rgb(int r, int g, int b) { return static_cast<Colour>(r + 256 * g + 65536 * b); }

TEST(WebForms, EveryFormOfFixedColours) {
    struct Case {
        Colour colour;
        const char *hex, *lower, *shortForm, *rgbForm, *hsl;
    };
    // Black, white, then the worked examples of the six-digit code.
    const Case cases[] = {
        {0, "#000000", "#000000", "#000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)"},
        {16777215, "#FFFFFF", "#ffffff", "#FFF", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)"},
        {255, "#FF0000", "#ff0000", "#F00", "rgb(255, 0, 0)", "hsl(0, 100%, 50%)"},
        {65280, "#00FF00", "#00ff00", "#0F0", "rgb(0, 255, 0)", "hsl(120, 100%, 50%)"},
        {16711680, "#0000FF", "#0000ff", "#00F", "rgb(0, 0, 255)", "hsl(240, 100%, 50%)"},
        {33023, "#FF8000", "#ff8000", "#FF8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)"},
        {658188, "#0C0B0A", "#0c0b0a", "#0C0B0A", "rgb(12, 11, 10)", "hsl(30, 9%, 4%)"},
        {16576, "#C04000", "#c04000", "#C04000", "rgb(192, 64, 0)", "hsl(20, 100%, 38%)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(HexRGB(static_cast<std::int32_t>(c.colour)));
        EXPECT_EQ(webForm(c.colour, WebForm::Hex), c.hex);
        EXPECT_EQ(webForm(c.colour, WebForm::HexLower), c.lower);
        EXPECT_EQ(webForm(c.colour, WebForm::Short), c.shortForm);
        EXPECT_EQ(webForm(c.colour, WebForm::Rgb), c.rgbForm);
        EXPECT_EQ(webForm(c.colour, WebForm::Hsl), c.hsl);
    }
}

TEST(WebForms, ShortFormOnlyWhenEveryPairIsADoubledDigit) {
    struct Case {
        Colour colour;
        const char* shortForm; // nullptr: none
    };
    const Case cases[] = {
        {rgb(0xFF, 0x88, 0x00), "#F80"},  {rgb(0x11, 0x22, 0x33), "#123"},  {rgb(0xAA, 0xBB, 0xCC), "#ABC"},
        {rgb(0xFF, 0x88, 0x01), nullptr}, {rgb(0x10, 0x22, 0x33), nullptr}, {rgb(0x11, 0x22, 0x3C), nullptr},
        {rgb(0x01, 0x10, 0x00), nullptr},
    };
    for (const Case& c : cases) {
        const auto got = shortHex(c.colour);
        EXPECT_EQ(got.value_or("none"), c.shortForm ? c.shortForm : "none") << webForm(c.colour, WebForm::Hex);
    }
}

// HSL as a textbook writes it, in doubles on the 0-255 scale, rounded with
// std::round. Each quantity is one division of exact integers, so a value
// that lies exactly on a half stays exactly on it.
Hsl referenceHsl(int r, int g, int b) {
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
    Hsl h;
    h.lightness = static_cast<int>(std::round(100.0 * (mx + mn) / 510.0));
    if (d == 0) return h;
    h.saturation = static_cast<int>(std::round(100.0 * d / (255 - std::abs(mx + mn - 255))));
    double hue = 0;
    if (mx == r)
        hue = 60.0 * (g - b) / d;
    else if (mx == g)
        hue = 60.0 * (b - r) / d + 120.0;
    else
        hue = 60.0 * (r - g) / d + 240.0;
    if (hue < 0) hue += 360.0;
    h.hue = static_cast<int>(std::round(hue)) % 360;
    return h;
}

TEST(WebForms, HslMatchesAFormulaInDoublesForRandomColours) {
    std::mt19937 gen(20261207);
    std::uniform_int_distribution<int> component(0, 255);
    for (int i = 0; i < 500; ++i) {
        const int r = component(gen), g = component(gen), b = component(gen);
        const Hsl want = referenceHsl(r, g, b), got = hslOf(rgb(r, g, b));
        EXPECT_EQ(std::tie(got.hue, got.saturation, got.lightness), std::tie(want.hue, want.saturation, want.lightness))
            << "rgb(" << r << ", " << g << ", " << b << ")";
    }
}

TEST(WebForms, HslRoundsHalvesUpAndAHueOf360ToZero) {
    // 60 * 1 / 120 = 0.5 degrees rounds to 1; 359.76 rounds to 0, not 360;
    // saturation 100 * 2 / 16 = 12.5 rounds to 13.
    EXPECT_EQ(webForm(rgb(200, 81, 80), WebForm::Hsl), "hsl(1, 52%, 55%)");
    EXPECT_EQ(hslOf(rgb(255, 0, 1)).hue, 0);
    EXPECT_EQ(webForm(rgb(9, 8, 7), WebForm::Hsl), "hsl(30, 13%, 3%)");
}

TEST(WebForms, CodeReadsBackIntoItsColour) {
    EXPECT_EQ(colourOfCode("FF8000"), Colour{33023});
    EXPECT_EQ(colourOfCode("0c0b0a"), Colour{658188});
    for (const char* bad : {"", "FF800", "FF80000", "#F8000", "GG8000", "FF 800"})
        EXPECT_FALSE(colourOfCode(bad).has_value()) << '"' << bad << '"';
}

TEST(WebForms, NamesRoundTripAndUnknownNamesAreRefused) {
    for (WebForm f : kWebForms)
        EXPECT_EQ(webFormNamed(webFormName(f)), f);
    for (const char* bad : {"", "HEX", "rgba", "hex "})
        EXPECT_FALSE(webFormNamed(bad).has_value()) << '"' << bad << '"';
}

} // namespace
} // namespace kav
