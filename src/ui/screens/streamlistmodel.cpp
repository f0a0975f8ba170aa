#include "ui/screens/streamlistmodel.h"

#include "model/timestamp.h"

namespace mako {

int StreamListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

Qt::ItemFlags StreamListModel::flags(const QModelIndex& index) const
{
    // "Editable" only opens the read-only field in which the text can be selected and copied.
    return QAbstractListModel::flags(index) | Qt::ItemIsEditable;
}

void StreamListModel::clear()
{
    if (m_rows == 0) {
        m_first = sourceSize();
        return;
    }
    beginRemoveRows({}, 0, m_rows - 1);
    m_first = sourceSize();
    m_rows = 0;
    endRemoveRows();
}

void StreamListModel::takeAppended()
{
    const int rows = int(sourceSize() - m_first);
    if (rows <= m_rows)
        return;
    beginInsertRows({}, m_rows, rows - 1);
    m_rows = rows;
    endInsertRows();
}

void StreamListModel::startOver(const std::function<void()>& switchClient)
{
    beginResetModel();
    switchClient();
    m_first = 0;
    m_rows = int(sourceSize());
    endResetModel();
}

QString StreamListModel::timeOfDay(double timestamp)
{
    // With seconds: entries of a stream often arrive within the same minute.
    return timestampToDateTime(timestamp).toLocalTime().time().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace mako
