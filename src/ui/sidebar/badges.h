#pragma once

#include "model/requestenums.h"
#include "model/timestamp.h"
#include "ui/common/colors.h"

#include <QString>

namespace mako {

/// The colour of a method's badge: GET green, POST orange, PUT blue, DELETE red, PATCH purple,
/// HEAD and OPTIONS grey.
SystemColor methodColor(HTTPMethod method);

/// The colour of a status code: 2xx green, 3xx blue, 4xx orange, 5xx red, anything else grey.
SystemColor statusColor(int statusCode);

/// A duration in seconds as whole milliseconds, the fraction dropped: "123ms".
QString millisecondsText(double seconds);

/// How long ago `timestamp` was, seen from `now`: "just now", "5 min. ago", "3 hr. ago",
/// "yesterday", "2 days ago", up to a week; older ones show their date.
QString relativeTimeText(Timestamp timestamp, Timestamp now = currentTimestamp());

} // namespace mako
