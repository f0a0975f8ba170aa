#include "state/requestviewmodel.h"

#include "execution/networkservice.h"

#include <QMetaObject>

namespace mako {

RequestViewModel::RequestViewModel(APIRequest request, NetworkService* network, QObject* parent)
    : QObject(parent)
    , m_network(network)
    , m_request(std::move(request))
{ }

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

void RequestViewModel::sendInBackground(
    const std::optional<APIEnvironment>& environment, Completion onComplete)
{
    m_currentTransfer.cancel();
    m_currentTransfer = {};
    m_currentCancelled = false;
    const quint64 sendID = ++m_currentSend;
    if (m_request.url.isEmpty()) {
        setError(kEmptyURLMessage);
        // Nothing runs now: a send it replaced has been stopped and will not report.
        setIsLoading(false);
        // A refused send has no response of its own: the completion must not take the one an
        // earlier send left in the model for a new one.
        QMetaObject::invokeMethod(
            this,
            [this, sendID, onComplete = std::move(onComplete)] {
                if (sendID == m_currentSend && onComplete)
                    onComplete(std::nullopt);
            },
            Qt::QueuedConnection);
        return;
    }
    setIsLoading(true);
    setError(std::nullopt);
    setResponse(std::nullopt);
    m_currentTransfer = m_network->execute(m_request, environment, this,
        [this, sendID, onComplete = std::move(onComplete)](
            const NetworkResult& result) { finish(sendID, result, onComplete); });
}

void RequestViewModel::cancel()
{
    m_currentCancelled = true;
    m_currentTransfer.cancel();
    m_currentTransfer = {};
    setIsLoading(false);
}

void RequestViewModel::finish(
    quint64 sendID, const NetworkResult& result, const Completion& onComplete)
{
    if (sendID != m_currentSend)
        return;
    m_currentTransfer = {};
    std::optional<APIResponse> response;
    if (const auto* error = std::get_if<NetworkError>(&result)) {
        setError(m_currentCancelled ? kCancelledMessage : error->errorDescription());
    } else {
        response = std::get<APIResponse>(result);
        setResponse(response);
    }
    setIsLoading(false);
    if (onComplete)
        onComplete(response);
}

void RequestViewModel::setResponse(const std::optional<APIResponse>& response)
{
    if (!response && !m_response)
        return;
    m_response = response;
    Q_EMIT responseChanged();
}

void RequestViewModel::setIsLoading(bool loading)
{
    if (loading == m_isLoading)
        return;
    m_isLoading = loading;
    Q_EMIT isLoadingChanged();
}

void RequestViewModel::setError(const std::optional<QString>& error)
{
    if (error == m_error)
        return;
    m_error = error;
    Q_EMIT errorChanged();
}

} // namespace mako
