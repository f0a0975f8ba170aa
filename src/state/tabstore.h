#pragma once

#include "model/apirequest.h"
#include "model/apiresponse.h"
#include "state/requesttab.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

namespace mako {

/// The open request tabs, the active one, and the working copy of its request that the editor
/// changes (`openRequest`, with its origin). The working copy is written back into its tab
/// before the active tab changes and reloaded from the new active tab after. `SessionStore` keeps
/// them across runs.
///
/// `AppState` owns the one instance and is its only writer; everyone else reads it and listens
/// to it through `AppState::tabStore()`. Notifications follow the rules of `CollectionStore`.
/// Besides, the active tab always names a tab of the list when a notification arrives: a new
/// tab is inserted before it is activated, and a closing active tab hands the activation on
/// before it goes.
class TabStore : public QObject {
    Q_OBJECT

public:
    explicit TabStore(QObject* parent = nullptr);

    /// In tab-bar order.
    const QList<RequestTab>& tabs() const { return m_tabs; }
    const std::optional<QUuid>& activeTabID() const { return m_activeTabID; }
    /// The tab with `id`, or null; valid until the next change of the tabs.
    const RequestTab* tab(const QUuid& id) const;
    const RequestTab* activeTab() const;
    /// The working copy of the active tab's request; absent when no tab is active.
    const std::optional<APIRequest>& openRequest() const { return m_openRequest; }
    /// Edits the working copy; it reaches the tab only when written back.
    void setOpenRequest(const std::optional<APIRequest>& request);
    const RequestOrigin& openRequestOrigin() const { return m_openRequestOrigin; }

    // The operations, as AppState's of the same names describe them.
    void openNewRequest();
    void openFromCollection(const APIRequest& request, QUuid collectionID);
    void openFromHistory(const APIRequest& request);
    void closeTab(QUuid id);
    void closeOtherTabs(QUuid id);
    void closeAllTabs();
    /// Closes the tabs `closes` picks, as `closeTab` closes one.
    void closeTabsWhere(const std::function<bool(const RequestTab&)>& closes);
    void switchToTab(QUuid id);
    void saveCurrentTabState();
    void updateTabResponse(QUuid tabID, const std::optional<APIResponse>& response,
        const std::optional<QString>& error, bool isLoading);
    void updateTabScripts(QUuid tabID, const ScriptOutcome& outcome);
    void setActiveTabOrigin(const RequestOrigin& origin);
    /// Replaces the request of the tab (and the working copy when it is the active one), as
    /// when its request changed on disk; nothing for a closed tab or the same request.
    void replaceTabRequest(QUuid tabID, const APIRequest& request);
    /// Puts the tabs of an earlier run in front of the open ones. A tab whose request is open
    /// already is left out. `activeTabID` (or else the last of them) becomes active unless a
    /// tab is active already: one the user opened meanwhile stays in front of them.
    void restoreTabs(const QList<RequestTab>& restored, const std::optional<QUuid>& activeTabID);

Q_SIGNALS:
    void tabsInserted(int first, int last);
    void tabsRemoved(int first, int last);
    /// The tab's request, origin, response, error, loading flag, timings or scripts' outcome
    /// changed.
    void tabChanged(const QUuid& tabID);
    /// Once after every operation that changed the tabs or one of them.
    void tabsChanged();
    void activeTabIDChanged();
    void openRequestChanged();
    void openRequestOriginChanged();

private:
    void addTab(RequestTab tab);
    bool writeBack();
    void syncActiveTab();
    void setActiveTabID(const std::optional<QUuid>& id);
    void setOpenRequestOrigin(const RequestOrigin& origin);
    bool switchTo(QUuid id);
    void finish(bool changed);

    QList<RequestTab> m_tabs;
    std::optional<QUuid> m_activeTabID;
    std::optional<APIRequest> m_openRequest;
    RequestOrigin m_openRequestOrigin;
};

} // namespace mako
