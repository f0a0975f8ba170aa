#include "ui/common/badges.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

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
        break;
    }
    return SystemColor::grey;
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

} // namespace mako
