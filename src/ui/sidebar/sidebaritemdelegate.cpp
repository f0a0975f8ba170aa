#include "ui/sidebar/sidebaritemdelegate.h"

#include "state/settings.h"
#include "ui/common/badges.h"
#include "ui/sidebar/collectiontreemodel.h"

#include <QApplication>
#include <QPainter>

namespace mako {

SidebarItemDelegate::SidebarItemDelegate(const Settings& settings, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_settings(settings)
{ }

QSize SidebarItemDelegate::sizeHint(
    const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // A little air between rows, as a source list has.
    return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 6);
}

void SidebarItemDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString method = index.data(CollectionTreeModel::MethodRole).toString();
    const QVariant count = index.data(CollectionTreeModel::CountRole);
    const bool badge = !method.isEmpty() && m_settings.value(SettingKeys::showMethodBadges);
    const QString countText = count.isValid() ? QString::number(count.toInt()) : QString();

    // The row's background, selection and focus as the style draws them, without its text.
    const QString text = item.text;
    item.text.clear();
    QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
    textRect.adjust(2, 0, -4, 0);
    painter->save();
    if (badge) {
        QFont small = item.font;
        small.setBold(true);
        small.setPointSizeF(small.pointSizeF() * 0.8);
        painter->setFont(small);
        // On the selection's fill the method's colour would lose its contrast.
        const QColor shade = systemColor(methodColor(method), item.palette);
        const bool selected = item.state & QStyle::State_Selected;
        painter->setPen(selected ? item.palette.color(QPalette::HighlightedText) : shade);
        painter->drawText(QRect(textRect.left(), textRect.top(), kMethodWidth, textRect.height()),
            Qt::AlignVCenter | Qt::AlignLeft, method);
        textRect.setLeft(textRect.left() + kMethodWidth);
    }
    if (!countText.isEmpty()) {
        painter->setFont(item.font);
        painter->setPen(item.palette.color(QPalette::PlaceholderText));
        const int width = item.fontMetrics.horizontalAdvance(countText) + 4;
        painter->drawText(QRect(textRect.right() - width, textRect.top(), width, textRect.height()),
            Qt::AlignVCenter | Qt::AlignRight, countText);
        textRect.setRight(textRect.right() - width - 6);
    }
    const bool selected = item.state & QStyle::State_Selected;
    painter->setFont(item.font);
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
        item.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
    painter->restore();
}

} // namespace mako
