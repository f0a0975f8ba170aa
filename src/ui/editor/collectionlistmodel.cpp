#include "ui/editor/collectionlistmodel.h"

#include "state/appstate.h"
#include "ui/common/icons.h"

namespace mako {

CollectionListModel::CollectionListModel(const AppState& state, QObject* parent)
    : QAbstractListModel(parent)
    , m_state(state)
    , m_folderIcon(icons::icon(u"folder"))
{
    for (const Collection& collection : state.collections())
        m_ids.append(collection.id);
    const CollectionStore* store = &state.collectionStore();
    connect(
        store, &CollectionStore::collectionsInserted, this, &CollectionListModel::handleInserted);
    connect(store, &CollectionStore::collectionsRemoved, this, &CollectionListModel::handleRemoved);
    connect(store, &CollectionStore::collectionChanged, this, &CollectionListModel::handleChanged);
}

int CollectionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
}

const Collection* CollectionListModel::collectionAt(int row) const
{
    return (row >= 0 && row < m_ids.size()) ? m_state.collectionStore().collection(m_ids[row])
                                            : nullptr;
}

QVariant CollectionListModel::data(const QModelIndex& index, int role) const
{
    const Collection* collection
        = (index.isValid() && checkIndex(index)) ? collectionAt(index.row()) : nullptr;
    if (!collection)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return collection->name;
    case Qt::DecorationRole:
        return m_folderIcon;
    case IDRole:
        return collection->id;
    default:
        return {};
    }
}

void CollectionListModel::handleInserted(int first, int last)
{
    beginInsertRows({}, first, last);
    for (int row = first; row <= last; ++row)
        m_ids.insert(row, m_state.collections().at(row).id);
    endInsertRows();
}

void CollectionListModel::handleRemoved(int first, int last)
{
    beginRemoveRows({}, first, last);
    m_ids.remove(first, last - first + 1);
    endRemoveRows();
}

void CollectionListModel::handleChanged(const QUuid& collectionID)
{
    const int row = int(m_ids.indexOf(collectionID));
    if (row >= 0)
        Q_EMIT dataChanged(index(row), index(row), {Qt::DisplayRole, Qt::AccessibleTextRole});
}

} // namespace mako
