#pragma once

#include <QUuid>
#include <QWidget>

class QAction;
class QLabel;
class QTabBar;
class QToolButton;

namespace mako {

class AppState;
class ShortcutMap;
class TabCloser;
struct APIRequest;

/// The row of open request tabs above the detail area, and the "+" button that opens a new
/// request. Each tab shows its request's method (or its protocol, for the other protocols) and
/// name, a dot while its request differs from the version stored in its collection, and a close
/// button; the active tab is the current one. Clicking a tab switches to it, middle-clicking
/// closes it, and its context menu closes it, the others or all of them; every close asks
/// first when it would lose work (`TabCloser`).
///
/// The tabs follow the tab store row by row, so a tab that changes (its loading flag, its name)
/// redraws alone.
class TabBar : public QWidget {
    Q_OBJECT

public:
    /// `state` must outlive the bar.
    TabBar(AppState& state, const ShortcutMap& shortcuts, QWidget* parent = nullptr);

    /// Activates the tab after (before) the active one, wrapping around; Ctrl+Tab and
    /// Ctrl+Shift+Tab, anywhere in the window. A menu may list them too.
    QAction* nextTabAction() const { return m_nextTab; }
    QAction* previousTabAction() const { return m_previousTab; }
    /// Closes the active tab as its close button does (asking first when it holds unsaved
    /// work); Ctrl+W, anywhere in the window. Disabled while no tab is open.
    QAction* closeTabAction() const { return m_closeTab; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpShortcuts(const ShortcutMap& shortcuts);
    void followState();
    void insertTabs(int first, int last);
    void removeTabs(int first, int last);
    QWidget* makeLeadingWidget();
    QToolButton* makeCloseButton();
    void updateTab(const QUuid& tabID);
    void updateItem(int index);
    void updateActiveItem();
    void updateUnsavedMarks();
    void showActiveTab();
    void handleCurrentChanged(int index);
    void handleCloseClicked(QToolButton* button);
    void showContextMenu(const QPoint& position);
    void cycle(int step);
    QUuid idAt(int index) const;
    int indexOf(const QUuid& tabID) const;
    /// The request a tab shows: the working copy for the active tab, else its own.
    const APIRequest* shownRequest(const QUuid& tabID) const;

    AppState& m_state;
    QTabBar* m_tabs;
    QToolButton* m_newTab;
    QAction* m_nextTab;
    QAction* m_previousTab;
    QAction* m_closeTab;
    TabCloser* m_closer;
    // Set while the bar follows the state, so the tab bar's own signals do not echo back.
    bool m_following = false;
};

} // namespace mako
