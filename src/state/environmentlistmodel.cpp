#include "state/environmentlistmodel.h"

#include "state/appstate.h"

namespace mako {

EnvironmentListModel::EnvironmentListModel(AppState* state, QObject* parent)
    : QAbstractListModel(parent)
    , m_state(state)
{
    for (const APIEnvironment& environment : state->environments())
        m_ids.append(environment.id);
    const EnvironmentStore* store = &state->environmentStore();
    connect(store, &EnvironmentStore::environmentsInserted, this,
        &EnvironmentListModel::handleInserted);
    connect(
        store, &EnvironmentStore::environmentsRemoved, this, &EnvironmentListModel::handleRemoved);
    connect(
        store, &EnvironmentStore::environmentChanged, this, &EnvironmentListModel::handleChanged);
}

int EnvironmentListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
}

const APIEnvironment* EnvironmentListModel::environmentAt(int row) const
{
    if (row < 0 || row >= m_ids.size())
        return nullptr;
    // Rows and list agree except while a notification is on its way.
    const QList<APIEnvironment>& environments = m_state->environments();
    if (row < environments.size() && environments[row].id == m_ids[row])
        return &environments[row];
    return m_state->environmentStore().environment(m_ids[row]);
}

QVariant EnvironmentListModel::data(const QModelIndex& index, int role) const
{
    const APIEnvironment* environment
        = (index.isValid() && checkIndex(index)) ? environmentAt(index.row()) : nullptr;
    if (!environment)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return environment->name;
    case IDRole:
        return environment->id;
    case ActiveRole:
        return environment->isActive;
    default:
        return {};
    }
}

bool EnvironmentListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const APIEnvironment* environment
        = (index.isValid() && checkIndex(index)) ? environmentAt(index.row()) : nullptr;
    if (!environment)
        return false;
    const QUuid id = environment->id;
    if (role == Qt::EditRole) {
        m_state->renameEnvironment(id, value.toString());
        return true;
    }
    if (role == ActiveRole) {
        if (value.toBool())
            m_state->setActiveEnvironment(id);
        else if (environment->isActive)
            m_state->setActiveEnvironment(std::nullopt);
        return true;
    }
    return false;
}

Qt::ItemFlags EnvironmentListModel::flags(const QModelIndex& index) const
{
    if (!(index.isValid() && checkIndex(index)))
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

QHash<int, QByteArray> EnvironmentListModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(IDRole, "environmentID");
    names.insert(ActiveRole, "isActive");
    return names;
}

void EnvironmentListModel::handleInserted(int first, int last)
{
    beginInsertRows({}, first, last);
    for (int row = first; row <= last; ++row)
        m_ids.insert(row, m_state->environments().at(row).id);
    endInsertRows();
}

void EnvironmentListModel::handleRemoved(int first, int last)
{
    beginRemoveRows({}, first, last);
    m_ids.remove(first, last - first + 1);
    endRemoveRows();
}

void EnvironmentListModel::handleChanged(const QUuid& id)
{
    const int row = rowOf(id);
    if (row >= 0)
        Q_EMIT dataChanged(index(row), index(row));
}

} // namespace mako
