#pragma once

#include <QWidget>

class QComboBox;
class QToolButton;

namespace mako {

class AppState;
class EnvironmentEditorSheet;
class EnvironmentListModel;

/// The toolbar's environment picker: "No Environment" and every environment by name, showing
/// the active one; choosing an entry activates it. The gear button beside it opens the
/// environment editor sheet.
class EnvironmentSelector : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPickerWidth = 180;

    /// `state` must outlive the selector.
    explicit EnvironmentSelector(AppState& state, QWidget* parent = nullptr);

    /// Opens the environment editor over this selector's window and returns it.
    EnvironmentEditorSheet* openEditor();

private:
    void showActiveEnvironment();
    void handleActivated(int index);

    AppState& m_state;
    QComboBox* m_picker;
    EnvironmentListModel* m_environments;
    QToolButton* m_manage;
};

} // namespace mako
