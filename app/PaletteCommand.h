#pragma once
// --palette: the colours chosen before, read from the logbook a start would
// use, printed in a palette format.

#include "colour/Palette.h"

namespace kav::app {

// Prints the palette of the logbook of the program run as `argv0` and
// returns the exit code: 0 when printed, 1 (after a Swedish line on standard
// error) when there is no logbook to read or the output cannot be written.
// Reads the file only: no folder is made, no lock taken, no display opened.
int printPalette(const char* argv0, const PaletteFormatRow& format);

} // namespace kav::app
