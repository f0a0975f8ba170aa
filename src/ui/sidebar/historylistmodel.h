#pragma once

#include "model/historyitem.h"

#include <QAbstractListModel>
#include <QList>

namespace mako {

class AppState;

/// The history entries the history list shows: all of them, or those whose URL or name holds
/// the search text (as `filteredHistory` decides). It keeps only the positions of its rows in
/// the history and follows the history's notifications row by row, so a request recorded while
/// the list is open adds one row and leaves the selection and scroll position alone.
class HistoryListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        /// The method name (QString).
        MethodRole = Qt::UserRole,
        /// The request's URL (QString).
        URLRole,
        /// How long ago it was sent (QString).
        RelativeTimeRole,
        /// The status code (int).
        StatusRole,
        /// The duration as "123ms" (QString).
        DurationRole,
    };

    /// `state` must outlive the model.
    explicit HistoryListModel(const AppState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QString& searchText() const { return m_searchText; }
    void setSearchText(const QString& text);
    /// The entry of a row, or null.
    const HistoryItem* itemAt(const QModelIndex& index) const;

private:
    bool shows(const HistoryItem& item) const;
    void handleInserted(int first, int last);
    void handleRemoved(int first, int last);

    const AppState& m_state;
    QString m_searchText;
    // The positions in the history of the rows shown, ascending.
    QList<int> m_rows;
};

} // namespace mako
