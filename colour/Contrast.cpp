// Relative luminance and contrast ratio as WCAG 2 defines them.
#include "colour/Contrast.h"

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

constexpr Colour kWhite = 0xFFFFFFu;
constexpr Colour kBlack = 0x000000u;
// The least ratio WCAG 2 asks of normal text (level AA).
constexpr double kNormalTextRatio = 4.5;

double linear(int component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Relative luminance, 0 for black to 1 for white (sRGB).
double relativeLuminance(Colour c) {
    return 0.2126 * linear(redOf(c)) + 0.7152 * linear(greenOf(c)) + 0.0722 * linear(blueOf(c));
}

// The ratio to one decimal, rounded down: the largest tenth that the ratio
// reaches, compared as the verdict compares, so a shown 4,5 is always a pass.
std::string oneDecimal(double ratio) {
    long tenths = std::lround(std::floor(ratio * 10.0));
    while (static_cast<double>(tenths + 1) / 10.0 <= ratio)
        ++tenths;
    while (tenths > 0 && static_cast<double>(tenths) / 10.0 > ratio)
        --tenths;
    return std::to_string(tenths / 10) + ',' + std::to_string(tenths % 10);
}

} // namespace

double contrastRatio(Colour a, Colour b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string contrastLine(Colour c) {
    return "Kontrast mot vitt " + oneDecimal(contrastRatio(c, kWhite)) + ":1 · mot svart " +
           oneDecimal(contrastRatio(c, kBlack)) + ":1";
}

std::string normalTextLine(Colour c) {
    const bool white = contrastRatio(c, kWhite) >= kNormalTextRatio;
    const bool black = contrastRatio(c, kBlack) >= kNormalTextRatio;
    std::string line = "Normal text (" + oneDecimal(kNormalTextRatio) + ":1): läsbar mot ";
    if (white && black) return line + "vitt och svart";
    return line + (white ? "vitt" : "svart");
}

} // namespace kav
