// The table of web forms with their writers, and the one reader of every
// colour a style sheet can write in sRGB.
#include "colour/WebForms.h"

#include "colour/NamedColours.h"
#include "colour/Oklab.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

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

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
// What may go on a CSS name once it has begun (any byte of a non-ASCII character too).
bool isNameChar(char c) { return isLetter(c) || isDigit(c) || c == '_' || c == '-' || (c & 0x80) != 0; }
bool startsName(std::string_view s) {
    if (s.empty()) return false;
    if (s[0] == '-') return s.size() > 1 && isNameChar(s[1]) && !isDigit(s[1]);
    return isNameChar(s[0]) && !isDigit(s[0]);
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// What one argument of a colour function is written as.
enum Kind : unsigned { kNumber = 1, kPercent = 2, kAngle = 4, kNone = 8 };

struct Component {
    double value = 0; // angles in degrees
    Kind kind = kNumber;
};

// Reads a colour function's arguments as CSS's tokenizer splits them: a name
// in either case, numbers with a sign, decimals and an exponent, a
// percentage or an angle unit, with whitespace between the parts.
class Cursor {
public:
    explicit Cursor(std::string_view s) : s_(s) {}

    void skipSpaces() {
        while (!s_.empty() && isSpace(s_.front()))
            s_.remove_prefix(1);
    }
    // The character, after any whitespace unless it must follow at once.
    bool take(char c, bool atOnce = false) {
        if (!atOnce) skipSpaces();
        if (s_.empty() || s_.front() != c) return false;
        s_.remove_prefix(1);
        return true;
    }
    // A name, letters folded to lower case: "" when none begins here.
    std::string name() {
        std::string out;
        if (!startsName(s_)) return out;
        while (!s_.empty() && isNameChar(s_.front())) {
            out += folded(s_.front());
            s_.remove_prefix(1);
        }
        return out;
    }
    // A number, percentage, angle or "none", after any whitespace.
    std::optional<Component> component() {
        skipSpaces();
        if (startsName(s_)) {
            if (name() == "none") return Component{0, kNone};
            return std::nullopt;
        }
        std::size_t i = 0;
        const auto digits = [&] {
            const std::size_t from = i;
            while (i < s_.size() && isDigit(s_[i]))
                ++i;
            return i - from;
        };
        const bool plus = !s_.empty() && s_[0] == '+';
        if (!s_.empty() && (s_[0] == '+' || s_[0] == '-')) ++i;
        std::size_t count = digits();
        if (i + 1 < s_.size() && s_[i] == '.' && isDigit(s_[i + 1])) {
            ++i;
            count += digits();
        }
        if (count == 0) return std::nullopt;
        if (i < s_.size() && (s_[i] == 'e' || s_[i] == 'E')) {
            std::size_t j = i + 1;
            if (j < s_.size() && (s_[j] == '+' || s_[j] == '-')) ++j;
            if (j < s_.size() && isDigit(s_[j])) {
                i = j;
                digits();
            }
        }
        Component c;
        const char* first = s_.data() + (plus ? 1 : 0);
        const auto [end, error] = std::from_chars(first, s_.data() + i, c.value);
        if (error != std::errc() || end != s_.data() + i) return std::nullopt;
        s_.remove_prefix(i);
        if (!s_.empty() && s_.front() == '%') {
            s_.remove_prefix(1);
            c.kind = kPercent;
        } else if (startsName(s_)) {
            // An angle; degrees per unit of each of CSS's angle units.
            static constexpr std::pair<std::string_view, double> kUnits[] = {
                {"deg", 1}, {"grad", 0.9}, {"rad", 180 / std::numbers::pi}, {"turn", 360}};
            const std::string unit = name();
            const auto* u = std::ranges::find(kUnits, unit, &std::pair<std::string_view, double>::first);
            if (u == std::end(kUnits)) return std::nullopt;
            c.value *= u->second;
            c.kind = kAngle;
        }
        return c;
    }
    bool atEnd() {
        skipSpaces();
        return s_.empty();
    }

private:
    std::string_view s_;
};

// The sRGB colour of a hue in degrees (0-360), saturation and lightness from 0 to 1.
Srgb srgbOfHsl(double h, double s, double l) {
    const auto f = [&](double n) {
        const double k = std::fmod(n + h / 30, 12);
        return l - s * std::min(l, 1 - l) * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {f(0), f(8), f(4)};
}

// A colour function: its names, whether it takes the comma syntax of CSS
// Color 3 too, what 100% stands for in each argument (0: the argument is a
// hue), and the colour of its three arguments in those units.
struct CssFunction {
    std::array<std::string_view, 2> names;
    bool commas;
    std::array<double, 3> hundredPercent;
    Srgb (*colour)(const std::array<double, 3>& v);
};

constexpr std::array<CssFunction, 5> kFunctions = {{
    {{"rgb", "rgba"}, true, {255, 255, 255}, [](const std::array<double, 3>& v) {
         return Srgb{v[0] / 255, v[1] / 255, v[2] / 255};
     }},
    // A negative saturation counts as none; the rest is clipped to sRGB.
    {{"hsl", "hsla"}, true, {0, 100, 100}, [](const std::array<double, 3>& v) {
         return srgbOfHsl(v[0], std::max(v[1], 0.0) / 100, v[2] / 100);
     }},
    // Whiteness and blackness that add up to more than 100% make a grey.
    {{"hwb", ""}, false, {0, 100, 100}, [](const std::array<double, 3>& v) {
         const double w = v[1] / 100, b = v[2] / 100;
         if (w + b >= 1) return Srgb{w / (w + b), w / (w + b), w / (w + b)};
         const Srgb pure = srgbOfHsl(v[0], 1, 0.5);
         const auto mix = [&](double c) { return c * (1 - w - b) + w; };
         return Srgb{mix(pure.r), mix(pure.g), mix(pure.b)};
     }},
    {{"oklab", ""}, false, {1, 0.4, 0.4}, [](const std::array<double, 3>& v) {
         return mappedIntoSrgb(oklchOf(Oklab{std::clamp(v[0], 0.0, 1.0), v[1], v[2]}));
     }},
    {{"oklch", ""}, false, {1, 0.4, 0}, [](const std::array<double, 3>& v) {
         return mappedIntoSrgb(Oklch{std::clamp(v[0], 0.0, 1.0), std::max(v[1], 0.0), v[2]});
     }},
}};

const CssFunction& function(std::string_view name) {
    return *std::ranges::find_if(kFunctions, [name](const CssFunction& f) { return f.names[0] == name; });
}

// The colour of a function's three arguments, as they are written.
Colour colourOfArguments(const CssFunction& f, const std::array<Component, 3>& parts) {
    std::array<double, 3> v{};
    for (std::size_t i = 0; i < 3; ++i) {
        const Component& c = parts[i];
        if (f.hundredPercent[i] == 0) { // a hue, turned into 0-360 degrees
            v[i] = std::fmod(c.value, 360);
            if (v[i] < 0) v[i] += 360;
        } else {
            v[i] = c.kind == kPercent ? c.value / 100 * f.hundredPercent[i] : c.value;
        }
    }
    return colourOf(f.colour(v));
}

// The arguments of a colour function after its "(": three, separated by
// whitespace with an optional "/ alpha" (or by commas where the function
// takes them), and the ")".
ColourReading readFunction(const CssFunction& f, Cursor& in) {
    std::array<Component, 3> parts;
    std::optional<Component> alpha;
    std::optional<Component> first = in.component();
    if (!first) return {};
    parts[0] = *first;
    const bool commas = f.commas && in.take(',');
    for (std::size_t i = 1; i < 3; ++i) {
        const std::optional<Component> c = in.component();
        if (!c || (commas && i == 1 && !in.take(','))) return {};
        parts[i] = *c;
    }
    if (commas ? in.take(',') : in.take('/')) {
        if (!(alpha = in.component())) return {};
    }
    if (!in.take(')') || !in.atEnd()) return {};

    for (std::size_t i = 0; i < 3; ++i) {
        const bool hue = f.hundredPercent[i] == 0;
        unsigned allowed = hue ? kNumber | kAngle : kNumber | kPercent;
        // The comma syntax knows no "none", wants percentages for
        // saturation and lightness, and one kind for all three channels.
        if (!commas)
            allowed |= kNone;
        else if (!hue && f.hundredPercent[i] == 100)
            allowed = kPercent;
        else if (!hue && i > 0)
            allowed = parts[0].kind;
        if ((parts[i].kind & allowed) == 0) return {};
    }
    if (alpha) {
        if ((alpha->kind & (commas ? kNumber | kPercent : kNumber | kPercent | kNone)) == 0) return {};
        const double a = alpha->kind == kPercent ? alpha->value / 100 : alpha->kind == kNone ? 0 : alpha->value;
        if (a < 1) return {.colour = std::nullopt, .translucent = true};
    }
    return {.colour = colourOfArguments(f, parts)};
}

// "#RGB", "#RGBA", "#RRGGBB" or "#RRGGBBAA", the "#" already read.
ColourReading readHash(std::string_view digits) {
    if (digits.size() != 3 && digits.size() != 4 && digits.size() != 6 && digits.size() != 8) return {};
    const bool shortForm = digits.size() <= 4;
    int parts[4] = {};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int d = hexDigit(digits[i]);
        if (d < 0) return {};
        int& part = parts[shortForm ? i : i / 2];
        part = shortForm ? d * 17 : part * 16 + d;
    }
    if (digits.size() % 4 != 0) parts[3] = 255; // no alpha digits
    if (parts[3] != 255) return {.colour = std::nullopt, .translucent = true};
    return {.colour = rgbColour(parts[0], parts[1], parts[2])};
}

std::optional<std::string> writeHex(Colour c) { return hexOf(c, false); }
std::optional<std::string> writeHexLower(Colour c) { return hexOf(c, true); }

std::optional<std::string> writeRgb(Colour c) {
    return "rgb(" + std::to_string(redOf(c)) + ", " + std::to_string(greenOf(c)) + ", " + std::to_string(blueOf(c)) +
           ")";
}

std::optional<std::string> writeHsl(Colour c) {
    const Hsl h = hslOf(c);
    return "hsl(" + std::to_string(h.hue) + ", " + std::to_string(h.saturation) + "%, " + std::to_string(h.lightness) +
           "%)";
}

// k / 10^decimals as a decimal text: "73.5", "0.05", "-0.013", "0".
std::string decimalText(long long k, int decimals) {
    if (k == 0) return "0";
    std::string digits = std::to_string(k < 0 ? -k : k);
    if (decimals > 0) {
        const auto d = static_cast<std::size_t>(decimals);
        if (digits.size() <= d) digits.insert(0, d + 1 - digits.size(), '0');
        digits.insert(digits.size() - d, 1, '.');
    }
    return (k < 0 ? "-" : "") + digits;
}

// The shortest text of oklch() or oklab() that names the colour: lightness
// in percent and the two other arguments as numbers, with the fewest
// decimals in all (of equally short texts, the one with the most decimals in
// lightness, then in the second argument) such that the text's colour lies
// in the colour's 8-bit cell of sRGB. A text that needs the reader's gamut
// mapping to come back never counts: on a wide-gamut screen a browser would
// show it as a different colour. A box around the cell rules out most texts
// before any arithmetic, the cell's own test picks the text, and the
// reader's arithmetic confirms it.
std::string shortestText(Colour colour, const CssFunction& f, const std::array<double, 3>& exact) {
    constexpr std::size_t kMostDecimals = 7;
    constexpr std::size_t kChoices = kMostDecimals + 1;
    const bool lch = f.hundredPercent[2] == 0;
    const SrgbCell cell(colour);
    const Oklab low = cell.least(), high = cell.most();
    const auto within = [](double x, double lo, double hi) { return x >= lo && x <= hi; };
    // Each argument rounded to 0 to kMostDecimals decimals: the whole
    // number of units of the last decimal, and its value.
    std::array<std::array<long long, kChoices>, 3> units{};
    std::array<std::array<double, kChoices>, 3> values{};
    for (std::size_t i = 0; i < 3; ++i) {
        double scale = 1;
        for (std::size_t d = 0; d < kChoices; ++d, scale *= 10) {
            units[i][d] = std::llround(exact[i] * scale);
            // A hue of 360 is written as 0.
            if (lch && i == 2 && units[i][d] == std::llround(360 * scale)) units[i][d] = 0;
            values[i][d] = static_cast<double>(units[i][d]) / scale;
        }
    }
    // The roundings that can lie in the box: of lightness, and of the other
    // two together, by their number of decimals in all.
    bool lightnessFits[kChoices] = {};
    for (std::size_t d0 = 0; d0 < kChoices; ++d0)
        lightnessFits[d0] = within(values[0][d0] / 100, low.l, high.l);
    double cosine[kChoices] = {}, sine[kChoices] = {};
    for (std::size_t d2 = 0; d2 < kChoices && lch; ++d2) {
        cosine[d2] = std::cos(values[2][d2] * std::numbers::pi / 180);
        sine[d2] = std::sin(values[2][d2] * std::numbers::pi / 180);
    }
    struct Pairs {
        std::size_t count = 0;
        std::array<std::size_t, 2> pair[kChoices];
    };
    Pairs restFits[2 * kChoices];
    for (std::size_t d1 = kChoices; d1-- > 0;)
        for (std::size_t d2 = 0; d2 < kChoices; ++d2) {
            const double a = lch ? values[1][d1] * cosine[d2] : values[1][d1];
            const double b = lch ? values[1][d1] * sine[d2] : values[2][d2];
            if (within(a, low.a, high.a) && within(b, low.b, high.b)) {
                Pairs& p = restFits[d1 + d2];
                p.pair[p.count++] = {d1, d2};
            }
        }
    for (std::size_t sum = 0; sum < 3 * kChoices; ++sum) {
        for (std::size_t d0 = std::min(sum, kMostDecimals) + 1; d0-- > 0;) {
            if (!lightnessFits[d0] || sum - d0 >= 2 * kChoices) continue;
            const Pairs& pairs = restFits[sum - d0];
            for (std::size_t i = 0; i < pairs.count; ++i) {
                const auto [d1, d2] = pairs.pair[i];
                // A grey's hue is 0, with no decimals to it.
                const bool grey = lch && units[1][d1] == 0;
                if (grey && d2 > 0) continue;
                const std::array<double, 3> v = {values[0][d0], values[1][d1], grey ? 0 : values[2][d2]};
                const Oklab lab = lch ? oklabOf(Oklch{v[0] / 100, v[1], v[2]}) : Oklab{v[0] / 100, v[1], v[2]};
                if (!cell.holds(lab) ||
                    colourOfArguments(f, {{{v[0], kPercent}, {v[1], kNumber}, {v[2], kNumber}}}) != (colour & 0xFFFFFFu))
                    continue;
                return std::string(f.names[0]) + "(" + decimalText(units[0][d0], static_cast<int>(d0)) + "% " +
                       decimalText(units[1][d1], static_cast<int>(d1)) + " " +
                       decimalText(grey ? 0 : units[2][d2], static_cast<int>(d2)) + ")";
            }
        }
    }
    return {};
}

std::optional<std::string> writeOklch(Colour c) {
    const Oklch lch = oklchOf(oklabOf(c));
    return shortestText(c, function("oklch"), {lch.l * 100, lch.c, lch.h});
}

std::optional<std::string> writeOklab(Colour c) {
    const Oklab lab = oklabOf(c);
    return shortestText(c, function("oklab"), {lab.l * 100, lab.a, lab.b});
}

// A colour in any of CSS's sRGB forms, or the program's own code (FF8000).
ColourReading readTrimmed(std::string_view text) {
    if (text.starts_with('#')) return readHash(text.substr(1));
    if (const std::optional<Colour> code = colourOfCode(text)) return {.colour = code};
    Cursor in(text);
    const std::string word = in.name();
    if (word.empty()) return {};
    if (in.take('(', true)) { // a function's name and its "(" are one token
        for (const CssFunction& f : kFunctions)
            if (word == f.names[0] || word == f.names[1]) return readFunction(f, in);
        return {};
    }
    if (!in.atEnd()) return {};
    // The one keyword for a colour with no opacity at all.
    if (word == "transparent") return {.colour = std::nullopt, .translucent = true};
    return {.colour = namedColour(word)};
}

constexpr std::array<WebFormRow, 7> kRows = {{
    {"hex", "#RRGGBB", "#FF8000", "", writeHex, true},
    {"hexlower", "#rrggbb", "#ff8000", "", writeHexLower, true},
    {"short", "#RGB", "#F80", "sex siffror där ingen kort form finns", shortHex, true},
    {"rgb", "rgb(r, g, b)", "rgb(255, 128, 0)", "", writeRgb, true},
    {"hsl", "hsl(h, s%, l%)", "hsl(30, 100%, 50%)", "i hela tal", writeHsl, false},
    {"oklch", "oklch(L% C H)", "oklch(73.2% 0.1858 53)", "", writeOklch, true},
    {"oklab", "oklab(L% a b)", "oklab(73.2% 0.112 0.1484)", "", writeOklab, true},
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

ColourReading readColourText(std::string_view text) { return readTrimmed(trimmed(text)); }

std::optional<Colour> readColour(std::string_view text) { return readColourText(text).colour; }

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
