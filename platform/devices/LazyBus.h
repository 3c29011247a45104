#pragma once
// A D-Bus connection made only when something needs it, and handed to Qt's
// D-Bus library only after the bus probe found that the bus answers: neither
// the start, a click nor Qt's D-Bus thread hangs on a missing or mute bus.

#include <QDBusConnection>
#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kav {

class LazyBus {
public:
    using Task = std::function<void(QDBusConnection)>;

    // `name` names the connection within this process; `timeout` bounds the probe.
    LazyBus(std::string address, QString name, std::chrono::milliseconds timeout);
    ~LazyBus();

    // The connection, waiting at most the timeout for the probe; nothing
    // when the bus is absent, mute or too slow.
    std::optional<QDBusConnection> connection();
    // Runs `task` with the connection as soon as there is one (never when
    // there is none); the first call starts the probe. Never blocks.
    void whenConnected(Task task);

private:
    void finish(bool answered); // ends the probe; connects when the bus answered

    std::string address_;
    QString name_;
    std::chrono::milliseconds timeout_;
    std::unique_ptr<QObject> probing_; // the probe under way; deleting it ends the probe
    bool done_ = false;
    std::optional<QDBusConnection> result_;
    std::vector<Task> pending_;
};

} // namespace kav
