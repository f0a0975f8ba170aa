#pragma once

#include <QStyledItemDelegate>

namespace mako {

/// A row of the history list: the method in a column of its own, the URL with the time since
/// it was sent below it, then the status code in its colour and the duration.
class HistoryItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int kMethodWidth = 50;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace mako
