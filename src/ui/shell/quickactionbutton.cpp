#include "ui/shell/quickactionbutton.h"

#include "ui/common/colors.h"
#include "ui/common/icons.h"

#include <QPainter>

namespace mako {

namespace {

constexpr int kWidth = 132;
constexpr int kHeight = 104;
constexpr int kBadge = 40;
constexpr int kIcon = 22;
constexpr qreal kRadius = 10;

} // namespace

QuickActionButton::QuickActionButton(
    const QString& title, QStringView symbol, SystemColor color, QWidget* parent)
    : QAbstractButton(parent)
    , m_color(color)
{
    setText(title);
    setIcon(icons::icon(symbol));
    setAccessibleName(title);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void QuickActionButton::setShortcutText(const QString& shortcut)
{
    m_shortcut = shortcut;
    setAccessibleDescription(shortcut);
    update();
}

QSize QuickActionButton::sizeHint() const
{
    return {kWidth, kHeight};
}

void QuickActionButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colors = palette();
    const QColor tint = systemColor(m_color, colors);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    const qreal fill = isDown() ? 0.22 : (m_isHovering ? 0.14 : 0.0);
    painter.setPen(QPen(m_isHovering || hasFocus() ? tint : colors.color(QPalette::Mid), 1));
    painter.setBrush(blend(colors.color(QPalette::Base), tint, fill));
    painter.drawRoundedRect(frame, kRadius, kRadius);

    const QRect badge((width() - kBadge) / 2, 12, kBadge, kBadge);
    painter.setPen(Qt::NoPen);
    painter.setBrush(blend(colors.color(QPalette::Base), tint, 0.18));
    painter.drawEllipse(badge);
    const QRect iconRect(
        badge.center().x() - kIcon / 2 + 1, badge.center().y() - kIcon / 2 + 1, kIcon, kIcon);
    icon().paint(&painter, iconRect);

    QFont titleFont = font();
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(colors.color(QPalette::Text));
    const int titleTop = badge.bottom() + 8;
    const QFontMetrics titleMetrics(titleFont);
    painter.drawText(QRect(4, titleTop, width() - 8, titleMetrics.height()), Qt::AlignCenter,
        titleMetrics.elidedText(text(), Qt::ElideRight, width() - 8));
    if (!m_shortcut.isEmpty()) {
        QFont small = font();
        small.setPointSizeF(font().pointSizeF() * 0.85);
        painter.setFont(small);
        painter.setPen(colors.color(QPalette::PlaceholderText));
        painter.drawText(QRect(4, titleTop + titleMetrics.height() + 2, width() - 8,
                             QFontMetrics(small).height()),
            Qt::AlignCenter, m_shortcut);
    }
}

void QuickActionButton::enterEvent(QEnterEvent* event)
{
    m_isHovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void QuickActionButton::leaveEvent(QEvent* event)
{
    m_isHovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace mako
