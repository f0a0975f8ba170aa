#include "ui/common/badges.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace mako {

SystemColor methodColor(HTTPMethod method)
{
    switch (method) {
    case HTTPMethod::get:
        return SystemColor::green;
    case HTTPMethod::post:
        return SystemColor::orange;
    case HTTPMethod::put:
        return SystemColor::blue;
    case HTTPMethod::delete_:
        return SystemColor::red;
    case HTTPMethod::patch:
        return SystemColor::purple;
    case HTTPMethod::head:
    case HTTPMethod::options:
    case HTTPMethod::custom:
        break;
    }
    return SystemColor::grey;
}

SystemColor methodColor(QStringView name)
{
    return methodColor(fromRawValue<HTTPMethod>(name).value_or(HTTPMethod::custom));
}

QString relativeTimeText(Timestamp timestamp, Timestamp now)
{
    // Each text written out in its own translate(), where lupdate sees it; lupdate also loses
    // its way on arithmetic among the arguments, so the counts are worked out before.
    const qint64 seconds = static_cast<qint64>(std::floor(now - timestamp));
    const int minutes = static_cast<int>(seconds / 60);
    const int hours = static_cast<int>(seconds / 3600);
    const int days = static_cast<int>(seconds / 86400);
    if (seconds < 60)
        return QCoreApplication::translate("RelativeTime", "just now");
    if (seconds < 3600)
        return QCoreApplication::translate("RelativeTime", "%n min. ago", nullptr, minutes);
    if (seconds < 86400)
        return QCoreApplication::translate("RelativeTime", "%n hr. ago", nullptr, hours);
    if (days < 2)
        return QCoreApplication::translate("RelativeTime", "yesterday");
    if (days < 7)
        return QCoreApplication::translate("RelativeTime", "%n days ago", nullptr, days);
    return QLocale().toString(
        timestampToDateTime(timestamp).toLocalTime().date(), QLocale::ShortFormat);
}

void drawOutcomeMark(QPainter* painter, const QRect& box, bool passed, const QPalette& palette)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(systemColor(passed ? SystemColor::green : SystemColor::red, palette));
    painter->drawEllipse(box);
    QPen mark(Qt::white, std::max(1.5, box.width() / 8.0), Qt::SolidLine, Qt::RoundCap);
    painter->setPen(mark);
    const QRectF inner = QRectF(box).adjusted(
        box.width() * 0.28, box.height() * 0.28, -box.width() * 0.28, -box.height() * 0.28);
    if (passed) {
        QPainterPath tick;
        tick.moveTo(inner.left(), inner.center().y());
        tick.lineTo(inner.left() + inner.width() * 0.4, inner.bottom());
        tick.lineTo(inner.right(), inner.top());
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
    } else {
        painter->drawLine(inner.topLeft(), inner.bottomRight());
        painter->drawLine(inner.topRight(), inner.bottomLeft());
    }
}

} // namespace mako
