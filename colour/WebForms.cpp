// The table of web forms and each form's two conversions.
#include "colour/WebForms.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace kav {

namespace {

Colour rgbColour(int r, int g, int b) {
    return static_cast<Colour>(r) + 256u * static_cast<Colour>(g) + 65536u * static_cast<Colour>(b);
}

std::string hexOf(Colour c, bool lower) {
    char buf[8];
    std::snprintf(buf, sizeof buf, lower ? "#%02x%02x%02x" : "#%02X%02X%02X", redOf(c), greenOf(c), blueOf(c));
    return buf;
}

// The nearest whole number to num / den (both non-negative, den > 0), halves upward.
long roundedRatio(long num, long den) { return (2 * num + den) / (2 * den); }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// CSS's whitespace: space, TAB, LF, CR and FF.
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// A letter in lower case; anything else as it is, so that no control
// character passes for the punctuation mark one bit away from it.
char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// Reads the texts of the functional forms, "rgb(255, 128, 0)": the name in
// either case, then numbers separated by commas, with whitespace anywhere
// between the parts, as style sheets write them.
class Cursor {
public:
    explicit Cursor(std::string_view s) : s_(s) {}

    void skipSpaces() {
        while (!s_.empty() && isSpace(s_.front()))
            s_.remove_prefix(1);
    }
    // The word (letters in either case) or the character, after any whitespace.
    bool take(std::string_view word) {
        skipSpaces();
        if (s_.size() < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (folded(s_[i]) != folded(word[i])) return false;
        s_.remove_prefix(word.size());
        return true;
    }
    // A whole number from 0 to `max`, at most three digits, after any spaces.
    std::optional<int> number(int max) {
        skipSpaces();
        int value = 0;
        std::size_t digits = 0;
        while (digits < s_.size() && s_[digits] >= '0' && s_[digits] <= '9' && digits < 4)
            value = value * 10 + (s_[digits++] - '0');
        if (digits == 0 || digits > 3 || value > max) return std::nullopt;
        s_.remove_prefix(digits);
        return value;
    }
    bool atEnd() {
        skipSpaces();
        return s_.empty();
    }

private:
    std::string_view s_;
};

std::optional<Colour> readHex(std::string_view text) {
    if (text.starts_with('#')) text.remove_prefix(1);
    return colourOfCode(text);
}

std::optional<std::string> writeHex(Colour c) { return hexOf(c, false); }
std::optional<std::string> writeHexLower(Colour c) { return hexOf(c, true); }

std::optional<Colour> readShort(std::string_view text) {
    if (text.size() != 4 || text[0] != '#') return std::nullopt;
    return colourOfCode(std::string{text[1], text[1], text[2], text[2], text[3], text[3]});
}

std::optional<Colour> readRgb(std::string_view text) {
    Cursor in(text);
    if (!in.take("rgb(")) return std::nullopt;
    std::optional<int> parts[3];
    for (int i = 0; i < 3; ++i)
        if (!(parts[i] = in.number(255)) || !in.take(i < 2 ? "," : ")")) return std::nullopt;
    if (!in.atEnd()) return std::nullopt;
    return rgbColour(*parts[0], *parts[1], *parts[2]);
}

std::optional<std::string> writeRgb(Colour c) {
    return "rgb(" + std::to_string(redOf(c)) + ", " + std::to_string(greenOf(c)) + ", " + std::to_string(blueOf(c)) +
           ")";
}

// The colour nearest to a hue in degrees, saturation and lightness in
// percent, in integers: every quantity is counted in 1/600000, the least
// unit that whole degrees (sixths of 360) and percents of percents share, so
// the one rounding at the end is exact, halves upward.
Colour colourOfHsl(long h, long s, long l) {
    const long chroma = (100 - std::labs(2 * l - 100)) * s; // in 1/10000
    const long c = 60 * chroma;
    const long x = chroma * (60 - std::labs(h % 120 - 60));
    const long m = 6000 * l - 30 * chroma;
    long r = 0, g = 0, b = 0;
    switch (h / 60) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
    }
    auto byte = [m](long v) { return static_cast<int>(roundedRatio(255 * (v + m), 600000)); };
    return rgbColour(byte(r), byte(g), byte(b));
}

std::optional<Colour> readHsl(std::string_view text) {
    Cursor in(text);
    if (!in.take("hsl(")) return std::nullopt;
    const std::optional<int> h = in.number(360);
    if (!h || !in.take(",")) return std::nullopt;
    const std::optional<int> s = in.number(100);
    if (!s || !in.take("%") || !in.take(",")) return std::nullopt;
    const std::optional<int> l = in.number(100);
    if (!l || !in.take("%") || !in.take(")") || !in.atEnd()) return std::nullopt;
    return colourOfHsl(*h % 360, *s, *l);
}

std::optional<std::string> writeHsl(Colour c) {
    const Hsl h = hslOf(c);
    return "hsl(" + std::to_string(h.hue) + ", " + std::to_string(h.saturation) + "%, " + std::to_string(h.lightness) +
           "%)";
}

constexpr std::array<WebFormRow, 5> kRows = {{
    {"hex", "#RRGGBB", "#FF8000", "", readHex, writeHex, true},
    {"hexlower", "#rrggbb", "#ff8000", "", readHex, writeHexLower, true},
    {"short", "#RGB", "#F80", "sex siffror där ingen kort form finns", readShort, shortHex, true},
    {"rgb", "rgb(r, g, b)", "rgb(255, 128, 0)", "", readRgb, writeRgb, true},
    {"hsl", "hsl(h, s%, l%)", "hsl(30, 100%, 50%)", "", readHsl, writeHsl, false},
}};

} // namespace

