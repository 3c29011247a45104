#include "platform/qt/SingleInstance.h"

#include "platform/posix/PrivateFolder.h"
#include "platform/posix/ProgramFolder.h"
#include "platform/qt/X11Hints.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace kav::qt {

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

enum class Asked { Raised, NoListener, NoReply };

// Sends the raise request to the copy listening at `path` and waits, until
// `deadline`, for its reply. A copy that is stopped or hangs still takes the
// connection in the kernel, but never replies.
Asked askToRaise(const QString& path, const QDeadlineTimer& deadline) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(0)) return Asked::NoListener;
    const std::string message = raiseMessage();
    socket.write(message.data(), static_cast<qint64>(message.size()));
    while (socket.bytesAvailable() < static_cast<qint64>(kRaised.size()) &&
           socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
    }
    return socket.read(kRaised.size()).toStdString() == kRaised ? Asked::Raised : Asked::NoReply;
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

// Reads a later start's message once it is whole; a request is answered
// after the window was raised, which the start waits for before it ends.
void answer(QLocalSocket& socket, const std::function<void(const SingleInstance::Activation&)>& raise) {
    const QByteArray got = socket.peek(kMaxMessage);
    if (got.size() < kMaxMessage && !complete(got)) return;
    if (got.size() < kMaxMessage && got.startsWith(kRaise)) {
        raise(activationIn(got.mid(static_cast<qsizetype>(kRaise.size()))));
        socket.write(kRaised.data(), static_cast<qint64>(kRaised.size()));
        // Sent now, not when the event loop next runs, which may be late.
        socket.flush();
    }
    socket.disconnectFromServer();
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
        socketPath_ = QFile::decodeName(QByteArray::fromStdString(*dir) + "/kavrilon-" + key + ".socket");
    }
    // Named in the working directory, which is the folder.
    lock_ = std::make_unique<QLockFile>(QString::fromLatin1(posix::kLockName));
    const QDeadlineTimer stopped(1500ms), starting(20s);
    for (;;) {
        // The file is private from the moment it is made: another user who
        // could open it could keep a killed copy's lock from being cleared.
        const mode_t mask = ::umask(077);
        const bool locked = lock_->tryLock(0);
        ::umask(mask);
        // A lock file that cannot be made, or that is not the user's, leaves
        // this the first copy, without the lock.
        if (locked || lock_->error() != QLockFile::LockFailedError || ::lstat(posix::kLockName, &st) != 0 ||
            st.st_uid != ::geteuid())
            return;
        // A copy that holds the lock but does not listen or answer yet is
        // starting (or ending, freeing the lock): ask again. A stopped copy is
        // given a second and a half, a running one as long as a slow start takes.
        qint64 pid = 0;
        QString host, app;
        const QDeadlineTimer& deadline =
            lock_->getLockInfo(&pid, &host, &app) && !stoppedOrGone(pid) ? starting : stopped;
        if (const Asked asked = socketPath_.isEmpty() ? Asked::NoListener : askToRaise(socketPath_, deadline);
            asked != Asked::NoListener) {
            outcome_ = asked == Asked::Raised ? Outcome::Raised : Outcome::NoAnswer;
            return;
        }
        if (deadline.hasExpired()) {
            outcome_ = socketPath_.isEmpty() ? Outcome::NoChannel : Outcome::NoAnswer;
            return;
        }
        std::this_thread::sleep_for(20ms);
    }
}

// The socket goes before the lock, which is released after the closing save.
SingleInstance::~SingleInstance() = default;

std::optional<std::string> SingleInstance::endMessage() const {
    if (outcome_ != Outcome::NoAnswer && outcome_ != Outcome::NoChannel) return std::nullopt;
    return "kavrilon: programmet körs redan i " + folder_.string() +
           (outcome_ == Outcome::NoAnswer ? " men svarar inte (det kan vara stoppat eller hänga)"
                                          : " och kan inte nås (det finns ingen privat mapp för dess uttag)") +
           "; inget nytt fönster öppnas\n";
}

void SingleInstance::listen(std::function<void(const Activation&)> raise) {
    if (!isFirst() || !holdsLock() || socketPath_.isEmpty() || server_) return;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is ours, so a socket left at the name is a dead copy's.
    QLocalServer::removeServer(socketPath_);
    if (!server_->listen(socketPath_)) return;
    QObject::connect(
        server_.get(), &QLocalServer::newConnection, server_.get(), [server = server_.get(), raise = std::move(raise)] {
            while (QLocalSocket* socket = server->nextPendingConnection()) {
                QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, raise] { answer(*socket, raise); });
            }
        });
}

void SingleInstance::stopListening() { server_.reset(); }

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
