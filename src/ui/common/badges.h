#pragma once

#include "model/requestenums.h"
#include "model/timestamp.h"
#include "ui/common/colors.h"
#include "ui/common/metricpill.h"
#include "ui/common/statusbadge.h"

#include <QString>

class QPainter;
class QPalette;
class QRect;

namespace mako {

/// The colour of a method's badge: GET green, POST orange, PUT blue, DELETE red, PATCH purple,
/// HEAD and OPTIONS grey.
SystemColor methodColor(HTTPMethod method);
/// The colour of the method named `name`; a custom method is grey.
SystemColor methodColor(QStringView name);

/// How long ago `timestamp` was, seen from `now`: "just now", "5 min. ago", "3 hr. ago",
/// "yesterday", "2 days ago", up to a week; older ones show their date.
QString relativeTimeText(Timestamp timestamp, Timestamp now = currentTimestamp());

/// A filled circle with a tick or a cross in `box`, drawn rather than taken from the icon theme
/// so it has the pass and fail colours whatever the theme: green for `passed`, red otherwise.
void drawOutcomeMark(QPainter* painter, const QRect& box, bool passed, const QPalette& palette);

} // namespace mako
