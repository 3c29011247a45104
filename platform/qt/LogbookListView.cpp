// The scroll bar counts rows, as a list box's does.
#include "platform/qt/LogbookListView.h"

#include <QEvent>
#include <QHeaderView>
#include <algorithm>

namespace kav::qt {

LogbookListView::LogbookListView(QWidget* parent) : QTableView(parent) {
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    setShowGrid(false);
    setWordWrap(false);
    // Tab leaves the box for the next control, as from any other.
    setTabKeyNavigation(false);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(ScrollPerItem);
    updateRowHeight();
}

int LogbookListView::rows() const { return model() ? model()->rowCount(rootIndex()) : 0; }

QModelIndex LogbookListView::rowIndex(int row) const {
    return model() ? model()->index(row, 0, rootIndex()) : QModelIndex();
}

void LogbookListView::updateRowHeight() {
    verticalHeader()->setDefaultSectionSize(std::max(1, fontMetrics().lineSpacing() + 2));
    updateGeometries();
}

// Home and End go to the first and the last row, as in a list; a table
// would go to the first and last column of the row.
QModelIndex LogbookListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void LogbookListView::updateGeometries() {
    // Like a list box of the platform the design comes from, the box shows
    // whole rows only: the height a row would not fill stays blank below
    // them, so the last line in sight is never cut through.
    const int spare = std::max(0, contentsRect().height()) % verticalHeader()->defaultSectionSize();
    if (viewportMargins().bottom() != spare) setViewportMargins(0, 0, 0, spare);
    QTableView::updateGeometries();
}

void LogbookListView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) updateRowHeight();
}

} // namespace kav::qt
