#pragma once
// What Qt does not do for the window manager on X11; nothing elsewhere.

#include <QAbstractNativeEventFilter>

#include <functional>

class QWidget;

namespace kav::qt {

// Keeps a window out of the task bar and the pager by the states
// _NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER, which Qt keeps
// when it maps the window. Call before each show: a window manager drops
// them when the window is hidden.
void skipTaskbar(QWidget& window);

// Tells when the window manager has put its frame around a window, or changed
// it: Qt reads _NET_FRAME_EXTENTS but sends no event while the window stays.
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
