#pragma once
// What a screen reader finds where the renderer paints instead of making
// widgets. A form's client area has its child widgets and after them the
// painted labels as static texts. The logbook list is a list whose children
// are the rows in sight, and a table of one column that tells the number of
// all rows; rows out of sight get no interface, so a logbook of a million
// lines costs no more than one of ten.

namespace kav {
class Control;
}

namespace kav::qt {

class ClientArea;

// Installs the factory that gives every ClientArea and every LogbookListView
// these interfaces; Qt keeps one copy of it however often it is installed.
void installAccessibility();

// Tells a screen reader that a label's caption changed.
void labelChanged(ClientArea& area, const Control& label);

} // namespace kav::qt
