#include "platform/qt/SingleInstance.h"

#include "logbook/Fd.h"
#include "logbook/LogbookFile.h"
#include "platform/posix/PrivateFolder.h"
#include "platform/posix/ProgramFolder.h"
#include "platform/qt/X11Hints.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kav::qt {

using logbook::kLockName;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::string_view kRaise = "raise\n";
// Lines that may follow the request in the same message. A copy of an
// earlier version reads only the request and ignores them.
constexpr std::string_view kTokenLine = "activation-token ";
constexpr std::string_view kStartupIdLine = "startup-id ";
// The longest message a copy reads; a longer one is not a request.
constexpr qsizetype kMaxMessage = 1024;
// The first copy's reply once it has shown its window.
constexpr std::string_view kRaised = "ok\n";
// How long the desktop may take to give the focus before the window asks
// for attention instead.
constexpr int kActivationWait = 1000;

// A token as a launcher hands it on: printable, without spaces, not long.
bool plausibleToken(std::string_view t) {
    return !t.empty() && t.size() <= 256 && std::all_of(t.begin(), t.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

// The raise request with the launcher's tokens, as one message.
std::string raiseMessage() {
    std::string m(kRaise);
    for (const auto& [variable, line] :
         {std::pair{"XDG_ACTIVATION_TOKEN", kTokenLine}, {"DESKTOP_STARTUP_ID", kStartupIdLine}})
        if (const char* v = std::getenv(variable); v && plausibleToken(v)) m.append(line).append(v).append("\n");
    return m;
}

// Whether the process is stopped (SIGSTOP, a debugger), gone, or cannot be
// seen from here; a copy in any other state is still starting and answers
// once its window is there.
bool stoppedOrGone(qint64 pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // The state follows the name, which is in parentheses and may hold any byte.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return true;
    return std::string_view("TtZX").find(line[close + 2]) != std::string_view::npos;
}

// A local stream socket connected to, or bound at, `path`; -1 when that
// fails.
int socketAt(const std::string& path, bool bind) {
    sockaddr_un addr{};
    if (path.empty() || path.size() >= sizeof addr.sun_path) return -1;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.data(), path.size());
    logbook::Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const auto* a = reinterpret_cast<const sockaddr*>(&addr);
    if (fd.get() < 0 ||
        (bind ? ::bind(fd.get(), a, sizeof addr) || ::listen(fd.get(), 8) : ::connect(fd.get(), a, sizeof addr)))
        return -1;
    return fd.release();
}

enum class Asked { Raised, NoListener, NoReply };

// Sends the raise request to the copy listening at `path` and waits, until
// `deadline`, for its reply. A copy that is stopped or hangs still takes the
// connection in the kernel, but never replies.
Asked askToRaise(const std::string& path, const QDeadlineTimer& deadline) {
    const logbook::Fd fd(socketAt(path, false));
    const std::string message = raiseMessage();
    if (fd.get() < 0 ||
        ::send(fd.get(), message.data(), message.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(message.size()))
        return Asked::NoListener;
    pollfd p{fd.get(), POLLIN, 0};
    while (::poll(&p, 1, static_cast<int>(deadline.remainingTime())) < 0 && errno == EINTR) {
    }
    char reply[8];
    const ssize_t n = ::recv(fd.get(), reply, sizeof reply, MSG_DONTWAIT);
    return n > 0 && std::string_view(reply, static_cast<std::size_t>(n)) == kRaised ? Asked::Raised : Asked::NoReply;
}

// Whether a message is complete: a line that is not the request, or the
// request with every line that came with it.
bool complete(const QByteArray& got) { return got.startsWith(kRaise) ? got.endsWith('\n') : got.contains('\n'); }

SingleInstance::Activation activationIn(const QByteArray& lines) {
    SingleInstance::Activation a;
    for (const QByteArray& bytes : lines.split('\n'))
        for (const std::string_view line(bytes.data(), static_cast<std::size_t>(bytes.size()));
             auto [prefix, field] : {std::pair{kTokenLine, &a.token}, {kStartupIdLine, &a.startupId}})
            if (line.starts_with(prefix) && plausibleToken(line.substr(prefix.size())))
                *field = line.substr(prefix.size());
    return a;
}

using Raise = std::function<void(const SingleInstance::Activation&)>;

// Reads a later start's connection on `fd` from the window's event loop
// until its message is whole, then answers a request once the window was
// raised (the start waits for that before it ends) and closes it.
void readRequest(int fd, QObject* parent, const Raise& raise) {
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, parent);
    QObject::connect(
        notifier, &QSocketNotifier::activated, notifier, [notifier, fd, raise, got = QByteArray()]() mutable {
            char buf[256];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) got.append(buf, n);
            if ((n < 0 && (errno == EAGAIN || errno == EINTR)) || (n > 0 && got.size() < kMaxMessage && !complete(got)))
                return;
            if (got.size() < kMaxMessage && got.startsWith(kRaise)) {
                raise(activationIn(got.mid(static_cast<qsizetype>(kRaise.size()))));
                [[maybe_unused]] const auto sent =
                    ::send(fd, kRaised.data(), kRaised.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
            }
            notifier->setEnabled(false);
            notifier->deleteLater();
            ::close(fd);
        });
}

} // namespace

