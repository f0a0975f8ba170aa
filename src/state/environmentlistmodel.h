#pragma once

#include "model/apienvironment.h"

#include <QAbstractListModel>
#include <QList>
#include <QUuid>

namespace mako {

class AppState;

/// One row per environment of the state, in its order: the name (display and edit role), the
/// id and the active flag. Names and the active flag are edited through the state's operations;
/// the rows follow the environment notifications one step at a time, never by a reset, so a
/// view keeps its selection and scroll position.
class EnvironmentListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        /// The environment's id (QUuid).
        IDRole = Qt::UserRole,
        /// Whether it is the active environment (bool). Writing true activates it; writing
        /// false leaves no environment active if it was.
        ActiveRole,
    };

    /// `state` must outlive the model.
    explicit EnvironmentListModel(AppState* state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

    /// The row of the environment with `id`, or -1.
    int rowOf(const QUuid& id) const { return int(m_ids.indexOf(id)); }

private:
    const APIEnvironment* environmentAt(int row) const;
    void handleInserted(int first, int last);
    void handleRemoved(int first, int last);
    void handleChanged(const QUuid& id);

    AppState* m_state;
    // The ids of the rows as the notifications so far describe them. The model answers from
    // these, so between a step and its notification it still shows the rows as they were.
    QList<QUuid> m_ids;
};

} // namespace mako
