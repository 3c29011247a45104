#include "platform/dbus/BusAddress.h"

#include "platform/posix/ProgramFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

namespace kav::dbus {

namespace {

std::string unescaped(std::string_view raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const bool escape = raw[i] == '%' && i + 2 < raw.size();
        const std::string hex(raw.substr(i + 1, escape ? 2 : 0));
        out += escape ? static_cast<char>(std::strtol(hex.c_str(), nullptr, 16)) : raw[i];
        if (escape) i += 2;
    }
    return out;
}

} // namespace

std::optional<LocalSocket> localSocket(std::string_view address) {
    const std::string_view entry = address.substr(0, address.find(';'));
    if (!entry.starts_with("unix:")) return std::nullopt;
    std::string_view rest = entry.substr(5);
    while (!rest.empty()) {
        const std::string_view pair = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), pair.size() + 1));
        const std::size_t eq = pair.find('=');
        const std::string_view key = pair.substr(0, eq);
        if (eq != std::string_view::npos && (key == "path" || key == "abstract"))
            return LocalSocket{unescaped(pair.substr(eq + 1)), key == "abstract"};
    }
    // A listening form such as unix:dir=, which the D-Bus library refuses.
    return std::nullopt;
}

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
