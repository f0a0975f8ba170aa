#include "ui/editor/keyvaluemodel.h"

#include "state/requestviewmodel.h"

#include <algorithm>

namespace mako {

namespace {

bool sameRows(const QList<KeyValuePair>& a, const QList<KeyValuePair>& b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
        [](const KeyValuePair& x, const KeyValuePair& y) { return x.id == y.id; });
}

} // namespace

KeyValueModel::KeyValueModel(RequestViewModel& viewModel, RowsField field, QObject* parent)
    : QAbstractTableModel(parent)
    , m_viewModel(viewModel)
    , m_field(field)
    , m_shown(rows())
{
    connect(&m_viewModel, &RequestViewModel::requestChanged, this,
        &KeyValueModel::handleRequestChanged);
}

const QList<KeyValuePair>& KeyValueModel::rows() const
{
    return m_viewModel.request().*m_field;
}

int KeyValueModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows().size());
}

int KeyValueModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant KeyValueModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const KeyValuePair& row = rows()[index.row()];
    switch (index.column()) {
    case EnabledColumn:
        if (role == Qt::CheckStateRole)
            return row.isEnabled ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
            return tr("Enabled");
        return {};
    case KeyColumn:
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return row.key;
        if (role == Qt::AccessibleTextRole)
            return row.key.isEmpty() ? tr("Key") : row.key;
        return {};
    case ValueColumn:
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return row.value;
        if (role == Qt::AccessibleTextRole)
            return row.value.isEmpty() ? tr("Value") : row.value;
        return {};
    case RemoveColumn:
        if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
            return tr("Remove");
        return {};
    default:
        return {};
    }
}

bool KeyValueModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const int row = index.row();
    if (index.column() == EnabledColumn && role == Qt::CheckStateRole) {
        const bool enabled = value.value<Qt::CheckState>() == Qt::Checked;
        editRows([&](QList<KeyValuePair>& rows) { rows[row].isEnabled = enabled; });
    } else if (index.column() == KeyColumn && role == Qt::EditRole) {
        editRows([&](QList<KeyValuePair>& rows) { rows[row].key = value.toString(); });
    } else if (index.column() == ValueColumn && role == Qt::EditRole) {
        editRows([&](QList<KeyValuePair>& rows) { rows[row].value = value.toString(); });
    } else {
        return false;
    }
    Q_EMIT dataChanged(index, index);
    return true;
}

Qt::ItemFlags KeyValueModel::flags(const QModelIndex& index) const
{
    switch (index.column()) {
    case EnabledColumn:
        return Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
    case KeyColumn:
    case ValueColumn:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    default:
        return Qt::ItemIsEnabled;
    }
}

bool KeyValueModel::insertRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row > rowCount())
        return false;
    beginInsertRows({}, row, row + count - 1);
    editRows([&](QList<KeyValuePair>& rows) {
        for (int added = 0; added < count; ++added)
            rows.insert(row, KeyValuePair {});
    });
    endInsertRows();
    return true;
}

bool KeyValueModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row + count > rowCount())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    editRows([&](QList<KeyValuePair>& rows) { rows.remove(row, count); });
    endRemoveRows();
    return true;
}

void KeyValueModel::editRows(const std::function<void(QList<KeyValuePair>&)>& edit)
{
    APIRequest request = m_viewModel.request();
    edit(request.*m_field);
    m_editing = true;
    m_viewModel.setRequest(request);
    m_editing = false;
    m_shown = rows();
}

void KeyValueModel::handleRequestChanged()
{
    const QList<KeyValuePair>& current = rows();
    // Another field changed: the list is still the very one shown.
    if (m_editing || current.constData() == m_shown.constData())
        return;
    const bool sameShape = sameRows(current, m_shown);
    m_shown = current;
    if (sameShape) {
        if (!current.isEmpty())
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
        return;
    }
    beginResetModel();
    endResetModel();
}

} // namespace mako
