// The colour dialog with its screen pick.
#include "platform/qt/ColourDialog.h"

#include "platform/qt/PortalColourPick.h"

#include <QColorDialog>
#include <QCoreApplication>

namespace kav::qt {

std::optional<QColor> runColourDialog(const QColor& initial, QWidget* parent) {
    // A colour dialog asks the desktop theme for its own dialog as it is
    // built, and a colour given to the constructor goes to that hidden
    // dialog: under GNOME's theme Qt's dialog then opens at black and answers
    // white. With native dialogs refused while it is built, none is made; the
    // option keeps it so, and only then does the dialog get its colour.
    const bool nativeRefused = QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QColorDialog dialog(parent);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, nativeRefused);
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.setCurrentColor(initial);
    if (parent) dialog.setWindowModality(Qt::WindowModal);
    new PortalColourPick(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor c = dialog.selectedColor();
    if (!c.isValid()) return std::nullopt;
    return c;
}

} // namespace kav::qt
