#include "ui/sidebar/runresultdelegate.h"

#include "ui/common/badges.h"
#include "ui/sidebar/runresultmodel.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace mako {

namespace {

constexpr int kPadding = 6;

// Text on a rounded fill of `color`, returning the width it took.
int drawBadge(QPainter* painter, const QPoint& at, int height, const QString& text,
    const QColor& color, const QFont& font)
{
    const int width = QFontMetrics(font).horizontalAdvance(text) + kPadding * 2;
    const QRect box(at.x(), at.y(), width, height);
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawRoundedRect(box, 4, 4);
    painter->setFont(font);
    painter->setPen(Qt::white);
    painter->drawText(box, Qt::AlignCenter, text);
    return width;
}

// From the right end of `row`: the time, the status badge, then how many tests passed. Returns
// where they begin.
int drawTrailing(QPainter* painter, const QStyleOptionViewItem& item, const QModelIndex& index,
    const QRect& row, const QFont& badgeFont)
{
    int right = row.right();
    painter->setFont(item.font);
    if (const QVariant duration = index.data(RunResultModel::DurationRole); duration.isValid()) {
        const QString text = duration.toString();
        const int width = item.fontMetrics.horizontalAdvance(text);
        painter->setPen(item.palette.color(QPalette::PlaceholderText));
        painter->drawText(
            QRect(right - width, row.top(), width, row.height()), Qt::AlignVCenter, text);
        right -= width + kPadding;
    }
    if (const QVariant status = index.data(RunResultModel::StatusRole); status.isValid()) {
        const QString text = QString::number(status.toInt());
        const int width = QFontMetrics(badgeFont).horizontalAdvance(text) + kPadding * 2;
        drawBadge(painter, QPoint(right - width, row.top() + 3), row.height() - 6, text,
            systemColor(statusColor(status.toInt()), item.palette), badgeFont);
        right -= width + kPadding;
    }
    if (const QVariant tests = index.data(RunResultModel::TestsRole); tests.isValid()) {
        const QString text = tests.toString();
        const int width = item.fontMetrics.horizontalAdvance(text);
        const bool passed = index.data(RunResultModel::TestsPassedRole).toBool();
        painter->setFont(item.font);
        painter->setPen(systemColor(passed ? SystemColor::green : SystemColor::red, item.palette));
        painter->drawText(
            QRect(right - width, row.top(), width, row.height()), Qt::AlignVCenter, text);
        right -= width + kPadding;
    }
    return right;
}

// The lines in red small print below the row: the error that kept the response away, a
// script's error, and each failed test with its message.
QStringList failureLines(const QModelIndex& index)
{
    QStringList lines = index.data(RunResultModel::ScriptFailuresRole).toStringList();
    if (const QVariant error = index.data(RunResultModel::ErrorRole); error.isValid())
        lines.prepend(error.toString());
    return lines;
}

// The error in red small print, on one line however many it has.
void drawError(QPainter* painter, const QStyleOptionViewItem& item, const QRect& box, QString error)
{
    error.replace(u'\n', u' ');
    QFont small = item.font;
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter->setFont(small);
    painter->setPen(systemColor(SystemColor::red, item.palette));
    painter->drawText(
        box, Qt::AlignVCenter, QFontMetrics(small).elidedText(error, Qt::ElideRight, box.width()));
}

} // namespace

QSize RunResultDelegate::sizeHint(
    const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int line = option.fontMetrics.height() + kPadding;
    return {200, line * int(1 + failureLines(index).size()) + kPadding};
}

void RunResultDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    const QPalette& palette = item.palette;
    const int line = item.fontMetrics.height() + kPadding;
    const QRect row(item.rect.left() + kPadding, item.rect.top() + kPadding / 2,
        item.rect.width() - kPadding * 2, line);
    QFont badgeFont = item.font;
    badgeFont.setBold(true);
    badgeFont.setPointSizeF(badgeFont.pointSizeF() * 0.8);

    painter->save();
    const int iconSize = item.fontMetrics.height();
    drawOutcomeMark(painter, QRect(row.left(), row.center().y() - iconSize / 2, iconSize, iconSize),
        index.data(RunResultModel::PassedRole).toBool(), palette);
    int x = row.left() + iconSize + kPadding;
    const QString method = index.data(RunResultModel::MethodRole).toString();
    const QColor methodShade = systemColor(methodColor(method), palette);
    x += drawBadge(painter, QPoint(x, row.top() + 3), line - 6, method, methodShade, badgeFont)
        + kPadding;

    const int right = drawTrailing(painter, item, index, row, badgeFont);
    painter->setFont(item.font);
    painter->setPen(palette.color(QPalette::Text));
    const QString name = index.data().toString();
    painter->drawText(QRect(x, row.top(), right - x, line), Qt::AlignVCenter,
        item.fontMetrics.elidedText(name, Qt::ElideRight, right - x));
    const int left = row.left() + iconSize + kPadding;
    int top = row.bottom();
    for (const QString& failure : failureLines(index)) {
        drawError(painter, item, QRect(left, top, row.right() - left, line), failure);
        top += line;
    }
    painter->restore();
}

} // namespace mako
