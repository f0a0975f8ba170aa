#include "state/foldercollections.h"

#include "state/collectionstore.h"
#include "state/environmentstore.h"
#include "state/listedits.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QScopeGuard>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

bool sameRows(const QList<KeyValuePair>& a, const QList<KeyValuePair>& b)
{
    return std::ranges::equal(a, b, [](KeyValuePair x, const KeyValuePair& y) {
        x.id = y.id;
        return x == y;
    });
}

bool sameEnvironments(const QList<APIEnvironment>& a, const QList<APIEnvironment>& b)
{
    return std::ranges::equal(a, b, [](const APIEnvironment& x, const APIEnvironment& y) {
        return x.id == y.id && x.name == y.name && sameRows(x.variables, y.variables);
    });
}

QString cleanFolderPath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

FolderCollections::FolderCollections(CollectionStore& collections, EnvironmentStore& environments,
    std::chrono::milliseconds saveDelay, QObject* parent)
    : QObject(parent)
    , m_collections(collections)
    , m_environments(environments)
{
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(saveDelay);
    connect(&m_saveTimer, &QTimer::timeout, this, &FolderCollections::saveDirty);
    m_reloadTimer.setSingleShot(true);
    m_reloadTimer.setInterval(kReloadDelay);
    connect(&m_reloadTimer, &QTimer::timeout, this, &FolderCollections::reloadChanged);
    connect(
        &m_watcher, &QFileSystemWatcher::fileChanged, this, &FolderCollections::handlePathChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
        &FolderCollections::handlePathChanged);
    watchStore();
}

FolderCollections::~FolderCollections()
{
    flush();
}

void FolderCollections::watchStore()
{
    const CollectionStore* store = &m_collections;
    const auto dirty = [this](const QUuid& id) { markDirty(id); };
    const auto dirtyRange = [this](const QUuid& id, int, int) { markDirty(id); };
    const auto dirtyItem = [this](const QUuid& id, const QUuid&) { markDirty(id); };
    connect(store, &CollectionStore::collectionChanged, this, dirty);
    connect(store, &CollectionStore::foldersInserted, this, dirtyRange);
    connect(store, &CollectionStore::foldersRemoved, this, dirtyRange);
    connect(store, &CollectionStore::requestsInserted, this, dirtyRange);
    connect(store, &CollectionStore::requestsRemoved, this, dirtyRange);
    connect(store, &CollectionStore::folderChanged, this, dirtyItem);
    connect(store, &CollectionStore::requestChanged, this, dirtyItem);
    connect(store, &CollectionStore::collectionsChanged, this, &FolderCollections::forgetRemoved);
    connect(&m_environments, &EnvironmentStore::environmentsChanged, this,
        &FolderCollections::markEnvironmentsDirty);
}

QList<APIEnvironment> FolderCollections::environmentsOf(const QUuid& collectionID) const
{
    QList<APIEnvironment> kept;
    for (const APIEnvironment& environment : m_environments.environments()) {
        if (environment.collectionID == collectionID)
            kept.append(environment);
    }
    return kept;
}

void FolderCollections::markDirty(const QUuid& collectionID)
{
    const auto folder = m_folders.constFind(collectionID);
    if (m_applying || folder == m_folders.cend() || !folder->loaded)
        return;
    m_dirty.insert(collectionID);
    m_saveTimer.start();
}

void FolderCollections::markEnvironmentsDirty()
{
    if (m_applying)
        return;
    for (auto folder = m_folders.cbegin(); folder != m_folders.cend(); ++folder) {
        if (!sameEnvironments(environmentsOf(folder.key()), folder->environments))
            markDirty(folder.key());
    }
}

void FolderCollections::flush()
{
    m_saveTimer.stop();
    saveDirty();
}

