#include "state/appstate.h"

#include <algorithm>

namespace mako {

// The tab operations of AppState. The editor works on `openRequest`, a copy of the active tab's
// request: it is written back into the tab before the active tab changes and reloaded after.

APIRequest httpCopy(const APIRequest& request)
{
    return APIRequest {
        .name = request.name,
        .url = request.url,
        .method = request.method,
        .headers = request.headers,
        .queryParams = request.queryParams,
        .bodyType = request.bodyType,
        .body = request.body,
        .authType = request.authType,
        .authToken = request.authToken,
        .tags = request.tags,
    };
}

const RequestTab* AppState::activeTab() const
{
    if (!m_activeTabID)
        return nullptr;
    for (const RequestTab& tab : m_tabs) {
        if (tab.id == *m_activeTabID)
            return &tab;
    }
    return nullptr;
}

bool AppState::hasTab(const QUuid& id) const
{
    return std::any_of(
        m_tabs.cbegin(), m_tabs.cend(), [&id](const RequestTab& tab) { return tab.id == id; });
}

void AppState::setOpenRequest(const std::optional<APIRequest>& request)
{
    if (request == m_openRequest)
        return;
    m_openRequest = request;
    Q_EMIT openRequestChanged();
}

void AppState::setTabs(QList<RequestTab> tabs)
{
    m_tabs = std::move(tabs);
    Q_EMIT tabsChanged();
}

void AppState::setActiveTabID(const std::optional<QUuid>& id)
{
    if (id == m_activeTabID)
        return;
    m_activeTabID = id;
    Q_EMIT activeTabIDChanged();
}

void AppState::setOpenRequestOrigin(const RequestOrigin& origin)
{
    if (origin == m_openRequestOrigin)
        return;
    m_openRequestOrigin = origin;
    Q_EMIT openRequestOriginChanged();
}

void AppState::openNewRequest()
{
    addTab(RequestTab {});
}

void AppState::openFromCollection(const APIRequest& request, const QUuid& collectionID)
{
    for (const RequestTab& tab : m_tabs) {
        if (tab.request.id == request.id) {
            switchToTab(tab.id);
            return;
        }
    }
    addTab(RequestTab {.request = request, .origin = RequestOrigin::collection(collectionID)});
}

void AppState::openFromHistory(const APIRequest& request)
{
    for (const RequestTab& tab : m_tabs) {
        if (tab.request.id == request.id) {
            switchToTab(tab.id);
            return;
        }
    }
    addTab(RequestTab {.request = httpCopy(request), .origin = RequestOrigin::history()});
}

void AppState::addTab(RequestTab tab)
{
    saveCurrentTabState();
    const QUuid id = tab.id;
    QList<RequestTab> tabs = m_tabs;
    tabs.append(std::move(tab));
    setTabs(std::move(tabs));
    setActiveTabID(id);
    syncActiveTab();
}

void AppState::closeTab(const QUuid& id)
{
    removeTabsWhere([&id](const RequestTab& tab) { return tab.id == id; });
}

void AppState::closeOtherTabs(const QUuid& id)
{
    if (!hasTab(id))
        return;
    saveCurrentTabState();
    QList<RequestTab> tabs = m_tabs;
    tabs.removeIf([&id](const RequestTab& tab) { return tab.id != id; });
    setTabs(std::move(tabs));
    setActiveTabID(id);
    syncActiveTab();
}

void AppState::removeTabsWhere(const std::function<bool(const RequestTab&)>& closes)
{
    // Written back first: the reload below would otherwise replace the working copy with the
    // tab's stored request and drop the edits made since the last switch.
    saveCurrentTabState();
    QList<RequestTab> tabs = m_tabs;
    if (tabs.removeIf(closes) > 0)
        setTabs(std::move(tabs));
    if (m_activeTabID && !activeTab())
        setActiveTabID(m_tabs.isEmpty() ? std::nullopt : std::optional(m_tabs.last().id));
    syncActiveTab();
}

void AppState::switchToTab(const QUuid& id)
{
    if (m_activeTabID == id || !hasTab(id))
        return;
    saveCurrentTabState();
    setActiveTabID(id);
    syncActiveTab();
}

void AppState::saveCurrentTabState()
{
    if (!m_activeTabID || !m_openRequest)
        return;
    for (qsizetype i = 0; i < m_tabs.size(); ++i) {
        if (m_tabs[i].id != *m_activeTabID)
            continue;
        if (m_tabs[i].request == *m_openRequest && m_tabs[i].origin == m_openRequestOrigin)
            return;
        QList<RequestTab> tabs = m_tabs;
        tabs[i].request = *m_openRequest;
        tabs[i].origin = m_openRequestOrigin;
        setTabs(std::move(tabs));
        return;
    }
}

void AppState::syncActiveTab()
{
    if (const RequestTab* tab = activeTab()) {
        const APIRequest request = tab->request;
        const RequestOrigin origin = tab->origin;
        setOpenRequest(request);
        setOpenRequestOrigin(origin);
    } else {
        setOpenRequest(std::nullopt);
        setOpenRequestOrigin(RequestOrigin::none());
    }
}

void AppState::updateActiveTabResponse(
    const std::optional<APIResponse>& response, const std::optional<QString>& error, bool isLoading)
{
    if (m_activeTabID)
        updateTabResponse(*m_activeTabID, response, error, isLoading);
}

void AppState::updateTabResponse(const QUuid& tabID, const std::optional<APIResponse>& response,
    const std::optional<QString>& error, bool isLoading)
{
    QList<RequestTab> tabs = m_tabs;
    for (RequestTab& tab : tabs) {
        if (tab.id != tabID)
            continue;
        tab.response = response;
        tab.error = error;
        tab.isLoading = isLoading;
        if (response) {
            tab.responseHistory.append(ResponseTiming {.statusCode = response->statusCode,
                .duration = response->duration,
                .size = response->size});
        }
        setTabs(std::move(tabs));
        return;
    }
}

void AppState::setActiveTabOrigin(const RequestOrigin& origin)
{
    setOpenRequestOrigin(origin);
    QList<RequestTab> tabs = m_tabs;
    for (RequestTab& tab : tabs) {
        if (m_activeTabID && tab.id == *m_activeTabID) {
            tab.origin = origin;
            setTabs(std::move(tabs));
            return;
        }
    }
}

} // namespace mako
