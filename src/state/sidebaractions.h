#pragma once

#include "model/apirequest.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace mako {

class AppState;

/// The editing actions of the sidebar and the rename and drag state they use, so the sidebar's
/// menus, sheets and drop targets only call these. Lives on the main thread beside the sidebar.
class SidebarActions : public QObject {
    Q_OBJECT
    Q_PROPERTY(std::optional<QUuid> renamingID READ renamingID NOTIFY renamingIDChanged)
    Q_PROPERTY(QString renameText READ renameText WRITE setRenameText NOTIFY renameTextChanged)

public:
    /// `state` must outlive the actions.
    explicit SidebarActions(AppState* state, QObject* parent = nullptr);

    /// Stores a new blank request in the collection and opens it in a tab.
    void addRequestToCollection(const QUuid& collectionID);
    /// The same, filed in the folder.
    void addRequestToFolder(const QUuid& folderID, const QUuid& collectionID);
    /// Appends "<name> (Copy)": plain HTTP copies of the requests with fresh ids, and the folders
    /// listing the copies.
    void duplicateCollection(const QUuid& collectionID);
    /// "Duplicate" (into the request's own collection) and "Copy to Collection" (into another):
    /// a "(Copy)" of the request is appended at the collection's top level.
    void duplicateRequest(const APIRequest& request, const QUuid& intoCollectionID);

    /// The collection, folder or request being renamed; the rename sheet shows while present.
    const std::optional<QUuid>& renamingID() const { return m_renamingID; }
    const QString& renameText() const { return m_renameText; }
    void setRenameText(const QString& text);
    void startRename(const QUuid& id, const QString& currentName);
    void cancelRename();
    /// Gives the collection, else folder, else request with `id` the rename text as typed (and
    /// the open request too when it is that request), and ends the renaming in every case.
    void applyRename(const QUuid& id);

    /// Records the dragged row and returns the text it offers as its drag payload. Only one row
    /// is dragged at a time: starting one forgets a drag of the other kind.
    QString startDraggingRequest(const QUuid& requestID);
    QString startDraggingFolder(const QUuid& folderID);
    /// The drag ended, dropped or not: a later drop must not act on it.
    void endDragging();
    const std::optional<QUuid>& draggedRequestID() const { return m_draggedRequestID; }
    const std::optional<QUuid>& draggedFolderID() const { return m_draggedFolderID; }
    /// Drops the dragged row on a collection (`toFolder` absent) or one of its folders. Within
    /// a collection a request only changes folder; across collections it moves with its id (and
    /// its tab closes). A folder moves with its requests to another collection; folders do not
    /// nest and are not reordered. True when the drop was taken.
    bool handleDrop(const std::optional<QUuid>& toFolder, const QUuid& inCollection);

Q_SIGNALS:
    void renamingIDChanged();
    void renameTextChanged();

private:
    void setRenamingID(const std::optional<QUuid>& id);
    bool dropRequest(const std::optional<QUuid>& toFolder, const QUuid& target);
    bool dropFolder(const QUuid& target);

    AppState* m_state;
    std::optional<QUuid> m_renamingID;
    QString m_renameText;
    std::optional<QUuid> m_draggedRequestID;
    std::optional<QUuid> m_draggedFolderID;
};

} // namespace mako
