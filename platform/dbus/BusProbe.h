#pragma once
// The bus probe on Qt's event loop, and the connection that follows it: the
// probe waits on socket notifiers, so a mute bus never ties up the caller.

#include <QDBusConnection>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

class QObject;

namespace kav::dbus {

// Probes the bus at `address` (see Handshake) and calls `done`, always from
// the event loop, with whether it answered within `timeout`. Deleting
// `context` ends the probe, and nothing is called.
void probe(const std::string& address, std::chrono::milliseconds timeout, QObject* context,
           std::function<void(bool answered)> done);

// A connection named `name` to the bus at `address`, or nothing.
std::optional<QDBusConnection> connect(const QString& address, const QString& name);

} // namespace kav::dbus
