#pragma once
// Ejects a disc through udisks2 on the system bus: finds the drive behind a
// device node, unmounts the disc the desktop mounted, then ejects.

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
    // that the service knows; true when the service ejected it.
    bool eject(const std::vector<std::string>& devices);

private:
    QDBusConnection bus_;
    int timeoutMs_;
};

} // namespace kav
