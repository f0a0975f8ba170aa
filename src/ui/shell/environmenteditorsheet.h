#pragma once

#include <QDialog>
#include <QUuid>

#include <optional>

class QLineEdit;
class QListView;
class QStackedWidget;
class QToolButton;

namespace mako {

class AppState;
class EnvironmentListModel;
class KeyValueEditor;

/// The sheet that edits the environments and the global variables, in two tabs. The first
/// lists the environments, adds ("New Environment", not selected) and deletes them, and edits
/// the selected one's name and variables; the second edits the global variables. Edits reach
/// the state at once; "Done" also writes the environments file. Window-modal: open it with
/// `open()`. It deletes itself when closed.
class EnvironmentEditorSheet : public QDialog {
    Q_OBJECT

public:
    /// `state` must outlive the sheet, which is shown over `window`.
    EnvironmentEditorSheet(AppState& state, QWidget* window);

private:
    QWidget* buildEnvironmentsTab();
    QWidget* buildEnvironmentDetail();
    QWidget* buildGlobalsTab();
    void handleSelectionChanged();
    void handleEnvironmentChanged(const QUuid& environmentID);
    void addEnvironment();
    void deleteSelected();
    void finish();
    void updateSecretNotes();

    AppState& m_state;
    EnvironmentListModel* m_environments;
    QListView* m_list = nullptr;
    QToolButton* m_remove = nullptr;
    QStackedWidget* m_detail = nullptr;
    QLineEdit* m_name = nullptr;
    KeyValueEditor* m_variables = nullptr;
    KeyValueEditor* m_globals = nullptr;
    std::optional<QUuid> m_selectedID;
};

} // namespace mako
