#pragma once

#include <QObject>
#include <QUuid>

#include <functional>
#include <optional>

class QMenu;
class QModelIndex;
class QWidget;

namespace mako {

class AppState;
class CollectionTreeModel;
class FileDialogs;
class Settings;
class SidebarActions;

/// What the rows of the collection tree do: their context menus and the keys' commands. Each
/// entry calls an operation of the state or of the sidebar actions; deletions ask first while
/// the "confirmBeforeDelete" preference is on.
class CollectionCommands : public QObject {
    Q_OBJECT

public:
    /// Everything must outlive the commands; sheets and panels open over `window`.
    CollectionCommands(AppState& state, SidebarActions& actions, const Settings& settings,
        FileDialogs& dialogs, const CollectionTreeModel& model, QWidget* window);

    /// The context menu of a row, parented to `parent`; null for no row.
    QMenu* menuFor(const QModelIndex& index, QWidget* parent);

    /// Opens a request row; the others have nothing to open.
    void open(const QModelIndex& index);
    /// Starts renaming the row.
    void rename(const QModelIndex& index);
    /// Deletes the collection, folder or request of the row, asking first if the user wants.
    void remove(const QModelIndex& index);
    /// Asks where to write the collection and writes it there.
    void exportCollection(const QUuid& collectionID);
    void saveToFolder(const QUuid& collectionID);
    void exportK6Script(const QUuid& collectionID);
    /// The same as a Postman v2.1 collection.
    void exportPostmanCollection(const QUuid& collectionID);

Q_SIGNALS:
    /// "Run Collection" was chosen.
    void runRequested(const QUuid& collectionID);
    /// "Scripts..." was chosen for the collection, or for its folder `folderID`.
    void scriptsRequested(const QUuid& collectionID, const std::optional<QUuid>& folderID);
    /// "Auth..." of a collection.
    void authRequested(const QUuid& collectionID);

private:
    void fillCollectionMenu(QMenu* menu, const QModelIndex& index);
    void fillFolderMenu(QMenu* menu, const QModelIndex& index);
    void fillRequestMenu(QMenu* menu, const QModelIndex& index);
    /// `detail` replaces the warning that the deletion cannot be undone.
    void confirmThen(
        const QString& question, std::function<void()> action, const QString& detail = QString());

    AppState& m_state;
    SidebarActions& m_actions;
    const Settings& m_settings;
    FileDialogs& m_dialogs;
    const CollectionTreeModel& m_model;
    QWidget* m_window;
};

} // namespace mako
