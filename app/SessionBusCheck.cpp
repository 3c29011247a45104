// The session bus probe before the application starts.
#include "app/SessionBusCheck.h"

#include "platform/devices/LazyBus.h"

#include <chrono>
#include <cstdlib>

namespace kav::app {

namespace {

// A live bus answers the handshake in well under a millisecond.
constexpr std::chrono::milliseconds kProbeTimeout{500};

} // namespace

SessionBusCheck::SessionBusCheck() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address || !*address) return;
    if (LazyBus::answers(address, kProbeTimeout)) return;
    hidden_ = address;
    // An address of no known kind: the D-Bus library refuses it at once.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

void SessionBusCheck::restore() {
    if (!hidden_) return;
    ::setenv("DBUS_SESSION_BUS_ADDRESS", hidden_->c_str(), 1);
    hidden_.reset();
}

} // namespace kav::app
