#include "ui/screens/streamrowdelegate.h"

#include "ui/common/colors.h"
#include "ui/common/icons.h"
#include "ui/screens/streamlistmodel.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>

namespace mako {

namespace {

constexpr int kPadding = 8;
constexpr int kGap = 6;
// A row shows one line; longer text is cut before it is measured, so a huge message costs no
// more to draw than a short one.
constexpr qsizetype kShownCharacters = 400;

QString oneLine(const QString& text)
{
    QString shown = text.left(kShownCharacters);
    shown.replace(u'\n', u' ');
    shown.replace(u'\r', u' ');
    return shown;
}

QColor accentOf(const QModelIndex& index, const QPalette& palette)
{
    const int accent = index.data(StreamListModel::AccentRole).toInt();
    return accent < 0 ? palette.color(QPalette::PlaceholderText)
                      : systemColor(SystemColor(accent), palette);
}

QPixmap tinted(const QIcon& icon, int size, const QColor& color, qreal ratio)
{
    QPixmap pixmap = icon.pixmap(QSize(size, size), ratio);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), color);
    return pixmap;
}

} // namespace

StreamRowDelegate::StreamRowDelegate(bool twoLines, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_twoLines(twoLines)
    , m_mono(QFontDatabase::systemFont(QFontDatabase::FixedFont))
{ }

int StreamRowDelegate::lineHeight(const QStyleOptionViewItem& option) const
{
    return std::max(option.fontMetrics.height(), QFontMetrics(m_mono).height());
}

QSize StreamRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const int lines = m_twoLines ? 2 : 1;
    return {200, lines * lineHeight(option) + (lines - 1) * 2 + 2 * kGap};
}

QRect StreamRowDelegate::textRect(
    const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int line = lineHeight(option);
    const int timeWidth
        = option.fontMetrics.horizontalAdvance(index.data(StreamListModel::TimeRole).toString());
    QRect rect = option.rect.adjusted(kPadding, kGap, -kPadding - timeWidth - kGap, -kGap);
    if (m_twoLines)
        return QRect(
            rect.left(), rect.bottom() - line + 1, option.rect.width() - 2 * kPadding, line);
    if (!index.data(StreamListModel::SymbolRole).toString().isEmpty())
        rect.setLeft(rect.left() + line + kGap);
    return rect;
}

void StreamRowDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    item.icon = {};
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    const QColor text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor secondary = selected ? text : palette.color(QPalette::PlaceholderText);
    const QColor accent = selected ? text : accentOf(index, palette);
    const int line = lineHeight(option);
    const QRect top(option.rect.left() + kPadding, option.rect.top() + kGap,
        option.rect.width() - 2 * kPadding, line);

    painter->save();
    painter->setPen(secondary);
    painter->drawText(
        top, Qt::AlignRight | Qt::AlignVCenter, index.data(StreamListModel::TimeRole).toString());
    const QString symbol = index.data(StreamListModel::SymbolRole).toString();
    if (!symbol.isEmpty()) {
        const QRect box(top.left(), top.top(), line, line);
        painter->drawPixmap(
            box, tinted(icons::icon(symbol), line, accent, painter->device()->devicePixelRatioF()));
    }
    if (m_twoLines) {
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(accent);
        painter->drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
            index.data(StreamListModel::TitleRole).toString());
        painter->setFont(m_mono);
    }
    const QRect body = textRect(option, index);
    painter->setPen(text);
    painter->drawText(body, Qt::AlignLeft | Qt::AlignVCenter,
        painter->fontMetrics().elidedText(
            oneLine(index.data().toString()), Qt::ElideRight, body.width()));
    painter->restore();
}

QWidget* StreamRowDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("rowTextField"));
    field->setReadOnly(true);
    field->setFrame(false);
    if (m_twoLines)
        field->setFont(m_mono);
    return field;
}

void StreamRowDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* field = static_cast<QLineEdit*>(editor);
    field->setText(index.data(Qt::EditRole).toString());
    field->selectAll();
}

void StreamRowDelegate::updateEditorGeometry(
    QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    editor->setGeometry(textRect(option, index));
}

} // namespace mako
