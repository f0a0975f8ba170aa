#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QPointer>

class QSplitter;
class QToolBar;

namespace mako {

class AppState;
class Commands;
class DetailArea;
class FileCommands;
class FileDialogs;
class Settings;
class ShortcutMap;

/// The one window: the sidebar and the detail area side by side, the toolbar with the protocol
/// picker and the environment selector, and the menus. A frame only: each area is its own
/// class, and the window remembers its size, place and sidebar width between runs.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr QSize kDefaultSize {1200, 800};
    static constexpr QSize kMinimumSize {900, 600};
    static constexpr int kSidebarMinimumWidth = 220;
    static constexpr int kSidebarIdealWidth = 260;
    static constexpr int kSidebarMaximumWidth = 360;

    MainWindow(AppState& state, Commands& commands, Settings& settings, FileDialogs& dialogs,
        const ShortcutMap& shortcuts, QWidget* parent = nullptr);

    DetailArea* detailArea() const { return m_detailArea; }
    FileCommands& fileCommands() const { return *m_fileCommands; }

    /// Puts `sidebar` in the sidebar column; the window takes it over.
    void setSidebar(QWidget* sidebar);
    /// Puts `selector` in the environment selector's place in the toolbar.
    void setEnvironmentSelector(QWidget* selector);

    /// Hides the sidebar column, or shows it again.
    void toggleSidebar();

    /// Stores the window's size, place and sidebar width for the next run.
    void saveWindowState();

    /// Shows the cookie manager, made anew when it is not open, else brought forward.
    void openCookies();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QWidget* buildSidebarSlot();
    /// The tab bar, the environment selector, the save and duplicate commands and the palette.
    void buildRequestAreas(
        AppState& state, Commands& commands, FileDialogs& dialogs, const ShortcutMap& shortcuts);
    void buildToolBar(AppState& state);
    void restoreWindowState();
    void applySidebarWidth();
    QList<QWidget*> focusChainInReadingOrder() const;

    Settings& m_settings;
    QSplitter* m_splitter;
    QWidget* m_sidebar;
    DetailArea* m_detailArea;
    QToolBar* m_toolBar = nullptr;
    QWidget* m_tabBar = nullptr;
    QAction* m_environmentSelector = nullptr;
    FileCommands* m_fileCommands;
    QPointer<QDialog> m_cookiesSheet;
};

} // namespace mako
