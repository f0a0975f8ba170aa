#pragma once

#include <QDateTime>

namespace mako {

/// Points in time are held as seconds since 2001-01-01 00:00:00 UTC, the form the data files use.
using Timestamp = double;

/// Seconds between the Unix epoch and 2001-01-01 00:00:00 UTC.
inline constexpr double kReferenceDateOffset = 978307200.0;

Timestamp currentTimestamp();
QDateTime timestampToDateTime(Timestamp timestamp);
Timestamp timestampFromDateTime(const QDateTime& dateTime);

} // namespace mako
