#pragma once
// Whether the program has a display to show its windows on, asked before the
// application object exists: without one, Qt would print a misleading hint
// about reinstalling and abort with a core dump.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav::app {

// What the command line and the environment ask Qt for, read as Qt reads
// them: the platform plugins to try (QT_QPA_PLATFORM, overridden by the last
// -platform or --platform with a value), and the X display named by the last
// -display or --display that the X plugin sees. Qt's own options that take a
// value hide that value from both readings.
struct DisplayRequest {
    // Names separated by ';', each perhaps with options after ':'; empty
    // when Qt chooses by itself.
    std::string platforms;
    // Nothing when the command line names none: DISPLAY then decides.
    std::optional<std::string> xDisplay;
    bool operator==(const DisplayRequest&) const = default;
};
// `args` are the arguments after the program's name.
DisplayRequest readDisplayRequest(const std::vector<std::string_view>& args, std::string_view envPlatform);

// True when the platform Qt will use needs no display (offscreen, minimal,
// ...), or when the X server named by -display or DISPLAY accepts a
// connection, or the Wayland compositor's socket does. Reads the command
// line and QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY and XDG_RUNTIME_DIR.
bool displayReachable(int argc, char** argv);

// Checks for a display and, when there is none, says so in one Swedish line
// on standard error. Returns whether the program may go on.
bool requireDisplay(int argc, char** argv);

} // namespace kav::app
