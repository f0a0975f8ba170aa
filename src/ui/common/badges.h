#pragma once

#include "model/requestenums.h"
#include "model/timestamp.h"
#include "ui/common/colors.h"
#include "ui/common/metricpill.h"
#include "ui/common/statusbadge.h"

#include <QString>

namespace mako {

/// The colour of a method's badge: GET green, POST orange, PUT blue, DELETE red, PATCH purple,
/// HEAD and OPTIONS grey.
SystemColor methodColor(HTTPMethod method);

/// How long ago `timestamp` was, seen from `now`: "just now", "5 min. ago", "3 hr. ago",
/// "yesterday", "2 days ago", up to a week; older ones show their date.
QString relativeTimeText(Timestamp timestamp, Timestamp now = currentTimestamp());

} // namespace mako
