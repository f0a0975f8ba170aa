#pragma once

#include <QUuid>
#include <QWidget>

#include <optional>

class QTableView;
class QToolButton;

namespace mako {

class AppState;
class VariablesModel;

/// A key/value table over the variable rows of one environment or over the global variables:
/// an enabled check box, the key and the value, edited in place, with buttons that append a
/// blank row (and start editing its key) and remove the selected rows.
class VariablesEditor : public QWidget {
    Q_OBJECT

public:
    /// Shows the global variables until `showEnvironment` picks an environment. `state` must
    /// outlive the editor.
    VariablesEditor(AppState& state, const QString& title, QWidget* parent = nullptr);

    /// Shows the rows of the environment with `environmentID`, or the global variables.
    void showEnvironment(const std::optional<QUuid>& environmentID);

private:
    void addRow();
    void removeSelectedRows();
    void updateRemoveButton();

    VariablesModel* m_model;
    QTableView* m_table;
    QToolButton* m_add;
    QToolButton* m_remove;
};

} // namespace mako
