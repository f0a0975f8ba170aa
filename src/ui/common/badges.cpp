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
    const auto tr = [](const char* text, qint64 n = 0) {
        return QCoreApplication::translate("RelativeTime", text).arg(n);
    };
    const qint64 seconds = static_cast<qint64>(std::floor(now - timestamp));
    if (seconds < 60)
        return QCoreApplication::translate("RelativeTime", "just now");
    if (seconds < 3600)
        return tr("%1 min. ago", seconds / 60);
    if (seconds < 86400)
        return tr("%1 hr. ago", seconds / 3600);
    if (seconds < 2 * 86400)
        return QCoreApplication::translate("RelativeTime", "yesterday");
    if (seconds < 7 * 86400)
        return tr("%1 days ago", seconds / 86400);
    return QLocale().toString(
        timestampToDateTime(timestamp).toLocalTime().date(), QLocale::ShortFormat);
}

} // namespace mako