void FolderCollections::whenIdle(QObject* context, std::function<void()> done) const
{
    m_worker.post([self = const_cast<FolderCollections*>(this), context = QPointer(context),
                      done = std::move(done)] {
        QMetaObject::invokeMethod(
            self,
            [context, done] {
                if (context)
                    done();
            },
            Qt::QueuedConnection);
    });
}

void FolderCollections::saveDirty()
{
    const QSet<QUuid> dirty = std::exchange(m_dirty, {});
    for (const QUuid& id : dirty)
        save(id);
}

void FolderCollections::save(const QUuid& collectionID)
{
    m_dirty.remove(collectionID);
    const Collection* collection = m_collections.collection(collectionID);
    const auto folder = m_folders.find(collectionID);
    if (!collection || folder == m_folders.end() || !folder->loaded)
        return;
    FolderCollection::Contents contents {*collection, environmentsOf(collectionID)};
    // In its folder the collection is whole: the path is where it is, not part of it.
    contents.collection.folderPath.clear();
    folder->environments = contents.environments;
    m_worker.post([this, collectionID, path = folder->path, disk = folder->disk,
                      contents = std::move(contents)] {
        FolderCollection::Files files = FolderCollection::encode(contents);
        // A file whose part was not edited keeps the bytes it has, even where they are not the
        // ones Mako would write (a file written by hand), so that only edits show in a diff.
        const FolderCollection::Files before = FolderCollection::encode(disk->contents);
        for (auto file = files.begin(); file != files.end(); ++file) {
            const auto kept = disk->files.constFind(file.key());
            if (kept != disk->files.cend() && before.value(file.key()) == file.value())
                file.value() = kept.value();
        }
        // Files that did not parse are the user's to mend: never written over nor removed.
        for (auto file = disk->unreadable.cbegin(); file != disk->unreadable.cend(); ++file)
            files.insert(file.key(), file.value());
        QString reason;
        if (FolderCollection::write(path, files, disk->files, &reason)) {
            if (auto decoded = FolderCollection::decode(files))
                disk->remember(files, decoded.value());
            else
                disk->files = files;
            return;
        }
        // Whatever was written stays written: the next save starts from what is there now.
        if (auto now = FolderCollection::read(path))
            disk->files = now.value();
        QMetaObject::invokeMethod(
            this,
            [this, collectionID, path, reason] {
                // Tried again at the next edit, or when Mako quits.
                if (m_folders.contains(collectionID))
                    m_dirty.insert(collectionID);
                Q_EMIT failed(tr("Failed to save data: %1: %2. The changes stay in memory and "
                                 "are written again at the next change.")
                                  .arg(path, reason));
            },
            Qt::QueuedConnection);
    });
}

void FolderCollections::forgetRemoved()
{
    for (auto folder = m_folders.begin(); folder != m_folders.end();) {
        if (m_collections.collection(folder.key())) {
            ++folder;
            continue;
        }
        // Deleting the collection in Mako forgets the folder; the folder itself stays.
        QStringList watched;
        for (const QString& path : m_watcher.files() + m_watcher.directories()) {
            if (path == folder->path || path.startsWith(folder->path + u'/'))
                watched.append(path);
        }
        if (!watched.isEmpty())
            m_watcher.removePaths(watched);
        m_pendingWatches.removeIf([&](const QString& path) {
            return path == folder->path || path.startsWith(folder->path + u'/');
        });
        m_pendingWatchSet = QSet<QString>(m_pendingWatches.cbegin(), m_pendingWatches.cend());
        const QUuid id = folder.key();
        m_dirty.remove(id);
        m_changedOnDisk.remove(id);
        folder = m_folders.erase(folder);
        m_applying = true;
        m_environments.replaceCollectionEnvironments(id, {});
        m_applying = false;
    }
}

