#include "ui/screens/responsestatuslabel.h"

#include <QPainter>

namespace mako {

SystemColor statusCodeColor(int statusCode)
{
    if (statusCode >= 200 && statusCode <= 299)
        return SystemColor::green;
    if (statusCode >= 300 && statusCode <= 399)
        return SystemColor::blue;
    if (statusCode >= 400 && statusCode <= 499)
        return SystemColor::orange;
    if (statusCode >= 500 && statusCode <= 599)
        return SystemColor::red;
    return SystemColor::grey;
}

ResponseStatusLabel::ResponseStatusLabel(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setContentsMargins(8, 2, 8, 2);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void ResponseStatusLabel::setStatusCode(int statusCode)
{
    m_statusCode = statusCode;
    setText(QString::number(statusCode));
    setAccessibleName(tr("Status %1").arg(statusCode));
}

void ResponseStatusLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = systemColor(statusCodeColor(m_statusCode), palette());
    painter.setPen(Qt::NoPen);
    painter.setBrush(blend(palette().color(QPalette::Window), color, 0.2));
    painter.drawRoundedRect(rect(), 4, 4);
    painter.setPen(color);
    painter.drawText(contentsRect(), Qt::AlignCenter, text());
}

} // namespace mako
