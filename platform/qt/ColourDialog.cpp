// The colour dialog with its screen pick.
#include "platform/qt/ColourDialog.h"

#include "platform/qt/PortalColourPick.h"

#include <QColorDialog>
#include <QCoreApplication>

namespace kav::qt {

std::optional<QColor> runColourDialog(const QColor& initial, QWidget* parent) {
    // A colour dialog built while native dialogs are allowed hands its colour
    // to the desktop theme's hidden dialog (under GNOME's it then opens at
    // black and answers white): none is made, and only then is it coloured.
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
