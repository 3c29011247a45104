#include "platform/devices/LazyBus.h"

#include "platform/dbus/BusProbe.h"
#include "platform/dbus/Handshake.h"

namespace kav {

LazyBus::LazyBus(std::string address, QString name, std::chrono::milliseconds timeout)
    : address_(std::move(address)), name_(std::move(name)), timeout_(timeout) {}

LazyBus::~LazyBus() {
    if (result_) QDBusConnection::disconnectFromBus(name_);
}

void LazyBus::finish(bool answered) {
    if (done_) return;
    done_ = true;
    probing_.reset();
    if (answered) result_ = dbus::connect(QString::fromStdString(address_), name_);
    const std::vector<Task> tasks = std::exchange(pending_, {});
    if (result_)
        for (const Task& t : tasks)
            t(*result_);
}

std::optional<QDBusConnection> LazyBus::connection() {
    // The caller waits anyway (the tray waits for the disk service): a probe
    // under way is replaced by one that waits, bounded by the timeout.
    if (!done_) finish(dbus::answers(address_, timeout_));
    return result_;
}

void LazyBus::whenConnected(Task task) {
    if (done_) {
        if (result_) task(*result_);
        return;
    }
    pending_.push_back(std::move(task));
    if (probing_) return;
    probing_ = std::make_unique<QObject>();
    dbus::probe(address_, timeout_, probing_.get(), [this](bool answered) { finish(answered); });
}

} // namespace kav
