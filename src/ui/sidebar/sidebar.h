#pragma once

#include <QPointer>
#include <QWidget>

#include <optional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QToolButton;

namespace mako {

class AppState;
class CollectionCommands;
class CollectionTreeModel;
class CollectionTreeView;
class FileDialogs;
class HistoryView;
class RenameSheet;
class SearchResultsModel;
class Settings;
class ShortcutMap;
class SidebarActions;

/// The window's left column: the toolbar (new collection, new from template, new request),
/// the request search with its results, "Recent" with the history list under it while it is
/// selected, and the collections with their folders and requests. The selection is the state's
/// `selectedSidebarItem`: "Recent" or the collection of the current row.
class Sidebar : public QWidget {
    Q_OBJECT

public:
    /// Everything must outlive the sidebar.
    Sidebar(AppState& state, Settings& settings, FileDialogs& dialogs, const ShortcutMap& shortcuts,
        QWidget* parent = nullptr);

    SidebarActions& actions() const { return *m_actions; }
    CollectionCommands& commands() const { return *m_commands; }
    HistoryView& historyView() const { return *m_history; }

    /// Opens the new-collection sheet.
    void showNewCollection();
    /// Opens the template sheet.
    void showTemplates();
    /// Opens the runner sheet for the collection.
    void showRunner(const QUuid& collectionID);
    /// The scripts of the collection, or of its folder `folderID`.
    void showScripts(const QUuid& collectionID, const std::optional<QUuid>& folderID);
    /// The auth of the collection, the one its inheriting requests go with.
    void showCollectionAuth(const QUuid& collectionID);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildToolBar();
    QWidget* buildSearchField();
    QWidget* buildSearchResults();
    QWidget* buildRecentRow();
    void buildTree();
    QLabel* sectionTitle(const QString& text, const QString& objectName);

    void handleSearchTextChanged(const QString& text);
    bool handleSearchKey(const QKeyEvent& key);
    void handleCurrentRowChanged(const QModelIndex& current);
    void handleRowClicked(const QModelIndex& index);
    void showSelection();
    void showRenameSheet();

    AppState& m_state;
    Settings& m_settings;
    FileDialogs& m_dialogs;
    const ShortcutMap& m_shortcuts;
    SidebarActions* m_actions;
    CollectionTreeModel* m_treeModel;
    CollectionCommands* m_commands;
    QLineEdit* m_search;
    SearchResultsModel* m_searchResults;
    QWidget* m_searchSection;
    QListView* m_searchList = nullptr;
    QToolButton* m_recent;
    HistoryView* m_history;
    CollectionTreeView* m_tree;
    QPointer<RenameSheet> m_renameSheet;
    bool m_showingSelection = false;
};

} // namespace mako
