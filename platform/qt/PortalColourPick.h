#pragma once
// Screen picking for Qt's colour dialog on every desktop. Where the desktop's
// screenshot portal can pick a colour (org.freedesktop.portal.Screenshot,
// version 2 or later, on the session bus), the dialog's "Pick Screen Color"
// button asks the portal, which works on Wayland as on X11; elsewhere the
// button keeps Qt's own X11 screen grab. A picked colour enters the dialog as
// its current colour, like any other choice.
//
// Nothing here blocks: the bus is probed on the event loop first, so an
// absent, slow or mute bus leaves the dialog as Qt made it.

#include "platform/dbus/BusAddress.h"

#include <QColor>
#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <QColorDialog>
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
    QDBusConnection bus_{QString()};
    QString requestHandle_;
};

} // namespace kav::qt
