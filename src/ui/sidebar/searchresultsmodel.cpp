#include "ui/sidebar/searchresultsmodel.h"

#include "state/appstate.h"
#include "ui/sidebar/collectiontreemodel.h"

namespace mako {

SearchResultsModel::SearchResultsModel(const AppState& state, QObject* parent)
    : QAbstractListModel(parent)
    , m_state(state)
{
    connect(&state, &AppState::collectionsChanged, this, [this] {
        if (!m_searchText.isEmpty())
            search();
    });
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_matches.size());
}

const APIRequest* SearchResultsModel::requestAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this || index.row() >= m_matches.size())
        return nullptr;
    const RequestMatch& match = m_matches[index.row()];
    const QList<Collection>& collections = m_state.collections();
    if (match.collection >= collections.size()
        || match.request >= collections[match.collection].requests.size())
        return nullptr;
    return &collections[match.collection].requests[match.request];
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const
{
    const APIRequest* request = requestAt(index);
    if (!request)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return request->name;
    case Qt::ToolTipRole:
        return request->url;
    case Qt::AccessibleTextRole:
        return methodName(*request) + u' ' + request->name;
    case CollectionTreeModel::MethodRole:
        return methodName(*request);
    default:
        return {};
    }
}

void SearchResultsModel::setSearchText(const QString& text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    search();
}

void SearchResultsModel::search()
{
    beginResetModel();
    m_matches = m_searchText.isEmpty()
        ? QList<RequestMatch> {}
        : searchRequests(m_state.collections(), m_searchText,
            RequestField::name | RequestField::url | RequestField::tags);
    endResetModel();
}

} // namespace mako
