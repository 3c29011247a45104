// The scroll bar counts rows, as a list box's does.
#include "platform/qt/LogbookListView.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace kav::qt {

LogbookListView::LogbookListView(QWidget* parent) : QAbstractItemView(parent) {
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
    rowHeight_ = std::max(1, fontMetrics().lineSpacing() + 2);
    updateGeometries();
    viewport()->update();
}

int LogbookListView::verticalOffset() const { return verticalScrollBar()->value() * rowHeight_; }

int LogbookListView::rowAtY(int y) const { return verticalScrollBar()->value() + y / rowHeight_; }

QRect LogbookListView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.parent() != rootIndex()) return {};
    return {0, index.row() * rowHeight_ - verticalOffset(), viewport()->width(), rowHeight_};
}

// The model gives no index for a row past its end.
QModelIndex LogbookListView::indexAt(const QPoint& point) const {
    return point.y() < 0 ? QModelIndex() : rowIndex(rowAtY(point.y()));
}

void LogbookListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    const int visible = std::max(1, viewport()->height() / rowHeight_);
    const int first = verticalScrollBar()->value();
    int target = first;
    switch (hint) {
    case PositionAtTop: target = index.row(); break;
    case PositionAtBottom: target = index.row() - visible + 1; break;
    case PositionAtCenter: target = index.row() - visible / 2; break;
    case EnsureVisible:
        if (index.row() < first)
            target = index.row();
        else if (index.row() >= first + visible)
            target = index.row() - visible + 1;
        break;
    }
    verticalScrollBar()->setValue(target);
}

QModelIndex LogbookListView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    const int count = rows();
    if (count == 0) return {};
    const int page = std::max(1, viewport()->height() / rowHeight_ - 1);
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    int row = current;
    switch (action) {
    case MoveUp:
    case MovePrevious: row = current - 1; break;
    case MoveDown:
    case MoveNext: row = current + 1; break;
    case MovePageUp: row = current - page; break;
    case MovePageDown: row = current + page; break;
    case MoveHome: row = 0; break;
    case MoveEnd: row = count - 1; break;
    default: break;
    }
    return rowIndex(std::clamp(row, 0, count - 1));
}

void LogbookListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) {
    if (rows() == 0) return;
    const QRect r = rect.normalized();
    const int top = std::clamp(rowAtY(std::max(0, r.top())), 0, rows() - 1);
    const int bottom = std::clamp(rowAtY(std::max(0, r.bottom())), 0, rows() - 1);
    selectionModel()->select(QItemSelection(rowIndex(top), rowIndex(bottom)), flags);
}

QRegion LogbookListView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const QRect view = viewport()->rect();
    for (const QItemSelectionRange& range : selection) {
        const QRect top = visualRect(range.topLeft());
        const QRect bottom = visualRect(range.bottomRight());
        region += QRect(top.topLeft(), bottom.bottomRight()).intersected(view);
    }
    return region;
}

void LogbookListView::rowsInserted(const QModelIndex& parent, int start, int end) {
    QAbstractItemView::rowsInserted(parent, start, end);
    updateGeometries();
    // Only rows in sight need painting.
    const int first = verticalScrollBar()->value();
    const int last = first + viewport()->height() / rowHeight_;
    if (start <= last && end >= first) viewport()->update();
}

void LogbookListView::updateGeometries() {
    // Like a list box of the platform the design comes from, the box shows
    // whole rows only: the height a row would not fill stays blank below
    // them, so the last line in sight is never cut through.
    const int spare = std::max(0, contentsRect().height()) % rowHeight_;
    if (viewportMargins().bottom() != spare) setViewportMargins(0, 0, 0, spare);
    const int visible = std::max(1, viewport()->height() / rowHeight_);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setRange(0, std::max(0, rows() - visible));
    QAbstractItemView::updateGeometries();
}

void LogbookListView::scrollContentsBy(int, int) { viewport()->update(); }

void LogbookListView::changeEvent(QEvent* event) {
    QAbstractItemView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) updateRowHeight();
}

void LogbookListView::paintEvent(QPaintEvent* event) {
    if (!model()) return;
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int count = rows();
    const int first = rowAtY(std::max(0, area.top()));
    const int last = std::min(count - 1, rowAtY(area.bottom()));
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const QModelIndex current = currentIndex();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = rowIndex(row);
        QStyleOptionViewItem option = base;
        option.rect = visualRect(index);
        if (selectionModel() && selectionModel()->isSelected(index)) option.state |= QStyle::State_Selected;
        if (index == current && hasFocus()) option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

} // namespace kav::qt
