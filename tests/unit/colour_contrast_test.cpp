// Contrast against white and black: the ratios of published WCAG pairs, and
// the two lines the code box shows, with their rounding and decimal comma.
#include "colour/Contrast.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;

TEST(Contrast, PublishedPairs) {
    struct Case {
        Colour a, b;
        double ratio;
    };
    const Case cases[] = {
        {0x777777, kWhite, 4.48}, // the grey that just fails normal text on white
        {0x767676, kWhite, 4.54}, // the lightest grey that passes
        {kBlack, kWhite, 21.0},   {kWhite, kBlack, 21.0}, {kWhite, kWhite, 1.0}, {0x0000FF, kWhite, 4.0}, // pure red
        {0xFF0000, kWhite, 8.59},                                                                         // pure blue
    };
    for (const Case& c : cases)
        EXPECT_NEAR(contrastRatio(c.a, c.b), c.ratio, 0.005) << std::hex << c.a << " on " << c.b;
}

TEST(Contrast, LinesRoundDownToOneDecimalAndJudgeTheExactRatio) {
    struct Case {
        Colour colour;
        const char* ratios;
        const char* normalText;
    };
    const Case cases[] = {
        // 4.48 against white is shown as 4,4: a figure never reaches a threshold the ratio misses.
        {0x777777, "Kontrast mot vitt 4,4:1 · mot svart 4,6:1", "Normal text (4,5:1): läsbar mot svart"},
        {0x767676, "Kontrast mot vitt 4,5:1 · mot svart 4,6:1", "Normal text (4,5:1): läsbar mot vitt och svart"},
        {kWhite, "Kontrast mot vitt 1,0:1 · mot svart 21,0:1", "Normal text (4,5:1): läsbar mot svart"},
        {kBlack, "Kontrast mot vitt 21,0:1 · mot svart 1,0:1", "Normal text (4,5:1): läsbar mot vitt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(contrastLine(c.colour), c.ratios) << std::hex << c.colour;
        EXPECT_EQ(normalTextLine(c.colour), c.normalText) << std::hex << c.colour;
    }
}

// The figure at the thresholds of 4.5 and 3.0: the colours whose ratio lies
// nearest below and above each, of all 16.7 million (found by a search over
// every colour), never show the threshold from below.
TEST(Contrast, FigureAtTheThresholdsNeverReachesOneTheRatioMisses) {
    struct Case {
        Colour colour; // 0x00BBGGRR
        const char* shown;
    };
    const Case cases[] = {
        {0x777777, "mot vitt 4,4:1"},  {0x959595, "mot vitt 2,9:1"},
        {0x5A6C9A, "mot vitt 4,4:1"},  {0x90727C, "mot vitt 4,5:1"},  // 4.4999999 and 4.5000006
        {0x309A98, "mot vitt 2,9:1"},  {0xA169E9, "mot vitt 3,0:1"},  // 2.9999998 and 3.0000002
        {0x018345, "mot svart 4,4:1"}, {0x9F5D9D, "mot svart 4,5:1"}, // 4.4999999 and 4.5000007
        {0x2C6433, "mot svart 2,9:1"}, {0xB10F96, "mot svart 3,0:1"}, // 2.9999999 and 3.0000006
    };
    for (const Case& c : cases)
        EXPECT_NE(contrastLine(c.colour).find(c.shown), std::string::npos) << contrastLine(c.colour);
}

} // namespace
} // namespace kav
