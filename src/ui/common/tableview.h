#pragma once

#include <QTableView>

namespace mako {

/// A table that Tab passes through like any other control: arrow keys move between cells, Tab
/// and Shift+Tab go to the next and previous control. In an open cell, Tab commits and moves to
/// the next editable cell of the same row, and past the row's last one on to the next control.
class TableView : public QTableView {
    Q_OBJECT

public:
    explicit TableView(QWidget* parent = nullptr);

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

} // namespace mako
