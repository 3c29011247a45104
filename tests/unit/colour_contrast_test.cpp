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

TEST(Contrast, LinesRoundToOneDecimalButJudgeTheExactRatio) {
    struct Case {
        Colour colour;
        const char* ratios;
        const char* normalText;
    };
    const Case cases[] = {
        // 4.48 is shown as 4,5 yet does not reach 4.5 against white.
        {0x777777, "Kontrast mot vitt 4,5:1 · mot svart 4,7:1", "Normal text (4,5:1): läsbar mot svart"},
        {0x767676, "Kontrast mot vitt 4,5:1 · mot svart 4,6:1", "Normal text (4,5:1): läsbar mot vitt och svart"},
        {kWhite, "Kontrast mot vitt 1,0:1 · mot svart 21,0:1", "Normal text (4,5:1): läsbar mot svart"},
        {kBlack, "Kontrast mot vitt 21,0:1 · mot svart 1,0:1", "Normal text (4,5:1): läsbar mot vitt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(contrastLine(c.colour), c.ratios) << std::hex << c.colour;
        EXPECT_EQ(normalTextLine(c.colour), c.normalText) << std::hex << c.colour;
    }
}

} // namespace
} // namespace kav
