#include "state/tabstore.h"

#include "state/listedits.h"

#include <algorithm>

namespace mako {

APIRequest httpCopy(const APIRequest& request)
{
    return APIRequest {
        .name = request.name,
        .url = request.url,
        .method = request.method,
        .customMethod = request.customMethod,
        .headers = request.headers,
        .queryParams = request.queryParams,
        .bodyType = request.bodyType,
        .body = request.body,
        .authType = request.authType,
        .authToken = request.authToken,
        .authDomain = request.authDomain,
        .awsRegion = request.awsRegion,
        .awsService = request.awsService,
        .awsSessionToken = request.awsSessionToken,
        .tags = request.tags,
        .preRequestScript = request.preRequestScript,
        .testScript = request.testScript,
    };
}

APIRequest freshCopy(const APIRequest& request)
{
    APIRequest copy = request;
    const APIRequest fresh;
    copy.id = fresh.id;
    copy.createdAt = fresh.createdAt;
    copy.updatedAt = fresh.updatedAt;
    return copy;
}

bool sameRequestContent(const APIRequest& a, const APIRequest& b)
{
    APIRequest aligned = b;
    aligned.id = a.id;
    aligned.createdAt = a.createdAt;
    aligned.updatedAt = a.updatedAt;
    return aligned == a;
}

TabStore::TabStore(QObject* parent)
    : QObject(parent)
{ }

const RequestTab* TabStore::tab(const QUuid& id) const
{
    const int index = indexOfID(m_tabs, id);
    return index < 0 ? nullptr : &m_tabs[index];
}

const RequestTab* TabStore::activeTab() const
{
    return m_activeTabID ? tab(*m_activeTabID) : nullptr;
}

void TabStore::finish(bool changed)
{
    if (changed)
        Q_EMIT tabsChanged();
}

void TabStore::setOpenRequest(const std::optional<APIRequest>& request)
{
    if (request == m_openRequest)
        return;
    m_openRequest = request;
    Q_EMIT openRequestChanged();
}

void TabStore::setActiveTabID(const std::optional<QUuid>& id)
{
    if (id == m_activeTabID)
        return;
    m_activeTabID = id;
    Q_EMIT activeTabIDChanged();
}

void TabStore::setOpenRequestOrigin(const RequestOrigin& origin)
{
    if (origin == m_openRequestOrigin)
        return;
    m_openRequestOrigin = origin;
    Q_EMIT openRequestOriginChanged();
}

void TabStore::openNewRequest()
{
    // Named in the window's language when made; from then on the name is the user's.
    addTab(RequestTab {.request = APIRequest {.name = tr("New Request")}});
}

void TabStore::openFromCollection(const APIRequest& request, QUuid collectionID)
{
    for (const RequestTab& tab : m_tabs) {
        if (tab.request.id == request.id) {
            switchToTab(tab.id);
            return;
        }
    }
    addTab(RequestTab {.request = request, .origin = RequestOrigin::collection(collectionID)});
}

void TabStore::openFromHistory(const APIRequest& request)
{
    // A tab is the entry only while it shows exactly what was sent: the request's own tab
    // edited since, or a copy changed after it was reopened, is another request now. A copy
    // has a fresh id, so it is known by its content alone.
    for (const RequestTab& tab : m_tabs) {
        const bool active = m_activeTabID == tab.id && m_openRequest;
        const APIRequest& shown = active ? *m_openRequest : tab.request;
        const RequestOrigin& origin = active ? m_openRequestOrigin : tab.origin;
        const bool sameRequest = shown.id == request.id || origin == RequestOrigin::history();
        if (sameRequest && sameRequestContent(shown, request)) {
            switchToTab(tab.id);
            return;
        }
    }
    addTab(RequestTab {.request = freshCopy(request), .origin = RequestOrigin::history()});
}

void TabStore::addTab(RequestTab tab)
{
    writeBack();
    const QUuid id = tab.id;
    appendAll(m_tabs, {std::move(tab)},
        [this](int first, int last) { Q_EMIT tabsInserted(first, last); });
    setActiveTabID(id);
    syncActiveTab();
    finish(true);
}

void TabStore::closeTab(QUuid id)
{
    closeTabsWhere([&id](const RequestTab& tab) { return tab.id == id; });
}

void TabStore::closeOtherTabs(QUuid id)
{
    if (!tab(id))
        return;
    closeTabsWhere([&id](const RequestTab& tab) { return tab.id != id; });
    switchTo(id);
}

void TabStore::closeAllTabs()
{
    setActiveTabID(std::nullopt);
    syncActiveTab();
    finish(removeRuns(
               m_tabs, [](const RequestTab&) { return true; },
               [this](int first, int last) { Q_EMIT tabsRemoved(first, last); })
        > 0);
}

void TabStore::closeTabsWhere(const std::function<bool(const RequestTab&)>& closes)
{
    // Written back first: the reload below would otherwise replace the working copy with the
    // tab's stored request and drop the edits made since the last switch.
    bool changed = writeBack();
    const RequestTab* active = activeTab();
    if (active && closes(*active)) {
        std::optional<QUuid> next;
        for (const RequestTab& tab : m_tabs) {
            if (!closes(tab))
                next = tab.id;
        }
        setActiveTabID(next);
    }
    syncActiveTab();
    changed |= removeRuns(m_tabs, closes, [this](int first, int last) {
        Q_EMIT tabsRemoved(first, last);
    }) > 0;
    finish(changed);
}

bool TabStore::switchTo(QUuid id)
{
    if (m_activeTabID == id || !tab(id))
        return false;
    const bool changed = writeBack();
    setActiveTabID(id);
    syncActiveTab();
    return changed;
}

void TabStore::switchToTab(QUuid id)
{
    finish(switchTo(id));
}

bool TabStore::writeBack()
{
    if (!m_activeTabID || !m_openRequest)
        return false;
    const int index = indexOfID(m_tabs, *m_activeTabID);
    if (index < 0)
        return false;
    const RequestTab& current = m_tabs.at(index);
    if (current.request == *m_openRequest && current.origin == m_openRequestOrigin)
        return false;
    RequestTab& tab = m_tabs[index];
    tab.request = *m_openRequest;
    tab.origin = m_openRequestOrigin;
    Q_EMIT tabChanged(tab.id);
    return true;
}

void TabStore::saveCurrentTabState()
{
    finish(writeBack());
}

void TabStore::syncActiveTab()
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

void TabStore::updateTabResponse(QUuid tabID, const std::optional<APIResponse>& response,
    const std::optional<QString>& error, bool isLoading)
{
    const int index = indexOfID(m_tabs, tabID);
    if (index < 0)
        return;
    const RequestTab& current = m_tabs.at(index);
    // A send that starts makes the last one's test results stale.
    const bool clearsScripts = isLoading && !current.scripts.isEmpty();
    if (!response && !current.response && current.error == error && current.isLoading == isLoading
        && !clearsScripts)
        return;
    // Changed in place: the other tabs are neither copied nor announced.
    RequestTab& tab = m_tabs[index];
    if (clearsScripts)
        tab.scripts = {};
    tab.response = response;
    tab.error = error;
    tab.isLoading = isLoading;
    if (response) {
        tab.responseHistory.append(ResponseTiming {.statusCode = response->statusCode,
            .duration = response->duration,
            .size = response->size});
    }
    Q_EMIT tabChanged(tabID);
    finish(true);
}

void TabStore::updateTabScripts(QUuid tabID, const ScriptOutcome& outcome)
{
    const int index = indexOfID(m_tabs, tabID);
    if (index < 0 || m_tabs.at(index).scripts == outcome)
        return;
    m_tabs[index].scripts = outcome;
    Q_EMIT tabChanged(tabID);
    finish(true);
}

void TabStore::setActiveTabOrigin(const RequestOrigin& origin)
{
    setOpenRequestOrigin(origin);
    const int index = m_activeTabID ? indexOfID(m_tabs, *m_activeTabID) : -1;
    if (index < 0 || m_tabs.at(index).origin == origin)
        return;
    m_tabs[index].origin = origin;
    Q_EMIT tabChanged(m_tabs.at(index).id);
    finish(true);
}

void TabStore::restoreTabs(
    const QList<RequestTab>& restored, const std::optional<QUuid>& activeTabID)
{
    QList<RequestTab> added;
    for (const RequestTab& candidate : restored) {
        const bool open = std::ranges::any_of(m_tabs, [&candidate](const RequestTab& other) {
            return other.id == candidate.id || other.request.id == candidate.request.id;
        });
        if (!open)
            added.append(candidate);
    }
    if (added.isEmpty())
        return;
    m_tabs = added + m_tabs;
    Q_EMIT tabsInserted(0, int(added.size()) - 1);
    if (!activeTab()) {
        const bool known = activeTabID && indexOfID(added, *activeTabID) >= 0;
        setActiveTabID(known ? activeTabID : std::optional(added.last().id));
        syncActiveTab();
    }
    finish(true);
}

void TabStore::replaceTabRequest(QUuid tabID, const APIRequest& request)
{
    const int index = indexOfID(m_tabs, tabID);
    if (index < 0)
        return;
    const bool active = m_activeTabID == tabID;
    if (m_tabs[index].request == request && (!active || m_openRequest == request))
        return;
    m_tabs[index].request = request;
    Q_EMIT tabChanged(tabID);
    if (active)
        setOpenRequest(request);
    finish(true);
}

} // namespace mako
