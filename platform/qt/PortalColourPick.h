#pragma once
// Screen picking for Qt's colour dialog on every desktop. Where the desktop's
// screenshot portal can pick a colour (org.freedesktop.portal.Screenshot,
// version 2 or later, on the session bus), the dialog's "Pick Screen Color"
// button asks the portal, which works on Wayland as on X11; elsewhere the
// button keeps Qt's own X11 screen grab. A picked colour enters the dialog as
// its current colour, like any other choice.
//
// Nothing here blocks: the bus is looked at only after the dialog opens,
// first with a short, bounded handshake on its socket, so an absent, slow or
// mute bus leaves the dialog as Qt made it.

#include <QColor>
#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <QColorDialog>
#include <QPushButton>
class QSocketNotifier;
class QTimer;

namespace kav::qt {

class PortalColourPick final : public QObject {
    Q_OBJECT

public:
    enum class Path { Checking, Portal, Toolkit };

    // Attaches to `dialog` (and is deleted with it). `busAddress` is the
    // session bus in D-Bus address form; the check starts once the event
    // loop runs, which is when the dialog shows.
    explicit PortalColourPick(QColorDialog& dialog, QString busAddress = sessionBusAddress());
    ~PortalColourPick() override;

    // Which way the pick button picks: still undecided, the portal, or Qt's grab.
    Path path() const { return path_; }
    // The dialog's pick button; null if this Qt has none.
    QPushButton* pickButton() const { return button_; }

    // The session bus as the environment names it: DBUS_SESSION_BUS_ADDRESS,
    // else $XDG_RUNTIME_DIR/bus where that socket exists, else empty. The
    // X11 "autolaunch" of a new bus is never used.
    static QString sessionBusAddress();

private Q_SLOTS:
    void onResponse(uint response, const QVariantMap& results);

private:
    void startProbe();
    void probeReadable();
    void finishProbe(bool alive);
    void askVersion();
    void takeOverButton();
    void pick();
    void watchRequest(const QString& handle);
    void endRequest();

    QPointer<QColorDialog> dialog_;
    QPointer<QPushButton> button_;
    QString address_;
    Path path_ = Path::Checking;
    int probeFd_ = -1;
    QByteArray probeReply_;
    bool helloSent_ = false;
    QSocketNotifier* probeNotifier_ = nullptr;
    QTimer* probeTimer_ = nullptr;
    QDBusConnection bus_{QString()};
    QString requestHandle_;
};

} // namespace kav::qt
