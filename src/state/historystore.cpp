#include "state/historystore.h"

#include "state/listedits.h"
#include "state/persistenceservice.h"
#include "state/settings.h"

#include <algorithm>

namespace mako {

HistoryStore::HistoryStore(PersistenceService* persistence, Settings* settings,
    std::chrono::milliseconds autoSaveDelay, QObject* parent)
    : QObject(parent)
    , m_persistence(persistence)
    , m_settings(settings)
    , m_saver(persistence, PersistenceService::kHistoryFile, autoSaveDelay,
          [this] { m_persistence->save(m_history, PersistenceService::kHistoryFile); })
{
    connect(this, &HistoryStore::historyChanged, &m_saver, &ListSaver::scheduleSave);
}

int HistoryStore::retentionLimit() const
{
    // Read each time, so a lowered limit takes effect at the next send.
    const int stored = m_settings->historyRetention();
    return stored >= 1 ? stored : kDefaultRetention;
}

void HistoryStore::finish(bool changed)
{
    if (changed)
        Q_EMIT historyChanged();
}

bool HistoryStore::removeFrom(qsizetype first)
{
    if (first >= m_history.size())
        return false;
    const int last = int(m_history.size()) - 1;
    m_history.resize(first);
    Q_EMIT historyRemoved(int(first), last);
    return true;
}

bool HistoryStore::append(const QList<HistoryItem>& items)
{
    return appendAll(
        m_history, items, [this](int first, int last) { Q_EMIT historyInserted(first, last); });
}

void HistoryStore::addHistoryItem(const APIRequest& request, int statusCode, double duration)
{
    m_history.prepend(
        HistoryItem {.request = request, .statusCode = statusCode, .duration = duration});
    Q_EMIT historyInserted(0, 0);
    removeFrom(retentionLimit());
    finish(true);
}

void HistoryStore::clearHistory()
{
    finish(removeFrom(0));
}

void HistoryStore::finishLoad(const QList<HistoryItem>& stored)
{
    m_saver.markRead();
    const bool addedMeanwhile = !m_history.isEmpty();
    // Only as many stored entries as the limit leaves room for are added.
    const qsizetype room = std::max<qsizetype>(0, retentionLimit() - m_history.size());
    finish(append(stored.first(std::min(room, stored.size()))));
    if (addedMeanwhile)
        m_saver.saveNow();
    else
        m_saver.cancelPending();
}

void HistoryStore::replaceAll(const QList<HistoryItem>& history)
{
    const bool removed = removeFrom(0);
    finish(append(history) || removed);
    m_saver.cancelPending();
}

} // namespace mako
