#pragma once

#include "interchange/foldercollection.h"
#include "model/apienvironment.h"
#include "model/apirequest.h"
#include "model/collection.h"
#include "state/folderdisk.h"
#include "state/serialworker.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QUuid>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace mako {

class CollectionStore;
class EnvironmentStore;

/// The collections that live in folders of their own (`Collection::folderPath`): it reads them
/// into the stores, writes the user's edits back into their files, and takes in what changes
/// in the folders from outside (a `git pull`, an editor) while Mako runs.
///
/// All file work runs on a thread of its own, one job at a time; what it read is applied to the
/// stores on the main thread in one step, with the narrowest notifications. Writes touch only
/// the files whose contents changed (so a file a person wrote by hand stays as written until
/// its request is edited), and a file that could not be read is never written over or removed.
/// Files as they were last read or written are remembered, so Mako's own writes do not come
/// back as outside changes.
class FolderCollections : public QObject {
    Q_OBJECT

public:
    /// Both stores outlive this object. Edits are written after `saveDelay` of quiet.
    FolderCollections(CollectionStore& collections, EnvironmentStore& environments,
        std::chrono::milliseconds saveDelay, QObject* parent = nullptr);
    /// Writes every pending edit.
    ~FolderCollections() override;

    /// Reads the folder of every collection that has one, as the data folder listed them, and
    /// puts what the folder holds in place of what the store holds for it.
    void loadAll();
    /// True while a read started by `loadAll` is still under way.
    bool isLoading() const { return m_loading > 0; }
    /// True when the collection `collectionID` is kept in a folder that has been read: only
    /// then are edits of it (and of its environments) written there.
    bool isLoaded(const QUuid& collectionID) const
    {
        const auto folder = m_folders.constFind(collectionID);
        return folder != m_folders.cend() && folder->loaded;
    }
    /// Reads the collection in `path` and appends it; one already open is left as it is.
    void open(const QString& path);
    /// Writes the collection into `path` and keeps it there from now on. `path` must be empty
    /// (or missing), or hold this very collection already.
    void moveTo(QUuid collectionID, const QString& path);
    /// Writes at once every folder whose edits are still waiting.
    void flush();
    /// Calls `done` on this object's thread once every read and write asked for so far is done.
    void whenIdle(QObject* context, std::function<void()> done) const;
    /// The quiet time before a change seen in a folder is read. Short, so that a `git pull`
    /// touching many files is read once, yet soon after.
    static constexpr std::chrono::milliseconds kReloadDelay {40};

Q_SIGNALS:
    /// Every read `loadAll` started has ended.
    void loadFinished();
    /// Something went wrong that the user should hear of.
    void failed(const QString& message);
    /// `open` or `moveTo` ended.
    void operationFinished(bool succeeded);
    /// A request of a folder collection changed on disk: it was `before`, it is `after` now.
    void requestReplaced(
        const QUuid& collectionID, const APIRequest& before, const APIRequest& after);

private:
    // What is on disk, as last read or written. Touched only by jobs on the worker thread.
    using Disk = FolderDisk;
    using Read = FolderRead;
    struct Folder {
        QString path;
        std::shared_ptr<Disk> disk = std::make_shared<Disk>();
        // The environments as last applied or written, to tell which edits are ours to write.
        QList<APIEnvironment> environments;
        QStringList problems;
        QString name;
        // Whether the store holds what the folder holds. Until then nothing is written: the
        // empty collection of a folder not yet read (or gone) would remove the team's files.
        bool loaded = false;
    };
    void watchStore();
    void markDirty(const QUuid& collectionID);
    void markEnvironmentsDirty();
    void saveDirty();
    void save(const QUuid& collectionID);
    void forgetRemoved();
    /// `changed`: the paths seen changing, when only those may need reading.
    void reload(const QUuid& collectionID, bool initial, const QSet<QString>& changed = {});
    void apply(const QUuid& collectionID, Read read, bool initial);
    void report(const QUuid& collectionID, const QList<FolderCollection::Problem>& problems);
    void watch(const QStringList& paths);
    void addPendingWatches();
    void finishOpen(const QString& path, std::shared_ptr<Disk> disk, Read read);
    void finishMove(const QUuid& collectionID, const QString& path, std::shared_ptr<Disk> disk,
        const std::optional<QString>& failure, const QStringList& watched);
    const APIRequest* findRequest(const QUuid& collectionID, const QUuid& requestID) const;
    void handlePathChanged(const QString& path);
    void reloadChanged();
    QList<APIEnvironment> environmentsOf(const QUuid& collectionID) const;

    CollectionStore& m_collections;
    EnvironmentStore& m_environments;
    QHash<QUuid, Folder> m_folders;
    QSet<QUuid> m_dirty;
    QHash<QUuid, QSet<QString>> m_changedOnDisk;
    // Paths waiting to be watched, a batch per turn of the event loop: thousands of watches
    // added at once would stall the window.
    QStringList m_pendingWatches;
    QSet<QString> m_pendingWatchSet;
    QTimer m_watchTimer;
    QTimer m_saveTimer;
    QTimer m_reloadTimer;
    QFileSystemWatcher m_watcher;
    int m_loading = 0;
    // Set while the stores take in what was read, so that it is not written straight back.
    bool m_applying = false;
    mutable SerialWorker m_worker {QStringLiteral("FolderCollections")};
};

} // namespace mako
