#pragma once

#include <QTreeView>

namespace mako {

class SidebarActions;

/// The collection tree's view: it records the row a drag starts from with the sidebar actions
/// (and forgets it when the drag ends, dropped or not), and turns the keys of the sidebar into
/// requests: Return opens, F2 renames, Delete deletes.
class CollectionTreeView : public QTreeView {
    Q_OBJECT

public:
    /// `actions` must outlive the view.
    explicit CollectionTreeView(SidebarActions& actions, QWidget* parent = nullptr);

Q_SIGNALS:
    void openRequested(const QModelIndex& index);
    void renameRequested(const QModelIndex& index);
    void deleteRequested(const QModelIndex& index);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    SidebarActions& m_actions;
};

} // namespace mako
