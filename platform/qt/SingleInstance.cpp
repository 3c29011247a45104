// The single-copy lock and the local socket that asks the first copy to show itself.
#include "platform/qt/SingleInstance.h"

#include "platform/posix/BackgroundThread.h"

#include <QApplication>
#include <QWidget>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kav::qt {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLockName = ".kavrilon.lock";
constexpr char kRaise[] = "raise\n";

enum class Lock { Taken, Busy, Unavailable };

// Opens (making it if needed) the lock file and tries to lock it. A link or
// anything but a regular file at that name is never followed or opened for
// long; reading is enough to hold a flock().
Lock tryLock(const fs::path& folder, int& fdOut) {
    const fs::path path = folder / kLockName;
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Lock::Unavailable;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Lock::Unavailable;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        fdOut = fd;
        return Lock::Taken;
    }
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? Lock::Busy : Lock::Unavailable;
}

bool fillAddress(const std::string& path, sockaddr_un& addr) {
    if (path.empty() || path.size() >= sizeof addr.sun_path) return false;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.data(), path.size());
    return true;
}

// Sends the raise request to a copy listening on `path`; false when none listens.
bool askToRaise(const std::string& path) {
    sockaddr_un addr{};
    if (!fillAddress(path, addr)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    bool sent = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0)
        sent = ::send(fd, kRaise, sizeof kRaise - 1, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof kRaise - 1);
    ::close(fd);
    return sent;
}

// A stable short name for a folder: FNV-1a over its bytes.
std::string folderKey(const fs::path& folder) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : folder.native()) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
    return out;
}

bool usableRuntimeDir(const char* dir) {
    if (!dir || dir[0] != '/') return false;
    struct stat st {};
    return ::stat(dir, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

} // namespace

std::string SingleInstance::socketPath(const fs::path& folder) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (usableRuntimeDir(runtime)) return std::string(runtime) + "/kavrilon-" + folderKey(folder) + ".socket";
    return "/tmp/kavrilon-" + std::to_string(::getuid()) + "-" + folderKey(folder) + ".socket";
}

SingleInstance::SingleInstance(const fs::path& folder) {
    if (folder.empty()) return;
    socketPath_ = socketPath(folder);
    // A copy that holds the lock but does not listen yet is starting (or
    // ending: then the lock comes free); ask again for about a second.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(900);
    for (;;) {
        switch (tryLock(folder, lockFd_)) {
        case Lock::Taken: return;
        case Lock::Unavailable:
            // A folder where no lock can be had (read-only) cannot be saved to
            // either; still, a copy that listens there is shown instead.
            first_ = !askToRaise(socketPath_);
            return;
        case Lock::Busy:
            if (askToRaise(socketPath_)) {
                first_ = false;
                return;
            }
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr, "kavrilon: another copy runs in %s and does not answer\n", folder.c_str());
            first_ = false;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// The listening socket and the connections being read, on a thread of their
// own: the window's thread, which wakes ten times a second for the program's
// timers, then has one descriptor fewer to look at on every wake-up.
struct SingleInstance::Server {
    int listenFd = -1;
    // Wakes the thread to end it.
    int stopFd = -1;
    // Lives on the window's thread, which runs `raise` through it.
    QObject context;
    std::function<void()> raise;
    std::thread thread;

    ~Server() {
        if (thread.joinable()) {
            const std::uint64_t one = 1;
            [[maybe_unused]] const auto n = ::write(stopFd, &one, sizeof one);
            thread.join();
        }
        if (stopFd >= 0) ::close(stopFd);
        if (listenFd >= 0) ::close(listenFd);
    }

    // Each connection is read until it has sent a line or hung up, then
    // closed; a request for the main window is handed to the window's thread.
    void run() {
        posix::becomeBackgroundThread(0);
        struct Connection {
            int fd;
            std::string got;
        };
        std::vector<Connection> open;
        std::vector<pollfd> fds;
        for (;;) {
            fds.assign({{stopFd, POLLIN, 0}, {listenFd, POLLIN, 0}});
            for (const Connection& c : open)
                fds.push_back({c.fd, POLLIN, 0});
            if (::poll(fds.data(), fds.size(), -1) < 0) {
                if (errno == EINTR) continue;
                break;
            }
            if (fds[0].revents != 0) break;
            for (std::size_t i = open.size(); i-- > 0;) {
                if (fds[i + 2].revents == 0) continue;
                Connection& c = open[i];
                char buf[64];
                const ssize_t n = ::read(c.fd, buf, sizeof buf);
                if (n > 0) c.got.append(buf, static_cast<std::size_t>(n));
                const bool done = n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR) || c.got.size() >= 64 ||
                                  c.got.find('\n') != std::string::npos;
                if (!done) continue;
                if (c.got.rfind(kRaise, 0) == 0)
                    QMetaObject::invokeMethod(&context, [this] { if (raise) raise(); }, Qt::QueuedConnection);
                ::close(c.fd);
                open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
            }
            if (fds[1].revents != 0) {
                for (int fd; (fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;)
                    open.push_back({fd, {}});
            }
        }
        for (const Connection& c : open)
            ::close(c.fd);
    }
};

void SingleInstance::listen(std::function<void()> raise) {
    if (!first_ || lockFd_ < 0 || server_) return;
    sockaddr_un addr{};
    if (!fillAddress(socketPath_, addr)) return;
    // The lock is ours, so a socket left at the name is a dead copy's.
    struct stat st {};
    if (::lstat(socketPath_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::getuid())
        ::unlink(socketPath_.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return;
    const mode_t oldMask = ::umask(077);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    ::umask(oldMask);
    if (!bound || ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    auto server = std::make_unique<Server>();
    server->listenFd = fd;
    server->raise = std::move(raise);
    server->stopFd = ::eventfd(0, EFD_CLOEXEC);
    try {
        if (server->stopFd >= 0) server->thread = std::thread([s = server.get()] { s->run(); });
    } catch (const std::system_error&) {
    }
    if (!server->thread.joinable()) {
        ::unlink(socketPath_.c_str());
        return;
    }
    server_ = std::move(server);
}

void SingleInstance::stopListening() {
    if (!server_) return;
    server_.reset();
    ::unlink(socketPath_.c_str());
}

SingleInstance::~SingleInstance() {
    stopListening();
    // The lock goes last, after the closing save that ran before this.
    if (lockFd_ >= 0) ::close(lockFd_);
}

void SingleInstance::bringToFront(QWidget* window) {
    if (!window) return;
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace kav::qt
