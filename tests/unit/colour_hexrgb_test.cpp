// The six-digit colour code of a colour value: red first, upper case, each
// component zero-filled to two digits, no number sign.
#include "colour/HexRGB.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace kav {
namespace {

// The code as an independent formatting would write it.
std::string expectedCode(int red, int green, int blue) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", red, green, blue);
    return buf;
}

std::int32_t colourValue(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

TEST(HexRGB, WorkedExamples) {
    struct Case {
        std::int32_t value;
        const char* code;
    };
    const Case cases[] = {
        {0, "000000"},        {255, "FF0000"},   {65280, "00FF00"},  {16711680, "0000FF"},
        {16777215, "FFFFFF"}, {33023, "FF8000"}, {658188, "0C0B0A"}, {16576, "C04000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexRGB(c.value), c.code) << "colour value " << c.value;
}

TEST(HexRGB, EveryValueOfEachComponentInItsOwnPosition) {
    for (int v = 0; v <= 255; ++v) {
        EXPECT_EQ(HexRGB(colourValue(v, 0, 0)), expectedCode(v, 0, 0)) << "red " << v;
        EXPECT_EQ(HexRGB(colourValue(0, v, 0)), expectedCode(0, v, 0)) << "green " << v;
        EXPECT_EQ(HexRGB(colourValue(0, 0, v)), expectedCode(0, 0, v)) << "blue " << v;
    }
}

TEST(HexRGB, ComponentsDoNotLeakIntoEachOther) {
    // Every value of one component next to non-zero neighbours: a carry or a
    // misplaced zero fill would show in one of the other two pairs.
    for (int v = 0; v <= 255; ++v) {
        const int g = 255 - v;
        const int b = (v * 7 + 3) % 256;
        EXPECT_EQ(HexRGB(colourValue(v, g, b)), expectedCode(v, g, b)) << "red " << v;
        EXPECT_EQ(HexRGB(colourValue(b, v, g)), expectedCode(b, v, g)) << "green " << v;
        EXPECT_EQ(HexRGB(colourValue(g, b, v)), expectedCode(g, b, v)) << "blue " << v;
    }
}

TEST(HexRGB, IgnoresTheHighByte) { EXPECT_EQ(HexRGB(0x01FF0000), "0000FF"); }

} // namespace
} // namespace kav
