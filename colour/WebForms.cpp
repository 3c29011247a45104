// Colour value to the web forms of a colour, and a code back to its value.
#include "colour/WebForms.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kav {

namespace {

std::string hexOf(int r, int g, int b, bool lower) {
    char buf[8];
    std::snprintf(buf, sizeof buf, lower ? "#%02x%02x%02x" : "#%02X%02X%02X", r, g, b);
    return buf;
}

// The nearest whole number to num / den (both non-negative, den > 0), halves upward.
int roundedRatio(long num, long den) { return static_cast<int>((2 * num + den) / (2 * den)); }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

std::optional<std::string> shortHex(Colour colour) {
    const int parts[3] = {redOf(colour), greenOf(colour), blueOf(colour)};
    std::string out = "#";
    for (int p : parts) {
        if (p / 16 != p % 16) return std::nullopt;
        out += "0123456789ABCDEF"[p % 16];
    }
    return out;
}

Hsl hslOf(Colour colour) {
    const long r = redOf(colour), g = greenOf(colour), b = blueOf(colour);
    const long max = std::max({r, g, b}), min = std::min({r, g, b});
    const long d = max - min, sum = max + min;
    Hsl hsl;
    // Lightness is the mean of the extremes: sum / 510, in percent.
    hsl.lightness = roundedRatio(100 * sum, 510);
    if (d == 0) return hsl;
    // Saturation is d / (1 - |2L - 1|) on the 0-1 scale, which on the 0-255
    // scale is d / (255 - |sum - 255|).
    hsl.saturation = roundedRatio(100 * d, 255 - std::labs(sum - 255));
    // Hue: 60 degrees per sixth of the circle, measured from the strongest
    // component, kept as one fraction so that rounding happens once.
    long num = 0;
    if (max == r)
        num = 60 * (g - b) + (g < b ? 360 * d : 0);
    else if (max == g)
        num = 60 * (b - r) + 120 * d;
    else
        num = 60 * (r - g) + 240 * d;
    hsl.hue = roundedRatio(num, d) % 360;
    return hsl;
}

std::string webForm(Colour colour, WebForm form) {
    const int r = redOf(colour), g = greenOf(colour), b = blueOf(colour);
    switch (form) {
    case WebForm::Hex: return hexOf(r, g, b, false);
    case WebForm::HexLower: return hexOf(r, g, b, true);
    case WebForm::Short: return shortHex(colour).value_or(hexOf(r, g, b, false));
    case WebForm::Rgb: return "rgb(" + std::to_string(r) + ", " + std::to_string(g) + ", " + std::to_string(b) + ")";
    case WebForm::Hsl: {
        const Hsl h = hslOf(colour);
        return "hsl(" + std::to_string(h.hue) + ", " + std::to_string(h.saturation) + "%, " +
               std::to_string(h.lightness) + "%)";
    }
    }
    return {};
}

std::optional<Colour> colourOfCode(std::string_view code) {
    if (code.size() != 6) return std::nullopt;
    Colour pairs[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const int hi = hexDigit(code[2 * i]), lo = hexDigit(code[2 * i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        pairs[i] = static_cast<Colour>(hi * 16 + lo);
    }
    return pairs[0] + 256u * pairs[1] + 65536u * pairs[2];
}

std::string_view webFormName(WebForm form) {
    switch (form) {
    case WebForm::Hex: return "hex";
    case WebForm::HexLower: return "hexlower";
    case WebForm::Short: return "short";
    case WebForm::Rgb: return "rgb";
    case WebForm::Hsl: return "hsl";
    }
    return {};
}

std::optional<WebForm> webFormNamed(std::string_view name) {
    for (WebForm f : kWebForms)
        if (webFormName(f) == name) return f;
    return std::nullopt;
}

} // namespace kav
