#pragma once
// The ways a web page can write a colour, one row each: "#FF8000", "#ff8000",
// the short "#F80", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)",
// "oklch(73.2% 0.1858 53)" and "oklab(73.2% 0.112 0.1484)", offered beside
// the code box's own code for copying and on the command line. Both are made
// from this one table, so a new form is one row and its writer. One reader
// reads them all, and every other sRGB colour a style sheet can write.

#include "model/Colour.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kav {

struct WebFormRow {
    // The form's name on the command line (--format NAME).
    std::string_view name;
    // What the menu calls the form while the code box holds no code.
    std::string_view caption;
    // The form of one colour, shown in the help and in error messages.
    std::string_view example;
    // A remark the help adds after the example; mostly empty.
    std::string_view note;
    // Writes a colour (red + 256 * green + 65536 * blue, higher bits ignored)
    // in this form; nothing when the form has no text for that colour.
    std::optional<std::string> (*write)(Colour colour);
    // Whether reading the form back gives the very colour written; HSL in
    // whole numbers names 2,037,749 colours, 12.15% of them.
    bool exact;
};

// Every form, in the order menus and help texts list them.
std::span<const WebFormRow> webForms();

// The row of that command-line name, or none.
const WebFormRow* webFormNamed(std::string_view name);

// The colour in the form of `row`, or in the first row's form (#FF8000) when
// the row has no text for it (the short form of FF8001).
std::string webFormOrFirst(Colour colour, const WebFormRow& row);

// What a text reads as: a colour, or nothing and whether that is because
// the colour is (partly) transparent, which the program's colours never are.
struct ColourReading {
    std::optional<Colour> colour;
    bool translucent = false;
};

// A colour as a style sheet writes it in sRGB, with CSS's whitespace around
// and inside: the forms above and any other text of rgb()/rgba(),
// hsl()/hsla(), hwb(), oklab() and oklch() in either syntax, #RGB, #RGBA,
// #RRGGBB and #RRGGBBAA, the 148 named colours in any case; or the
// program's own code (FF8000). Values out of range are clamped, and oklab()
// and oklch() outside sRGB are mapped into it by reducing their chroma.
// A colour with an alpha below 1 (and "transparent") is refused as translucent.
ColourReading readColourText(std::string_view text);

// The colour of readColourText, or nothing.
std::optional<Colour> readColour(std::string_view text);

// The rows' names and examples as running Swedish text: "hex, hexlower,
// short, rgb eller hsl" and "#FF8000, #ff8000, ... eller hsl(30, 100%, 50%)".
std::string webFormNames();
std::string webFormExamples();

// The texts `part` gives for the rows as running Swedish text: "a, b eller c".
template <class Row, class F> std::string swedishList(std::span<const Row> rows, F part) {
    std::string out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) out += i + 1 == rows.size() ? " eller " : ", ";
        out += part(rows[i]);
    }
    return out;
}

// "#F80" when each of the three pairs is one digit doubled (FF8800), else nothing.
std::optional<std::string> shortHex(Colour colour);

// Hue in degrees (0-359), saturation and lightness in percent, each rounded
// to the nearest whole number, halves upward, computed exactly in integers.
// A hue that rounds to 360 is 0; a grey has hue 0 and saturation 0.
struct Hsl {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};
Hsl hslOf(Colour colour);

// The colour of a code as the code box holds it: exactly six hex digits,
// red first, either case. Anything else (an empty box) gives nothing.
std::optional<Colour> colourOfCode(std::string_view code);

} // namespace kav
