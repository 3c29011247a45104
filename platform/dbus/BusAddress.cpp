#include "platform/dbus/BusAddress.h"

#include "platform/posix/ProgramFolder.h"

#include <sys/stat.h>

namespace kav::dbus {

std::string sessionBusAddress() {
    if (std::string env = posix::envOr("DBUS_SESSION_BUS_ADDRESS"); !env.empty()) return env;
    const std::string runtime = posix::envOr("XDG_RUNTIME_DIR");
    const std::string socket = runtime + "/bus";
    struct stat st {};
    const bool found = !runtime.empty() && ::stat(socket.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
    return found ? "unix:path=" + socket : std::string();
}

std::string systemBusAddress() {
    const std::string env = posix::envOr("DBUS_SYSTEM_BUS_ADDRESS");
    return env.empty() ? "unix:path=/var/run/dbus/system_bus_socket" : env;
}

} // namespace kav::dbus
