// The session bus probe before the application starts.
#include "app/SessionBusCheck.h"

#include "platform/devices/LazyBus.h"
#include "platform/launch/Launcher.h"

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace kav::app {

namespace {

// A live bus answers the handshake in well under a millisecond.
constexpr std::chrono::milliseconds kProbeTimeout{500};

} // namespace

SessionBusCheck::SessionBusCheck() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    std::string probed;
    if (address && *address) {
        probed = address;
    } else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        // Without the variable, the D-Bus library looks for the user's bus
        // in the runtime folder.
        const std::string socket = std::string(runtime) + "/bus";
        struct stat st {};
        if (::stat(socket.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return;
        probed = "unix:path=" + socket;
    } else {
        return;
    }
    if (LazyBus::answers(probed, kProbeTimeout)) return;
    keepForLaunchedPrograms("DBUS_SESSION_BUS_ADDRESS", address ? std::optional<std::string>(address) : std::nullopt);
    // An address of no known kind: the D-Bus library refuses it at once.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    hid_ = true;
}

} // namespace kav::app
