#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace mako {

class AppState;
class Commands;
class FileCommands;
class MainWindow;
class ShortcutMap;

/// The window's menu bar: every command with its shortcut, which follows the user's choice.
/// Commands about the open request are announced on `Commands`; the rest run here. Each action has
/// an objectName
/// ("newRequestAction", ...) for tests and automation.
class MainMenu : public QObject {
    Q_OBJECT

public:
    MainMenu(MainWindow& window, AppState& state, Commands& commands, FileCommands& files,
        const ShortcutMap& shortcuts);

private:
    void buildFileMenu(QMenu* menu);
    void buildViewMenu(QMenu* menu);
    void buildWindowMenu(QMenu* menu);
    void buildHelpMenu(QMenu* menu);
    void updateEnabledActions();

    MainWindow& m_window;
    AppState& m_state;
    Commands& m_commands;
    FileCommands& m_files;
    const ShortcutMap& m_shortcuts;
    QAction* m_exportCollection = nullptr;
    QList<QAction*> m_openRequestActions;
};

} // namespace mako