SingleInstance::SingleInstance(const fs::path& folder) : folder_(folder) {
    struct stat st {};
    if (folder.empty() || ::stat(folder.c_str(), &st) != 0 || st.st_uid != ::geteuid()) return;
    if (const std::optional<std::string> dir = posix::privateFolder(posix::envOr("XDG_RUNTIME_DIR"))) {
        const QByteArray key =
            QCryptographicHash::hash(QByteArray::fromStdString(folder.native()), QCryptographicHash::Sha1)
                .toHex()
                .left(16);
        socketPath_ = *dir + "/kavrilon-" + key.toStdString() + ".socket";
    }
    // Named in the working directory, which is the folder.
    lock_ = std::make_unique<QLockFile>(QString::fromLatin1(kLockName));
    const QDeadlineTimer stopped(1500ms), starting(20s);
    for (;;) {
        // The file is private from the moment it is made: another user who
        // could open it could keep a killed copy's lock from being cleared.
        const mode_t mask = ::umask(077);
        const bool locked = lock_->tryLock(0);
        ::umask(mask);
        // A lock file that cannot be made, or that is not the user's, leaves
        // this the first copy, without the lock.
        if (locked || lock_->error() != QLockFile::LockFailedError || ::lstat(kLockName, &st) != 0 ||
            st.st_uid != ::geteuid())
            return;
        // A copy that holds the lock but does not listen or answer yet is
        // starting (or ending, freeing the lock): ask again. A stopped copy is
        // given a second and a half, a running one as long as a slow start takes.
        qint64 pid = 0;
        QString host, app;
        const QDeadlineTimer& deadline =
            lock_->getLockInfo(&pid, &host, &app) && !stoppedOrGone(pid) ? starting : stopped;
        if (const Asked asked = socketPath_.empty() ? Asked::NoListener : askToRaise(socketPath_, deadline);
            asked != Asked::NoListener) {
            outcome_ = asked == Asked::Raised ? Outcome::Raised : Outcome::NoAnswer;
            return;
        }
        if (deadline.hasExpired()) {
            outcome_ = socketPath_.empty() ? Outcome::NoChannel : Outcome::NoAnswer;
            return;
        }
        std::this_thread::sleep_for(20ms);
    }
}

// The socket goes before the lock, which is released after the closing save.
SingleInstance::~SingleInstance() { stopListening(); }

std::optional<std::string> SingleInstance::endMessage() const {
    if (outcome_ != Outcome::NoAnswer && outcome_ != Outcome::NoChannel) return std::nullopt;
    return "kavrilon: programmet körs redan i " + folder_.string() +
           (outcome_ == Outcome::NoAnswer ? " men svarar inte (det kan vara stoppat eller hänga)"
                                          : " och kan inte nås (det finns ingen privat mapp för dess uttag)") +
           "; inget nytt fönster öppnas\n";
}

void SingleInstance::listen(std::function<void(const Activation&)> raise) {
    if (!isFirst() || !holdsLock() || socketPath_.empty() || server_) return;
    // The lock is ours, so a socket left at the name is a dead copy's.
    ::unlink(socketPath_.c_str());
    const int fd = socketAt(socketPath_, true);
    if (fd < 0) return;
    server_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(server_.get(), &QSocketNotifier::activated, server_.get(),
                     [fd, server = server_.get(), raise = std::move(raise)] {
                         for (int c; (c = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;)
                             readRequest(c, server, raise);
                     });
}

void SingleInstance::stopListening() {
    if (!server_) return;
    const auto fd = static_cast<int>(server_->socket());
    server_.reset();
    ::close(fd);
    ::unlink(socketPath_.c_str());
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
