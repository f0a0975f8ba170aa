#pragma once

#include "model/apirequest.h"
#include "state/requestsearch.h"

#include <QAbstractListModel>

namespace mako {

class AppState;

/// "Search Results": the requests of every collection whose name, URL or one of whose tags
/// holds the search text, collections in order. Empty while the text is empty. The found rows
/// are looked up again whenever the collections change.
class SearchResultsModel : public QAbstractListModel {
    Q_OBJECT

public:
    /// `state` must outlive the model.
    explicit SearchResultsModel(const AppState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QString& searchText() const { return m_searchText; }
    void setSearchText(const QString& text);
    /// The request of a row, or null.
    const APIRequest* requestAt(const QModelIndex& index) const;

private:
    void search();

    const AppState& m_state;
    QString m_searchText;
    QList<RequestMatch> m_matches;
};

} // namespace mako
