#pragma once
// Where the D-Bus buses are, and which local socket a bus address names.
// Plain C++: the session check runs it before Qt starts.

#include <optional>
#include <string>
#include <string_view>

namespace kav::dbus {

// The local socket of an address: a path in the file system, or a name in
// the abstract namespace (unix:abstract=...).
struct LocalSocket {
    std::string name;
    bool abstract = false;
};

// The socket that the first entry of a D-Bus address list names
// ("unix:path=/x,guid=y;tcp:..."), with %XX escapes undone; nothing when that
// entry is another transport. A client tries the first entry first, so that
// one decides.
std::optional<LocalSocket> localSocket(std::string_view address);

// The session bus: DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus where
// that socket exists, else empty. The X11 "autolaunch" of a new bus is never
// used.
std::string sessionBusAddress();
// The system bus: DBUS_SYSTEM_BUS_ADDRESS, else the standard socket.
std::string systemBusAddress();

} // namespace kav::dbus
