#pragma once
// What Qt does not do for the window manager on X11; nothing elsewhere.

#include <string>

class QByteArray;
class QWidget;

namespace kav::qt {

// Keeps a window out of the task bar and the pager by the states
// _NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER, which Qt keeps
// when it maps the window. Call before each show: a window manager drops
// them when the window is hidden.
void skipTaskbar(QWidget& window);

// Whether a native event of a window tells that the window manager has put
// its frame around it, or changed it: Qt reads _NET_FRAME_EXTENTS but sends
// no event while the window stays. Qt reads the new extents only after the
// window has seen the event.
bool frameChanged(const QByteArray& eventType, const void* message);

// Asks the window manager to activate a window with the time of the launch
// that a startup notification id carries ("..._TIME<timestamp>"), which lets
// it past the guard against stolen focus the way the launcher's own start
// would. Nothing without such an id, or off X11.
void activateWithStartupId(QWidget& window, const std::string& startupId);

} // namespace kav::qt
