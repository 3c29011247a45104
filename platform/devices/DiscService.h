#pragma once
// Ejects a disc through udisks2 on the system bus: finds the drive behind a
// device node, unmounts the disc the desktop mounted, then ejects. Each step
// is a call of its own that follows the one before from the event loop, so
// the window never waits on the bus.

#include "platform/devices/SystemBus.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace kav {

class DiscService final : public QObject {
public:
    using Done = std::function<void(bool ejected)>;

    // `bus` is the bus udisks2 listens on; `timeout` bounds each call that
    // only asks, the unmount and the eject get longer.
    DiscService(SystemBus bus, std::chrono::milliseconds timeout) : bus_(std::move(bus)), timeout_(timeout) {}

    // Unmounts and ejects the disc in the drive of the first of `devices`
    // that the service knows, then tells `done` whether the service ejected
    // it. Nothing is called once this object is gone.
    void eject(std::vector<std::string> devices, const Done& done);

private:
    SystemBus bus_;
    std::chrono::milliseconds timeout_;
};

} // namespace kav
