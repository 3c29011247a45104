#pragma once
// A D-Bus connection made only when something needs it, so neither the start
// nor a click ever hangs on a bus that is missing, slow or mute (a socket
// that accepts and never answers). Qt's D-Bus library is handed the address
// only after the bus probe found that the bus answers, so a mute bus never
// ties up Qt's D-Bus thread either.

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

    // `address` is a D-Bus address such as "unix:path=/run/dbus/system_bus_socket";
    // `name` names the connection within this process; `timeout` bounds the
    // probe.
    LazyBus(std::string address, QString name, std::chrono::milliseconds timeout);
    ~LazyBus();
    LazyBus(const LazyBus&) = delete;
    LazyBus& operator=(const LazyBus&) = delete;

    // Starts probing on the event loop, the first time; never blocks.
    void start();
    // The connection, waiting at most the timeout for the probe; nothing
    // when the bus is absent, mute or too slow.
    std::optional<QDBusConnection> connection();
    // Runs `task` with the connection as soon as there is one, from the
    // event loop or at once; never when there is none. Never blocks.
    void whenConnected(Task task);

private:
    // Ends the probe and, when the bus answered, connects.
    void finish(bool answered);

    std::string address_;
    QString name_;
    std::chrono::milliseconds timeout_;
    // Owns the probe under way; deleting it ends the probe.
    std::unique_ptr<QObject> probing_;
    bool done_ = false;
    std::optional<QDBusConnection> result_;
    std::vector<Task> pending_;
};

} // namespace kav
