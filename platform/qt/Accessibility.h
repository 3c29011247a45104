#pragma once
// What a screen reader finds where the renderer paints instead of making
// widgets, and for the lamps. A form's client area has its child widgets and
// after them the painted labels as static texts; a lamp is a read-only
// static text. A blank row of the logbook is read as "tom rad". The logbook list is a list whose children
// are the rows in sight, and a table of one column that tells the number of
// all rows; rows out of sight get no interface, so a logbook of a million
// lines costs no more than one of ten.

class QWidget;

namespace kav {
class Control;
}

namespace kav::qt {

class ClientArea;

// Installs the factory that gives every ClientArea and every LogbookListView
// these interfaces; Qt keeps one copy of it however often it is installed.
void installAccessibility();

// Makes a text box a lamp for a screen reader: a read-only static text, named
// by its label and described by its colour, rather than a field to type in.
// Called before anything asks for the box's interface.
void markLamp(QWidget& box);

// Tells a screen reader that a label's caption changed.
void labelChanged(ClientArea& area, const Control& label);

} // namespace kav::qt
