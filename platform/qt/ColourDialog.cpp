// The colour dialog with its screen pick.
#include "platform/qt/ColourDialog.h"

#include "platform/qt/PortalColourPick.h"

#include <QColorDialog>

namespace kav::qt {

std::optional<QColor> runColourDialog(const QColor& initial, QWidget* parent) {
    QColorDialog dialog(initial, parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (parent) dialog.setWindowModality(Qt::WindowModal);
    new PortalColourPick(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor c = dialog.selectedColor();
    if (!c.isValid()) return std::nullopt;
    return c;
}

} // namespace kav::qt
