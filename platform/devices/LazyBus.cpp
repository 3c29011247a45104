// The lazy, bounded D-Bus connection.
#include "platform/devices/LazyBus.h"

#include <QSocketNotifier>
#include <QTimer>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace kav {

namespace {

using Clock = std::chrono::steady_clock;

// The value of `key` in one address entry ("unix:path=/x,guid=y"), with its
// %XX escapes undone; empty when the entry has no such key.
std::string addressValue(std::string_view entry, std::string_view key) {
    const std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos) return {};
    std::string_view rest = entry.substr(colon + 1);
    while (!rest.empty()) {
        const std::string_view pair = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), pair.size() + 1));
        if (pair.substr(0, pair.find('=')) != key || pair.find('=') == std::string_view::npos) continue;
        const std::string_view raw = pair.substr(pair.find('=') + 1);
        std::string out;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '%' && i + 2 < raw.size()) {
                out += static_cast<char>(std::strtol(std::string(raw.substr(i + 1, 2)).c_str(), nullptr, 16));
                i += 2;
            } else {
                out += raw[i];
            }
        }
        return out;
    }
    return {};
}

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

bool waitFor(int fd, short events, Clock::time_point deadline) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int n = ::poll(&p, 1, remainingMs(deadline));
        if (n > 0) return (p.revents & events) != 0;
        if (n == 0 || errno != EINTR) return false;
    }
}

// The client's first words of the D-Bus handshake: a zero byte and AUTH
// EXTERNAL with this user's id. A live bus answers with OK or REJECTED
// straight away.
bool sendHello(int fd) {
    std::string hex;
    for (const char c : std::to_string(::getuid())) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", static_cast<unsigned char>(c));
        hex += two;
    }
    const std::string hello = std::string(1, '\0') + "AUTH EXTERNAL " + hex + "\r\n";
    return ::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(hello.size());
}

// Whether a socket's connect, begun without blocking, went through.
bool connectedNow(int fd) {
    int error = 0;
    socklen_t len = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
}

// The first step of a probe: the local socket the address names, with a
// connect begun on it. `decided` is set instead when there is nothing to
// probe (an address that is no local socket counts as answering).
struct Begun {
    int fd = -1;
    bool connected = false;
    std::optional<bool> decided;
};

Begun beginProbe(const std::string& address) {
    std::string_view rest = address;
    // An address may list several entries; the first local one decides, as
    // the D-Bus library would use it first too.
    while (!rest.empty()) {
        const std::string_view entry = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
        if (!entry.starts_with("unix:")) return {-1, false, true};
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const std::string path = addressValue(entry, "path");
        const std::string abstract = addressValue(entry, "abstract");
        const std::string& name = path.empty() ? abstract : path;
        if (name.empty() || name.size() >= sizeof addr.sun_path - 1) return {-1, false, true};
        const std::size_t offset = path.empty() ? 1 : 0;
        std::memcpy(addr.sun_path + offset, name.data(), name.size());
        const auto len =
            static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + name.size() + (offset ? 0 : 1));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) return {-1, false, false};
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), len) == 0) return {fd, true, std::nullopt};
        if (errno == EAGAIN || errno == EINPROGRESS) return {fd, false, std::nullopt};
        ::close(fd);
        return {-1, false, false};
    }
    return {-1, false, false};
}

} // namespace

// A probe under way on the event loop: the socket, a notifier for each
// step, and the deadline.
struct LazyBus::Probe {
    int fd = -1;
    QSocketNotifier* writable = nullptr;
    QSocketNotifier* readable = nullptr;
    QTimer* deadline = nullptr;

    // From a signal of one of them: stops all three, deletes them once the
    // event loop is back, and closes the socket.
    void dropLater() {
        for (QObject* o :
             {static_cast<QObject*>(writable), static_cast<QObject*>(readable), static_cast<QObject*>(deadline)}) {
            if (!o) continue;
            if (auto* n = qobject_cast<QSocketNotifier*>(o)) n->setEnabled(false);
            if (auto* t = qobject_cast<QTimer*>(o)) t->stop();
            o->deleteLater();
        }
        writable = readable = nullptr;
        deadline = nullptr;
        if (fd >= 0) ::close(fd);
        fd = -1;
    }

