#include "ui/sidebar/collectiontreeview.h"

#include "state/sidebaractions.h"
#include "ui/sidebar/collectiontreemodel.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>

namespace mako {

CollectionTreeView::CollectionTreeView(SidebarActions& actions, QWidget* parent)
    : QTreeView(parent)
    , m_actions(actions)
{
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(true);
}

void CollectionTreeView::startDrag(Qt::DropActions)
{
    // Our own drag rather than the view's: a move the view finished itself would take the
    // rows out of the model, while here the state moves them and the model follows.
    const QModelIndex index = currentIndex();
    using Kind = CollectionTreeModel::Kind;
    const auto kind = static_cast<Kind>(index.data(CollectionTreeModel::KindRole).toInt());
    const QUuid id = index.data(CollectionTreeModel::IDRole).toUuid();
    if (!index.isValid() || kind == Kind::collection)
        return;
    auto* data = new QMimeData;
    data->setText(kind == Kind::request ? m_actions.startDraggingRequest(id)
                                        : m_actions.startDraggingFolder(id));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
    m_actions.endDragging();
}

void CollectionTreeView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex index = currentIndex();
    if (index.isValid() && event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Q_EMIT openRequested(index);
            return;
        case Qt::Key_F2:
            Q_EMIT renameRequested(index);
            return;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            Q_EMIT deleteRequested(index);
            return;
        default:
            break;
        }
    }
    QTreeView::keyPressEvent(event);
}

} // namespace mako
