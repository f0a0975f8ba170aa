#pragma once

#include "model/apirequest.h"

#include <QAbstractTableModel>
#include <QList>

namespace mako {

class RequestViewModel;

/// The rows of one list of the edited request (its headers, or its query parameters) as a
/// table: a check box, the key, the value and a remove column. It reads the rows from the
/// editor's view model and writes every edit back there; it keeps no rows of its own, only a
/// shared reference to the list it last showed, to tell its own edits and other fields' edits
/// (no change here) from a different list (a new request).
class KeyValueModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { EnabledColumn, KeyColumn, ValueColumn, RemoveColumn, ColumnCount };
    using RowsField = QList<KeyValuePair> APIRequest::*;

    KeyValueModel(RequestViewModel& viewModel, RowsField field, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Inserts empty enabled rows.
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    const QList<KeyValuePair>& rows() const;
    void editRows(const std::function<void(QList<KeyValuePair>&)>& edit);
    void handleRequestChanged();

    RequestViewModel& m_viewModel;
    RowsField m_field;
    QList<KeyValuePair> m_shown;
    bool m_editing = false;
};

} // namespace mako
