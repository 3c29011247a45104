// The palette formats. Each colour is named by its code (FF8000), the name
// the logbook and the code box give it.
#include "colour/Palette.h"

#include "colour/HexRGB.h"
#include "colour/WebForms.h"

#include <array>
#include <cstdint>

namespace kav {

namespace {

std::string code(Colour c) { return HexRGB(static_cast<std::int32_t>(c & 0xFFFFFFu)); }

// GIMP's palette file, which Inkscape reads too: a header, then one
// "R G B<TAB>name" row per colour.
std::string gpl(const std::vector<Colour>& colours) {
    std::string out = "GIMP Palette\nName: Kavrilon\n";
    for (Colour c : colours)
        out += std::to_string(redOf(c)) + ' ' + std::to_string(greenOf(c)) + ' ' + std::to_string(blueOf(c)) + '\t' +
               code(c) + '\n';
    return out;
}

// Custom properties numbered in the order the colours were first chosen, so
// a colour keeps its name as the history grows: --kavrilon-1 is the oldest.
std::string css(const std::vector<Colour>& colours) {
    std::string out = ":root {\n";
    for (std::size_t i = 0; i < colours.size(); ++i)
        out += "  --kavrilon-" + std::to_string(i + 1) + ": #" + code(colours[i]) + ";\n";
    out += "}\n";
    return out;
}

std::string hex(const std::vector<Colour>& colours) {
    std::string out;
    for (Colour c : colours)
        out += code(c) + '\n';
    return out;
}

constexpr std::array<PaletteFormatRow, 3> kRows = {{
    {"gpl", "GIMP- och Inkscape-palett", gpl},
    {"css", "CSS-variabler i :root, --kavrilon-1 först", css},
    {"hex", "en kod per rad, som FF8000", hex},
}};

} // namespace

std::span<const PaletteFormatRow> paletteFormats() { return kRows; }

const PaletteFormatRow* paletteFormatNamed(std::string_view name) {
    for (const PaletteFormatRow& row : kRows)
        if (row.name == name) return &row;
    return nullptr;
}

std::string paletteFormatNames() {
    return swedishList(paletteFormats(), [](const PaletteFormatRow& r) { return r.name; });
}

} // namespace kav
