#pragma once
// What a screen reader finds where the renderer paints instead of making
// widgets. A form's client area has its child widgets and after them the
// painted labels as static texts. The logbook list is a list whose children
// are the rows in sight, and a table of one column that tells the number of
// all rows; rows out of sight get no interface, so a logbook of a million
// lines costs no more than one of ten.

#include "model/Colour.h"

#include <QString>

namespace kav {
class Control;
}

namespace kav::qt {

class ClientArea;

// Installs, once, the factory that gives every ClientArea and every
// LogbookListView these interfaces.
void installAccessibility();

// Tells a screen reader that a label's caption changed.
void labelChanged(ClientArea& area, const Control& label);

// "grön", "gul", "röd", or "släckt" for a colour that is none of the three.
QString lampWord(Colour c);

} // namespace kav::qt
