// The web forms of a colour: each form for fixed colours, the short form only
// where every pair is a doubled digit, HSL against a formula in doubles,
// every written form read back, and the reader against colours computed
// elsewhere, with the texts it refuses.
#include "colour/Oklab.h"
#include "colour/WebForms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

namespace kav {
namespace {

Colour rgb(int r, int g, int b) { return static_cast<Colour>(r + 256 * g + 65536 * b); }

TEST(WebForms, EveryFormOfBlackWhiteAndTheCodesWorkedExamples) {
    const std::vector<std::vector<std::string>> cases = {
        // colour value, then each form in table order ("-": the form has none)
        {"0", "#000000", "#000000", "#000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)", "oklch(0% 0 0)", "oklab(0% 0 0)"},
        {"16777215", "#FFFFFF", "#ffffff", "#FFF", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)", "oklch(100% 0 0)",
         "oklab(100% 0 0)"},
        {"255", "#FF0000", "#ff0000", "#F00", "rgb(255, 0, 0)", "hsl(0, 100%, 50%)", "oklch(62.8% 0.2577 29.23)",
         "oklab(62.8% 0.225 0.1258)"},
        {"33023", "#FF8000", "#ff8000", "-", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)", "oklch(73.2% 0.1858 53)",
         "oklab(73.2% 0.112 0.1484)"},
        {"658188", "#0C0B0A", "#0c0b0a", "-", "rgb(12, 11, 10)", "hsl(30, 9%, 4%)", "oklch(15% 0.003 68)",
         "oklab(15% 0 0.003)"},
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

// Every exact form's text reads back as the very colour written, for a
// random 200,000 colours: all 16.7 million would take over 20 s for rgb()
// alone under the sanitizers, and oklch() and oklab() take 8 s for 200,000.
// Whole-number HSL names only some colours: what it reads back is at most
// this far off in any channel.
constexpr int kHslRoundingReach = 5;

class EveryForm : public testing::TestWithParam<std::string_view> {};

TEST_P(EveryForm, ReadsBackWhatItWrote) {
    const WebFormRow& form = *webFormNamed(GetParam());
    std::mt19937 gen(7122026);
    std::uniform_int_distribution<Colour> value(0, 0xFFFFFF);
    for (int i = 0; i < 200'000; ++i) {
        const Colour c = value(gen);
        const std::optional<std::string> text = form.write(c);
        if (!text) continue;
        const std::optional<Colour> back = readColour(*text);
        ASSERT_TRUE(back.has_value()) << *text;
        if (form.exact) {
            ASSERT_EQ(*back, c) << *text;
        } else {
            for (int shift : {0, 8, 16})
                ASSERT_LE(std::abs(static_cast<int>((*back >> shift) & 0xFF) - static_cast<int>((c >> shift) & 0xFF)),
                          kHslRoundingReach)
                    << *text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WebForms, EveryForm, testing::Values("hex", "hexlower", "short", "rgb", "hsl", "oklch", "oklab"));

// Whether the numbers of an oklch() or oklab() text name a colour that
// comes out as `c` without leaving sRGB by more than half a step.
bool namesInsideSrgb(std::string_view name, const std::array<double, 3>& v, Colour c) {
    const Oklab lab = name == "oklch" ? oklabOf(Oklch{v[0] / 100, v[1], v[2]}) : Oklab{v[0] / 100, v[1], v[2]};
    const Srgb rgb = srgbOf(lab);
    for (double x : {rgb.r, rgb.g, rgb.b})
        if (x < -0.5 / 255 || x > 1 + 0.5 / 255) return false;
    return colourOf(rgb) == c;
}

// The text of oklch() and oklab() is the shortest that names the colour
// inside sRGB: a decimal less on any one of its numbers names another.
TEST(WebForms, OklchAndOklabTextsHaveNoDecimalToSpare) {
    std::mt19937 gen(8122026);
    std::uniform_int_distribution<Colour> value(0, 0xFFFFFF);
    for (std::string_view name : {"oklch", "oklab"}) {
        for (int i = 0; i < 2000; ++i) {
            const Colour c = value(gen);
            const std::string text = webFormNamed(name)->write(c).value();
            std::array<std::string, 3> numbers;
            std::array<double, 3> v{};
            std::istringstream in(text.substr(name.size() + 1));
            for (std::size_t k = 0; k < 3; ++k) {
                in >> numbers[k];
                numbers[k] = numbers[k].substr(0, numbers[k].find_first_of("%)"));
                v[k] = std::stod(numbers[k]);
            }
            ASSERT_TRUE(namesInsideSrgb(name, v, c)) << text;
            // Each number in turn, rounded to a decimal less; a last 5
            // could round either way, so it is left.
            for (std::size_t k = 0; k < 3; ++k) {
                const std::size_t dot = numbers[k].find('.');
                if (dot == std::string::npos || numbers[k].back() == '5') continue;
                const double scale = std::pow(10, static_cast<double>(numbers[k].size() - dot - 2));
                std::array<double, 3> shorter = v;
                shorter[k] = std::round(v[k] * scale) / scale;
                EXPECT_FALSE(namesInsideSrgb(name, shorter, c)) << text << ", number " << k;
            }
        }
    }
}

// The colours a browser gives these texts. Computed once with colorjs.io
// 0.5.2 (by CSS Color 4's editors; its "css" gamut mapping for oklab() and
// oklch(), channels clipped for the others), each channel's value * 255
// rounded halves upward; where colorjs.io reads no such text or leaves out
// one of CSS's clamps, with culori 4.0.2 (marked).
TEST(WebForms, ReadsEveryCssSrgbFormAsABrowserDoes) {
    const std::pair<const char*, const char*> cases[] = {
        {"rgb(255, 128, 0)", "FF8000"},
        {"rgba(255, 128, 0, 1)", "FF8000"},
        {"rgb(255 128 0 / 100%)", "FF8000"},
        {"rgb(100%, 50%, 0%)", "FF8000"},
        {"rgb(254.5 127.5 0.49)", "FF8000"},
        {"rgb(300, -20, 128)", "FF0080"},
        {"RGB(10%, 20.5%, 30%)", "1A344D"},
        {"rgb(1e2 2.5e1 +5)", "641905"},      // culori
        {"rgb(255 50% none)", "FF8000"},      // culori
        {"rgba(0 0 0)", "000000"},            // culori
        {"rgba(12, 34, 56, 1.5)", "0C2238"},
        {"hsla(30, 100%, 50%, 1.0)", "FF8000"},
        {"hsl(30deg 100% 50% / 100%)", "FF8000"},
        {"hsl(0.5turn 50% 50%)", "40BFBF"},
        {"hsl(3.14159rad 100% 25%)", "00807F"},
        {"hsl(200grad 100% 50%)", "00FFFF"},
        {"hsl(-90 100% 50%)", "8000FF"},
        {"hsl(750 100% 50%)", "FF8000"},
        {"hsl(30 100 50)", "FF8000"},         // culori
        {"hsl(210.5, 33.3%, 66.6%)", "8DA9C6"},
        {"hsl(30 -50% 40%)", "666666"},       // culori: a negative saturation counts as 0
        {"hsl(20 150% 50%)", "FF4000"},
        {"hsl(30, 100%, 120%)", "FFFFFF"},
        {"hsl(none 0% 50%)", "808080"},       // culori
        {"HSL(120DEG 75% 25%)", "107010"},    // colorjs.io, in lower case
        {"hwb(30 0% 0%)", "FF8000"},
        {"hwb(90deg 20% 30%)", "73B333"},
        {"hwb(0 60% 60%)", "808080"},
        {"hwb(200 10 20 / 1)", "1A91CC"},     // culori: halves 25.5 and 144.5 round up
        {"#F80", "FF8800"},
        {"#f80f", "FF8800"},
        {"#ff8000FF", "FF8000"},
        {"ORANGE", "FFA500"},
        {"RebeccaPurple", "663399"},
        {"DarkSlateGrey", "2F4F4F"},
        {"oklch(70% 0.1 30)", "D58679"},
        {"oklch(0.7 0.1 30deg)", "D58679"},
        {"oklch(62.8% 0.2577 29.23)", "FF0000"},
        {"oklch(90% 0.4 140)", "62FF31"},     // mapped; clipping would give 00FF00
        {"oklch(50% 0.3 264)", "0036FF"},
        {"oklch(60% 100% 0.25turn)", "A17A00"},
        {"oklch(100% 0.2 0)", "FFFFFF"},
        {"oklch(-10% 0.1 0)", "000000"},
        {"oklch(60% -0.1 50)", "808080"},     // culori: a negative chroma counts as 0
        {"oklab(70% 0.1 -0.05)", "C883BC"},
        {"oklab(0.5 -40% 40%)", "307600"},
        {"oklab(80% 0.3 0.3 / 1)", "FF9D69"},
        {"oklab(62.8% 0.225 0.126)", "FF0000"},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(readColour(text), colourOfCode(code)) << text;
}

TEST(WebForms, RefusesTranslucentColoursAndTextsThatAreNoColour) {
    const char* translucent[] = {"rgb(255 128 0 / 0.5)", "rgba(255, 128, 0, 0)", "rgb(255 128 0 / 99%)",
                                 "rgb(0 0 0 / none)",    "hsl(30 100% 50% / 0.999)", "hwb(30 0% 0% / 50%)",
                                 "oklch(70% 0.1 30 / 0.5)", "#F808", "#FF800080", "#FF80", "transparent",
                                 "TRANSPARENT"};
    for (const char* text : translucent) {
        const ColourReading r = readColourText(text);
        EXPECT_TRUE(r.translucent && !r.colour) << text;
    }
    const char* rejected[] = {"", "#", "FF800", "FF80000", "F80", "GG8000", "#GG8000", "##F80", "#F80 x", "0xFF8000",
                              "orange;", "blurple", "currentcolor", "currentColor", "inherit", "Canvas",
                              "lab(50% 40 59)", "rgb(255, 128 0)", "rgb(255, 50%, 0)", "rgb(1, 2)", "rgb(1 2 3 4)",
                              "rgb(1, 2, 3, 4, 5)", "rgb(1 2 3 /)", "rgb(1, 2, 3 / 1)", "rgb(none, 0, 0)",
                              "rgb(1 2 3", "rgb (1 2 3)", "rgb 1, 2, 3", "rgb(1deg 2 3)", "rgb(1px 2 3)",
                              "rgb(5. 2 3)", "rgb(1 2 3) x", "hsl(30, 100, 50)", "hsl(30% 100% 50%)",
                              "hsl(30, 100%, 50%", "hwb(30, 0%, 0%)", "oklch(70%, 0.1, 30)", "oklch(70% 0.1 30%)"};
    for (const char* text : rejected) {
        const ColourReading r = readColourText(text);
        EXPECT_FALSE(r.colour || r.translucent) << '"' << text << '"';
    }
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
                                  "\fhsl(30,\t100%,\n50%)\r\n", "rgb(\t255\n128\f0\r/\t1\n)", " hwb(30\t0%\n0%) ",
                                  "\toklch(\n73.2%\t0.186\r53\f)\n", "\noklab( 73.2% 0.112 0.15 )\t"})
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
