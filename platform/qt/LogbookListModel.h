#pragma once
// A read-only Qt list model over a list box control's lines. The lines stay in
// the window model; the view asks for the rows it shows, so a list of tens of
// thousands of lines costs no copies, and an append inserts one row.

#include "model/Control.h"

#include <QAbstractListModel>

namespace kav::qt {

class LogbookListModel final : public QAbstractListModel {
public:
    explicit LogbookListModel(const Control& list, QObject* parent = nullptr)
        : QAbstractListModel(parent), list_(list), rows_(static_cast<int>(list.ListCount())) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : rows_; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
        const std::string& s = list_.List(static_cast<std::size_t>(index.row()));
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    }

    // Called when the control's lines grew: inserts the new rows at the end.
    void linesAppended() {
        const int now = static_cast<int>(list_.ListCount());
        if (now <= rows_) return;
        beginInsertRows(QModelIndex(), rows_, now - 1);
        rows_ = now;
        endInsertRows();
    }

private:
    const Control& list_;
    int rows_;
};

} // namespace kav::qt
