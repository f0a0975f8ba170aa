#pragma once

#include "interchange/collectionexporter.h"
#include "model/apienvironment.h"
#include "model/apirequest.h"
#include "model/collection.h"
#include "model/historyitem.h"
#include "model/keyvaluepair.h"
#include "model/result.h"
#include "state/serialworker.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QUuid>

#include <chrono>
#include <functional>
#include <optional>

namespace mako {

class PersistenceService;
class Settings;

/// The one observable state of the application. It lives on the main thread; every field has
/// a change signal, and replacing a list, or any record inside it, is a change of the list.
///
/// Construction starts the load of the three data files and returns at once; the lists fill
/// in when the load completes, after which changes of collections and environments are also
/// saved by a debounced auto-save.
class AppState : public QObject {
    Q_OBJECT

public:
    /// What the sidebar list has selected: one collection, or the history.
    struct SidebarItem {
        enum class Kind { collection, history };
        Kind kind = Kind::history;
        QUuid collectionID;

        static SidebarItem history() { return {}; }
        static SidebarItem collection(const QUuid& id) { return {Kind::collection, id}; }
        bool operator==(const SidebarItem&) const = default;
    };

private:
    Q_PROPERTY(QList<mako::Collection> collections READ collections WRITE setCollections NOTIFY
            collectionsChanged)
    Q_PROPERTY(QList<mako::APIEnvironment> environments READ environments WRITE setEnvironments
            NOTIFY environmentsChanged)
    Q_PROPERTY(QList<mako::HistoryItem> history READ history WRITE setHistory NOTIFY historyChanged)
    Q_PROPERTY(mako::AppState::SidebarItem selectedSidebarItem READ selectedSidebarItem WRITE
            setSelectedSidebarItem NOTIFY selectedSidebarItemChanged)
    Q_PROPERTY(std::optional<QString> alertMessage READ alertMessage WRITE setAlertMessage NOTIFY
            alertMessageChanged)
    Q_PROPERTY(QList<mako::KeyValuePair> globalVariables READ globalVariables WRITE
            setGlobalVariables NOTIFY globalVariablesChanged)
    Q_PROPERTY(bool didLoad READ didLoad NOTIFY didLoadChanged)

public:
    static constexpr std::chrono::milliseconds kAutoSaveDelay {500};
    static constexpr int kDefaultHistoryRetention = 100;

    /// `persistence` and `settings` must outlive the state. `autoSaveDelay` is the quiet time
    /// after the last change of a list before the auto-save writes it.
    AppState(PersistenceService* persistence, Settings* settings, QObject* parent = nullptr,
        std::chrono::milliseconds autoSaveDelay = kAutoSaveDelay);

    const QList<Collection>& collections() const { return m_collections; }
    void setCollections(QList<Collection> collections);
    const QList<APIEnvironment>& environments() const { return m_environments; }
    void setEnvironments(QList<APIEnvironment> environments);
    /// Newest first.
    const QList<HistoryItem>& history() const { return m_history; }
    void setHistory(QList<HistoryItem> history);
    const SidebarItem& selectedSidebarItem() const { return m_selectedSidebarItem; }
    void setSelectedSidebarItem(const SidebarItem& item);
    /// The one pending error message for the user; the shell clears it when shown.
    const std::optional<QString>& alertMessage() const { return m_alertMessage; }
    void setAlertMessage(const std::optional<QString>& message);
    /// Variables of every environment; kept in memory only.
    const QList<KeyValuePair>& globalVariables() const { return m_globalVariables; }
    void setGlobalVariables(QList<KeyValuePair> variables);
    /// True once the start-up load has finished, whatever its outcome.
    bool didLoad() const { return m_didLoad; }

    std::optional<APIEnvironment> activeEnvironment() const;
    /// The variable set to send with, made fresh on every call.
    std::optional<APIEnvironment> mergedEnvironment() const;
    /// Makes the environment with `id` the only active one (none for no id or an unknown one)
    /// and saves the environments.
    void setActiveEnvironment(const std::optional<QUuid>& id);
    /// Appends an inactive environment with one blank enabled row and saves.
    void addEnvironment(const QString& name);
    /// Removes every environment with `id` and saves, even when none matched.
    void deleteEnvironment(const QUuid& id);

    /// Records a sent request at the front of the history, trims it to the retention limit read
    /// now, and saves it.
    void addHistoryItem(const APIRequest& request, int statusCode, double duration);
    /// Empties the history and writes an empty list.
    void clearHistory();

    /// Hand a snapshot of the list, as it is now, to the persistence service. Before the
    /// list's file has been read back they do nothing: the load adds what was made meanwhile
    /// to the stored records and saves the union.
    void saveCollections();
    void saveEnvironments();

    // ---- Files the user picks: imports and exports (appstateimport.cpp) ----------------------
    // Each reads and writes its file off the main thread and applies the result here. A
    // failure becomes `alertMessage`; the backup ones are also printed as a diagnostic line.
    // Every call that starts ends with one `fileOperationFinished`.

    /// Appends the collection, and its variables (when it has any) as an inactive environment.
    void importPostmanCollection(const QString& path);
    /// Appends the environment, not active.
    void importPostmanEnvironment(const QString& path);
    /// Appends a native collection file's collection. It keeps its ids unless the collection
    /// or one of its requests is already here; then the copy gets fresh ones.
    void importMakoCollection(const QString& path);
    /// Writes the collection with `collectionID` as a native collection file; an unknown id
    /// does nothing.
    void exportCollection(const QUuid& collectionID, const QString& path);
    /// Writes the three data files, as last saved, into one backup file.
    void exportAllData(const QString& path);
    /// Replaces every list the backup holds, here and in its data file. Nothing is replaced
    /// unless every list in the file is valid.
    void importAllData(const QString& path);

Q_SIGNALS:
    /// One import or export ended.
    void fileOperationFinished(bool succeeded);

private:
    void runFileJob(std::function<std::function<void()>()> job);
    void applyBackup(const CollectionExporter::BackupContents& contents);
    void finishFileOperation(const std::optional<QString>& failure, bool diagnostic = false);

    SerialWorker m_fileWorker {QStringLiteral("AppStateFiles")};
    // ---- end of imports and exports ----------------------------------------------------------

Q_SIGNALS:
    void collectionsChanged();
    void environmentsChanged();
    void historyChanged();
    void selectedSidebarItemChanged();
    void alertMessageChanged();
    void globalVariablesChanged();
    /// The start-up load has finished and auto-save is on.
    void didLoadChanged();

private:
    void loadData();
    void setupAutoSave();
    template <typename T>
    void finishLoad(const QString& fileName, Result<QList<T>> loaded, const QList<T>& current,
        void (AppState::*assign)(QList<T>), void (AppState::*save)());
    void reportLoadFailure(const QString& description);
    bool isRead(const QString& fileName) const { return m_readFiles.contains(fileName); }
    void saveHistory();

    PersistenceService* m_persistence;
    Settings* m_settings;

    QList<Collection> m_collections;
    QList<APIEnvironment> m_environments;
    QList<HistoryItem> m_history;
    SidebarItem m_selectedSidebarItem;
    std::optional<QString> m_alertMessage;
    QList<KeyValuePair> m_globalVariables;
    bool m_didLoad = false;

    QTimer m_collectionsAutoSave;
    QTimer m_environmentsAutoSave;
    QStringList m_loadFailures;
    QSet<QString> m_readFiles;
};

} // namespace mako
