// The lazy, bounded D-Bus connection.
#include "platform/devices/LazyBus.h"

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

// Connects to a local socket and sends the client's first words of the
// D-Bus handshake (a zero byte and AUTH EXTERNAL with this user's id); a
// live bus answers with OK or REJECTED straight away.
bool socketAnswers(const sockaddr_un& addr, socklen_t len, Clock::time_point deadline) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    bool ok = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), len) == 0 ||
        (errno == EAGAIN && waitFor(fd, POLLOUT, deadline))) {
        std::string uid = std::to_string(::getuid());
        std::string hex;
        for (const char c : uid) {
            char two[3];
            std::snprintf(two, sizeof two, "%02x", static_cast<unsigned char>(c));
            hex += two;
        }
        const std::string hello = std::string(1, '\0') + "AUTH EXTERNAL " + hex + "\r\n";
        if (::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(hello.size()) &&
            waitFor(fd, POLLIN, deadline)) {
            char buf[64];
            const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            ok = n > 0;
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

LazyBus::LazyBus(std::string address, QString name, std::chrono::milliseconds timeout)
    : address_(std::move(address)), name_(std::move(name)), timeout_(timeout) {}

LazyBus::~LazyBus() {
    if (worker_.joinable()) worker_.join();
    if (done_ && result_.valid() && result_.get()) QDBusConnection::disconnectFromBus(name_);
}

std::string LazyBus::systemBusAddress() {
    const char* v = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    return v && *v ? v : "unix:path=/var/run/dbus/system_bus_socket";
}

bool LazyBus::answers(const std::string& address, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::string_view rest = address;
    // An address may list several entries; the first local one decides, as
    // the D-Bus library would use it first too.
    while (!rest.empty()) {
        const std::string_view entry = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
        if (!entry.starts_with("unix:")) return true;
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const std::string path = addressValue(entry, "path");
        const std::string abstract = addressValue(entry, "abstract");
        const std::string& name = path.empty() ? abstract : path;
        if (name.empty() || name.size() >= sizeof addr.sun_path - 1) return true;
        const std::size_t offset = path.empty() ? 1 : 0;
        std::memcpy(addr.sun_path + offset, name.data(), name.size());
        const auto len =
            static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + name.size() + (offset ? 0 : 1));
        return socketAnswers(addr, len, deadline);
    }
    return false;
}

std::optional<QDBusConnection> LazyBus::connectNow() {
    if (!answers(address_, timeout_)) return std::nullopt;
    QDBusConnection c = QDBusConnection::connectToBus(QString::fromStdString(address_), name_);
    if (c.isConnected()) return c;
    QDBusConnection::disconnectFromBus(name_);
    return std::nullopt;
}

void LazyBus::start() {
    if (result_.valid()) return;
    auto promise = std::make_shared<std::promise<std::optional<QDBusConnection>>>();
    result_ = promise->get_future().share();
    worker_ = std::thread([this, promise] {
        const std::optional<QDBusConnection> c = connectNow();
        promise->set_value(c);
        std::vector<Task> tasks;
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
            tasks.swap(pending_);
        }
        if (c)
            for (Task& t : tasks)
                t(*c);
    });
}

std::optional<QDBusConnection> LazyBus::connection() {
    start();
    // The probe may take the whole timeout, and a bus that answered it gets
    // as long again to finish the handshake.
    if (result_.wait_for(2 * timeout_) != std::future_status::ready) return std::nullopt;
    return result_.get();
}

void LazyBus::whenConnected(Task task) {
    start();
    {
        const std::lock_guard lock(mutex_);
        if (!done_) {
            pending_.push_back(std::move(task));
            return;
        }
    }
    if (const auto& c = result_.get()) task(*c);
}

} // namespace kav
