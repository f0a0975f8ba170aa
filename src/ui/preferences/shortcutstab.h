#pragma once

#include "ui/commands/shortcuts.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QKeyEvent;
class QLabel;
class QMessageBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace mako {

class ShortcutMap;

/// Every command with its key, in sections, each key changeable: choose a row (arrow keys and
/// Return, or a click) and press the new keys. Escape keeps the old key, Backspace or Delete
/// leaves the command without one; a key another command has is only moved after asking.
class ShortcutsTab : public QWidget {
    Q_OBJECT

public:
    explicit ShortcutsTab(ShortcutMap& shortcuts, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startCapture(QTreeWidgetItem* row);
    void endCapture();
    /// A key pressed while capturing; true when the capture took it.
    bool handleCapturedKey(const QKeyEvent& key);
    void assign(Shortcut command, const QKeySequence& key);
    void askToReassign(Shortcut command, const QKeySequence& key, Shortcut holder);
    void showKeys();
    QString title(Shortcut command) const;

    ShortcutMap& m_shortcuts;
    QTreeWidget* m_table;
    QLabel* m_hint;
    QPushButton* m_restore;
    QTreeWidgetItem* m_capturing = nullptr;
    QPointer<QMessageBox> m_conflict;
};

} // namespace mako
