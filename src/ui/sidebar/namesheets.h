#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace mako {

class AppState;
class SidebarActions;

/// A small window-modal sheet with a title, one named text field and two buttons; Return
/// presses the default one, Escape cancels. The two sheets of the sidebar are made from it.
/// Open it with `open()`; it deletes itself when closed.
class NameSheet : public QDialog {
    Q_OBJECT

public:
    QLineEdit* field() const { return m_field; }
    QPushButton* confirmButton() const { return m_confirm; }

protected:
    NameSheet(const QString& objectName, const QString& title, const QString& fieldLabel,
        const QString& confirmText, QWidget* window);

private:
    QLineEdit* m_field;
    QPushButton* m_confirm;
};

/// "Rename": edits the sidebar actions' rename text and applies it, or cancels the renaming.
/// It also closes when the renaming ends elsewhere.
class RenameSheet : public NameSheet {
    Q_OBJECT

public:
    /// `actions` must outlive the sheet.
    RenameSheet(SidebarActions& actions, QWidget* window);
};

/// "New Collection": "Create" adds a collection of the typed name and closes; with no name it
/// does nothing.
class NewCollectionSheet : public NameSheet {
    Q_OBJECT

public:
    /// `state` must outlive the sheet.
    NewCollectionSheet(AppState& state, QWidget* window);
};

} // namespace mako
