#include "state/appstate.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

// The collection editing operations of AppState. Folders only list ids of requests that the
// collection itself holds, so removing a request also takes its id out of every folder. None of
// them writes the file: the change does that through the auto-save, and an edit that changes
// nothing is no change.

bool AppState::editCollection(const QUuid& id, const std::function<void(Collection&)>& edit)
{
    QList<Collection> collections = m_collections;
    for (Collection& collection : collections) {
        if (collection.id != id)
            continue;
        edit(collection);
        setCollections(std::move(collections));
        return true;
    }
    return false;
}

void AppState::addCollection(const QString& name)
{
    QList<Collection> collections = m_collections;
    collections.append(Collection {.name = name});
    setCollections(std::move(collections));
}

void AppState::deleteCollection(const QUuid& id)
{
    if (std::ranges::find(m_collections, id, &Collection::id) == m_collections.cend())
        return;
    const RequestOrigin origin = RequestOrigin::collection(id);
    removeTabsWhere([&origin](const RequestTab& tab) { return tab.origin == origin; });
    QList<Collection> collections = m_collections;
    collections.removeIf([&id](const Collection& collection) { return collection.id == id; });
    setCollections(std::move(collections));
}

void AppState::addFolder(const QString& name, const QUuid& collectionID)
{
    editCollection(collectionID, [&name](Collection& collection) {
        collection.folders.append(CollectionFolder {.name = name});
    });
}

void AppState::deleteFolder(const QUuid& folderID, const QUuid& collectionID)
{
    editCollection(collectionID, [&folderID](Collection& collection) {
        collection.folders.removeIf(
            [&folderID](const CollectionFolder& folder) { return folder.id == folderID; });
    });
}

void AppState::saveRequestToCollection(const APIRequest& request, const QUuid& collectionID)
{
    editCollection(collectionID, [&request](Collection& collection) {
        for (APIRequest& stored : collection.requests) {
            if (stored.id == request.id) {
                stored = request;
                return;
            }
        }
        collection.requests.append(request);
    });
}

void AppState::removeRequest(const QUuid& requestID, const QUuid& collectionID)
{
    const bool found = editCollection(collectionID, [&requestID](Collection& collection) {
        collection.requests.removeIf(
            [&requestID](const APIRequest& request) { return request.id == requestID; });
        for (CollectionFolder& folder : collection.folders)
            folder.requestIDs.removeAll(requestID);
    });
    if (!found)
        return;
    const auto tab = std::find_if(m_tabs.cbegin(), m_tabs.cend(),
        [&requestID](const RequestTab& tab) { return tab.request.id == requestID; });
    if (tab == m_tabs.cend())
        return;
    const QUuid tabID = tab->id;
    removeTabsWhere([&tabID](const RequestTab& tab) { return tab.id == tabID; });
}

void AppState::moveRequestToFolder(
    const QUuid& requestID, const std::optional<QUuid>& folderID, const QUuid& collectionID)
{
    editCollection(collectionID, [&](Collection& collection) {
        for (CollectionFolder& folder : collection.folders)
            folder.requestIDs.removeAll(requestID);
        if (!folderID)
            return;
        for (CollectionFolder& folder : collection.folders) {
            if (folder.id == *folderID) {
                folder.requestIDs.append(requestID);
                return;
            }
        }
    });
}

APIRequest AppState::duplicateRequest(const APIRequest& request)
{
    APIRequest copy = request;
    copy.id = QUuid::createUuid();
    copy.name = request.name + u" (Copy)"_s;
    copy.createdAt = currentTimestamp();
    copy.updatedAt = copy.createdAt;
    return copy;
}

std::optional<QUuid> AppState::collectionForRequest(const QUuid& requestID) const
{
    for (const Collection& collection : m_collections) {
        for (const APIRequest& request : collection.requests) {
            if (request.id == requestID)
                return collection.id;
        }
    }
    return std::nullopt;
}

} // namespace mako
