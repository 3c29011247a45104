#pragma once
// The command line: a plain start, the help and version texts; --pick, which
// opens only the colour dialog and prints the chosen colour for a script;
// and --palette, which prints the colours chosen before without any window.
// Parsing is plain C++ and happens before any display is opened.

#include "colour/Palette.h"
#include "colour/WebForms.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav::app {

enum class Action { Start, Help, Version, Pick, Palette, Error };

struct CommandLine {
    Action action = Action::Start;
    // The form --pick prints in; none means the program's own (FF8000).
    const WebFormRow* format = nullptr;
    // The colour --pick opens the dialog on (--color); none means white.
    std::optional<Colour> colour;
    // The format --palette prints in; never none.
    const PaletteFormatRow* paletteFormat = &paletteFormats().front();
    // For Action::Error: what was wrong, in Swedish, one line.
    std::string error;
};

// The arguments after the program's name. Qt's own options (-platform,
// -style, -display, -session and the others Qt reads itself) are let
// through with their values for Qt to use; they change no action.
CommandLine parseCommandLine(const std::vector<std::string_view>& args);

std::string helpText();
std::string versionText();

// Carries out everything but a plain start and returns the exit code: 0 for
// help, version, a chosen colour and a printed palette; 1 for a cancelled
// pick and for a palette without a logbook to read; 2 for a command line
// error; 3 for a pick without a display. A cancel prints nothing; every
// other failure writes a Swedish line on standard error. Nothing for a
// plain start.
// The help, version and errors open no display and touch no file; --pick
// opens only the colour dialog and never reads or writes the logbook;
// --palette only reads the logbook, with no display and no lock.
std::optional<int> runCommandLine(int& argc, char** argv);

} // namespace kav::app
