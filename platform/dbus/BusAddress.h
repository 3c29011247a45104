#pragma once
// Where the D-Bus buses are; plain C++, run before Qt starts.

#include <string>

namespace kav::dbus {

// The session bus: DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus where
// that socket exists, else empty (never the X11 "autolaunch").
std::string sessionBusAddress();
// The system bus: DBUS_SYSTEM_BUS_ADDRESS, else the standard socket.
std::string systemBusAddress();

} // namespace kav::dbus
