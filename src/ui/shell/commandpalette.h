#pragma once

#include <QFrame>
#include <QList>
#include <QPointer>

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QToolButton;

namespace mako {

class AppState;
class CommandPaletteModel;

/// The quick-open overlay, drawn at the top of the widget it is given (the detail area): a
/// query field, and below it the matching requests of every collection and then the matching
/// menu commands. Return opens the highlighted match (the first, unless the arrow keys moved
/// on), a click opens the one clicked; either closes the palette, as do Escape, the "Esc"
/// button and a click anywhere outside it. Hidden until shown.
class CommandPalette : public QFrame {
    Q_OBJECT

public:
    static constexpr int kMaximumWidth = 560;
    static constexpr int kMaximumHeight = 420;

    /// `state` must outlive the palette; `area` is the widget it is drawn over and its parent.
    CommandPalette(AppState& state, QWidget* area);

    /// The menu commands the palette also finds, in order.
    void setCommands(const QList<QAction*>& commands);

    /// Shows the palette with an empty query and the keyboard focus in it.
    void showPalette();
    /// Hides it and gives the focus back to where it was.
    void hidePalette();
    /// The "commandPalette" command: shows it if hidden, hides it if shown.
    void toggle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildControls();
    void dismiss(bool returnFocus);
    void place();
    void showResults();
    void moveHighlight(int step);
    void activateRow(int row);

    AppState& m_state;
    CommandPaletteModel* m_model;
    QLineEdit* m_query;
    QToolButton* m_clear;
    QToolButton* m_close;
    QListView* m_results;
    QLabel* m_noMatches;
    QPointer<QWidget> m_previousFocus;
};

} // namespace mako
