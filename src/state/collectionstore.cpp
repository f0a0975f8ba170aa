#include "state/collectionstore.h"

#include "state/listedits.h"
#include "state/persistenceservice.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>

namespace mako {

// Folders only list ids of requests that the collection itself holds, so removing a request
// also takes its id out of every folder first: no notification ever shows a folder listing a
// request that is gone because of the same operation.

CollectionStore::CollectionStore(
    PersistenceService* persistence, std::chrono::milliseconds autoSaveDelay, QObject* parent)
    : QObject(parent)
    , m_persistence(persistence)
    , m_saver(persistence, PersistenceService::kCollectionsFile, autoSaveDelay,
          [this] { m_persistence->save(m_collections, PersistenceService::kCollectionsFile); })
{
    connect(this, &CollectionStore::collectionsChanged, &m_saver, &ListSaver::scheduleSave);
}

const Collection* CollectionStore::collection(const QUuid& id) const
{
    const int index = indexOfID(m_collections, id);
    return index < 0 ? nullptr : &m_collections[index];
}

Collection* CollectionStore::find(const QUuid& id)
{
    const int index = indexOfID(m_collections, id);
    return index < 0 ? nullptr : &m_collections[index];
}

std::optional<QUuid> CollectionStore::collectionForRequest(const QUuid& requestID) const
{
    for (const Collection& collection : m_collections) {
        if (indexOfID(collection.requests, requestID) >= 0)
            return collection.id;
    }
    return std::nullopt;
}

std::optional<QUuid> CollectionStore::collectionForFolder(const QUuid& folderID) const
{
    for (const Collection& collection : m_collections) {
        if (indexOfID(collection.folders, folderID) >= 0)
            return collection.id;
    }
    return std::nullopt;
}

void CollectionStore::finish(bool changed)
{
    if (changed)
        Q_EMIT collectionsChanged();
}

bool CollectionStore::append(const QList<Collection>& collections)
{
    return appendAll(m_collections, collections,
        [this](int first, int last) { Q_EMIT collectionsInserted(first, last); });
}

void CollectionStore::addCollection(const QString& name)
{
    appendCollection(Collection {.name = name});
}

void CollectionStore::appendCollection(const Collection& collection)
{
    finish(append({collection}));
}

bool CollectionStore::removeCollection(QUuid id)
{
    const bool removed = removeRuns(
        m_collections, [&id](const Collection& collection) { return collection.id == id; },
        [this](int first, int last) { Q_EMIT collectionsRemoved(first, last); });
    finish(removed);
    return removed;
}

void CollectionStore::renameCollection(QUuid id, const QString& name)
{
    Collection* collection = find(id);
    if (!collection || collection->name == name)
        return;
    collection->name = name;
    Q_EMIT collectionChanged(id);
    finish(true);
}

void CollectionStore::setCollectionVariables(QUuid id, const QList<KeyValuePair>& variables)
{
    Collection* collection = find(id);
    if (!collection || collection->variables == variables)
        return;
    collection->variables = variables;
    Q_EMIT collectionChanged(id);
    finish(true);
}

void CollectionStore::setCollectionAuth(QUuid id, const APIRequest& auth)
{
    Collection* collection = find(id);
    if (!collection)
        return;
    // Compared as the auth of one and the same request.
    APIRequest before;
    APIRequest after = before;
    copyAuth(*collection, before);
    copyAuth(auth, after);
    // A collection has no collection above it to inherit from.
    if (after.authType == AuthType::inherit)
        after.authType = AuthType::none;
    if (before == after)
        return;
    copyAuth(after, *collection);
    Q_EMIT collectionChanged(id);
    finish(true);
}

void CollectionStore::addFolder(const QString& name, QUuid collectionID)
{
    Collection* collection = find(collectionID);
    if (!collection)
        return;
    finish(appendAll(collection->folders, {CollectionFolder {.name = name}},
        [&](int first, int last) { Q_EMIT foldersInserted(collectionID, first, last); }));
}

bool CollectionStore::removeFolders(Collection& collection, const QUuid& folderID)
{
    const QUuid collectionID = collection.id;
    return removeRuns(
        collection.folders,
        [&folderID](const CollectionFolder& folder) { return folder.id == folderID; },
        [&](int first, int last) { Q_EMIT foldersRemoved(collectionID, first, last); });
}

void CollectionStore::deleteFolder(QUuid folderID, QUuid collectionID)
{
    if (Collection* collection = find(collectionID))
        finish(removeFolders(*collection, folderID));
}

void CollectionStore::renameFolder(QUuid folderID, QUuid collectionID, const QString& name)
{
    Collection* collection = find(collectionID);
    const int index = collection ? indexOfID(collection->folders, folderID) : -1;
    if (index < 0 || collection->folders[index].name == name)
        return;
    collection->folders[index].name = name;
    Q_EMIT folderChanged(collectionID, folderID);
    finish(true);
}

void CollectionStore::setScripts(QUuid collectionID, std::optional<QUuid> folderID,
    const QString& preRequestScript, const QString& testScript)
{
    Collection* collection = find(collectionID);
    if (!collection)
        return;
    const auto replace = [&](QString& preRequest, QString& test) {
        if (preRequest == preRequestScript && test == testScript)
            return false;
        preRequest = preRequestScript;
        test = testScript;
        return true;
    };
    if (!folderID) {
        if (!replace(collection->preRequestScript, collection->testScript))
            return;
        Q_EMIT collectionChanged(collectionID);
        finish(true);
        return;
    }
    const int index = indexOfID(collection->folders, *folderID);
    if (index < 0)
        return;
    CollectionFolder& folder = collection->folders[index];
    if (!replace(folder.preRequestScript, folder.testScript))
        return;
    Q_EMIT folderChanged(collectionID, *folderID);
    finish(true);
}

bool CollectionStore::moveFolderToCollection(QUuid folderID, QUuid targetCollectionID)
{
    const std::optional<QUuid> sourceID = collectionForFolder(folderID);
    if (!sourceID || *sourceID == targetCollectionID || !find(targetCollectionID))
        return false;
    const Collection& source = *collection(*sourceID);
    const CollectionFolder folder = source.folders[indexOfID(source.folders, folderID)];
    QList<APIRequest> carried;
    for (const QUuid& id : folder.requestIDs) {
        for (const APIRequest& request : source.requests) {
            if (request.id == id)
                carried.append(request);
        }
    }
    Collection& target = *find(targetCollectionID);
    QList<APIRequest> added;
    for (const APIRequest& request : carried) {
        if (indexOfID(target.requests, request.id) < 0 && indexOfID(added, request.id) < 0)
            added.append(request);
    }
    appendAll(target.requests, added,
        [&](int first, int last) { Q_EMIT requestsInserted(targetCollectionID, first, last); });
    appendAll(target.folders, {folder},
        [&](int first, int last) { Q_EMIT foldersInserted(targetCollectionID, first, last); });
    QList<QUuid> carriedIDs;
    for (const APIRequest& request : carried)
        carriedIDs.append(request.id);
    // Found again: the target's edits may have moved the list's storage.
    Collection& from = *find(*sourceID);
    removeFolders(from, folderID);
    removeRequests(from, carriedIDs);
    finish(true);
    return true;
}

void CollectionStore::saveRequestToCollection(const APIRequest& request, QUuid collectionID)
{
    Collection* collection = find(collectionID);
    if (!collection)
        return;
    const int index = indexOfID(collection->requests, request.id);
    if (index < 0) {
        finish(appendAll(collection->requests, {request},
            [&](int first, int last) { Q_EMIT requestsInserted(collectionID, first, last); }));
        return;
    }
    if (collection->requests[index] == request)
        return;
    collection->requests[index] = request;
    Q_EMIT requestChanged(collectionID, request.id);
    finish(true);
}

void CollectionStore::renameRequest(QUuid requestID, QUuid collectionID, const QString& name)
{
    Collection* collection = find(collectionID);
    const int index = collection ? indexOfID(collection->requests, requestID) : -1;
    if (index < 0 || collection->requests[index].name == name)
        return;
    collection->requests[index].name = name;
    Q_EMIT requestChanged(collectionID, requestID);
    finish(true);
}

bool CollectionStore::setFolderRequests(Collection& collection, int folder, QList<QUuid> requestIDs)
{
    CollectionFolder& changed = collection.folders[folder];
    if (changed.requestIDs == requestIDs)
        return false;
    changed.requestIDs = std::move(requestIDs);
    Q_EMIT folderChanged(collection.id, changed.id);
    return true;
}

bool CollectionStore::removeRequests(Collection& collection, const QList<QUuid>& requestIDs)
{
    bool changed = false;
    for (int folder = 0; folder < collection.folders.size(); ++folder) {
        QList<QUuid> kept = collection.folders[folder].requestIDs;
        kept.removeIf([&requestIDs](const QUuid& id) { return requestIDs.contains(id); });
        changed |= setFolderRequests(collection, folder, std::move(kept));
    }
    const QUuid collectionID = collection.id;
    changed
        |= removeRuns(
               collection.requests,
               [&requestIDs](const APIRequest& request) { return requestIDs.contains(request.id); },
               [&](int first, int last) { Q_EMIT requestsRemoved(collectionID, first, last); })
        > 0;
    return changed;
}

bool CollectionStore::removeRequest(QUuid requestID, QUuid collectionID)
{
    Collection* collection = find(collectionID);
    if (!collection)
        return false;
    finish(removeRequests(*collection, {requestID}));
    return true;
}

void CollectionStore::moveRequestToFolder(
    QUuid requestID, std::optional<QUuid> folderID, QUuid collectionID)
{
    Collection* collection = find(collectionID);
    if (!collection)
        return;
    const int target = folderID ? indexOfID(collection->folders, *folderID) : -1;
    bool changed = false;
    for (int folder = 0; folder < collection->folders.size(); ++folder) {
        QList<QUuid> ids = collection->folders[folder].requestIDs;
        ids.removeAll(requestID);
        if (folder == target)
            ids.append(requestID);
        changed |= setFolderRequests(*collection, folder, std::move(ids));
    }
    finish(changed);
}

void CollectionStore::finishLoad(QList<Collection> stored)
{
    m_saver.markRead();
    // Before the load the list is empty, so whatever it holds now was added meanwhile. It is
    // kept after the stored records and written, instead of being dropped or written over them.
    const bool addedMeanwhile = !m_collections.isEmpty();
    if (!stored.isEmpty()) {
        const int count = int(stored.size());
        m_collections = stored + m_collections;
        Q_EMIT collectionsInserted(0, count - 1);
        finish(true);
    }
    // The stored records are no edit: only what was added meanwhile needs writing.
    if (addedMeanwhile)
        m_saver.saveNow();
    else
        m_saver.cancelPending();
}

void CollectionStore::replaceAll(const QList<Collection>& collections)
{
    const bool removed = removeRuns(
        m_collections, [](const Collection&) { return true; },
        [this](int first, int last) { Q_EMIT collectionsRemoved(first, last); });
    finish(append(collections) || removed);
    m_saver.cancelPending();
}

} // namespace mako

