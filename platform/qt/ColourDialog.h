#pragma once
// The program's colour dialog: Qt's own (never a desktop theme's
// replacement), with the screen pick that works on every desktop. The main
// window's "Välj färg.." and the command line's --pick both use it.

#include <QColor>

#include <optional>

class QWidget;

namespace kav::qt {

// Shows the dialog modally, opening on `initial`; the chosen colour, or
// nothing when the user cancelled.
std::optional<QColor> runColourDialog(const QColor& initial, QWidget* parent);

} // namespace kav::qt