std::span<const WebFormRow> webForms() { return kRows; }

const WebFormRow* webFormNamed(std::string_view name) {
    for (const WebFormRow& row : kRows)
        if (row.name == name) return &row;
    return nullptr;
}

std::string webFormOrFirst(Colour colour, const WebFormRow& row) {
    if (std::optional<std::string> text = row.write(colour)) return *text;
    return kRows.front().write(colour).value_or(std::string());
}

std::optional<Colour> readColour(std::string_view text) {
    text = trimmed(text);
    for (const WebFormRow& row : kRows)
        if (std::optional<Colour> c = row.read(text)) return c;
    return std::nullopt;
}

std::string webFormNames() {
    return swedishList(webForms(), [](const WebFormRow& r) { return r.name; });
}

std::string webFormExamples() {
    return swedishList(webForms(), [](const WebFormRow& r) { return r.example; });
}

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
    hsl.lightness = static_cast<int>(roundedRatio(100 * sum, 510));
    if (d == 0) return hsl;
    // Saturation is d / (1 - |2L - 1|) on the 0-1 scale, which on the 0-255
    // scale is d / (255 - |sum - 255|).
    hsl.saturation = static_cast<int>(roundedRatio(100 * d, 255 - std::labs(sum - 255)));
    // Hue: 60 degrees per sixth of the circle, measured from the strongest
    // component, kept as one fraction so that rounding happens once.
    long num = 0;
    if (max == r)
        num = 60 * (g - b) + (g < b ? 360 * d : 0);
    else if (max == g)
        num = 60 * (b - r) + 120 * d;
    else
        num = 60 * (r - g) + 240 * d;
    hsl.hue = static_cast<int>(roundedRatio(num, d) % 360);
    return hsl;
}

std::optional<Colour> colourOfCode(std::string_view code) {
    if (code.size() != 6) return std::nullopt;
    int pairs[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const int hi = hexDigit(code[2 * i]), lo = hexDigit(code[2 * i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        pairs[i] = hi * 16 + lo;
    }
    return rgbColour(pairs[0], pairs[1], pairs[2]);
}

} // namespace kav
