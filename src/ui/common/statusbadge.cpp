#include "ui/common/statusbadge.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

namespace mako {

namespace {

QFont badgeFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

constexpr int kPadX = 6;
constexpr int kPadY = 2;

} // namespace

SystemColor statusColor(int statusCode)
{
    if (statusCode >= 200 && statusCode < 300)
        return SystemColor::green;
    if (statusCode >= 300 && statusCode < 400)
        return SystemColor::blue;
    if (statusCode >= 400 && statusCode < 500)
        return SystemColor::orange;
    if (statusCode >= 500 && statusCode < 600)
        return SystemColor::red;
    return SystemColor::grey;
}

QSize statusBadgeSize(int statusCode)
{
    const QFontMetrics metrics(badgeFont());
    return {metrics.horizontalAdvance(QString::number(statusCode)) + 2 * kPadX,
        metrics.height() + 2 * kPadY};
}

void paintStatusBadge(QPainter& painter, const QRect& rect, int statusCode, const QPalette& palette)
{
    const QColor color = systemColor(statusColor(statusCode), palette);
    const QSize size = statusBadgeSize(statusCode).boundedTo(rect.size());
    QRect badge(QPoint(), size);
    badge.moveCenter(rect.center());
    badge.moveLeft(rect.left());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = color;
    fill.setAlphaF(0.12f);
    QPainterPath path;
    path.addRoundedRect(QRectF(badge), 4, 4);
    painter.fillPath(path, fill);
    painter.setFont(badgeFont());
    painter.setPen(color);
    painter.drawText(badge, Qt::AlignCenter, QString::number(statusCode));
    painter.restore();
}

StatusBadge::StatusBadge(int statusCode, QWidget* parent)
    : QWidget(parent)
    , m_statusCode(statusCode)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QString::number(statusCode));
    setAccessibleDescription(tr("HTTP status code"));
}

void StatusBadge::setStatusCode(int statusCode)
{
    if (statusCode == m_statusCode)
        return;
    m_statusCode = statusCode;
    setAccessibleName(QString::number(statusCode));
    updateGeometry();
    update();
}

QSize StatusBadge::sizeHint() const
{
    return statusBadgeSize(m_statusCode);
}

void StatusBadge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintStatusBadge(painter, rect(), m_statusCode, palette());
}

} // namespace mako