void FolderCollections::loadAll()
{
    forgetRemoved();
    for (const Collection& collection : m_collections.collections()) {
        if (collection.folderPath.isEmpty())
            continue;
        // A collection that was just put back as a bare reference (a restored backup) is read
        // again whole, and nothing waits to be written over it: its empty list is no edit.
        const QString path = cleanFolderPath(collection.folderPath);
        const auto known = m_folders.find(collection.id);
        if (known == m_folders.end() || known->path != path)
            m_folders.insert(collection.id, Folder {.path = path, .name = collection.name});
        else
            known->loaded = false;
        m_dirty.remove(collection.id);
        ++m_loading;
        reload(collection.id, true);
    }
}

void FolderCollections::reload(
    const QUuid& collectionID, bool initial, const QSet<QString>& changed)
{
    const auto folder = m_folders.constFind(collectionID);
    if (folder == m_folders.cend())
        return;
    m_worker.post([this, collectionID, initial, changed, path = folder->path, disk = folder->disk] {
        // One file changed among thousands: only it is read and decoded, where that is enough.
        std::optional<Read> quick;
        if (!initial && !changed.isEmpty())
            quick = readChangedFiles(path, *disk, changed);
        Read read = quick ? std::move(*quick) : readFolder(path, *disk, !initial);
        QMetaObject::invokeMethod(
            this,
            [this, collectionID, initial, read = std::move(read)]() mutable {
                apply(collectionID, std::move(read), initial);
            },
            Qt::QueuedConnection);
    });
}

void FolderCollections::apply(const QUuid& collectionID, Read read, bool initial)
{
    const auto finishLoad = qScopeGuard([this, initial] {
        if (initial && --m_loading == 0)
            Q_EMIT loadFinished();
    });
    const auto folder = m_folders.find(collectionID);
    const Collection* current = m_collections.collection(collectionID);
    if (folder == m_folders.end() || !current)
        return;
    watch(read.watched);
    if (read.failure) {
        // The collection stays listed, empty, so the user's reference is not dropped unseen.
        Q_EMIT failed(tr("The collection “%1” could not be read from %2: %3")
                          .arg(current->name, folder->path, *read.failure));
        return;
    }
    if (!read.changed)
        return;
    if (m_dirty.contains(collectionID) && folder->loaded) {
        // An edit is waiting: it is written first (only its files), then the folder is read
        // again, so neither the edit nor the outside change is lost.
        save(collectionID);
        reload(collectionID, false);
        return;
    }
    Collection next = std::move(read.contents.collection);
    next.id = collectionID;
    next.folderPath = folder->path;
    next.createdAt = current->createdAt;
    const Collection before = *current;
    QHash<QUuid, qsizetype> beforeAt;
    for (qsizetype index = 0; index < before.requests.size(); ++index)
        beforeAt.insert(before.requests[index].id, index);
    QList<APIRequest> replaced;
    for (APIRequest& request : next.requests) {
        const qsizetype index = beforeAt.value(request.id, -1);
        if (index < 0)
            continue;
        if (!read.touched.contains(request.id))
            request = before.requests[index];
        else
            replaced.append(before.requests[index]);
    }
    if (sameRows(before.variables, next.variables))
        next.variables = before.variables;
    QList<APIEnvironment> environments = std::move(read.contents.environments);
    for (APIEnvironment& environment : environments)
        environment.collectionID = collectionID;
    m_applying = true;
    m_collections.replaceContents(next);
    m_environments.replaceCollectionEnvironments(collectionID, environments);
    m_applying = false;
    // Found again: the stores' notifications may have changed the folders.
    if (const auto kept = m_folders.find(collectionID); kept != m_folders.end()) {
        kept->environments = environmentsOf(collectionID);
        kept->name = next.name;
        kept->loaded = true;
    }
    for (const APIRequest& old : replaced) {
        if (const APIRequest* now = findRequest(collectionID, old.id))
            Q_EMIT requestReplaced(collectionID, old, *now);
    }
    report(collectionID, read.problems);
}

const APIRequest* FolderCollections::findRequest(
    const QUuid& collectionID, const QUuid& requestID) const
{
    const Collection* collection = m_collections.collection(collectionID);
    const int index = collection ? indexOfID(collection->requests, requestID) : -1;
    return index < 0 ? nullptr : &collection->requests[index];
}

