#pragma once
// Where the D-Bus buses are, and which local socket a bus address names;
// plain C++, run before Qt starts.

#include <optional>
#include <string>
#include <string_view>

namespace kav::dbus {

struct LocalSocket {
    std::string name;
    bool abstract = false; // in the abstract namespace (unix:abstract=...)
};

// The socket that the first entry of a D-Bus address list names, which a
// client tries first ("unix:path=/x,guid=y;tcp:..."), %XX escapes undone;
// nothing when that entry is another transport.
std::optional<LocalSocket> localSocket(std::string_view address);

// The session bus: DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus where
// that socket exists, else empty (never the X11 "autolaunch").
std::string sessionBusAddress();
// The system bus: DBUS_SYSTEM_BUS_ADDRESS, else the standard socket.
std::string systemBusAddress();

} // namespace kav::dbus
