// Termination signals, display loss and an outside destroy of the main window.
#include "platform/qt/ProgramEnd.h"

#include "platform/posix/BackgroundThread.h"

#include <QCoreApplication>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace kav::qt {

namespace {

ProgramEnd* g_armed = nullptr;
// The handlers write a byte here; what the byte starts is done on another
// thread. Written without blocking, so a handler never waits.
int g_signalFd[2] = {-1, -1};
constexpr char kSignalled = 1;
constexpr char kStop = 0;

void onTerminationSignal(int) {
    const int saved = errno;
    [[maybe_unused]] const auto n = ::write(g_signalFd[1], &kSignalled, 1);
    errno = saved;
}

// The pipe is read by a thread of its own rather than watched by the event
// loop: the window's thread, which wakes ten times a second for the program's
// timers, has one descriptor fewer to look at on every wake-up. The thread
// hands the end to the window's thread through `context`.
std::thread startSignalWatcher(QObject* context) {
    if (g_signalFd[0] < 0) {
        if (::pipe2(g_signalFd, O_CLOEXEC) != 0) return {};
        ::fcntl(g_signalFd[1], F_SETFL, O_NONBLOCK);
        struct sigaction sa {};
        sa.sa_handler = onTerminationSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        for (int sig : {SIGTERM, SIGINT, SIGHUP})
            sigaction(sig, &sa, nullptr);
    }
    try {
        return std::thread([context] {
            posix::becomeBackgroundThread(0);
            for (;;) {
                char c = kStop;
                const ssize_t n = ::read(g_signalFd[0], &c, 1);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0 || c == kStop) return;
                QMetaObject::invokeMethod(context, [] { ProgramEnd::endEventLoops(); }, Qt::QueuedConnection);
            }
        });
    } catch (const std::system_error&) {
        return {};
    }
}

// The wire layout of an X DestroyNotify event, as the xcb plugin hands the
// events to native filters.
struct DestroyNotify {
    std::uint8_t responseType;
    std::uint8_t pad;
    std::uint16_t sequence;
    std::uint32_t event;
    std::uint32_t window;
};
constexpr std::uint8_t kDestroyNotify = 17;

} // namespace

ProgramEnd::ProgramEnd(std::function<void()> closingSave)
    : save_(std::move(closingSave)), mainThread_(std::this_thread::get_id()) {
    static const bool registered = std::atexit(&ProgramEnd::atExit) == 0;
    (void)registered;
    g_armed = this;
    signalWatcher_ = startSignalWatcher(&context_);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

ProgramEnd::~ProgramEnd() {
    if (signalWatcher_.joinable()) {
        // After any signal byte still in the pipe: the pipe never stays full
        // while the thread reads it.
        while (::write(g_signalFd[1], &kStop, 1) < 0 && (errno == EAGAIN || errno == EINTR))
            std::this_thread::yield();
        signalWatcher_.join();
    }
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    g_armed = nullptr;
}

void ProgramEnd::closingSave() {
    if (saved_) return;
    saved_ = true;
    if (save_) save_();
}

void ProgramEnd::endEventLoops() {
    // exit() ends every event loop of the thread at once. quit() would first
    // ask every window to close and give up when one stays open (the main
    // window's close box is the program's own business), so it is not used.
    QCoreApplication::exit(0);
}

// The display plugin calls exit() when its connection breaks; the program's
// objects are whole then, since main() has not returned.
void ProgramEnd::atExit() {
    if (g_armed && std::this_thread::get_id() == g_armed->mainThread_) g_armed->closingSave();
}

bool ProgramEnd::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!mainWindow_ || eventType != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const DestroyNotify*>(message);
    if ((e->responseType & 0x7f) != kDestroyNotify || e->window != e->event) return false;
    // When the program destroys its own window, the widget has let go of
    // that id before the event arrives; an id it still holds went from outside.
    if (e->window == static_cast<std::uint32_t>(mainWindow_->internalWinId())) endEventLoops();
    return false;
}

} // namespace kav::qt