void FolderCollections::report(
    const QUuid& collectionID, const QList<FolderCollection::Problem>& problems)
{
    const auto folder = m_folders.find(collectionID);
    if (folder == m_folders.end())
        return;
    QStringList lines;
    for (const FolderCollection::Problem& problem : problems) {
        lines.append(problem.reason.startsWith(problem.path)
                ? problem.reason
                : problem.path + u": "_s + problem.reason);
    }
    // Told once, not again at every change while the same files stay broken.
    if (lines == folder->problems)
        return;
    folder->problems = lines;
    if (lines.isEmpty())
        return;
    Q_EMIT failed(tr("%n file(s) of “%1” could not be read: %2", nullptr, int(lines.size()))
                      .arg(folder->name, lines.join(u"; "_s)));
}

void FolderCollections::watch(const QStringList& paths)
{
    // Writes that replace a file (ours, git's, most editors') end the watch of the file they
    // replace, so what is not watched any more is watched again after every read.
    const QStringList watchedFiles = m_watcher.files();
    const QStringList watchedFolders = m_watcher.directories();
    QSet<QString> watched(watchedFiles.cbegin(), watchedFiles.cend());
    watched.unite(QSet<QString>(watchedFolders.cbegin(), watchedFolders.cend()));
    for (const QString& path : paths) {
        if (!watched.contains(path) && !m_pendingWatchSet.contains(path)) {
            m_pendingWatches.append(path);
            m_pendingWatchSet.insert(path);
        }
    }
    addPendingWatches();
}

void FolderCollections::addPendingWatches()
{
    constexpr qsizetype kBatch = 500;
    const QStringList batch = m_pendingWatches.first(std::min(kBatch, m_pendingWatches.size()));
    m_pendingWatches.remove(0, batch.size());
    for (const QString& path : batch)
        m_pendingWatchSet.remove(path);
    if (!batch.isEmpty())
        m_watcher.addPaths(batch);
    if (m_pendingWatches.isEmpty())
        m_watchTimer.stop();
    else
        m_watchTimer.start();
}

void FolderCollections::handlePathChanged(const QString& path)
{
    for (auto folder = m_folders.cbegin(); folder != m_folders.cend(); ++folder) {
        if (path == folder->path || path.startsWith(folder->path + u'/')) {
            m_changedOnDisk[folder.key()].insert(path);
            m_reloadTimer.start();
        }
    }
}

void FolderCollections::reloadChanged()
{
    const QHash<QUuid, QSet<QString>> changed = std::exchange(m_changedOnDisk, {});
    for (auto folder = changed.cbegin(); folder != changed.cend(); ++folder) {
        if (m_dirty.contains(folder.key()))
            save(folder.key());
        reload(folder.key(), false, folder.value());
    }
}

void FolderCollections::open(const QString& path)
{
    const QString folderPath = cleanFolderPath(path);
    for (const Folder& folder : std::as_const(m_folders)) {
        if (folder.path == folderPath) {
            Q_EMIT operationFinished(true);
            return;
        }
    }
    auto disk = std::make_shared<Disk>();
    m_worker.post([this, folderPath, disk] {
        Read read;
        if (!QFileInfo::exists(
                QDir(folderPath)
                    .filePath(QStringView(FolderCollection::kCollectionFile).toString()))) {
            read.failure = tr("This folder holds no collection.json.");
            read.changed = false;
        } else {
            read = readFolder(folderPath, *disk, false);
        }
        QMetaObject::invokeMethod(
            this,
            [this, folderPath, disk, read = std::move(read)]() mutable {
                finishOpen(folderPath, disk, std::move(read));
            },
            Qt::QueuedConnection);
    });
}

