#include "ui/sidebar/historyitemdelegate.h"

#include "ui/common/badges.h"
#include "ui/sidebar/historylistmodel.h"

#include <QApplication>
#include <QPainter>

namespace mako {

namespace {

constexpr int kPadding = 4;

QFont smallFont(const QFont& font, bool bold)
{
    QFont small = font;
    small.setPointSizeF(small.pointSizeF() * 0.85);
    small.setBold(bold);
    return small;
}

// The status code in its colour at the right end of the first line, the duration below it.
// Returns the width the status takes.
int drawStatusAndDuration(QPainter* painter, const QStyleOptionViewItem& item,
    const QModelIndex& index, const QRect& row, bool selected)
{
    const QPalette& palette = item.palette;
    const int line = item.fontMetrics.height();
    const QColor secondary
        = palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText);
    const QString status = QString::number(index.data(HistoryListModel::StatusRole).toInt());
    const QString duration = index.data(HistoryListModel::DurationRole).toString();
    const QFont bold = smallFont(item.font, true);
    const QFont small = smallFont(item.font, false);
    const int statusWidth = QFontMetrics(bold).horizontalAdvance(status) + kPadding;
    painter->setFont(bold);
    painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                             : systemColor(statusColor(status.toInt()), palette));
    painter->drawText(QRect(row.right() - statusWidth, row.top(), statusWidth, line),
        Qt::AlignRight | Qt::AlignVCenter, status);
    painter->setFont(small);
    painter->setPen(secondary);
    const int durationWidth = QFontMetrics(small).horizontalAdvance(duration) + kPadding;
    painter->drawText(
        QRect(row.right() - durationWidth, row.top() + line + kPadding, durationWidth, line),
        Qt::AlignRight | Qt::AlignVCenter, duration);
    return statusWidth;
}

} // namespace

QSize HistoryItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {kMethodWidth * 3, option.fontMetrics.height() * 2 + kPadding * 3};
}

void HistoryItemDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    const bool selected = item.state & QStyle::State_Selected;
    const QPalette& palette = item.palette;
    const QColor text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor secondary = selected ? palette.color(QPalette::HighlightedText)
                                      : palette.color(QPalette::PlaceholderText);
    const QRect row = item.rect.adjusted(kPadding + 2, kPadding, -kPadding - 2, -kPadding);
    const int line = item.fontMetrics.height();
    const QFont small = smallFont(item.font, false);

    painter->save();
    const QString method = index.data(HistoryListModel::MethodRole).toString();
    painter->setFont(smallFont(item.font, true));
    // On the selection's fill the colours would lose their contrast.
    painter->setPen(selected ? text : systemColor(methodColor(method), palette));
    painter->drawText(
        QRect(row.left(), row.top(), kMethodWidth, line), Qt::AlignLeft | Qt::AlignVCenter, method);

    const int statusWidth = drawStatusAndDuration(painter, item, index, row, selected);
    const int textLeft = row.left() + kMethodWidth;
    const int textWidth = row.right() - statusWidth - kPadding - textLeft;
    painter->setFont(item.font);
    painter->setPen(text);
    const QString url = index.data(HistoryListModel::URLRole).toString();
    painter->drawText(QRect(textLeft, row.top(), textWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
        item.fontMetrics.elidedText(url, Qt::ElideMiddle, textWidth));
    painter->setFont(small);
    painter->setPen(secondary);
    painter->drawText(QRect(textLeft, row.top() + line + kPadding, textWidth, line),
        Qt::AlignLeft | Qt::AlignVCenter,
        index.data(HistoryListModel::RelativeTimeRole).toString());
    painter->restore();
}

} // namespace mako
