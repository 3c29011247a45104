// The web forms of a colour: each form for fixed colours, the short form only
// where every pair is a doubled digit, HSL against a formula in doubles, every
// written form read back, the texts no form reads, and a code read back into
// its colour.
#include "colour/WebForms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kav {
namespace {

Colour rgb(int r, int g, int b) { return static_cast<Colour>(r + 256 * g + 65536 * b); }

TEST(WebForms, EveryFormOfBlackWhiteAndTheCodesWorkedExamples) {
    const std::vector<std::vector<std::string>> cases = {
        // colour value, then each form in table order ("-": the form has none)
        {"0", "#000000", "#000000", "#000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)"},
        {"16777215", "#FFFFFF", "#ffffff", "#FFF", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)"},
        {"255", "#FF0000", "#ff0000", "#F00", "rgb(255, 0, 0)", "hsl(0, 100%, 50%)"},
        {"65280", "#00FF00", "#00ff00", "#0F0", "rgb(0, 255, 0)", "hsl(120, 100%, 50%)"},
        {"16711680", "#0000FF", "#0000ff", "#00F", "rgb(0, 0, 255)", "hsl(240, 100%, 50%)"},
        {"33023", "#FF8000", "#ff8000", "-", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)"},
        {"658188", "#0C0B0A", "#0c0b0a", "-", "rgb(12, 11, 10)", "hsl(30, 9%, 4%)"},
        {"16576", "#C04000", "#c04000", "-", "rgb(192, 64, 0)", "hsl(20, 100%, 38%)"},
    };
    const auto forms = webForms();
    for (const auto& c : cases) {
        ASSERT_EQ(c.size(), forms.size() + 1);
        for (std::size_t f = 0; f < forms.size(); ++f)
            EXPECT_EQ(forms[f].write(static_cast<Colour>(std::stoul(c[0]))).value_or("-"), c[f + 1])
                << "colour " << c[0];
    }
}

TEST(WebForms, ShortFormOnlyWhenEveryPairIsADoubledDigit) {
    const std::vector<std::pair<Colour, std::string>> cases = {
        {rgb(0xFF, 0x88, 0x00), "#F80"}, {rgb(0x11, 0x22, 0x33), "#123"}, {rgb(0xFF, 0x88, 0x01), "none"},
        {rgb(0x10, 0x22, 0x33), "none"}, {rgb(0x11, 0x22, 0x3C), "none"}, {rgb(0x01, 0x10, 0x00), "none"},
    };
    for (const auto& [colour, expected] : cases)
        EXPECT_EQ(shortHex(colour).value_or("none"), expected) << colour;
}

// HSL as a textbook writes it, in doubles on the 0-255 scale, rounded with
// std::round. Each quantity is one division of exact integers, so a value
// exactly on a half stays exactly on it.
std::array<long, 3> referenceHsl(int r, int g, int b) {
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
    const long l = std::lround(100.0 * (mx + mn) / 510.0);
    long s = 0, h = 0;
    if (d != 0) {
        s = std::lround(100.0 * d / (255 - std::abs(mx + mn - 255)));
        double hue = mx == r ? 60.0 * (g - b) / d : mx == g ? 60.0 * (b - r) / d + 120.0 : 60.0 * (r - g) / d + 240.0;
        h = std::lround(hue < 0 ? hue + 360.0 : hue) % 360;
    }
    return {h, s, l};
}

TEST(WebForms, HslMatchesAFormulaInDoublesForRandomColoursAndHalves) {
    // Halves: hue 60 * 1 / 120 = 0.5, saturation 100 * 2 / 16 = 12.5, and a
    // hue of 359.76 that must come out as 0, not 360.
    std::vector<std::array<int, 3>> colours = {{200, 81, 80}, {9, 8, 7}, {255, 0, 1}};
    std::mt19937 gen(20261207);
    std::uniform_int_distribution<int> component(0, 255);
    for (int i = 0; i < 500; ++i)
        colours.push_back({component(gen), component(gen), component(gen)});
    for (const auto& [r, g, b] : colours) {
        const Hsl h = hslOf(rgb(r, g, b));
        EXPECT_EQ((std::array<long, 3>{h.hue, h.saturation, h.lightness}), referenceHsl(r, g, b))
            << r << ", " << g << ", " << b;
    }
}

// Whole-number HSL cannot name every colour; over all 16.7 million colours
// the colour read back is at most this far from the one written, in any
// component.
constexpr int kHslRoundingReach = 5;

TEST(WebForms, EveryFormReadsBackWhatItWrote) {
    std::vector<Colour> colours;
    // Each form's own example, read and written again, stays as it is.
    for (const WebFormRow& form : webForms()) {
        const std::optional<Colour> c = form.read(form.example);
        ASSERT_TRUE(c.has_value()) << form.example;
        EXPECT_EQ(form.write(*c), std::string(form.example));
        colours.push_back(*c);
    }
    std::mt19937 gen(7122026);
    std::uniform_int_distribution<Colour> value(0, 0xFFFFFF);
    for (int i = 0; i < 500; ++i)
        colours.push_back(value(gen));
    for (const WebFormRow& form : webForms()) {
        for (Colour c : colours) {
            const std::optional<std::string> text = form.write(c);
            if (!text) continue;
            // Every form's text is a colour on the command line too.
            ASSERT_EQ(readColour(*text), form.read(*text)) << *text;
            const std::optional<Colour> back = form.read(*text);
            ASSERT_TRUE(back.has_value()) << *text;
            if (form.exact) {
                EXPECT_EQ(*back, c) << *text;
            } else {
                for (int shift : {0, 8, 16})
                    EXPECT_LE(
                        std::abs(static_cast<int>((*back >> shift) & 0xFF) - static_cast<int>((c >> shift) & 0xFF)),
                        kHslRoundingReach)
                        << *text;
            }
        }
    }
}

TEST(WebForms, TextsThatAreNoColour) {
    const char* rejected[] = {"",
                              "#",
                              "FF800",
                              "FF80000",
                              "#FF80",
                              "#F8",
                              "#F800",
                              "F80",
                              "GG8000",
                              "#FF80 0",
                              "#FF8000;",
                              "##FF8000",
                              "0xFF8000",
                              "orange",
                              "rgb(256, 0, 0)",
                              "rgb(-1, 0, 0)",
                              "rgb(1, 2)",
                              "rgb(1, 2, 3, 4)",
                              "rgb(1.5, 2, 3)",
                              "rgb(0255, 0, 0)",
                              "rgb(1, 2, 3",
                              "rgb 1, 2, 3",
                              "rgb(1, 2, 3) x",
                              "rgba(1, 2, 3)",
                              "hsl(361, 0%, 0%)",
                              "hsl(30, 101%, 50%)",
                              "hsl(30, 100%, 101%)",
                              "hsl(30, 100, 50)",
                              "hsl(30, 100%, 50%",
                              "hsl(-30, 100%, 50%)",
                              "hsl(30deg, 100%, 50%)"};
    for (const char* text : rejected)
        EXPECT_FALSE(readColour(text).has_value()) << '"' << text << '"';
}

// Only letters fold case: a control character that differs from a
// punctuation mark in the case bit alone (0x08 and "(", TAB and ")", FF and
// ",", 0x05 and "%") is itself, and no colour.
TEST(WebForms, ControlCharactersAreNotPunctuation) {
    for (std::string_view text : {"rgb\x08" "255, 128, 0)", "rgb(255, 128, 0\x09", "rgb(255\x0c 128, 0)",
                                  "hsl(30, 100\x05, 50%)"})
        EXPECT_FALSE(readColour(text).has_value()) << text;
}

// CSS's whitespace (space, TAB, LF, CR, FF) around a colour and between its parts.
TEST(WebForms, CssWhitespaceAroundAndInsideEveryForm) {
    for (std::string_view text : {" #FF8000", "\t#ff8000\n", "\r\n#FF8000\f", " FF8000\t", "rgb(\t255,\n128 ,\r0\f)",
                                  "\fhsl(30,\t100%,\n50%)\r\n"})
        EXPECT_EQ(readColour(text), std::optional<Colour>(0x0080FFu)) << text;
}

TEST(WebForms, CodeReadsBackIntoItsColourAndAnythingElseIsNone) {
    EXPECT_EQ(colourOfCode("FF8000"), Colour{33023});
    EXPECT_EQ(colourOfCode("0c0b0a"), Colour{658188});
    for (const char* bad : {"", "FF800", "FF80000", "#F8000", "GG8000", "FF 800"})
        EXPECT_FALSE(colourOfCode(bad).has_value()) << '"' << bad << '"';
}

} // namespace
} // namespace kav
