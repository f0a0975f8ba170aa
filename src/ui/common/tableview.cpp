#include "ui/common/tableview.h"

namespace mako {

TableView::TableView(QWidget* parent)
    : QTableView(parent)
{
    // Qt's tables keep Tab for moving between cells and wrap around at the end, which leaves a
    // keyboard user no way out.
    setTabKeyNavigation(false);
}

void TableView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool forward = hint == QAbstractItemDelegate::EditNextItem;
    if (!forward && hint != QAbstractItemDelegate::EditPreviousItem) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    const QModelIndex current = currentIndex();
    const QModelIndex next = moveCursor(forward ? MoveNext : MovePrevious, Qt::NoModifier);
    if (next.isValid() && next.row() == current.row()
        && next.flags().testFlag(Qt::ItemIsEditable)) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    // The delegate has committed the text already; only the focus moves on.
    const bool hadFocus = editor && editor->hasFocus();
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (hadFocus) {
        setFocus(Qt::OtherFocusReason);
        focusNextPrevChild(forward);
    }
}

} // namespace mako
