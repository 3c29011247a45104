#pragma once
// The bus probe on Qt's event loop, and the connection that follows it.
// A bus that is absent, slow or mute never ties up the caller: the probe
// waits on socket notifiers of the calling thread's event loop, and Qt's
// D-Bus library is handed only a bus that answered.

#include <QDBusConnection>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

class QObject;

namespace kav::dbus {

// The asynchronous entry point: probes the bus at `address` (see Handshake)
// and calls `done` with whether it answered within `timeout`, always from the
// event loop, never from within this call. Nothing is called once `context`
// is deleted; deleting it ends the probe.
void probe(const std::string& address, std::chrono::milliseconds timeout, QObject* context,
           std::function<void(bool answered)> done);

// A connection named `name` to the bus at `address`, or nothing when Qt's
// D-Bus library cannot make one.
std::optional<QDBusConnection> connect(const QString& address, const QString& name);

} // namespace kav::dbus
