#pragma once
// The colours chosen before as a palette file for other programs: a GIMP and
// Inkscape palette, custom properties for a style sheet, or bare codes. One
// row per format, so the command line's names, errors and help come from it.

#include "model/Colour.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

struct PaletteFormatRow {
    // The format's name on the command line (--format NAME).
    std::string_view name;
    // What the format is, for the help.
    std::string_view description;
    // The whole output for `colours`, oldest first.
    std::string (*write)(const std::vector<Colour>& colours);
};

// Every format; the first is the default.
std::span<const PaletteFormatRow> paletteFormats();

const PaletteFormatRow* paletteFormatNamed(std::string_view name);

// "gpl, css eller hex".
std::string paletteFormatNames();

} // namespace kav
