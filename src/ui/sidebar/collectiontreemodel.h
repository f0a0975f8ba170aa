#pragma once

#include "model/apirequest.h"
#include "model/collection.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QIcon>
#include <QSet>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

namespace mako {

class AppState;
class SidebarActions;

/// The collections of the state as a tree: each collection holds its folders, then its requests
/// that no folder lists; each folder holds its requests in its own order (ids without a request
/// are left out). The model keeps only the ids of its rows; names and counts are read from the
/// state. It follows the collection notifications by moving, inserting and removing just the
/// rows that changed, so a view keeps its expansion, selection and scroll position when an edit
/// or a save lands. Rows of requests and folders can be dragged (the view starts the drag);
/// collection and folder rows take drops by the rules of `SidebarActions::handleDrop`.
class CollectionTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum class Kind { collection, folder, request };
    enum Role {
        /// Kind of the row (int).
        KindRole = Qt::UserRole,
        /// The collection's, folder's or request's id (QUuid).
        IDRole,
        /// The id of the collection that holds the row (QUuid).
        CollectionIDRole,
        /// A request's method name (QString).
        MethodRole,
        /// A collection's or folder's number of requests (int).
        CountRole,
    };

    /// Both must outlive the model.
    CollectionTreeModel(const AppState& state, SidebarActions& actions, QObject* parent = nullptr);
    ~CollectionTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
        const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
        const QModelIndex& parent) override;

    /// The row of the collection with `id`.
    QModelIndex collectionIndex(const QUuid& id) const;
    /// The first row, depth first, that shows the folder or request with `id` in `collectionID`.
    QModelIndex findIndex(const QUuid& collectionID, const QUuid& id) const;
    /// The collection the row belongs to, or null.
    const Collection* collectionAt(const QModelIndex& index) const;
    /// The folder of a folder row, or null.
    const CollectionFolder* folderAt(const QModelIndex& index) const;
    /// The request of a request row, or null.
    const APIRequest* requestAt(const QModelIndex& index) const;

private:
    struct Node;
    using Key = std::pair<Kind, QUuid>;

    Node* nodeAt(const QModelIndex& index) const;
    QModelIndex indexOf(const Node* node) const;
    Node* collectionNode(const QUuid& id) const;
    std::unique_ptr<Node> buildCollection(const Collection& collection) const;
    QList<Key> topLevelKeys(const Collection& collection) const;
    static QList<Key> folderKeys(const Collection& collection, const CollectionFolder& folder);

    void handleCollectionsInserted(int first, int last);
    void handleCollectionsRemoved(int first, int last);
    void handleCollectionChanged(const QUuid& collectionID);
    void handleRequestChanged(const QUuid& collectionID, const QUuid& requestID);
    /// Brings the rows of one collection in line with the state, row by row.
    void syncCollection(const QUuid& collectionID);
    void syncChildren(Node* parent, const QList<Key>& wanted);
    void removeUnwanted(Node* parent, const QSet<Key>& wantedKeys);
    void emitChanged(const Node* node);

    /// Where a drop at `parent` lands: the collection, and the folder when it is a folder row.
    struct DropTarget {
        QUuid collectionID;
        std::optional<QUuid> folderID;
    };
    std::optional<DropTarget> dropTarget(const QMimeData* data, const QModelIndex& parent) const;

    const AppState& m_state;
    SidebarActions& m_actions;
    std::unique_ptr<Node> m_root;
    QIcon m_folderIcon;
    QIcon m_folderCollectionIcon;
};

} // namespace mako
