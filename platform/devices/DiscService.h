#pragma once
// Ejects a disc through the desktop's disk service, udisks2 on the system
// bus: it finds the drive behind a device node, unmounts the disc's file
// system (which a desktop mounts by itself when a disc goes in, and which
// makes the kernel refuse a plain eject), then asks the drive to eject.

#include <QDBusConnection>

#include <chrono>
#include <string>
#include <vector>

namespace kav {

class DiscService {
public:
    // `bus` is the bus udisks2 listens on; every call waits at most `timeout`.
    DiscService(QDBusConnection bus, std::chrono::milliseconds timeout);

    // Unmounts and ejects the disc in the drive of the first of `devices`
    // that the service knows. True when the service ejected it; false when
    // the service is absent, knows none of the devices or refused.
    bool eject(const std::vector<std::string>& devices);

private:
    QDBusConnection bus_;
    int timeoutMs_;
};

} // namespace kav
