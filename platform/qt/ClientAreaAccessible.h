#pragma once
// What a screen reader finds on a form's client area: its child widgets, and
// after them the painted labels as static texts, which are no widgets. Also
// the word a screen reader says for a lamp's colour.

#include "model/Colour.h"

#include <QAccessibleWidget>
#include <QString>

namespace kav {
class Control;
}

namespace kav::qt {

class ClientArea;

// Installs, once, the factory that gives every ClientArea this interface.
void installClientAreaAccessibility();

// The interface of one painted label: read-only static text at its place.
QAccessibleInterface* newLabelInterface(ClientArea* area, const Control& label);

// "grön", "gul", "röd", or "släckt" for a colour that is none of the three.
QString lampWord(Colour c);

} // namespace kav::qt
