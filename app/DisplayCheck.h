#pragma once
// Whether the program has a display to show its windows on, asked before the
// application object exists: without one, Qt would print a misleading hint
// about reinstalling and abort with a core dump.

namespace kav::app {

// True when the platform Qt will use needs no display (offscreen, minimal,
// ...), or when the X server named by DISPLAY accepts a connection, or the
// Wayland compositor's socket does. Reads -platform from the command line and
// QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY and XDG_RUNTIME_DIR.
bool displayReachable(int argc, char** argv);

// Checks for a display and, when there is none, says so in one Swedish line
// on standard error. Returns whether the program may go on.
bool requireDisplay(int argc, char** argv);

} // namespace kav::app
