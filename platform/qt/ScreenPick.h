#pragma once
// Reading one colour off the screen in the way this session allows: the
// desktop portal's PickColor (the screenshot portal at version 2 or later)
// wherever a portal offers it, on Wayland and on X11; without one, a grab of
// the pointer and the pixel under the click, but only on an X11 session.
// Under Xwayland the X server sees no Wayland window and would read black, so
// a Wayland session without the portal has no pick at all. Nothing here
// blocks: the portal is asked asynchronously on the session bus, which the
// start-up check kept from Qt when it did not answer.

#include <QColor>
#include <QDBusConnection>
#include <QObject>
#include <QPointer>

class QWidget;

namespace kav::qt {

// Whether the X server can read every window's pixels here: the xcb platform
// on a session that is neither marked Wayland nor has a Wayland display.
bool x11GrabReadsScreen();

class ScreenPick final : public QObject {
    Q_OBJECT

public:
    enum class Path { Checking, Portal, X11Grab, None };
    enum class Outcome { Picked, Cancelled, Failed };

    // Starts asking the portal on `bus`; decided() follows from the event loop.
    explicit ScreenPick(QObject* parent, const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~ScreenPick() override;

    Path path() const { return path_; }

    // Lets the user pick a colour on the decided path; `window` is the window
    // the pick is for (the portal may place its picker by it). Ends with
    // finished(); Failed at once when there is no path or a pick runs.
    void pick(QWidget* window);

Q_SIGNALS:
    void decided(kav::qt::ScreenPick::Path path);
    // The colour is valid only for Picked.
    void finished(kav::qt::ScreenPick::Outcome outcome, const QColor& colour);

private Q_SLOTS:
    void onResponse(uint response, const QVariantMap& results);

private:
    void settle(bool portal);
    void pickThroughPortal(QWidget* window);
    void end(Outcome outcome, const QColor& colour = {});
    // Listens for the answer at `handle`, and no longer at the one before;
    // an empty handle stops listening.
    void watchRequest(const QString& handle);

    Path path_ = Path::Checking;
    bool picking_ = false;
    QDBusConnection bus_;
    QString requestHandle_;
};

} // namespace kav::qt
