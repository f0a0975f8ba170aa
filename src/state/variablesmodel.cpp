#include "state/variablesmodel.h"

#include "state/appstate.h"

namespace mako {

VariablesModel::VariablesModel(AppState* state, QObject* parent)
    : QAbstractTableModel(parent)
    , m_state(state)
{
    const EnvironmentStore* store = &state->environmentStore();
    connect(store, &EnvironmentStore::variablesInserted, this, &VariablesModel::handleInserted);
    connect(store, &EnvironmentStore::variablesRemoved, this, &VariablesModel::handleRemoved);
    connect(store, &EnvironmentStore::variableChanged, this, &VariablesModel::handleChanged);
    connect(store, &EnvironmentStore::environmentsInserted, this,
        &VariablesModel::handleEnvironmentsChanged);
    connect(store, &EnvironmentStore::environmentsRemoved, this,
        &VariablesModel::handleEnvironmentsChanged);
    reload();
}

void VariablesModel::showEnvironment(const std::optional<QUuid>& environmentID)
{
    if (environmentID == m_environmentID)
        return;
    beginResetModel();
    m_environmentID = environmentID;
    reload();
    endResetModel();
}

void VariablesModel::setValuesRevealed(bool revealed)
{
    if (revealed == m_revealed)
        return;
    m_revealed = revealed;
    if (!m_ids.isEmpty())
        Q_EMIT dataChanged(index(0, ValueColumn), index(int(m_ids.size()) - 1, ValueColumn));
}

const QList<KeyValuePair>* VariablesModel::shownRows() const
{
    return m_state->environmentStore().variables(m_environmentID);
}

void VariablesModel::reload()
{
    const QList<KeyValuePair>* rows = shownRows();
    m_attached = rows != nullptr;
    m_ids.clear();
    for (const KeyValuePair& row : rows ? *rows : QList<KeyValuePair> {})
        m_ids.append(row.id);
}

const KeyValuePair* VariablesModel::variableAt(int row) const
{
    const QList<KeyValuePair>* rows = shownRows();
    if (!rows || row < 0 || row >= m_ids.size())
        return nullptr;
    // Rows and list agree except while a notification is on its way.
    if (row < rows->size() && rows->at(row).id == m_ids[row])
        return &rows->at(row);
    for (const KeyValuePair& variable : *rows) {
        if (variable.id == m_ids[row])
            return &variable;
    }
    return nullptr;
}

int VariablesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
}

int VariablesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VariablesModel::data(const QModelIndex& index, int role) const
{
    const KeyValuePair* variable
        = (index.isValid() && checkIndex(index)) ? variableAt(index.row()) : nullptr;
    if (!variable)
        return {};
    if (role == IDRole)
        return variable->id;
    switch (index.column()) {
    case EnabledColumn:
        if (role == Qt::CheckStateRole)
            return variable->isEnabled ? Qt::Checked : Qt::Unchecked;
        return {};
    case KeyColumn:
        if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole)
            return variable->key;
        return {};
    case SecretColumn:
        if (role == Qt::CheckStateRole)
            return variable->isSecret ? Qt::Checked : Qt::Unchecked;
        return {};
    default: {
        const bool masked = variable->isSecret && !m_revealed && !variable->value.isEmpty();
        if (role == MaskedRole)
            return masked;
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return masked ? kMask.toString() : variable->value;
        if (role == Qt::EditRole)
            return variable->value;
        return {};
    }
    }
}

bool VariablesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const KeyValuePair* variable
        = (index.isValid() && checkIndex(index)) ? variableAt(index.row()) : nullptr;
    if (!variable)
        return false;
    KeyValuePair edited = *variable;
    if (index.column() == EnabledColumn && role == Qt::CheckStateRole)
        edited.isEnabled = value.toInt() == Qt::Checked;
    else if (index.column() == SecretColumn && role == Qt::CheckStateRole)
        edited.isSecret = value.toInt() == Qt::Checked;
    else if (index.column() == KeyColumn && role == Qt::EditRole)
        edited.key = value.toString();
    else if (index.column() == ValueColumn && role == Qt::EditRole)
        edited.value = value.toString();
    else
        return false;
    m_state->updateVariable(m_environmentID, edited);
    return true;
}

Qt::ItemFlags VariablesModel::flags(const QModelIndex& index) const
{
    if (!(index.isValid() && checkIndex(index)))
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    const bool check = index.column() == EnabledColumn || index.column() == SecretColumn;
    return flags | (check ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

QVariant VariablesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case EnabledColumn:
        return tr("Enabled");
    case KeyColumn:
        return tr("Key");
    case ValueColumn:
        return tr("Value");
    case SecretColumn:
        return tr("Secret");
    default:
        return {};
    }
}

bool VariablesModel::insertRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count < 1)
        return false;
    QList<KeyValuePair> blank;
    for (int added = 0; added < count; ++added)
        blank.append(KeyValuePair {});
    return m_state->insertVariables(m_environmentID, row, blank);
}

bool VariablesModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count < 1)
        return false;
    return m_state->removeVariables(m_environmentID, row, count);
}

void VariablesModel::handleInserted(const std::optional<QUuid>& environmentID, int first, int last)
{
    if (environmentID != m_environmentID)
        return;
    beginInsertRows({}, first, last);
    for (int row = first; row <= last; ++row)
        m_ids.insert(row, shownRows()->at(row).id);
    endInsertRows();
}

void VariablesModel::handleRemoved(const std::optional<QUuid>& environmentID, int first, int last)
{
    if (environmentID != m_environmentID)
        return;
    beginRemoveRows({}, first, last);
    m_ids.remove(first, last - first + 1);
    endRemoveRows();
}

void VariablesModel::handleChanged(
    const std::optional<QUuid>& environmentID, const QUuid& variableID)
{
    const int row = int(m_ids.indexOf(variableID));
    if (environmentID != m_environmentID || row < 0)
        return;
    // Every column a subclass shows, too.
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void VariablesModel::handleEnvironmentsChanged()
{
    // The shown environment went, or (restored from a backup) came back.
    if (m_attached == (shownRows() != nullptr))
        return;
    beginResetModel();
    reload();
    endResetModel();
}

} // namespace mako
