#include "state/sidebaractions.h"

#include "state/appstate.h"

#include <QHash>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// What a rename names: a collection, else a folder, else a request (the first in list order).
struct RenameTarget {
    enum class Kind { none, collection, folder, request } kind = Kind::none;
    QUuid collectionID;
};

RenameTarget renameTarget(const QList<Collection>& collections, const QUuid& id)
{
    using Kind = RenameTarget::Kind;
    for (const Collection& collection : collections) {
        if (collection.id == id)
            return {Kind::collection, collection.id};
    }
    for (const Collection& collection : collections) {
        for (const CollectionFolder& folder : collection.folders) {
            if (folder.id == id)
                return {Kind::folder, collection.id};
        }
    }
    for (const Collection& collection : collections) {
        for (const APIRequest& request : collection.requests) {
            if (request.id == id)
                return {Kind::request, collection.id};
        }
    }
    return {};
}

} // namespace

SidebarActions::SidebarActions(AppState* state, QObject* parent)
    : QObject(parent)
    , m_state(state)
{ }

void SidebarActions::addRequestToCollection(const QUuid& collectionID)
{
    // Made inside the collection, it goes with the collection's auth until told otherwise.
    const APIRequest request {.name = tr("New Request"), .authType = AuthType::inherit};
    m_state->saveRequestToCollection(request, collectionID);
    m_state->openFromCollection(request, collectionID);
}

void SidebarActions::addRequestToFolder(const QUuid& folderID, const QUuid& collectionID)
{
    // Made inside the collection, it goes with the collection's auth until told otherwise.
    const APIRequest request {.name = tr("New Request"), .authType = AuthType::inherit};
    m_state->saveRequestToCollection(request, collectionID);
    m_state->moveRequestToFolder(request.id, folderID, collectionID);
    m_state->openFromCollection(request, collectionID);
}

void SidebarActions::duplicateCollection(const QUuid& collectionID)
{
    const Collection* source = m_state->collectionStore().collection(collectionID);
    if (!source)
        return;
    Collection copy {.name = tr("%1 (Copy)").arg(source->name),
        .variables = source->variables,
        .preRequestScript = source->preRequestScript,
        .testScript = source->testScript};
    copyAuth(*source, copy);
    QHash<QUuid, QUuid> newIDs;
    for (const APIRequest& request : source->requests) {
        copy.requests.append(httpCopy(request));
        newIDs.insert(request.id, copy.requests.last().id);
    }
    for (const CollectionFolder& folder : source->folders) {
        CollectionFolder folderCopy {.name = folder.name,
            .requestIDs = {},
            .preRequestScript = folder.preRequestScript,
            .testScript = folder.testScript};
        for (const QUuid& id : folder.requestIDs) {
            if (newIDs.contains(id))
                folderCopy.requestIDs.append(newIDs.value(id));
        }
        copy.folders.append(std::move(folderCopy));
    }
    m_state->appendCollection(copy);
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
    using Kind = RenameTarget::Kind;
    const RenameTarget target = renameTarget(m_state->collections(), id);
    switch (target.kind) {
    case Kind::collection:
        m_state->renameCollection(id, m_renameText);
        break;
    case Kind::folder:
        m_state->renameFolder(id, target.collectionID, m_renameText);
        break;
    case Kind::request:
        m_state->renameRequest(id, target.collectionID, m_renameText);
        if (std::optional<APIRequest> open = m_state->openRequest(); open && open->id == id) {
            open->name = m_renameText;
            m_state->setOpenRequest(open);
        }
        break;
    case Kind::none:
        break;
    }
    setRenamingID(std::nullopt);
}

QString SidebarActions::startDraggingRequest(const QUuid& requestID)
{
    m_draggedRequestID = requestID;
    m_draggedFolderID.reset();
    return requestID.toString(QUuid::WithoutBraces);
}

QString SidebarActions::startDraggingFolder(const QUuid& folderID)
{
    m_draggedFolderID = folderID;
    m_draggedRequestID.reset();
    return u"folder:"_s + folderID.toString(QUuid::WithoutBraces);
}

void SidebarActions::endDragging()
{
    m_draggedRequestID.reset();
    m_draggedFolderID.reset();
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
    } else if (const Collection* from = m_state->collectionStore().collection(*source)) {
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
    if (!m_state->collectionStore().collectionForFolder(folderID))
        return false;
    m_draggedFolderID.reset();
    return m_state->moveFolderToCollection(folderID, target);
}

} // namespace mako
