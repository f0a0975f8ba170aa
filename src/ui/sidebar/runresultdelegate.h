#pragma once

#include <QStyledItemDelegate>

namespace mako {

/// A result row of the runner sheet: a green tick or a red cross, the method in a badge of its
/// colour, the request's name, how many of its tests passed (green when all did, else red), the
/// status code in its colour and the time; an error, a script's error and each failed test in
/// red small print below.
class RunResultDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace mako
