#pragma once
// The list box of the logbook: a table of one column whose rows all have one
// height, from the font. The table's hidden row header keeps the rows' sizes
// in one array, so a new row costs little even at the millionth row; a list
// view lays every row out again on each insert.

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