namespace mako {

namespace {

// The fields of the collection itself, apart from its id, folder, date and lists.
bool sameOwnFields(const Collection& a, const Collection& b)
{
    return a.name == b.name && a.variables == b.variables
        && a.preRequestScript == b.preRequestScript && a.testScript == b.testScript
        && a.authType == b.authType && a.authToken == b.authToken && a.authDomain == b.authDomain
        && a.awsRegion == b.awsRegion && a.awsService == b.awsService
        && a.awsSessionToken == b.awsSessionToken && a.oauth2 == b.oauth2;
}

bool sameFolder(const CollectionFolder& a, const CollectionFolder& b)
{
    return a.name == b.name && a.requestIDs == b.requestIDs
        && a.preRequestScript == b.preRequestScript && a.testScript == b.testScript;
}

// Brings `list` to `wanted`, matching records by id: the ones gone are removed, the ones kept
// change in place, the new ones are inserted where they stand. When the kept ones changed
// their order, all go and come back, which is rare (a reorder made outside) and keeps the
// steps simple.
template <typename T, typename Same, typename Removed, typename Inserted, typename Changed>
bool syncByID(QList<T>& list, const QList<T>& wanted, Same same, Removed removed, Inserted inserted,
    Changed changed)
{
    QHash<QUuid, qsizetype> wantedAt;
    for (qsizetype index = 0; index < wanted.size(); ++index)
        wantedAt.insert(wanted[index].id, index);
    bool any = removeRuns(
                   list, [&](const T& record) { return !wantedAt.contains(record.id); }, removed)
        > 0;
    const bool inOrder = std::ranges::is_sorted(
        list, {}, [&](const T& record) { return wantedAt.value(record.id); });
    if (!inOrder)
        any |= removeRuns(
                   list, [](const T&) { return true; }, removed)
            > 0;
    QSet<QUuid> kept;
    for (T& record : list) {
        kept.insert(record.id);
        const T& next = wanted[wantedAt.value(record.id)];
        if (same(record, next))
            continue;
        record = next;
        changed(record.id);
        any = true;
    }
    for (qsizetype row = 0; row < wanted.size();) {
        if (kept.contains(wanted[row].id)) {
            ++row;
            continue;
        }
        qsizetype last = row;
        while (last + 1 < wanted.size() && !kept.contains(wanted[last + 1].id))
            ++last;
        list = list.first(row) + wanted.sliced(row, last - row + 1) + list.sliced(row);
        inserted(int(row), int(last));
        any = true;
        row = last + 1;
    }
    return any;
}

} // namespace

void CollectionStore::setFolderPath(QUuid id, const QString& path)
{
    Collection* collection = find(id);
    if (!collection || collection->folderPath == path)
        return;
    collection->folderPath = path;
    Q_EMIT collectionChanged(id);
    finish(true);
}

void CollectionStore::replaceContents(const Collection& contents)
{
    const QUuid id = contents.id;
    Collection* collection = find(id);
    if (!collection)
        return;
    bool changed = false;
    if (!sameOwnFields(*collection, contents)) {
        Collection fields = contents;
        fields.requests = std::move(collection->requests);
        fields.folders = std::move(collection->folders);
        fields.folderPath = collection->folderPath;
        fields.createdAt = collection->createdAt;
        *collection = std::move(fields);
        Q_EMIT collectionChanged(id);
        changed = true;
    }
    // The folders first, so that no folder lists a request that the same step removes.
    changed |= syncByID(
        collection->folders, contents.folders, sameFolder,
        [&](int first, int last) { Q_EMIT foldersRemoved(id, first, last); },
        [&](int first, int last) { Q_EMIT foldersInserted(id, first, last); },
        [&](const QUuid& folderID) { Q_EMIT folderChanged(id, folderID); });
    changed |= syncByID(
        collection->requests, contents.requests, std::equal_to<APIRequest>(),
        [&](int first, int last) { Q_EMIT requestsRemoved(id, first, last); },
        [&](int first, int last) { Q_EMIT requestsInserted(id, first, last); },
        [&](const QUuid& requestID) { Q_EMIT requestChanged(id, requestID); });
    finish(changed);
}

} // namespace mako
