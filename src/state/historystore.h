#pragma once

#include "model/apirequest.h"
#include "model/historyitem.h"
#include "state/listsaver.h"

#include <QList>
#include <QObject>

#include <chrono>

namespace mako {

class PersistenceService;
class Settings;

/// The request history, newest first and cut to the retention limit, its saves and its
/// notifications. `AppState` owns the one instance and is its only writer; everyone else reads
/// it and listens to it through `AppState::historyStore()`. Notifications follow the rules of
/// `CollectionStore`: a recorded request is an insertion at row 0, the entries cut by the limit
/// a removal of the last rows.
class HistoryStore : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultRetention = 100;

    /// Both outlive the store. Changes are written after `autoSaveDelay` of quiet.
    HistoryStore(PersistenceService* persistence, Settings* settings,
        std::chrono::milliseconds autoSaveDelay, QObject* parent = nullptr);

    /// Newest first.
    const QList<HistoryItem>& history() const { return m_history; }
    /// The most entries kept, read from the settings now.
    int retentionLimit() const;

    /// Records a sent request at the front and trims the history to the retention limit.
    void addHistoryItem(const APIRequest& request, int statusCode, double duration);
    void clearHistory();

    /// Writes the history at once, in place of the pending auto-save.
    void save() { m_saver.saveNow(); }

Q_SIGNALS:
    void historyInserted(int first, int last);
    void historyRemoved(int first, int last);
    /// Once after every operation that changed the history.
    void historyChanged();

private:
    friend class AppState;
    /// The stored entries have been read (none when the file failed): they go after what was
    /// recorded meanwhile, within the limit, and what was recorded meanwhile is written.
    void finishLoad(const QList<HistoryItem>& stored);
    /// Replaces the whole history (a restored backup); the caller writes it.
    void replaceAll(const QList<HistoryItem>& history);
    ListSaver& saver() { return m_saver; }

    bool removeFrom(qsizetype first);
    bool append(const QList<HistoryItem>& items);
    void finish(bool changed);

    PersistenceService* m_persistence;
    Settings* m_settings;
    QList<HistoryItem> m_history;
    ListSaver m_saver;
};

} // namespace mako