    ~Probe() {
        delete writable;
        delete readable;
        delete deadline;
        if (fd >= 0) ::close(fd);
    }
};

LazyBus::LazyBus(std::string address, QString name, std::chrono::milliseconds timeout)
    : address_(std::move(address)), name_(std::move(name)), timeout_(timeout) {}

LazyBus::~LazyBus() {
    probe_.reset();
    if (result_) QDBusConnection::disconnectFromBus(name_);
}

std::string LazyBus::systemBusAddress() {
    const char* v = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    return v && *v ? v : "unix:path=/var/run/dbus/system_bus_socket";
}

bool LazyBus::answers(const std::string& address, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    const Begun begun = beginProbe(address);
    if (begun.decided) return *begun.decided;
    bool ok = (begun.connected || (waitFor(begun.fd, POLLOUT, deadline) && connectedNow(begun.fd))) &&
              sendHello(begun.fd) && waitFor(begun.fd, POLLIN, deadline);
    if (ok) {
        char buf[64];
        ok = ::recv(begun.fd, buf, sizeof buf, 0) > 0;
    }
    ::close(begun.fd);
    return ok;
}

void LazyBus::finish(bool answered) {
    if (done_) return;
    done_ = true;
    if (probe_) {
        probe_->dropLater();
        probe_.reset();
    }
    if (answered) {
        QDBusConnection c = QDBusConnection::connectToBus(QString::fromStdString(address_), name_);
        if (c.isConnected())
            result_ = c;
        else
            QDBusConnection::disconnectFromBus(name_);
    }
    std::vector<Task> tasks;
    tasks.swap(pending_);
    if (result_)
        for (Task& t : tasks)
            t(*result_);
}

void LazyBus::start() {
    if (done_ || probe_) return;
    const Begun begun = beginProbe(address_);
    if (begun.decided) {
        finish(*begun.decided);
        return;
    }
    probe_ = std::make_unique<Probe>();
    Probe& p = *probe_;
    p.fd = begun.fd;
    const auto awaitAnswer = [this] {
        Probe& q = *probe_;
        if (!sendHello(q.fd)) {
            finish(false);
            return;
        }
        q.readable = new QSocketNotifier(q.fd, QSocketNotifier::Read);
        QObject::connect(q.readable, &QSocketNotifier::activated, q.readable, [this] {
            char buf[64];
            finish(::recv(probe_->fd, buf, sizeof buf, MSG_DONTWAIT) > 0);
        });
    };
    p.deadline = new QTimer;
    p.deadline->setSingleShot(true);
    QObject::connect(p.deadline, &QTimer::timeout, p.deadline, [this] { finish(false); });
    p.deadline->start(timeout_);
    if (begun.connected) {
        awaitAnswer();
        return;
    }
    p.writable = new QSocketNotifier(p.fd, QSocketNotifier::Write);
    QObject::connect(p.writable, &QSocketNotifier::activated, p.writable, [this, awaitAnswer] {
        probe_->writable->setEnabled(false);
        if (!connectedNow(probe_->fd)) {
            finish(false);
            return;
        }
        awaitAnswer();
    });
}

std::optional<QDBusConnection> LazyBus::connection() {
    // The caller waits anyway (the tray waits for the disk service): a probe
    // under way is replaced by one that waits, bounded by the timeout.
    if (!done_) {
        probe_.reset();
        finish(answers(address_, timeout_));
    }
    return result_;
}

void LazyBus::whenConnected(Task task) {
    if (done_) {
        if (result_) task(*result_);
        return;
    }
    pending_.push_back(std::move(task));
    start();
}

} // namespace kav
