#include "model/timestamp.h"

#include <chrono>

namespace mako {

Timestamp currentTimestamp()
{
    // Microsecond resolution: two records made in quick succession should not share a time.
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<microseconds>(system_clock::now().time_since_epoch());
    return static_cast<double>(sinceEpoch.count()) / 1e6 - kReferenceDateOffset;
}

QDateTime timestampToDateTime(Timestamp timestamp)
{
    const auto msecs = static_cast<qint64>((timestamp + kReferenceDateOffset) * 1000.0);
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

Timestamp timestampFromDateTime(const QDateTime& dateTime)
{
    return static_cast<double>(dateTime.toMSecsSinceEpoch()) / 1000.0 - kReferenceDateOffset;
}

} // namespace mako
