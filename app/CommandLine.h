#pragma once
// The command line: a plain start, the help and version texts; --pick, which
// opens only the colour dialog and prints the chosen colour; --pick-screen,
// which picks a colour off the screen and prints it; and --palette,
// which prints the colours chosen before. Parsed before any display opens.

#include "colour/Palette.h"
#include "colour/WebForms.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav::app {

enum class Action { Start, Help, Version, Pick, PickScreen, Palette, Error };

struct CommandLine {
    Action action = Action::Start;
    const WebFormRow* format = nullptr; // the picks' form; none: the program's own (FF8000)
    std::optional<Colour> colour;       // --color, the dialog's start; none: the logbook's last colour
    const PaletteFormatRow* paletteFormat = &paletteFormats().front(); // --palette's format
    std::string error; // for Action::Error: what was wrong, in Swedish, one line
};

// The arguments after the program's name. Qt's own options (-platform,
// -style, ...) are let through with their values for Qt.
CommandLine parseCommandLine(const std::vector<std::string_view>& args);

std::string helpText();
std::string versionText();

// Carries out everything but a plain start (nothing) and returns the exit
// code: 0 when done; 1 for a cancelled pick (printing nothing) and for a
// palette without a logbook; 2 for a command line error; 3 for a pick without
// a display, or for --pick-screen where nothing can read the screen.
// Failures write a Swedish line on standard error. No command writes a file:
// --palette reads the logbook, with no display and no lock, and --pick reads
// it for the colour its dialog opens on.
std::optional<int> runCommandLine(int& argc, char** argv);

} // namespace kav::app
