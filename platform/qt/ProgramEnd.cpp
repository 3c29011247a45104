#include "platform/qt/ProgramEnd.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <sys/socket.h>
#include <unistd.h>

namespace kav::qt {

namespace {

ProgramEnd* g_armed = nullptr;
// The handlers write a byte, without blocking, to the first socket; the
// window's event loop watches the second. Made once for the process.
int g_signalFd[2] = {-1, -1};

void onTerminationSignal(int) {
    const int saved = errno;
    const char one = 1;
    [[maybe_unused]] const auto n = ::send(g_signalFd[0], &one, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    errno = saved;
}

// Makes the socket pair and installs the handlers, the first time; false
// when there is no socket pair (the signals then end the program at once).
bool armSignals() {
    if (g_signalFd[0] >= 0) return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalFd) != 0) return false;
    struct sigaction sa {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
    return true;
}

} // namespace

ProgramEnd::ProgramEnd(std::function<void()> closingSave) : save_(std::move(closingSave)), mainThread_(::gettid()) {
    [[maybe_unused]] static const bool registered = std::atexit(&ProgramEnd::atExit) == 0;
    g_armed = this;
    if (armSignals()) {
        signalNotifier_ = new QSocketNotifier(g_signalFd[1], QSocketNotifier::Read);
        QObject::connect(signalNotifier_, &QSocketNotifier::activated, signalNotifier_, [] {
            char bytes[64];
            while (::recv(g_signalFd[1], bytes, sizeof bytes, MSG_DONTWAIT) > 0) {
            }
            endEventLoops();
        });
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

ProgramEnd::~ProgramEnd() {
    delete signalNotifier_;
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    g_armed = nullptr;
}

void ProgramEnd::closingSave() {
    if (saved_) return;
    saved_ = true;
    if (save_) save_();
}

// exit() ends every event loop of the thread at once; quit() would first ask
// every window to close and give up when one stays open.
void ProgramEnd::endEventLoops() { QCoreApplication::exit(0); }

// On a lost display; the program's objects are whole then, as main() has not returned.
void ProgramEnd::atExit() {
    if (g_armed && ::gettid() == g_armed->mainThread_) g_armed->closingSave();
}

bool ProgramEnd::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!mainWindow_ || eventType != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const xcb_destroy_notify_event_t*>(message);
    if ((e->response_type & 0x7f) != XCB_DESTROY_NOTIFY || e->window != e->event) return false;
    // When the program destroys its own window, the widget has let go of
    // that id before the event arrives; an id it still holds went from outside.
    if (e->window == static_cast<xcb_window_t>(mainWindow_->internalWinId())) endEventLoops();
    return false;
}

} // namespace kav::qt
