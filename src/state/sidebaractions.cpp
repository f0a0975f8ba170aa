#include "state/sidebaractions.h"

#include "state/appstate.h"

#include <QHash>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const Collection* findCollection(const QList<Collection>& collections, const QUuid& id)
{
    for (const Collection& collection : collections) {
        if (collection.id == id)
            return &collection;
    }
    return nullptr;
}

// Renames the first collection, else folder, else request with `id`; returns whether a request
// was renamed in `renamedRequest`.
bool renameIn(
    QList<Collection>& collections, const QUuid& id, const QString& name, bool& renamedRequest)
{
    for (Collection& collection : collections) {
        if (collection.id == id) {
            collection.name = name;
            return true;
        }
    }
    for (Collection& collection : collections) {
        for (CollectionFolder& folder : collection.folders) {
            if (folder.id == id) {
                folder.name = name;
                return true;
            }
        }
    }
    for (Collection& collection : collections) {
        for (APIRequest& request : collection.requests) {
            if (request.id == id) {
                request.name = name;
                renamedRequest = true;
                return true;
            }
        }
    }
    return false;
}

} // namespace

SidebarActions::SidebarActions(AppState* state, QObject* parent)
    : QObject(parent)
    , m_state(state)
{ }

void SidebarActions::addRequestToCollection(const QUuid& collectionID)
{
    const APIRequest request;
    m_state->saveRequestToCollection(request, collectionID);
    m_state->openFromCollection(request, collectionID);
}

void SidebarActions::addRequestToFolder(const QUuid& folderID, const QUuid& collectionID)
{
    const APIRequest request;
    m_state->saveRequestToCollection(request, collectionID);
    m_state->moveRequestToFolder(request.id, folderID, collectionID);
    m_state->openFromCollection(request, collectionID);
}

void SidebarActions::duplicateCollection(const QUuid& collectionID)
{
    const Collection* source = findCollection(m_state->collections(), collectionID);
    if (!source)
        return;
    Collection copy {.name = source->name + u" (Copy)"_s};
    QHash<QUuid, QUuid> newIDs;
    for (const APIRequest& request : source->requests) {
        copy.requests.append(httpCopy(request));
        newIDs.insert(request.id, copy.requests.last().id);
    }
    for (const CollectionFolder& folder : source->folders) {
        CollectionFolder folderCopy {.name = folder.name};
        for (const QUuid& id : folder.requestIDs) {
            if (newIDs.contains(id))
                folderCopy.requestIDs.append(newIDs.value(id));
        }
        copy.folders.append(std::move(folderCopy));
    }
    QList<Collection> collections = m_state->collections();
    collections.append(std::move(copy));
    m_state->setCollections(std::move(collections));
}

void SidebarActions::duplicateRequest(const APIRequest& request, const QUuid& intoCollectionID)
{
    m_state->saveRequestToCollection(AppState::duplicateRequest(request), intoCollectionID);
}

void SidebarActions::setRenameText(const QString& text)
{
    if (text == m_renameText)
        return;
    m_renameText = text;
    Q_EMIT renameTextChanged();
}

void SidebarActions::setRenamingID(const std::optional<QUuid>& id)
{
    if (id == m_renamingID)
        return;
    m_renamingID = id;
    Q_EMIT renamingIDChanged();
}

void SidebarActions::startRename(const QUuid& id, const QString& currentName)
{
    setRenameText(currentName);
    setRenamingID(id);
}

void SidebarActions::cancelRename()
{
    setRenamingID(std::nullopt);
}

void SidebarActions::applyRename(const QUuid& id)
{
    QList<Collection> collections = m_state->collections();
    bool renamedRequest = false;
    if (renameIn(collections, id, m_renameText, renamedRequest)) {
        m_state->setCollections(std::move(collections));
        std::optional<APIRequest> open = m_state->openRequest();
        if (renamedRequest && open && open->id == id) {
            open->name = m_renameText;
            m_state->setOpenRequest(open);
        }
    }
    setRenamingID(std::nullopt);
}

QString SidebarActions::startDraggingRequest(const QUuid& requestID)
{
    m_draggedRequestID = requestID;
    return requestID.toString(QUuid::WithoutBraces);
}

QString SidebarActions::startDraggingFolder(const QUuid& folderID)
{
    m_draggedFolderID = folderID;
    return u"folder:"_s + folderID.toString(QUuid::WithoutBraces);
}

bool SidebarActions::handleDrop(const std::optional<QUuid>& toFolder, const QUuid& inCollection)
{
    // The recorded drag decides, not the payload: a payload could come from anywhere.
    if (m_draggedRequestID)
        return dropRequest(toFolder, inCollection);
    if (m_draggedFolderID)
        return dropFolder(inCollection);
    return false;
}

bool SidebarActions::dropRequest(const std::optional<QUuid>& toFolder, const QUuid& target)
{
    const QUuid requestID = *m_draggedRequestID;
    const std::optional<QUuid> source = m_state->collectionForRequest(requestID);
    if (!source)
        return false;
    if (*source == target) {
        m_state->moveRequestToFolder(requestID, toFolder, target);
    } else if (const Collection* from = findCollection(m_state->collections(), *source)) {
        const auto request = std::find_if(from->requests.cbegin(), from->requests.cend(),
            [&requestID](const APIRequest& request) { return request.id == requestID; });
        if (request != from->requests.cend()) {
            const APIRequest moved = *request;
            m_state->saveRequestToCollection(moved, target);
            if (toFolder)
                m_state->moveRequestToFolder(requestID, toFolder, target);
            m_state->removeRequest(requestID, *source);
        }
    }
    m_draggedRequestID.reset();
    return true;
}

bool SidebarActions::dropFolder(const QUuid& target)
{
    const QUuid folderID = *m_draggedFolderID;
    QList<Collection> collections = m_state->collections();
    Collection* source = nullptr;
    const CollectionFolder* folder = nullptr;
    for (Collection& collection : collections) {
        for (const CollectionFolder& candidate : collection.folders) {
            if (!source && candidate.id == folderID) {
                source = &collection;
                folder = &candidate;
            }
        }
    }
    if (!source)
        return false;
    const auto destination = std::find_if(collections.begin(), collections.end(),
        [&target](const Collection& collection) { return collection.id == target; });
    if (source->id == target || destination == collections.end()) {
        m_draggedFolderID.reset();
        return false;
    }
    const CollectionFolder moved = *folder;
    QList<APIRequest> carried;
    for (const QUuid& id : moved.requestIDs) {
        for (const APIRequest& request : source->requests) {
            if (request.id == id)
                carried.append(request);
        }
    }
    for (const APIRequest& request : carried) {
        const bool held = std::any_of(destination->requests.cbegin(), destination->requests.cend(),
            [&request](const APIRequest& other) { return other.id == request.id; });
        if (!held)
            destination->requests.append(request);
    }
    destination->folders.append(moved);
    source->requests.removeIf([&carried](const APIRequest& request) {
        return std::any_of(carried.cbegin(), carried.cend(),
            [&request](const APIRequest& taken) { return taken.id == request.id; });
    });
    source->folders.removeIf([&folderID](const CollectionFolder& f) { return f.id == folderID; });
    m_state->setCollections(std::move(collections));
    m_draggedFolderID.reset();
    return true;
}

} // namespace mako
