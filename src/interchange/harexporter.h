#pragma once

#include "model/historyitem.h"

#include <QByteArray>
#include <QList>

namespace mako::HarExporter {

/// The history as a HAR 1.2 log, one entry per item in the order given. History keeps the
/// request as composed (its {{placeholders}} unsubstituted), the status and the time, but no
/// reply: each response holds its status and leaves headers and content empty, as HAR allows.
QByteArray exportHistory(const QList<HistoryItem>& history);

inline constexpr auto kDefaultFileName = u"mako-history.har";

} // namespace mako::HarExporter
