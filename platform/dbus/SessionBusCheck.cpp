#include "platform/dbus/SessionBusCheck.h"

#include "platform/dbus/BusAddress.h"
#include "platform/dbus/Handshake.h"
#include "platform/launch/Launcher.h"

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

namespace kav::app {

namespace {

// A live bus answers the handshake in well under a millisecond.
constexpr std::chrono::milliseconds kProbeTimeout{500};

} // namespace

void checkSessionBus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string probed = dbus::sessionBusAddress();
    if (probed.empty() || dbus::answers(probed, kProbeTimeout)) return;
    keepForLaunchedPrograms("DBUS_SESSION_BUS_ADDRESS", address ? std::optional<std::string>(address) : std::nullopt);
    // An address of no known kind: the D-Bus library refuses it at once.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

} // namespace kav::app
