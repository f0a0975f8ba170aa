#pragma once

#include "model/apienvironment.h"
#include "ui/editor/keyvaluemodel.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QTableView;
class QToolButton;

namespace mako {

/// A titled list of key/value rows (headers, query parameters, form fields, variables): "Add"
/// appends an enabled empty row and puts the cursor in its key; each row has a check box, the
/// key, the value and a remove button. Rows are edited in place, in the user's order.
class KeyValueEditor : public QWidget {
    Q_OBJECT

public:
    /// What `{{name}}` placeholders in values resolve to when sent.
    using EnvironmentSource = std::function<std::optional<APIEnvironment>()>;
    /// A column after the remove column, in a table that has one (variables), is a toggle that
    /// makes the row's value secret. It is shown before the remove column, and the editor then
    /// offers to show or hide the secret values (a `VariablesModel` masks them).
    static constexpr int kSecretColumn = KeyValueModel::ColumnCount;

    /// Edits one list of the request in `viewModel`.
    KeyValueEditor(const QString& title, RequestViewModel& viewModel,
        KeyValueModel::RowsField field, EnvironmentSource environment, QWidget* parent = nullptr);
    /// Edits `rows`, any table laid out in `KeyValueModel::Column`'s columns that inserts and
    /// removes rows; the editor adopts it unless it has a parent. Without an `environment`,
    /// values are shown as typed, placeholders uncoloured (nothing substitutes them).
    KeyValueEditor(const QString& title, QAbstractItemModel* rows, EnvironmentSource environment,
        QWidget* parent = nullptr);

    QAbstractItemModel* model() const { return m_model; }
    QTableView* view() const { return m_view; }
    /// Replaces the line under the title (empty: none).
    void setNote(const QString& note);
    /// Repaints the placeholders after the variables changed.
    void refreshVariables();

private:
    void setUpTable(const QString& title, EnvironmentSource environment);
    void addRow();
    void handleClicked(const QModelIndex& index);
    void removeCurrentRow();
    void setUpSecrets(QToolButton* reveal);
    void revealValues(QToolButton* reveal, bool revealed);

    QAbstractItemModel* m_model;
    QTableView* m_view;
    QLabel* m_note;
};

} // namespace mako
