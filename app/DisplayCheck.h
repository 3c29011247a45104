#pragma once
// Whether the program has a display, asked before the application object
// exists: without one, Qt would print a misleading hint and dump core.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav::app {

// What the command line and the environment ask Qt for, read as Qt reads
// them: the platform plugins (QT_QPA_PLATFORM, overridden by the last
// -platform), and the X display of the last -display the X plugin sees.
struct DisplayRequest {
    // Names separated by ';', each perhaps with options after ':'; empty
    // when Qt chooses by itself.
    std::string platforms;
    std::optional<std::string> xDisplay; // nothing: DISPLAY decides
    bool operator==(const DisplayRequest&) const = default;
};
// `args` are the arguments after the program's name.
DisplayRequest readDisplayRequest(const std::vector<std::string_view>& args, std::string_view envPlatform);

// Whether the platform Qt will use needs no display (offscreen, ...), or the
// X server or the Wayland compositor it will use accepts a connection; when
// not, says so in one Swedish line on standard error.
bool requireDisplay(int argc, char** argv);

} // namespace kav::app
