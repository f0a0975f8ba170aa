#include "state/requestviewmodel.h"

#include "execution/networkservice.h"

#include <QMetaObject>

namespace mako {

RequestViewModel::RequestViewModel(APIRequest request, NetworkService* network, QObject* parent)
    : QObject(parent)
    , m_network(network)
    , m_request(std::move(request))
{ }

RequestViewModel::~RequestViewModel()
{
    for (TabSends& sends : m_tabs)
        stop(sends);
}

void RequestViewModel::stop(TabSends& sends)
{
    sends.transfer.cancel();
    sends.transfer = {};
    sends.scripted.cancel();
    sends.scripted = {};
}

void RequestViewModel::setRequest(const APIRequest& request)
{
    if (request == m_request)
        return;
    m_request = request;
    Q_EMIT requestChanged();
}

void RequestViewModel::send(const std::optional<APIEnvironment>& environment)
{
    sendInBackground(environment, {});
}

std::optional<quint64> RequestViewModel::beginSend(Completion& onComplete)
{
    const QUuid tabID = m_shownTab;
    const quint64 sendID = ++m_lastSend;
    const bool refused = m_request.url.isEmpty();
    changeTab(tabID, [sendID, refused](TabSends& sends) {
        // Only this tab's older send is replaced; it stops here and never reports.
        stop(sends);
        sends.currentSend = sendID;
        sends.cancelled = false;
        sends.isLoading = !refused;
        sends.error = refused ? std::optional(kEmptyURLMessage) : std::nullopt;
        // A refused send keeps the response an earlier send left.
        if (!refused)
            sends.response.reset();
    });
    if (!refused)
        return sendID;
    // A refused send has no response of its own: the completion must not take the one an
    // earlier send left in the model for a new one.
    QMetaObject::invokeMethod(
        this,
        [this, tabID, sendID, onComplete = std::move(onComplete)] {
            if (isCurrent(tabID, sendID) && onComplete)
                onComplete(std::nullopt, kEmptyURLMessage);
        },
        Qt::QueuedConnection);
    return std::nullopt;
}

bool RequestViewModel::isCurrent(const QUuid& tabID, quint64 sendID) const
{
    const auto sends = m_tabs.constFind(tabID);
    return sends != m_tabs.cend() && sends->currentSend == sendID;
}

void RequestViewModel::sendInBackground(const std::optional<APIEnvironment>& environment,
    Completion onComplete, const Collection* owner)
{
    const QUuid tabID = m_shownTab;
    const std::optional<quint64> sendID = beginSend(onComplete);
    if (!sendID)
        return;
    m_tabs[tabID].transfer
        = m_network->execute(withInheritedAuth(m_request, owner), environment, this,
            [this, tabID, sendID = *sendID, onComplete = std::move(onComplete)](
                const NetworkResult& result) { finish(tabID, sendID, result, onComplete); });
}

void RequestViewModel::sendWithScripts(
    SendScripts scripts, Completion onComplete, ScriptCompletion onScripts, const Collection* owner)
{
    const QUuid tabID = m_shownTab;
    const std::optional<quint64> sendID = beginSend(onComplete);
    if (!sendID)
        return;
    m_tabs[tabID].scripted = ScriptedSend::start(*m_network, withInheritedAuth(m_request, owner),
        std::move(scripts), this,
        [this, tabID, sendID = *sendID, onComplete = std::move(onComplete),
            onScripts = std::move(onScripts)](const NetworkResult& result,
            const ScriptOutcome& outcome, const VariableScopes& scopes) {
            if (!isCurrent(tabID, sendID))
                return;
            if (onScripts)
                onScripts(outcome, scopes);
            finish(tabID, sendID, result, onComplete);
        });
}

void RequestViewModel::cancel()
{
    if (!m_tabs.contains(m_shownTab))
        return;
    changeTab(m_shownTab, [](TabSends& sends) {
        sends.cancelled = true;
        sends.transfer.cancel();
        sends.transfer = {};
        // Its end comes back through its completion, as the transfer's does.
        sends.scripted.cancel();
        sends.isLoading = false;
    });
}

void RequestViewModel::showTab(const QUuid& tabID)
{
    if (tabID == m_shownTab)
        return;
    const TabSends before = shown();
    m_shownTab = tabID;
    announceChanges(before);
}

void RequestViewModel::forgetTab(const QUuid& tabID)
{
    const auto sends = m_tabs.find(tabID);
    if (sends == m_tabs.end())
        return;
    const TabSends before = shown();
    stop(*sends);
    m_tabs.erase(sends);
    announceChanges(before);
}

const RequestViewModel::TabSends& RequestViewModel::shown() const
{
    static const TabSends nothing;
    const auto sends = m_tabs.constFind(m_shownTab);
    return sends == m_tabs.cend() ? nothing : *sends;
}

void RequestViewModel::changeTab(const QUuid& tabID, const std::function<void(TabSends&)>& change)
{
    const TabSends before = shown();
    change(m_tabs[tabID]);
    announceChanges(before);
}

void RequestViewModel::announceChanges(const TabSends& before)
{
    // Copied: a receiver may show another tab while this runs.
    const TabSends now = shown();
    const auto responseID = [](const TabSends& sends) {
        return sends.response ? std::optional(sends.response->id) : std::nullopt;
    };
    if (responseID(before) != responseID(now))
        Q_EMIT responseChanged();
    if (before.isLoading != now.isLoading)
        Q_EMIT isLoadingChanged();
    if (before.error != now.error)
        Q_EMIT errorChanged();
}

void RequestViewModel::finish(
    const QUuid& tabID, quint64 sendID, const NetworkResult& result, const Completion& onComplete)
{
    const auto sends = m_tabs.constFind(tabID);
    if (sends == m_tabs.cend() || sends->currentSend != sendID)
        return;
    std::optional<APIResponse> response;
    std::optional<QString> error;
    if (const auto* failure = std::get_if<NetworkError>(&result))
        error = sends->cancelled ? kCancelledMessage : failure->errorDescription();
    else
        response = std::get<APIResponse>(result);
    changeTab(tabID, [&](TabSends& ended) {
        ended.transfer = {};
        ended.scripted = {};
        ended.response = response;
        ended.error = error;
        ended.isLoading = false;
    });
    if (onComplete)
        onComplete(response, error);
}

} // namespace mako
