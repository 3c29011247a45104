#pragma once
// The list box of the logbook: a table of one column whose rows all have one
// height, from the font. The table's row header keeps each row's size and
// place, so a new row costs the same at the millionth row as at the first;
// a list view lays every row out again on each insert.

#include <QTableView>

namespace kav::qt {

class LogbookListView final : public QTableView {
public:
    explicit LogbookListView(QWidget* parent = nullptr);

    int rows() const;
    QModelIndex rowIndex(int row) const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;
    void changeEvent(QEvent* event) override;

private:
    void updateRowHeight();
};

} // namespace kav::qt
