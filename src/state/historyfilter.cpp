#include "state/historyfilter.h"

namespace mako {

QList<HistoryItem> filteredHistory(const QList<HistoryItem>& history, const QString& searchText)
{
    if (searchText.isEmpty())
        return history;
    QList<HistoryItem> matches;
    for (const HistoryItem& item : history) {
        if (item.request.url.contains(searchText, Qt::CaseInsensitive)
            || item.request.name.contains(searchText, Qt::CaseInsensitive))
            matches.append(item);
    }
    return matches;
}

} // namespace mako
