#include "ui/sidebar/historylistmodel.h"

#include "state/appstate.h"
#include "state/historyfilter.h"
#include "ui/common/badges.h"

#include <algorithm>

namespace mako {

namespace {

// A GraphQL query always goes out as a POST; the method field of its record is left from
// whatever the request was before it became a query, and would show a GET that never happened.
QString sentMethod(const APIRequest& request)
{
    return request.requestProtocol == RequestProtocol::graphql ? rawValue(HTTPMethod::post)
                                                               : methodName(request);
}

} // namespace

HistoryListModel::HistoryListModel(const AppState& state, QObject* parent)
    : QAbstractListModel(parent)
    , m_state(state)
{
    for (int row = 0; row < state.history().size(); ++row)
        m_rows.append(row);
    const HistoryStore& store = state.historyStore();
    connect(&store, &HistoryStore::historyInserted, this, &HistoryListModel::handleInserted);
    connect(&store, &HistoryStore::historyRemoved, this, &HistoryListModel::handleRemoved);
}

int HistoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

const HistoryItem* HistoryListModel::itemAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this || index.row() >= m_rows.size())
        return nullptr;
    const int position = m_rows[index.row()];
    const QList<HistoryItem>& history = m_state.history();
    return position < history.size() ? &history[position] : nullptr;
}

QVariant HistoryListModel::data(const QModelIndex& index, int role) const
{
    const HistoryItem* item = itemAt(index);
    if (!item)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case URLRole:
        return item->request.url;
    case Qt::ToolTipRole:
        return item->request.name + u'\n' + item->request.url;
    case MethodRole:
        return sentMethod(item->request);
    case RelativeTimeRole:
        return relativeTimeText(item->timestamp);
    case StatusRole:
        return item->statusCode;
    case DurationRole:
        return durationText(item->duration);
    case Qt::AccessibleTextRole:
        return tr("%1 %2, %3, status %4, %5")
            .arg(sentMethod(item->request), item->request.url, relativeTimeText(item->timestamp),
                QString::number(item->statusCode), durationText(item->duration));
    default:
        return {};
    }
}

void HistoryListModel::setSearchText(const QString& text)
{
    if (text == m_searchText)
        return;
    beginResetModel();
    m_searchText = text;
    m_rows.clear();
    const QList<HistoryItem>& history = m_state.history();
    for (int row = 0; row < history.size(); ++row) {
        if (shows(history[row]))
            m_rows.append(row);
    }
    endResetModel();
}

bool HistoryListModel::shows(const HistoryItem& item) const
{
    return m_searchText.isEmpty() || !filteredHistory({item}, m_searchText).isEmpty();
}

void HistoryListModel::handleInserted(int first, int last)
{
    const int count = last - first + 1;
    // The rows at or after `first` move down by the entries that came in ahead of them.
    const auto from = std::ranges::lower_bound(m_rows, first);
    const int firstRow = static_cast<int>(from - m_rows.begin());
    for (auto row = from; row != m_rows.end(); ++row)
        *row += count;
    QList<int> added;
    const QList<HistoryItem>& history = m_state.history();
    for (int position = first; position <= last; ++position) {
        if (shows(history[position]))
            added.append(position);
    }
    if (added.isEmpty())
        return;
    beginInsertRows({}, firstRow, firstRow + static_cast<int>(added.size()) - 1);
    m_rows.insert(firstRow, added.size(), 0);
    std::ranges::copy(added, m_rows.begin() + firstRow);
    endInsertRows();
}

void HistoryListModel::handleRemoved(int first, int last)
{
    const int count = last - first + 1;
    const int firstRow = static_cast<int>(std::ranges::lower_bound(m_rows, first) - m_rows.begin());
    const int endRow = static_cast<int>(std::ranges::upper_bound(m_rows, last) - m_rows.begin());
    // The rows after the removed ones point at their new places before anyone asks.
    for (int row = endRow; row < m_rows.size(); ++row)
        m_rows[row] -= count;
    if (endRow > firstRow) {
        beginRemoveRows({}, firstRow, endRow - 1);
        m_rows.remove(firstRow, endRow - firstRow);
        endRemoveRows();
    }
}

} // namespace mako
