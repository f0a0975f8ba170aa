#include "state/appstate.h"
#include "state/settings.h"

namespace mako {

// The history operations of AppState.

void AppState::addHistoryItem(const APIRequest& request, int statusCode, double duration)
{
    QList<HistoryItem> history = m_history;
    history.prepend(
        HistoryItem {.request = request, .statusCode = statusCode, .duration = duration});
    setHistory(trimmedHistory(std::move(history)));
}

QList<HistoryItem> AppState::trimmedHistory(QList<HistoryItem> history) const
{
    // Read each time, so a lowered limit takes effect at the next send.
    const int stored = m_settings->historyRetention();
    const int limit = stored >= 1 ? stored : kDefaultHistoryRetention;
    if (history.size() > limit)
        history.resize(limit);
    return history;
}

void AppState::clearHistory()
{
    setHistory({});
}

} // namespace mako
