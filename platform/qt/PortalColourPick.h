#pragma once
// Screen picking for Qt's colour dialog on every desktop. Where the session
// bus has the screenshot portal at version 2 or later, the dialog's "Pick
// Screen Color" button asks the portal, which works on Wayland as on X11;
// elsewhere the button keeps Qt's own X11 screen grab. A picked colour becomes
// the dialog's current colour. Nothing here blocks: the bus is probed on the
// event loop first, so an absent, slow or mute bus leaves the dialog as it is.

#include "platform/dbus/BusAddress.h"

#include <QColorDialog>
#include <QDBusConnection>
#include <QPointer>
#include <QPushButton>

namespace kav::qt {

class PortalColourPick final : public QObject {
    Q_OBJECT

public:
    enum class Path { Checking, Portal, Toolkit };

    // Attaches to `dialog` (and is deleted with it). `busAddress` is the
    // session bus in D-Bus address form; the probe's answer arrives from the
    // event loop, which runs once the dialog shows.
    explicit PortalColourPick(QColorDialog& dialog,
                              QString busAddress = QString::fromStdString(dbus::sessionBusAddress()));
    ~PortalColourPick() override;

    // Which way the pick button picks: still undecided, the portal, or Qt's grab.
    Path path() const { return path_; }
    // The dialog's pick button; null if this Qt has none.
    QPushButton* pickButton() const { return button_; }

private Q_SLOTS:
    void onResponse(uint response, const QVariantMap& results);

private:
    // Connects to a bus that answered and asks the portal's version.
    void finishProbe(bool alive);
    void pick();
    // Listens for the answer at `handle`, and no longer at the one before;
    // an empty handle ends the request.
    void watchRequest(const QString& handle);

    QPointer<QColorDialog> dialog_;
    QPointer<QPushButton> button_;
    QString address_;
    Path path_ = Path::Checking;
    QDBusConnection bus_{QString()};
    QString requestHandle_;
};

} // namespace kav::qt
