// The display check before the application starts.
#include "app/DisplayCheck.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kav::app {

namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The platform names Qt is told to try, separated by ';', each perhaps with
// options after a ':' ("xcb:foo"); empty when Qt chooses by itself.
std::string requestedPlatform(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return argv[i + 1];
    return env("QT_QPA_PLATFORM");
}

bool needsDisplay(std::string_view platform) {
    const std::string_view name = platform.substr(0, platform.find(':'));
    return name.empty() || name == "xcb" || name.starts_with("wayland");
}

bool xReachable() {
    if (env("DISPLAY").empty()) return false;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return ok;
}

bool waylandReachable() {
    std::string name = env("WAYLAND_DISPLAY");
    if (name.empty()) return false;
    if (name.front() != '/') {
        const std::string runtime = env("XDG_RUNTIME_DIR");
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

bool displayReachable(int argc, char** argv) {
    const std::string platforms = requestedPlatform(argc, argv);
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
    if (anyNeedsNone) return true;
    return (wantsWayland && waylandReachable()) || (wantsX && xReachable());
}

bool requireDisplay(int argc, char** argv) {
    if (displayReachable(argc, argv)) return true;
    std::fputs("kavrilon: ingen skärm att visa fönstret på (DISPLAY är inte satt eller går inte att nå)\n", stderr);
    return false;
}

} // namespace kav::app
