#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QStackedWidget;

namespace mako {

class AppState;
class HistoryListModel;

/// The history list under "Recent": a search field, the entries (a click or "Rerun" opens one,
/// "Save to Collection" stores it in a collection), or a line saying why there are none.
class HistoryView : public QWidget {
    Q_OBJECT

public:
    /// `state` must outlive the view.
    explicit HistoryView(AppState& state, QWidget* parent = nullptr);

    /// The context menu of the row at `row` of the list, parented to `parent`; null for none.
    QMenu* menuFor(int row, QWidget* parent);

private:
    void buildList();
    QWidget* buildEmptyState(const QString& objectName, QStringView symbol, const QString& text);
    void showListOrEmptyState();
    void open(const QModelIndex& index);

    AppState& m_state;
    HistoryListModel* m_model;
    QLineEdit* m_search;
    QListView* m_list;
    QStackedWidget* m_content;
    QWidget* m_noHistory;
    QWidget* m_noMatches;
};

} // namespace mako
