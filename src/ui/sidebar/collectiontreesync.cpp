// How the collection tree follows the state's notifications, and the drops it takes.
#include "state/appstate.h"
#include "state/sidebaractions.h"
#include "ui/sidebar/collectiontreenode.h"

#include <QMimeData>
#include <QSet>

#include <algorithm>

namespace mako {

void CollectionTreeModel::handleCollectionsInserted(int first, int last)
{
    beginInsertRows({}, first, last);
    const QList<Collection>& collections = m_state.collections();
    for (int row = first; row <= last; ++row) {
        auto node = buildCollection(collections[row]);
        node->parent = m_root.get();
        m_root->children.insert(m_root->children.begin() + row, std::move(node));
    }
    endInsertRows();
}

void CollectionTreeModel::handleCollectionsRemoved(int first, int last)
{
    beginRemoveRows({}, first, last);
    m_root->children.erase(m_root->children.begin() + first, m_root->children.begin() + last + 1);
    endRemoveRows();
}

void CollectionTreeModel::handleCollectionChanged(const QUuid& collectionID)
{
    emitChanged(collectionNode(collectionID));
}

void CollectionTreeModel::handleRequestChanged(const QUuid& collectionID, const QUuid& requestID)
{
    Node* collection = collectionNode(collectionID);
    if (!collection)
        return;
    for (const auto& child : collection->children) {
        if (child->id == requestID)
            emitChanged(child.get());
        for (const auto& grandchild : child->children) {
            if (grandchild->id == requestID)
                emitChanged(grandchild.get());
        }
    }
}

void CollectionTreeModel::syncCollection(const QUuid& collectionID)
{
    Node* node = collectionNode(collectionID);
    const Collection* collection = m_state.collectionStore().collection(collectionID);
    if (!node || !collection)
        return;
    node->requestRows.clear();
    for (int row = 0; row < collection->requests.size(); ++row)
        node->requestRows.insert(collection->requests[row].id, row);
    syncChildren(node, topLevelKeys(*collection));
    for (const auto& child : node->children) {
        if (child->kind != Kind::folder)
            continue;
        const auto folder
            = std::ranges::find(collection->folders, child->id, &CollectionFolder::id);
        if (folder != collection->folders.end())
            syncChildren(child.get(), folderKeys(*collection, *folder));
        emitChanged(child.get());
    }
    emitChanged(node);
}

void CollectionTreeModel::removeUnwanted(Node* parent, const QSet<Key>& wantedKeys)
{
    // In runs from the end, so the positions ahead stay valid.
    const QModelIndex parentIndex = indexOf(parent);
    auto& children = parent->children;
    for (int row = static_cast<int>(children.size()) - 1; row >= 0;) {
        if (wantedKeys.contains(children[static_cast<size_t>(row)]->key())) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && !wantedKeys.contains(children[static_cast<size_t>(first - 1)]->key()))
            --first;
        beginRemoveRows(parentIndex, first, row);
        children.erase(children.begin() + first, children.begin() + row + 1);
        endRemoveRows();
        row = first - 1;
    }
}

void CollectionTreeModel::syncChildren(Node* parent, const QList<Key>& wanted)
{
    const QModelIndex parentIndex = indexOf(parent);
    auto& children = parent->children;
    removeUnwanted(parent, QSet<Key>(wanted.cbegin(), wanted.cend()));
    // Then, position by position, a row that moved up or a run of new ones.
    QSet<Key> present;
    for (const auto& child : children)
        present.insert(child->key());
    for (int row = 0; row < wanted.size();) {
        const auto at = children.begin() + row;
        if (at != children.end() && (*at)->key() == wanted[row]) {
            ++row;
            continue;
        }
        if (present.contains(wanted[row])) {
            const auto from = std::find_if(at, children.end(),
                [&](const std::unique_ptr<Node>& node) { return node->key() == wanted[row]; });
            const int fromRow = static_cast<int>(from - children.begin());
            beginMoveRows(parentIndex, fromRow, fromRow, parentIndex, row);
            std::rotate(at, from, from + 1);
            endMoveRows();
            ++row;
            continue;
        }
        int last = row;
        while (last + 1 < wanted.size() && !present.contains(wanted[last + 1]))
            ++last;
        beginInsertRows(parentIndex, row, last);
        for (int added = row; added <= last; ++added) {
            auto node = std::make_unique<Node>(Node {wanted[added].first, wanted[added].second});
            node->parent = parent;
            present.insert(node->key());
            children.insert(children.begin() + added, std::move(node));
        }
        endInsertRows();
        row = last + 1;
    }
}

void CollectionTreeModel::emitChanged(const Node* node)
{
    if (!node)
        return;
    const QModelIndex index = indexOf(node);
    Q_EMIT dataChanged(index, index);
}

QStringList CollectionTreeModel::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

Qt::DropActions CollectionTreeModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

std::optional<CollectionTreeModel::DropTarget> CollectionTreeModel::dropTarget(
    const QMimeData* data, const QModelIndex& parent) const
{
    // Only our own rows' text is taken, and the drag under way decides what moves.
    if (!data || !data->hasText())
        return std::nullopt;
    const Node* node = nodeAt(parent);
    if (!node || node->kind == Kind::request)
        return std::nullopt;
    DropTarget target {node->collection()->id, std::nullopt};
    if (node->kind == Kind::folder)
        target.folderID = node->id;
    if (const std::optional<QUuid>& request = m_actions.draggedRequestID()) {
        if (m_state.collectionForRequest(*request))
            return target;
        return std::nullopt;
    }
    if (const std::optional<QUuid>& folder = m_actions.draggedFolderID()) {
        // Folders do not nest and are not reordered: they only change collection.
        const std::optional<QUuid> from = m_state.collectionStore().collectionForFolder(*folder);
        if (from && *from != target.collectionID)
            return target;
    }
    return std::nullopt;
}

bool CollectionTreeModel::canDropMimeData(
    const QMimeData* data, Qt::DropAction, int, int, const QModelIndex& parent) const
{
    return dropTarget(data, parent).has_value();
}

bool CollectionTreeModel::dropMimeData(
    const QMimeData* data, Qt::DropAction, int, int, const QModelIndex& parent)
{
    const std::optional<DropTarget> target = dropTarget(data, parent);
    return target && m_actions.handleDrop(target->folderID, target->collectionID);
}

} // namespace mako
