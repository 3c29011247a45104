#include "app/SessionBusCheck.h"

#include "platform/launch/Launcher.h"
#include "logbook/Fd.h"
#include "platform/posix/ProgramFolder.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace kav::app {

namespace {

using Clock = std::chrono::steady_clock;

// An address of no known kind: the D-Bus library refuses it at once.
constexpr const char* kNoBus = "disabled:";

// The socket that the first entry of a D-Bus address list names, which a
// client tries first ("unix:path=/x,guid=y;tcp:..."), %XX escapes undone and
// an abstract name led by a zero byte; nothing when that entry is another
// transport.
std::optional<std::string> localSocket(std::string_view address) {
    const std::string_view entry = address.substr(0, address.find(';'));
    if (!entry.starts_with("unix:")) return std::nullopt;
    for (std::string_view rest = entry.substr(5); !rest.empty();) {
        const std::string_view pair = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), pair.size() + 1));
        const bool abstract = pair.starts_with("abstract=");
        if (!abstract && !pair.starts_with("path=")) continue;
        std::string name(abstract ? 1 : 0, '\0');
        const std::string_view raw = pair.substr(pair.find('=') + 1);
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const bool escape = raw[i] == '%' && i + 2 < raw.size();
            name += escape ? static_cast<char>(std::strtol(std::string(raw.substr(i + 1, 2)).c_str(), nullptr, 16))
                           : raw[i];
            if (escape) i += 2;
        }
        return name;
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

// Lets the next blocking call on `fd` take what is left until `deadline`.
bool until(int fd, Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
    const timeval tv{left / 1000000, left % 1000000};
    return left > 0 && ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv) == 0 &&
           ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) == 0;
}

// Connects, authenticates as this user (AUTH EXTERNAL with the user id in
// hex: the digit 7 is the byte 0x37) and sends Hello; true when the bus's
// first message is a reply. Every step waits at most until `deadline`, the
// connect included: a bus that stopped accepting fills its queue.
bool replies(const std::string& socket, Clock::time_point deadline) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (socket.empty() || socket.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, socket.data(), socket.size());
    // A path ends with its zero byte; an abstract name has none.
    const auto len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + socket.size() + (socket[0] != '\0'));
    const logbook::Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.valid() || !until(fd.get(), deadline) ||
        ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&addr), len) != 0)
        return false;
    std::string reply;
    const auto exchange = [&](const std::string& bytes, auto complete) {
        if (::send(fd.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size()))
            return false;
        char buf[256];
        while (!complete()) {
            const ssize_t n = until(fd.get(), deadline) ? ::recv(fd.get(), buf, sizeof buf, 0) : -1;
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            reply.append(buf, static_cast<std::size_t>(n));
        }
        return true;
    };
    std::string auth("\0AUTH EXTERNAL ", 15);
    for (const char c : std::to_string(::getuid()))
        auth += {'3', c};
    if (!exchange(auth + "\r\n", [&] { return reply.find("\r\n") != std::string::npos; }) || !reply.starts_with("OK "))
        return false;
    reply.erase(0, reply.find("\r\n") + 2);
    // The first message after the authentication is the bus's reply to Hello.
    return exchange("BEGIN\r\n" + std::string(kHello, sizeof kHello - 1), [&] { return reply.size() >= 2; }) &&
           reply[1] == kMethodReturn;
}

} // namespace

std::string answeringBus(const std::string& address, std::chrono::milliseconds timeout) {
    const std::optional<std::string> socket = localSocket(address);
    return !socket || replies(*socket, Clock::now() + timeout) ? address : kNoBus;
}

void checkSessionBus() {
    const char* set = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    std::string address = set ? set : "";
    // Without an address the D-Bus library takes the user's bus socket, where it exists.
    struct stat st {};
    if (const std::string runtime = posix::envOr("XDG_RUNTIME_DIR");
        address.empty() && !runtime.empty() && ::stat((runtime + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
        address = "unix:path=" + runtime + "/bus";
    // A live bus answers in well under a millisecond.
    if (address.empty() || answeringBus(address, std::chrono::milliseconds(500)) == address) return;
    keepForLaunchedPrograms("DBUS_SESSION_BUS_ADDRESS", set ? std::optional<std::string>(set) : std::nullopt);
    ::setenv("DBUS_SESSION_BUS_ADDRESS", kNoBus, 1);
}

} // namespace kav::app
