// Accessible interfaces of the logbook list and of its rows in sight.
#include "platform/qt/LogbookListAccessible.h"

#include "platform/qt/LogbookListView.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>
#include <algorithm>
#include <map>
#include <memory>

namespace kav::qt {

namespace {

QModelIndex rowIndex(const LogbookListView& view, int row) {
    return view.model() ? view.model()->index(row, 0, view.rootIndex()) : QModelIndex();
}

class RowInterface final : public QAccessibleInterface {
public:
    RowInterface(LogbookListView* view, int row) : view_(view), row_(row) {}

    int row() const { return row_; }
    bool isValid() const override { return !view_.isNull() && rowIndex(*view_, row_).isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !view_) return {};
        return rowIndex(*view_, row_).data().toString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!view_) return {};
        const QRect r = view_->visualRect(rowIndex(*view_, row_));
        return QRect(view_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.selectable = true;
        if (!view_) {
            s.invalid = true;
            return s;
        }
        const QModelIndex index = rowIndex(*view_, row_);
        s.selected = view_->selectionModel() && view_->selectionModel()->isSelected(index);
        s.focusable = true;
        s.focused = view_->hasFocus() && view_->currentIndex() == index;
        s.invisible = !view_->isVisible() || !view_->viewport()->rect().intersects(view_->visualRect(index));
        return s;
    }

private:
    QPointer<LogbookListView> view_;
    int row_;
};

class ListInterface final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    // The rows' interfaces have no object of their own, so Qt's cache cannot
    // tell when they go: they are removed with the view. (At the program's
    // end, with the view still there, the cache removes them itself.)
    explicit ListInterface(LogbookListView* view) : QAccessibleWidget(view, QAccessible::List) {
        QObject::connect(view, &QObject::destroyed, [rows = rows_] {
            for (const auto& [row, id] : *rows)
                QAccessible::deleteAccessibleInterface(id);
            rows->clear();
        });
    }

    LogbookListView* view() const { return static_cast<LogbookListView*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The rows in sight: from the first one the scroll bar shows, as many as
    // the view has room for, fewer at the end of the list.
    int firstInSight() const { return view()->verticalScrollBar()->value(); }
    int childCount() const override {
        const int total = rowCount();
        const int first = firstInSight();
        if (first >= total) return 0;
        const int height = std::max(1, view()->visualRect(rowIndex(*view(), first)).height());
        const int room = (view()->viewport()->height() + height - 1) / height;
        return std::clamp(total - first, 0, room);
    }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return rowInterface(firstInSight() + index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || child->role() != QAccessible::ListItem) return -1;
        const int index = static_cast<const RowInterface*>(child)->row() - firstInSight();
        return index >= 0 && index < childCount() ? index : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? rowInterface(index.row()) : nullptr;
    }

    // The table of one column: every row, in sight or not.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return column == 0 && row >= 0 && row < rowCount() ? rowInterface(row) : nullptr;
    }
    int selectedCellCount() const override { return selectedRowCount(); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (int row : selectedRows())
            cells << rowInterface(row);
        return cells;
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int columnCount() const override { return 1; }
    int rowCount() const override { return view()->model() ? view()->model()->rowCount(view()->rootIndex()) : 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override {
        QList<int> rows;
        if (view()->selectionModel())
            for (const QModelIndex& i : view()->selectionModel()->selectedRows())
                rows << i.row();
        return rows;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override {
        return view()->selectionModel() && view()->selectionModel()->isRowSelected(row, view()->rootIndex());
    }
    bool selectRow(int row) override {
        if (!view()->selectionModel() || row < 0 || row >= rowCount()) return false;
        view()->selectionModel()->select(rowIndex(*view(), row), QItemSelectionModel::ClearAndSelect);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override {
        if (!view()->selectionModel() || row < 0 || row >= rowCount()) return false;
        view()->selectionModel()->select(rowIndex(*view(), row), QItemSelectionModel::Deselect);
        return true;
    }
    bool unselectColumn(int) override { return false; }
    // Rows are only ever appended, so the interfaces made so far stay right.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    QAccessibleInterface* rowInterface(int row) const {
        auto it = rows_->find(row);
        if (it == rows_->end())
            it = rows_->emplace(row, QAccessible::registerAccessibleInterface(new RowInterface(view(), row))).first;
        return QAccessible::accessibleInterface(it->second);
    }

    std::shared_ptr<std::map<int, QAccessible::Id>> rows_ = std::make_shared<std::map<int, QAccessible::Id>>();
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    // The view has no meta-object of its own, so it asks as its base class.
    if (className != QLatin1String("QAbstractItemView")) return nullptr;
    if (auto* view = dynamic_cast<LogbookListView*>(object)) return new ListInterface(view);
    return nullptr;
}

} // namespace

void installLogbookListAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&factory);
        return true;
    }();
    (void)installed;
}

} // namespace kav::qt
