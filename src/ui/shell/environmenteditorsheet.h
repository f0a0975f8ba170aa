#pragma once

#include <QDialog>
#include <QUuid>

#include <optional>

class QComboBox;
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
/// the selected one's name, where it is kept (this computer, or shared in the environments/
/// of a folder collection) and its variables; the second edits the global variables. Edits reach
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
    /// Lists where the selected environment can be kept, with its place chosen.
    void updatePlaces();
    void movePlace(int index);

    AppState& m_state;
    EnvironmentListModel* m_environments;
    QListView* m_list = nullptr;
    QToolButton* m_remove = nullptr;
    QStackedWidget* m_detail = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_place = nullptr;
    KeyValueEditor* m_variables = nullptr;
    KeyValueEditor* m_globals = nullptr;
    std::optional<QUuid> m_selectedID;
};

} // namespace mako
