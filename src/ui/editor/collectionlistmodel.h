#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QList>
#include <QUuid>

namespace mako {

class AppState;
struct Collection;

/// One row per collection of the state, in its order: the name with a folder icon, and the id.
/// Read-only; the rows follow the collection notifications one step at a time.
class CollectionListModel : public QAbstractListModel {
    Q_OBJECT

public:
    /// The collection's id (QUuid).
    static constexpr int IDRole = Qt::UserRole;

    /// `state` must outlive the model.
    explicit CollectionListModel(const AppState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const Collection* collectionAt(int row) const;
    void handleInserted(int first, int last);
    void handleRemoved(int first, int last);
    void handleChanged(const QUuid& collectionID);

    const AppState& m_state;
    QIcon m_folderIcon;
    // The ids of the rows as the notifications so far describe them.
    QList<QUuid> m_ids;
};

} // namespace mako
