#include "app/DisplayCheck.h"

#include "platform/posix/ProgramFolder.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kav::app {

namespace {

// An option as Qt compares it: a leading "--" counts as "-".
std::string_view qtOption(std::string_view arg) {
    if (arg.starts_with("--")) arg.remove_prefix(1);
    return arg;
}

bool needsDisplay(std::string_view platform) {
    const std::string_view name = platform.substr(0, platform.find(':'));
    return name.empty() || name == "xcb" || name.starts_with("wayland");
}

bool xReachable(const std::optional<std::string>& display) {
    const std::string name = display ? *display : posix::envOr("DISPLAY");
    if (name.empty()) return false;
    xcb_connection_t* c = xcb_connect(name.c_str(), nullptr);
    const bool ok = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return ok;
}

bool waylandReachable() {
    std::string name = posix::envOr("WAYLAND_DISPLAY");
    if (name.empty()) return false;
    if (name.front() != '/') {
        const std::string runtime = posix::envOr("XDG_RUNTIME_DIR");
        if (runtime.empty()) return false;
        name = runtime + "/" + name;
    }
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (name.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, name.c_str(), name.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

} // namespace

DisplayRequest readDisplayRequest(const std::vector<std::string_view>& args, std::string_view envPlatform) {
    DisplayRequest request{std::string(envPlatform), std::nullopt};
    // First the application object's own reading: -platform, and the other
    // options it takes away from the command line together with a value
    // (-geometry, -title and -icon only while the platform is X's).
    std::vector<std::string_view> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with('-')) {
            rest.push_back(args[i]);
            continue;
        }
        const std::string_view opt = qtOption(args[i]);
        const bool x = request.platforms.starts_with("xcb");
        if (opt == "-platform") {
            if (++i < args.size()) request.platforms = std::string(args[i]);
        } else if (opt == "-platformpluginpath" || opt == "-platformtheme" || opt == "-qwindowgeometry" ||
                   opt == "-qwindowtitle" || opt == "-qwindowicon" ||
                   (x && (opt == "-geometry" || opt == "-title" || opt == "-icon"))) {
            ++i;
        } else {
            rest.push_back(args[i]);
        }
    }
    // Then the X plugin's, over what is left: -display, and the two other
    // options it takes with a value.
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string_view opt = qtOption(rest[i]);
        if (i + 1 >= rest.size()) break;
        if (opt == "-display")
            request.xDisplay = std::string(rest[++i]);
        else if (opt == "-name" || opt == "-visual")
            ++i;
    }
    return request;
}

bool requireDisplay(int argc, char** argv) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i] ? argv[i] : "");
    const DisplayRequest request = readDisplayRequest(args, posix::envOr("QT_QPA_PLATFORM"));
    const std::string& platforms = request.platforms;
    bool anyNeedsNone = false;
    bool wantsX = platforms.empty();
    bool wantsWayland = platforms.empty();
    std::string_view rest = platforms;
    while (!rest.empty()) {
        const std::string_view one = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), one.size() + 1));
        if (!needsDisplay(one)) anyNeedsNone = true;
        if (one.starts_with("xcb")) wantsX = true;
        if (one.starts_with("wayland")) wantsWayland = true;
    }
    if (anyNeedsNone || (wantsWayland && waylandReachable()) || (wantsX && xReachable(request.xDisplay))) return true;
    std::fputs("kavrilon: ingen skärm att visa fönstret på (DISPLAY är inte satt eller går inte att nå)\n", stderr);
    return false;
}

} // namespace kav::app
