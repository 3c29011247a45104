#include "platform/dbus/Handshake.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace kav::dbus {

namespace {

struct LocalSocket {
    std::string name;
    bool abstract = false; // in the abstract namespace (unix:abstract=...)
};

std::string unescaped(std::string_view raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const bool escape = raw[i] == '%' && i + 2 < raw.size();
        const std::string hex(raw.substr(i + 1, escape ? 2 : 0));
        out += escape ? static_cast<char>(std::strtol(hex.c_str(), nullptr, 16)) : raw[i];
        if (escape) i += 2;
    }
    return out;
}

// The socket that the first entry of a D-Bus address list names, which a
// client tries first ("unix:path=/x,guid=y;tcp:..."), %XX escapes undone;
// nothing when that entry is another transport.
std::optional<LocalSocket> localSocket(std::string_view address) {
    const std::string_view entry = address.substr(0, address.find(';'));
    if (!entry.starts_with("unix:")) return std::nullopt;
    std::string_view rest = entry.substr(5);
    while (!rest.empty()) {
        const std::string_view pair = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), pair.size() + 1));
        const std::size_t eq = pair.find('=');
        const std::string_view key = pair.substr(0, eq);
        if (eq != std::string_view::npos && (key == "path" || key == "abstract"))
            return LocalSocket{unescaped(pair.substr(eq + 1)), key == "abstract"};
    }
    // A listening form such as unix:dir=, which the D-Bus library refuses.
    return std::nullopt;
}

// The bus's Hello call in the wire format: little endian, a method call,
// serial 1, no body; header fields path, interface, member and destination,
// each aligned to 8 bytes.
constexpr char kHello[] = "l\1\0\1\0\0\0\0\1\0\0\0\x6d\0\0\0"
                          "\1\1o\0\x15\0\0\0/org/freedesktop/DBus\0\0\0"
                          "\2\1s\0\x14\0\0\0org.freedesktop.DBus\0\0\0\0"
                          "\3\1s\0\5\0\0\0Hello\0\0\0"
                          "\6\1s\0\x14\0\0\0org.freedesktop.DBus\0\0\0\0";
static_assert(sizeof kHello - 1 == 128);
// The message type of a reply to a method call.
constexpr char kMethodReturn = 2;

// The client's first words: a zero byte and AUTH EXTERNAL with this user's
// id in hex (the digit 7 is the byte 0x37).
std::string authentication() {
    std::string hex;
    for (const char c : std::to_string(::getuid()))
        hex += {'3', c};
    return std::string(1, '\0') + "AUTH EXTERNAL " + hex + "\r\n";
}

} // namespace

Handshake::Handshake(const std::string& address) {
    const std::optional<LocalSocket> s = localSocket(address);
    if (!s) {
        // An empty address is no bus; another transport is left to the D-Bus library.
        step_ = address.empty() ? Step::Failed : Step::Answered;
        return;
    }
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::size_t offset = s->abstract ? 1 : 0;
    if (s->name.empty() || s->name.size() + offset >= sizeof addr.sun_path) return;
    std::memcpy(addr.sun_path + offset, s->name.data(), s->name.size());
    const auto len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + s->name.size() + (1 - offset));
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0) return;
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&addr), len) == 0)
        step_ = send(authentication()) ? Step::Waiting : Step::Failed;
    else if (errno == EAGAIN || errno == EINPROGRESS)
        step_ = Step::Connecting;
}

Handshake::~Handshake() {
    if (fd_ >= 0) ::close(fd_);
}

bool Handshake::send(const std::string& bytes) {
    return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

void Handshake::advance() {
    if (step_ == Step::Connecting) {
        int error = 0;
        socklen_t len = sizeof error;
        const bool connected = ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
        step_ = connected && send(authentication()) ? Step::Waiting : Step::Failed;
        return;
    }
    if (step_ != Step::Waiting) return;
    char buf[512];
    const ssize_t n = ::recv(fd_, buf, sizeof buf, MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) {
        step_ = Step::Failed;
        return;
    }
    reply_.append(buf, static_cast<std::size_t>(n));
    if (!authenticated_) {
        const std::size_t lineEnd = reply_.find("\r\n");
        if (lineEnd == std::string::npos) return;
        if (!reply_.starts_with("OK ") || !send("BEGIN\r\n" + std::string(kHello, sizeof kHello - 1))) {
            step_ = Step::Failed;
            return;
        }
        authenticated_ = true;
        reply_.erase(0, lineEnd + 2);
    }
    // The first message after the authentication is the bus's reply to Hello.
    if (reply_.size() >= 2) step_ = reply_[1] == kMethodReturn ? Step::Answered : Step::Failed;
}

bool answers(const std::string& address, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    Handshake h(address);
    while (h.pending()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{h.fd(), static_cast<short>(h.connecting() ? POLLOUT : POLLIN), 0};
        const int n = ::poll(&p, 1, static_cast<int>(std::max<long long>(left, 0)));
        if (n == 0 || (n < 0 && errno != EINTR)) return false;
        if (n > 0) h.advance();
    }
    return h.answered();
}

} // namespace kav::dbus