void FolderCollections::finishOpen(const QString& path, std::shared_ptr<Disk> disk, Read read)
{
    if (read.failure) {
        Q_EMIT failed(read.changed ? tr("The folder %1 could not be opened as a collection: %2")
                                         .arg(path, *read.failure)
                                   : *read.failure);
        Q_EMIT operationFinished(false);
        return;
    }
    Collection collection = std::move(read.contents.collection);
    // A second copy of the same repository is a collection of its own.
    if (m_collections.collection(collection.id))
        collection.id = QUuid::createUuid();
    collection.folderPath = path;
    QList<APIEnvironment> environments = std::move(read.contents.environments);
    for (APIEnvironment& environment : environments)
        environment.collectionID = collection.id;
    m_folders.insert(collection.id,
        Folder {.path = path, .disk = std::move(disk), .name = collection.name, .loaded = true});
    m_applying = true;
    m_collections.appendCollection(collection);
    m_environments.replaceCollectionEnvironments(collection.id, environments);
    m_applying = false;
    if (const auto folder = m_folders.find(collection.id); folder != m_folders.end())
        folder->environments = environmentsOf(collection.id);
    watch(read.watched);
    report(collection.id, read.problems);
    Q_EMIT operationFinished(true);
}

void FolderCollections::moveTo(QUuid collectionID, const QString& path)
{
    const Collection* collection = m_collections.collection(collectionID);
    if (!collection)
        return;
    const QString folderPath = cleanFolderPath(path);
    FolderCollection::Contents contents {*collection, environmentsOf(collectionID)};
    contents.collection.folderPath.clear();
    auto disk = std::make_shared<Disk>();
    m_worker.post([this, collectionID, folderPath, disk, contents = std::move(contents)] {
        std::optional<QString> failure;
        FolderCollection::Files previous;
        const QDir folder(folderPath);
        const bool empty = folder.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        if (folder.exists() && !empty) {
            // Only a folder that holds this very collection is written into: anything else
            // there is someone's work.
            auto files = FolderCollection::read(folderPath);
            auto decoded = files ? FolderCollection::decode(files.value())
                                 : Result<FolderCollection::Decoded>(files.error());
            if (decoded && decoded.value().contents.collection.id == collectionID)
                previous = files.value();
            else
                failure = tr("%1 is not empty and holds no copy of this collection. Choose an "
                             "empty folder.")
                              .arg(folderPath);
        }
        FolderCollection::Files files;
        if (!failure) {
            files = FolderCollection::encode(contents);
            QString reason;
            if (FolderCollection::write(folderPath, files, previous, &reason)) {
                if (auto decoded = FolderCollection::decode(files))
                    disk->remember(files, decoded.value());
            } else {
                failure = tr("Failed to save data: %1: %2").arg(folderPath, reason);
            }
        }
        const QStringList watched = failure ? QStringList {} : pathsToWatch(folderPath, files);
        QMetaObject::invokeMethod(
            this,
            [this, collectionID, folderPath, disk, failure, watched] {
                finishMove(collectionID, folderPath, disk, failure, watched);
            },
            Qt::QueuedConnection);
    });
}

void FolderCollections::finishMove(const QUuid& collectionID, const QString& path,
    std::shared_ptr<Disk> disk, const std::optional<QString>& failure, const QStringList& watched)
{
    if (failure || !m_collections.collection(collectionID)) {
        if (failure)
            Q_EMIT failed(*failure);
        Q_EMIT operationFinished(false);
        return;
    }
    m_folders.insert(collectionID,
        Folder {.path = path,
            .disk = std::move(disk),
            .environments = environmentsOf(collectionID),
            .name = m_collections.collection(collectionID)->name,
            .loaded = true});
    m_applying = true;
    m_collections.setFolderPath(collectionID, path);
    m_applying = false;
    watch(watched);
    // Edits made while the folder was written are written after it, as any edit.
    m_dirty.insert(collectionID);
    m_saveTimer.start();
    Q_EMIT operationFinished(true);
}

} // namespace mako
