#pragma once

#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

namespace mako {

class AppState;

/// "New from Template": the built-in request templates in one section per protocol. Choosing
/// one opens it as a new request tab and closes the sheet. Window-modal: open it with `open()`;
/// it deletes itself when closed.
class TemplateSheet : public QDialog {
    Q_OBJECT

public:
    /// `state` must outlive the sheet.
    TemplateSheet(AppState& state, QWidget* window);

private:
    void choose(QTreeWidgetItem* item);

    AppState& m_state;
    QTreeWidget* m_list;
};

} // namespace mako
