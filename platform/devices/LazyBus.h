#pragma once
// A D-Bus connection made only when something needs it, on a thread of its
// own, so neither the start nor a click ever hangs on a bus that is missing,
// slow or mute (a socket that accepts and never answers). Before Qt's D-Bus
// library is handed the address, a short probe checks that the bus answers
// the first step of the handshake at all, so a mute bus never ties up Qt's
// D-Bus thread either.

#include <QDBusConnection>

#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kav {

class LazyBus {
public:
    using Task = std::function<void(QDBusConnection)>;

    // `address` is a D-Bus address such as "unix:path=/run/dbus/system_bus_socket";
    // `name` names the connection within this process; `timeout` bounds both
    // the probe and every wait for the connection.
    LazyBus(std::string address, QString name, std::chrono::milliseconds timeout);
    // Waits for the connecting thread, which the probe keeps short.
    ~LazyBus();
    LazyBus(const LazyBus&) = delete;
    LazyBus& operator=(const LazyBus&) = delete;

    // The system bus's address: DBUS_SYSTEM_BUS_ADDRESS, or the standard socket.
    static std::string systemBusAddress();

    // True when the bus at `address` answers the start of the handshake
    // within `timeout`. Addresses other than local sockets are not probed.
    static bool answers(const std::string& address, std::chrono::milliseconds timeout);

    // Starts connecting in the background, the first time; never blocks.
    void start();
    // The connection, waiting at most twice the timeout for it; nothing when the
    // bus is absent, mute or too slow.
    std::optional<QDBusConnection> connection();
    // Runs `task` with the connection as soon as there is one, on the
    // connecting thread or at once on this one; never when there is none.
    // Never blocks.
    void whenConnected(Task task);

private:
    std::optional<QDBusConnection> connectNow();

    std::string address_;
    QString name_;
    std::chrono::milliseconds timeout_;
    std::thread worker_;
    std::shared_future<std::optional<QDBusConnection>> result_;
    std::mutex mutex_;
    bool done_ = false;
    std::vector<Task> pending_;
};

} // namespace kav
