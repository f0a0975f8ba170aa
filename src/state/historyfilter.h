#pragma once

#include "model/historyitem.h"

#include <QList>
#include <QString>

namespace mako {

/// The entries the history list shows for `searchText`: all of them when it is empty, else
/// those whose request URL or name contains it, ignoring case, in history order.
QList<HistoryItem> filteredHistory(const QList<HistoryItem>& history, const QString& searchText);

} // namespace mako
