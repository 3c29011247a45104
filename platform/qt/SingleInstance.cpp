#include "platform/qt/SingleInstance.h"

#include "logbook/Fd.h"
#include "logbook/LogbookFile.h"
#include "platform/posix/PrivateFolder.h"
#include "platform/posix/ProgramFolder.h"
#include "platform/qt/X11Hints.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace kav::qt {

namespace fs = std::filesystem;
using logbook::kLockName;

namespace {

constexpr char kRaise[] = "raise\n";
// Lines that may follow the request in the same message. A copy of an
// earlier version reads only the request and ignores them.
constexpr std::string_view kTokenLine = "activation-token ";
constexpr std::string_view kStartupIdLine = "startup-id ";
// The longest message a copy reads; a longer one is not a request.
constexpr std::size_t kMaxMessage = 1024;
// The first copy's reply once it has shown its window.
constexpr char kRaised[] = "ok\n";
// How long the desktop may take to give the focus before the window asks
// for attention instead.
constexpr int kActivationWait = 1000;

using logbook::Fd;
using logbook::openAtRetrying;

enum class Lock { Taken, Busy, Unavailable, Moved };

struct Attempt {
    Lock result = Lock::Unavailable;
    dev_t dev = 0; // the lock file found busy
    ino_t ino = 0;
};

// Opens (making it if needed) the lock file and tries to lock it; reading is
// enough to hold a flock().
Attempt tryLock(int dirFd, int& fdOut) {
    Fd fd(openAtRetrying(dirFd, kLockName, O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600));
    if (fd.get() < 0) return {};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return {};
    int rc;
    do {
        rc = ::flock(fd.get(), LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) return {errno == EWOULDBLOCK ? Lock::Busy : Lock::Unavailable, st.st_dev, st.st_ino};
    // A copy that replaced the file meanwhile holds the one the name now
    // gives; the lock on the old file counts for nothing.
    struct stat now {};
    if (::fstatat(dirFd, kLockName, &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_dev != st.st_dev ||
        now.st_ino != st.st_ino)
        return {Lock::Moved};
    // A file left readable by others by an earlier version is made private.
    if ((st.st_mode & 07777) != 0600) ::fchmod(fd.get(), 0600);
    fdOut = fd.release();
    return {Lock::Taken};
}

// The processes that hold a flock() on the file (dev, ino), as /proc/locks
// tells; nothing is told without /proc. A process id of 0 or below stands
// for a holder that cannot be seen from here.
std::vector<long> lockHolders(dev_t dev, ino_t ino) {
    std::vector<long> holders;
    std::ifstream locks("/proc/locks");
    char want[64];
    std::snprintf(want, sizeof want, "%02x:%02x:%llu", major(dev), minor(dev), static_cast<unsigned long long>(ino));
    for (std::string line; locks && std::getline(locks, line);) {
        if (line.find("->") != std::string::npos) continue; // a waiter, not a holder
        std::istringstream words(line);
        std::string id, kind, advisory, mode, file;
        long pid = 0;
        if ((words >> id >> kind >> advisory >> mode >> pid >> file) && kind == "FLOCK" && file == want)
            holders.push_back(pid);
    }
    return holders;
}

uid_t ownerOfProcess(long pid) {
    struct stat st {};
    return pid > 0 && ::stat(("/proc/" + std::to_string(pid)).c_str(), &st) == 0 ? st.st_uid : static_cast<uid_t>(-1);
}

// Whether every process that holds a flock() on the file belongs to another
// user. Such a lock is not a copy of ours: the file was opened by someone
// else while it was readable. False when any holder is this user's, or
// cannot be told (no /proc, a process not visible here, one that is gone).
bool heldOnlyByOthers(dev_t dev, ino_t ino) {
    const std::vector<long> holders = lockHolders(dev, ino);
    for (const long pid : holders) {
        const uid_t owner = ownerOfProcess(pid);
        if (owner == static_cast<uid_t>(-1) || owner == ::geteuid()) return false;
    }
    return !holders.empty();
}

// Whether a copy of this user that holds the lock is running, not stopped
// (SIGSTOP, a debugger): one still starting, which answers once its window
// is there.
bool heldByARunningCopy(dev_t dev, ino_t ino) {
    for (const long pid : lockHolders(dev, ino)) {
        if (ownerOfProcess(pid) != ::geteuid()) continue;
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        // The state follows the name, which is in parentheses and may hold any byte.
        const std::size_t close = line.rfind(')');
        if (close == std::string::npos || close + 2 >= line.size()) continue;
        const char state = line[close + 2];
        if (state != 'T' && state != 't' && state != 'Z' && state != 'X') return true;
    }
    return false;
}

// Puts a fresh, private lock file of this user in the place of the one at
// the name, which was examined as (dev, ino). The two are exchanged in one
// step, so when the old one was replaced meanwhile by another start of this
// user, that start's file is put back.
void replaceLockFile(int dirFd, dev_t dev, ino_t ino) {
    const std::string temp = std::string(kLockName) + "." + std::to_string(::getpid()) + ".new";
    ::unlinkat(dirFd, temp.c_str(), 0);
    Fd fd(openAtRetrying(dirFd, temp.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd.get() < 0) return;
    if (::renameat2(dirFd, temp.c_str(), dirFd, kLockName, RENAME_EXCHANGE) == 0) {
        struct stat got {};
        if (::fstatat(dirFd, temp.c_str(), &got, AT_SYMLINK_NOFOLLOW) == 0 && (got.st_dev != dev || got.st_ino != ino))
            ::renameat2(dirFd, temp.c_str(), dirFd, kLockName, RENAME_EXCHANGE);
    } else if (errno == EINVAL || errno == ENOSYS) {
        // A file system without the exchange: a plain rename.
        ::renameat(dirFd, temp.c_str(), dirFd, kLockName);
    }
    ::unlinkat(dirFd, temp.c_str(), 0);
}

bool fillAddress(const std::string& path, sockaddr_un& addr) {
    if (path.empty() || path.size() >= sizeof addr.sun_path) return false;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.data(), path.size());
    return true;
}

enum class Asked { Raised, NoListener, NoReply };

// A token as a launcher hands it on: printable, without spaces, not long.
bool plausibleToken(std::string_view t) {
    return !t.empty() && t.size() <= 256 && std::all_of(t.begin(), t.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

// The raise request with the launcher's tokens, as one message: the kernel
// hands a short message on a local stream socket to one read whole.
std::string raiseMessage() {
    std::string m = kRaise;
    for (const auto& [variable, line] :
         {std::pair{"XDG_ACTIVATION_TOKEN", kTokenLine}, {"DESKTOP_STARTUP_ID", kStartupIdLine}})
        if (const char* v = std::getenv(variable); v && plausibleToken(v)) m.append(line).append(v).append("\n");
    return m;
}

// Sends the raise request to a copy of this user listening on `path` and
// waits, until `deadline`, for its reply. A copy that is stopped (SIGSTOP)
// or hangs still takes the connection in the kernel, but never replies.
Asked askToRaise(const std::string& path, std::chrono::steady_clock::time_point deadline) {
    sockaddr_un addr{};
    if (!fillAddress(path, addr)) return Asked::NoListener;
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (fd.get() < 0 || ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0)
        return Asked::NoListener;
    ucred peer{};
    socklen_t len = sizeof peer;
    if (::getsockopt(fd.get(), SOL_SOCKET, SO_PEERCRED, &peer, &len) != 0 || peer.uid != ::geteuid())
        return Asked::NoListener;
    const std::string message = raiseMessage();
    if (::send(fd.get(), message.data(), message.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(message.size()))
        return Asked::NoListener;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        pollfd p{fd.get(), POLLIN, 0};
        const int n = ::poll(&p, 1, left > 0 ? static_cast<int>(left) : 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Asked::NoReply;
        char reply[8] = {};
        const ssize_t got = ::recv(fd.get(), reply, sizeof reply, 0);
        return got >= 2 && std::memcmp(reply, kRaised, 2) == 0 ? Asked::Raised : Asked::NoReply;
    }
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

// The socket's path for a program folder, in the user's private folder;
// nothing when none can be had.
std::optional<std::string> socketPath(const fs::path& folder) {
    const std::optional<std::string> dir = posix::privateFolder(posix::envOr("XDG_RUNTIME_DIR"));
    if (!dir) return std::nullopt;
    return *dir + "/kavrilon-" + folderKey(folder) + ".socket";
}

} // namespace

SingleInstance::SingleInstance(const fs::path& folder) : folder_(folder) {
    if (folder.empty()) return;
    Fd dir(openAtRetrying(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat st {};
    if (dir.get() < 0 || ::fstat(dir.get(), &st) != 0 || st.st_uid != ::geteuid()) return;
    socketPath_ = socketPath(folder);
    // A copy that holds the lock but does not listen or answer yet is
    // starting (or ending, freeing the lock): ask again. A stopped copy is
    // given a second and a half, a running one as long as a slow start takes.
    const auto now = std::chrono::steady_clock::now();
    const auto stoppedDeadline = now + std::chrono::milliseconds(1500);
    const auto startingDeadline = now + std::chrono::seconds(20);
    auto deadline = stoppedDeadline;
    bool replaced = false;
    for (;;) {
        const Attempt a = tryLock(dir.get(), lockFd_);
        switch (a.result) {
        case Lock::Taken:       // the first copy, with the lock
        case Lock::Unavailable: // the first copy, without it
            return;
        case Lock::Moved: continue;
        case Lock::Busy:
            if (heldOnlyByOthers(a.dev, a.ino)) {
                // A file that could not be replaced (a folder the user made
                // read-only) leaves this the first copy, without the lock.
                if (std::exchange(replaced, true)) return;
                replaceLockFile(dir.get(), a.dev, a.ino);
                continue;
            }
            deadline = heldByARunningCopy(a.dev, a.ino) ? startingDeadline : stoppedDeadline;
            if (const Asked asked = socketPath_ ? askToRaise(*socketPath_, deadline) : Asked::NoListener;
                asked != Asked::NoListener) {
                outcome_ = asked == Asked::Raised ? Outcome::Raised : Outcome::NoAnswer;
                return;
            }
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            outcome_ = socketPath_ ? Outcome::NoAnswer : Outcome::NoChannel;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::optional<std::string> SingleInstance::endMessage() const {
    if (outcome_ != Outcome::NoAnswer && outcome_ != Outcome::NoChannel) return std::nullopt;
    return "kavrilon: programmet körs redan i " + folder_.string() +
           (outcome_ == Outcome::NoAnswer ? " men svarar inte (det kan vara stoppat eller hänga)"
                                          : " och kan inte nås (det finns ingen privat mapp för dess uttag)") +
           "; inget nytt fönster öppnas\n";
}

// The listening socket and the connections being read, watched by the
// window's event loop. Each connection is read until it has sent a line or
// hung up, then closed.
struct SingleInstance::Server {
    struct Connection {
        std::string got;
        QSocketNotifier* notifier = nullptr;
    };

    int listenFd = -1;
    QSocketNotifier* listening = nullptr;
    std::map<int, Connection> open;
    std::function<void(const Activation&)> raise;

    // At most this many connections are read at once; a newer one closes
    // the oldest, so silent clients cannot pile up.
    static constexpr std::size_t kMaxOpen = 16;

    ~Server() {
        for (auto& [fd, c] : open) {
            delete c.notifier;
            ::close(fd);
        }
        delete listening;
        if (listenFd >= 0) ::close(listenFd);
    }

    // Closes a connection from the event loop, where its notifier may be
    // the one whose signal is being delivered.
    void close(int fd) {
        const auto it = open.find(fd);
        if (it == open.end()) return;
        it->second.notifier->setEnabled(false);
        it->second.notifier->deleteLater();
        ::close(fd);
        open.erase(it);
    }

    void accept() {
        for (int fd; (fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;) {
            if (open.size() >= kMaxOpen) close(open.begin()->first);
            auto* n = new QSocketNotifier(fd, QSocketNotifier::Read);
            open[fd].notifier = n;
            QObject::connect(n, &QSocketNotifier::activated, n, [this, fd] { read(fd); });
        }
    }

    // Whether a message is complete: a line that is not the request, or the
    // request with every line that came with it.
    static bool complete(const std::string& got) {
        if (got.rfind(kRaise, 0) != 0) return got.find('\n') != std::string::npos;
        return got.back() == '\n';
    }

    static Activation activationIn(std::string_view lines) {
        Activation a;
        while (!lines.empty()) {
            const std::size_t end = lines.find('\n');
            const std::string_view line = lines.substr(0, end);
            lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
            for (auto [prefix, field] : {std::pair{kTokenLine, &a.token}, {kStartupIdLine, &a.startupId}})
                if (line.starts_with(prefix) && plausibleToken(line.substr(prefix.size())))
                    *field = line.substr(prefix.size());
        }
        return a;
    }

    void read(int fd) {
        const auto it = open.find(fd);
        if (it == open.end()) return;
        std::string& got = it->second.got;
        char buf[256];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) got.append(buf, static_cast<std::size_t>(n));
        const bool done = n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR) || got.size() >= kMaxMessage ||
                          (!got.empty() && complete(got));
        if (!done) return;
        const bool wanted = got.rfind(kRaise, 0) == 0 && got.size() < kMaxMessage;
        if (wanted && raise) raise(activationIn(std::string_view(got).substr(sizeof kRaise - 1)));
        // The start that asked waits for this before it ends.
        if (wanted) {
            [[maybe_unused]] const auto sent = ::send(fd, kRaised, sizeof kRaised - 1, MSG_DONTWAIT | MSG_NOSIGNAL);
        }
        close(fd);
    }
};

void SingleInstance::listen(std::function<void(const Activation&)> raise) {
    if (!isFirst() || !holdsLock() || !socketPath_ || server_) return;
    sockaddr_un addr{};
    if (!fillAddress(*socketPath_, addr)) return;
    // The lock is ours, so a socket left at the name is a dead copy's.
    struct stat st {};
    if (::lstat(socketPath_->c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid())
        ::unlink(socketPath_->c_str());
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (fd.get() < 0) return;
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) return;
    ::chmod(socketPath_->c_str(), 0600);
    if (::listen(fd.get(), 8) != 0) {
        ::unlink(socketPath_->c_str());
        return;
    }
    auto server = std::make_unique<Server>();
    server->listenFd = fd.release();
    server->raise = std::move(raise);
    server->listening = new QSocketNotifier(server->listenFd, QSocketNotifier::Read);
    QObject::connect(server->listening, &QSocketNotifier::activated, server->listening,
                     [s = server.get()] { s->accept(); });
    server_ = std::move(server);
}

void SingleInstance::stopListening() {
    if (!server_) return;
    server_.reset();
    if (socketPath_) ::unlink(socketPath_->c_str());
}

SingleInstance::~SingleInstance() {
    stopListening();
    // The lock goes last, after the closing save that ran before this.
    if (lockFd_ >= 0) ::close(lockFd_);
}

void SingleInstance::bringToFront(QWidget* window, const Activation& activation) {
    if (!window) return;
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == window) modal = nullptr;
    if (modal) window->activateWindow();
    // The window that takes the focus asks with the launcher's token. Qt's
    // Wayland shell takes it from the environment at the next activation
    // request (and clears it); on X11 the id carries the launch's time.
    QWidget* active = modal ? modal : window;
    if (QGuiApplication::platformName().startsWith(u"wayland") && !activation.token.empty())
        qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(activation.token));
    if (modal) modal->raise();
    active->activateWindow();
    activateWithStartupId(*active, activation.startupId);
    // A desktop that keeps the focus where it is marks the window as
    // wanting attention instead.
    QTimer::singleShot(kActivationWait, active, [active] {
        if (!active->isActiveWindow()) QApplication::alert(active);
    });
}

} // namespace kav::qt
