#pragma once
// A read-only Qt list model over a list box control's lines, which stay in
// the window model as the logbook file's bytes. A row is decoded only when a
// view asks for it, and only its first kDisplayChars characters, so a line of
// ten million characters costs what any other does.

#include "model/Control.h"

#include <QAbstractListModel>

namespace kav::qt {

class LogbookListModel final : public QAbstractListModel {
public:
    // The most characters a row shows.
    static constexpr std::size_t kDisplayChars = 1024;

    explicit LogbookListModel(const Control& list, QObject* parent = nullptr)
        : QAbstractListModel(parent), list_(list), rows_(static_cast<int>(list.ListCount())),
          replacements_(list.store().replacements()) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : rows_; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
        const std::string s = list_.store().text(static_cast<std::size_t>(index.row()), kDisplayChars);
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    }

    // Called when the control's lines changed: inserts the new rows at the
    // end, or shows them all anew when lines were replaced.
    void linesAppended() {
        const int now = static_cast<int>(list_.ListCount());
        if (list_.store().replacements() != replacements_) {
            beginResetModel();
            rows_ = now;
            replacements_ = list_.store().replacements();
            endResetModel();
            return;
        }
        if (now <= rows_) return;
        beginInsertRows(QModelIndex(), rows_, now - 1);
        rows_ = now;
        endInsertRows();
    }

private:
    const Control& list_;
    int rows_;
    std::size_t replacements_;
};

} // namespace kav::qt
