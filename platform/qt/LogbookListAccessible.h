#pragma once
// What a screen reader finds in the logbook list: a list whose children are
// the rows in sight, each a list item that reads its line, and a table of one
// column that tells the number of all rows. Rows out of sight are not made
// into interfaces, so a logbook of a million lines costs no more than one of
// ten. New rows are announced by the view as Qt's item views announce them.

namespace kav::qt {

// Installs, once, the factory that gives every LogbookListView this interface.
void installLogbookListAccessibility();

} // namespace kav::qt
