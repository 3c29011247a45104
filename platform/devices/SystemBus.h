#pragma once
// Method calls to the system's services on D-Bus (the disk service, logind),
// each made by a `gdbus call` child process. The window never waits on the
// bus: an absent, slow or mute bus, or a missing gdbus, only means no answer.

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

class QObject;

namespace kav {

struct BusCall {
    QString service;
    QString object;
    QString method;   // with its interface: "org.freedesktop.login1.Manager.PowerOff"
    QStringList args; // each in GVariant text: "true", "@a{sv} {}"
};

class SystemBus {
public:
    // The reply as gdbus prints it ("(objectpath '/x',)"), or nothing.
    using Reply = std::function<void(const std::optional<QString>& reply)>;

    // `address` names a bus in D-Bus address form; empty is the system bus.
    explicit SystemBus(QString address = {}) : address_(std::move(address)) {}

    // Makes `call` and hands its reply to `done` from the event loop; a call
    // that fails, or has not ended within `timeout`, gets nothing (its child
    // is ended). Deleting `context` ends the call, and nothing is called.
    void call(const BusCall& call, std::chrono::milliseconds timeout, QObject* context, Reply done) const;
    // Makes `call` allowing polkit to ask the user for a password, from a
    // child that neither the window nor the program's end waits for; true
    // when it started.
    bool send(const BusCall& call) const;

private:
    // The arguments of gdbus that make `call`.
    QStringList arguments(const BusCall& call, bool interactive) const;

    QString address_;
};

} // namespace kav
