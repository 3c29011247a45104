#include "platform/qt/Accessibility.h"

#include "model/Control.h"
#include "platform/qt/ClientArea.h"
#include "platform/qt/Convert.h"
#include "platform/qt/LogbookListView.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>
#include <algorithm>
#include <map>
#include <memory>

namespace kav::qt {

namespace {

// An interface with no object and no children of its own, painted by `owner`.
template <class Owner> class Painted : public QAccessibleInterface {
public:
    explicit Painted(Owner* owner) : owner_(owner) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return owner_ ? owner_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(owner_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QPointer<Owner> owner_;
};

// The painted parts' interfaces, made when first asked for and registered
// with Qt's cache. Having no object, they cannot be told gone by the cache,
// so they are removed with the widget that paints them. (At the program's
// end, with the widget still there, the cache removes them itself.)
class PaintedParts {
public:
    explicit PaintedParts(QObject* owner) {
        QObject::connect(owner, &QObject::destroyed, [ids = ids_] {
            for (const auto& [key, id] : *ids)
                QAccessible::deleteAccessibleInterface(id);
            ids->clear();
        });
    }

    template <class Make> QAccessibleInterface* get(int key, Make make) const {
        auto it = ids_->find(key);
        if (it == ids_->end()) it = ids_->emplace(key, QAccessible::registerAccessibleInterface(make())).first;
        return QAccessible::accessibleInterface(it->second);
    }

private:
    std::shared_ptr<std::map<int, QAccessible::Id>> ids_ = std::make_shared<std::map<int, QAccessible::Id>>();
};

class LabelInterface final : public Painted<ClientArea> {
public:
    LabelInterface(ClientArea* area, const Control& label) : Painted(area), label_(&label) {}

    bool isValid() const override { return !owner_.isNull(); }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && owner_ ? qs(label_->Caption.get()) : QString();
    }
    QRect rect() const override {
        if (!owner_) return {};
        const QRect r = owner_->areaOf(*label_);
        return QRect(owner_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !owner_ || !label_->Visible || !owner_->isVisible();
        return s;
    }

private:
    const Control* label_;
};

class ClientAreaInterface final : public QAccessibleWidget {
public:
    explicit ClientAreaInterface(ClientArea* area) : QAccessibleWidget(area, QAccessible::Client), labels_(area) {}

    ClientArea* area() const { return static_cast<ClientArea*>(widget()); }
    int widgetCount() const { return QAccessibleWidget::childCount(); }
    int labelCount() const { return static_cast<int>(area()->labels().size()); }

    QAccessibleInterface* label(int i) const {
        if (i < 0 || i >= labelCount()) return nullptr;
        return labels_.get(i,
                           [&] { return new LabelInterface(area(), *area()->labels()[static_cast<std::size_t>(i)]); });
    }
    int childCount() const override { return widgetCount() + labelCount(); }
    QAccessibleInterface* child(int index) const override {
        return index < widgetCount() ? QAccessibleWidget::child(index) : label(index - widgetCount());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const int asWidget = QAccessibleWidget::indexOfChild(child);
        if (asWidget >= 0) return asWidget;
        for (int i = 0; i < labelCount(); ++i)
            if (label(i) == child) return widgetCount() + i;
        return -1;
    }

private:
    PaintedParts labels_;
};

// A lamp: a text that says a state (its name from the label beside it, its
// colour as the description), which nobody types into.
class LampInterface final : public QAccessibleWidget {
public:
    explicit LampInterface(QWidget* box) : QAccessibleWidget(box, QAccessible::StaticText) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.editable = false;
        return s;
    }
};

class RowInterface final : public Painted<LogbookListView> {
public:
    RowInterface(LogbookListView* view, int row) : Painted(view), row_(row) {}

    int row() const { return row_; }
    bool isValid() const override { return !owner_.isNull() && owner_->rowIndex(row_).isValid(); }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !owner_) return {};
        // A blank line is said as such, not passed over as a nameless row.
        const QString text = owner_->rowIndex(row_).data().toString();
        return text.trimmed().isEmpty() ? QStringLiteral("tom rad") : text;
    }
    QRect rect() const override {
        if (!owner_) return {};
        const QRect r = owner_->visualRect(owner_->rowIndex(row_));
        return QRect(owner_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.selectable = true;
        if (!owner_) {
            s.invalid = true;
            return s;
        }
        const QModelIndex index = owner_->rowIndex(row_);
        s.selected = owner_->selectionModel() && owner_->selectionModel()->isSelected(index);
        s.focusable = true;
        s.focused = owner_->hasFocus() && owner_->currentIndex() == index;
        s.invisible = !owner_->isVisible() || !owner_->viewport()->rect().intersects(owner_->visualRect(index));
        return s;
    }

private:
    int row_;
};

class ListInterface final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ListInterface(LogbookListView* view) : QAccessibleWidget(view, QAccessible::List), rows_(view) {}

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
        const int height = std::max(1, view()->visualRect(view()->rowIndex(first)).height());
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
    int rowCount() const override { return view()->rows(); }
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
    bool selectRow(int row) override { return select(row, QItemSelectionModel::ClearAndSelect); }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override { return select(row, QItemSelectionModel::Deselect); }
    bool unselectColumn(int) override { return false; }
    // Rows are only ever appended, so the interfaces made so far stay right.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    QAccessibleInterface* rowInterface(int row) const {
        return rows_.get(row, [&] { return new RowInterface(view(), row); });
    }
    bool select(int row, QItemSelectionModel::SelectionFlags how) {
        if (!view()->selectionModel() || row < 0 || row >= rowCount()) return false;
        view()->selectionModel()->select(view()->rowIndex(row), how);
        return true;
    }

    PaintedParts rows_;
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    // Neither widget has a meta-object of its own, so each asks as its base class.
    if (className == QLatin1String("QWidget"))
        if (auto* area = dynamic_cast<ClientArea*>(object)) return new ClientAreaInterface(area);
    if (className == QLatin1String("QTableView"))
        if (auto* view = dynamic_cast<LogbookListView*>(object)) return new ListInterface(view);
    return nullptr;
}

} // namespace

void installAccessibility() { QAccessible::installFactory(&factory); }

// Qt's own interface for a line edit would be found before any factory of
// the program's, so the lamp's is put in Qt's cache for the box directly;
// the cache drops it with the box.
void markLamp(QWidget& box) { QAccessible::registerAccessibleInterface(new LampInterface(&box)); }

void labelChanged(ClientArea& area, const Control& label) {
    if (!QAccessible::isActive()) return;
    const auto& labels = area.labels();
    const auto at = std::find(labels.begin(), labels.end(), &label);
    auto* a = dynamic_cast<ClientAreaInterface*>(QAccessible::queryAccessibleInterface(&area));
    if (!a || at == labels.end()) return;
    QAccessibleEvent event(a->label(static_cast<int>(at - labels.begin())), QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace kav::qt
