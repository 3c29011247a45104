#include "platform/dbus/BusProbe.h"

#include "platform/dbus/Handshake.h"

#include <QSocketNotifier>
#include <QTimer>

#include <utility>

namespace kav::dbus {

namespace {

// One probe under way, a child of the caller's context until it ends.
class Probe final : public QObject {
public:
    Probe(const std::string& address, std::chrono::milliseconds timeout, QObject* context,
          std::function<void(bool)> done)
        : QObject(context), handshake_(address), done_(std::move(done)) {
        for (QSocketNotifier* n : {&writable_, &readable_}) {
            if (handshake_.pending()) n->setSocket(handshake_.fd());
            QObject::connect(n, &QSocketNotifier::activated, this, &Probe::step);
        }
        watch();
        // A probe decided at once still answers from the event loop.
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, this, &Probe::end);
        timer_.start(handshake_.pending() ? timeout : std::chrono::milliseconds(0));
    }

private:
    void watch() {
        writable_.setEnabled(handshake_.pending() && handshake_.connecting());
        readable_.setEnabled(handshake_.pending() && !handshake_.connecting());
    }
    void step() {
        handshake_.advance();
        watch();
        if (!handshake_.pending()) end();
    }
    // Leaves the context before calling back, so that the callback may
    // delete the context, and goes once the event loop is back.
    void end() {
        writable_.setEnabled(false);
        readable_.setEnabled(false);
        timer_.stop();
        setParent(nullptr);
        deleteLater();
        if (auto done = std::exchange(done_, nullptr)) done(handshake_.answered());
    }

    Handshake handshake_;
    std::function<void(bool)> done_;
    QSocketNotifier writable_{QSocketNotifier::Write};
    QSocketNotifier readable_{QSocketNotifier::Read};
    QTimer timer_;
};

} // namespace

void probe(const std::string& address, std::chrono::milliseconds timeout, QObject* context,
           std::function<void(bool)> done) {
    new Probe(address, timeout, context, std::move(done));
}

std::optional<QDBusConnection> connect(const QString& address, const QString& name) {
    QDBusConnection c = QDBusConnection::connectToBus(address, name);
    if (c.isConnected()) return c;
    QDBusConnection::disconnectFromBus(name);
    return std::nullopt;
}

} // namespace kav::dbus
