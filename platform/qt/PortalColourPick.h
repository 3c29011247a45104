#pragma once
// The colour dialog's screen pick on every desktop. Where a portal offers
// PickColor, the dialog gets the program's own "Hämta färg från skärmen"
// button, which asks the portal; that holds on Wayland, where Qt's dialog has
// no such button, as on X11. Without a portal, Qt's own button and grab stay
// on an X11 session; anywhere else the dialog has no pick button, since
// nothing could read the screen. A picked colour becomes the dialog's
// current colour.

#include "platform/qt/ScreenPick.h"

#include <QColorDialog>
#include <QPointer>
#include <QPushButton>

namespace kav::qt {

class PortalColourPick final : public QObject {
    Q_OBJECT

public:
    // Attaches to `dialog` (and is deleted with it). The portal is asked on
    // `bus`; its answer arrives from the event loop, which runs once the
    // dialog shows.
    explicit PortalColourPick(QColorDialog& dialog, const QDBusConnection& bus = QDBusConnection::sessionBus());

private:
    void settle(ScreenPick::Path path);

    QPointer<QColorDialog> dialog_;
    QPointer<QPushButton> qtButton_;
    QPointer<QPushButton> button_;
    ScreenPick* screen_;
};

} // namespace kav::qt
