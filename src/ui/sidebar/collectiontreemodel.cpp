#include "state/appstate.h"
#include "state/sidebaractions.h"
#include "ui/common/icons.h"
#include "ui/sidebar/collectiontreenode.h"

#include <QMimeData>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

CollectionTreeModel::CollectionTreeModel(
    const AppState& state, SidebarActions& actions, QObject* parent)
    : QAbstractItemModel(parent)
    , m_state(state)
    , m_actions(actions)
    , m_root(std::make_unique<Node>())
    , m_folderIcon(icons::icon(u"folder"))
    , m_folderCollectionIcon(icons::icon(u"folder.badge.gearshape"))
{
    for (const Collection& collection : state.collections())
        m_root->children.push_back(buildCollection(collection));
    for (auto& child : m_root->children)
        child->parent = m_root.get();

    const CollectionStore& store = state.collectionStore();
    connect(&store, &CollectionStore::collectionsInserted, this,
        &CollectionTreeModel::handleCollectionsInserted);
    connect(&store, &CollectionStore::collectionsRemoved, this,
        &CollectionTreeModel::handleCollectionsRemoved);
    connect(&store, &CollectionStore::collectionChanged, this,
        &CollectionTreeModel::handleCollectionChanged);
    connect(
        &store, &CollectionStore::requestChanged, this, &CollectionTreeModel::handleRequestChanged);
    // Every change of a collection's folders or request list can move rows between folders
    // and the top level; one walk over that collection finds them.
    const auto sync = [this](const QUuid& collectionID) { syncCollection(collectionID); };
    connect(&store, &CollectionStore::foldersInserted, this, sync);
    connect(&store, &CollectionStore::foldersRemoved, this, sync);
    connect(&store, &CollectionStore::folderChanged, this, sync);
    connect(&store, &CollectionStore::requestsInserted, this, sync);
    connect(&store, &CollectionStore::requestsRemoved, this, sync);
}

CollectionTreeModel::~CollectionTreeModel() = default;

QModelIndex CollectionTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const Node* node = parent.isValid() ? nodeAt(parent) : m_root.get();
    if (!node || column != 0 || row < 0 || row >= static_cast<int>(node->children.size()))
        return {};
    return createIndex(row, column, node->children[static_cast<size_t>(row)].get());
}

QModelIndex CollectionTreeModel::parent(const QModelIndex& child) const
{
    const Node* node = nodeAt(child);
    if (!node || node->parent == m_root.get())
        return {};
    return indexOf(node->parent);
}

int CollectionTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    const Node* node = parent.isValid() ? nodeAt(parent) : m_root.get();
    return node ? static_cast<int>(node->children.size()) : 0;
}

int CollectionTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant CollectionTreeModel::data(const QModelIndex& index, int role) const
{
    const Node* node = nodeAt(index);
    if (!node)
        return {};
    switch (role) {
    case KindRole:
        return static_cast<int>(node->kind);
    case IDRole:
        return node->id;
    case CollectionIDRole:
        return node->collection()->id;
    default:
        break;
    }
    if (const APIRequest* request = requestAt(index)) {
        if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole)
            return request->name;
        if (role == MethodRole)
            return methodName(*request);
        if (role == Qt::AccessibleTextRole)
            return methodName(*request) + u' ' + request->name;
        return {};
    }
    const QString name = node->kind == Kind::folder
        ? (folderAt(index) ? folderAt(index)->name : QString())
        : (collectionAt(index) ? collectionAt(index)->name : QString());
    const int count = static_cast<int>(node->kind == Kind::folder
            ? std::ranges::count_if(
                node->children, [](const auto& child) { return child->kind == Kind::request; })
            : (collectionAt(index) ? collectionAt(index)->requests.size() : 0));
    // A collection kept in a folder shows it: its badge, and its path where the name is explained.
    const Collection* collection = node->kind == Kind::collection ? collectionAt(index) : nullptr;
    const bool inFolder = collection && !collection->folderPath.isEmpty();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return name;
    case Qt::ToolTipRole:
        return inFolder ? tr("%1 (in the folder %2)").arg(name, collection->folderPath) : name;
    case CountRole:
        return count;
    case Qt::AccessibleTextRole:
        return inFolder ? tr("%1, in a folder, %n request(s)", nullptr, count).arg(name)
                        : tr("%1, %n request(s)", nullptr, count).arg(name);
    case Qt::DecorationRole:
        if (inFolder)
            return m_folderCollectionIcon;
        return node->kind == Kind::folder ? QVariant(m_folderIcon) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags CollectionTreeModel::flags(const QModelIndex& index) const
{
    const Node* node = nodeAt(index);
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (node->kind != Kind::collection)
        flags |= Qt::ItemIsDragEnabled;
    if (node->kind != Kind::request)
        flags |= Qt::ItemIsDropEnabled;
    else
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QModelIndex CollectionTreeModel::collectionIndex(const QUuid& id) const
{
    const Node* node = collectionNode(id);
    return node ? indexOf(node) : QModelIndex();
}

QModelIndex CollectionTreeModel::findIndex(const QUuid& collectionID, const QUuid& id) const
{
    const Node* collection = collectionNode(collectionID);
    if (!collection)
        return {};
    for (const auto& child : collection->children) {
        if (child->id == id)
            return indexOf(child.get());
        for (const auto& grandchild : child->children) {
            if (grandchild->id == id)
                return indexOf(grandchild.get());
        }
    }
    return {};
}

const Collection* CollectionTreeModel::collectionAt(const QModelIndex& index) const
{
    const Node* node = nodeAt(index);
    if (!node)
        return nullptr;
    const Node* collection = node->collection();
    // The rows follow the list step by step, so the row is the position in the list.
    const QList<Collection>& collections = m_state.collections();
    const int row = collection->row();
    if (row < collections.size() && collections[row].id == collection->id)
        return &collections[row];
    return m_state.collectionStore().collection(collection->id);
}

const CollectionFolder* CollectionTreeModel::folderAt(const QModelIndex& index) const
{
    const Node* node = nodeAt(index);
    const Collection* collection = collectionAt(index);
    if (!node || node->kind != Kind::folder || !collection)
        return nullptr;
    // Folders come first in a collection, in the collection's order.
    const int row = node->row();
    if (row < collection->folders.size() && collection->folders[row].id == node->id)
        return &collection->folders[row];
    const auto found = std::ranges::find(collection->folders, node->id, &CollectionFolder::id);
    return found != collection->folders.end() ? &*found : nullptr;
}

const APIRequest* CollectionTreeModel::requestAt(const QModelIndex& index) const
{
    const Node* node = nodeAt(index);
    const Collection* collection = collectionAt(index);
    if (!node || node->kind != Kind::request || !collection)
        return nullptr;
    const int row = node->collection()->requestRows.value(node->id, -1);
    if (row < 0 || row >= collection->requests.size())
        return nullptr;
    return &collection->requests[row];
}

CollectionTreeModel::Node* CollectionTreeModel::nodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<Node*>(index.internalPointer());
}

QModelIndex CollectionTreeModel::indexOf(const Node* node) const
{
    if (!node || node == m_root.get())
        return {};
    return createIndex(node->row(), 0, const_cast<Node*>(node));
}

CollectionTreeModel::Node* CollectionTreeModel::collectionNode(const QUuid& id) const
{
    for (const auto& child : m_root->children) {
        if (child->id == id)
            return child.get();
    }
    return nullptr;
}

QList<CollectionTreeModel::Key> CollectionTreeModel::topLevelKeys(
    const Collection& collection) const
{
    QList<Key> keys;
    // Ids shown already: filed requests stay out of the top level, and a repeated id (a file
    // edited by hand) shows once.
    QSet<QUuid> seen;
    for (const CollectionFolder& folder : collection.folders) {
        if (!seen.contains(folder.id))
            keys.append({Kind::folder, folder.id});
        seen.insert(folder.id);
        for (const QUuid& id : folder.requestIDs)
            seen.insert(id);
    }
    for (const APIRequest& request : collection.requests) {
        if (!seen.contains(request.id))
            keys.append({Kind::request, request.id});
        seen.insert(request.id);
    }
    return keys;
}

QList<CollectionTreeModel::Key> CollectionTreeModel::folderKeys(
    const Collection& collection, const CollectionFolder& folder)
{
    QSet<QUuid> present;
    for (const APIRequest& request : collection.requests)
        present.insert(request.id);
    QList<Key> keys;
    for (const QUuid& id : folder.requestIDs) {
        // A stale id shows nothing; the same id twice shows once.
        if (present.remove(id))
            keys.append({Kind::request, id});
    }
    return keys;
}

std::unique_ptr<CollectionTreeModel::Node> CollectionTreeModel::buildCollection(
    const Collection& collection) const
{
    auto node = std::make_unique<Node>(Node {Kind::collection, collection.id});
    for (int row = 0; row < collection.requests.size(); ++row)
        node->requestRows.insert(collection.requests[row].id, row);
    const auto makeChild = [](const Key& key, Node* parent) {
        auto child = std::make_unique<Node>(Node {key.first, key.second});
        child->parent = parent;
        return child;
    };
    for (const Key& key : topLevelKeys(collection)) {
        auto child = makeChild(key, node.get());
        if (key.first == Kind::folder) {
            const auto folder
                = std::ranges::find(collection.folders, key.second, &CollectionFolder::id);
            for (const Key& requestKey : folderKeys(collection, *folder))
                child->children.push_back(makeChild(requestKey, child.get()));
        }
        node->children.push_back(std::move(child));
    }
    return node;
}

} // namespace mako
