#pragma once
// The list box of the logbook: every row has one height, from the font, so
// a position is a multiplication. It paints only the rows in sight, and a
// new row costs a scroll bar range and maybe a repaint, the same at the
// millionth row as at the first; Qt's list view places every row again on
// each insert.

#include <QAbstractItemView>

namespace kav::qt {

class LogbookListView final : public QAbstractItemView {
public:
    explicit LogbookListView(QWidget* parent = nullptr);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    int rows() const;
    QModelIndex rowIndex(int row) const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int rowAtY(int y) const;
    void updateRowHeight();

    int rowHeight_ = 1;
};

} // namespace kav::qt
