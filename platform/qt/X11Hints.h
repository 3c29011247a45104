#pragma once
// What Qt does not do for the window manager on X11.
//
// skipTaskbar keeps a window out of the task bar and the pager. Qt has no call for it:
// on X11 the window carries the window manager states _NET_WM_STATE_SKIP_TASKBAR
// and _NET_WM_STATE_SKIP_PAGER, set while it is not yet mapped (Qt keeps
// states it finds there when it maps the window). Other platforms have no
// such state; the call does nothing there.

// FrameWatch tells when the window manager has put its frame around a
// window, or changed it: Qt learns the frame's size from _NET_FRAME_EXTENTS
// but sends the widget no event when the window itself stays in place.

#include <QAbstractNativeEventFilter>

#include <functional>

class QWidget;

namespace kav::qt {

// Call before each time the window is shown: a window manager drops the
// states of a window when it is hidden.
void skipTaskbar(QWidget& window);

class FrameWatch final : public QAbstractNativeEventFilter {
public:
    // `changed` runs from the event loop after the frame of `window` changed.
    FrameWatch(QWidget& window, std::function<void()> changed);
    ~FrameWatch() override;
    FrameWatch(const FrameWatch&) = delete;
    FrameWatch& operator=(const FrameWatch&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QWidget* window_;
    std::function<void()> changed_;
    unsigned atom_ = 0;
};

} // namespace kav::qt
