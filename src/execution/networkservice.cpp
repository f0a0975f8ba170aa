#include "execution/networkservice.h"

#include "execution/outgoingrequest.h"
#include "execution/variables.h"

namespace mako {

using namespace Qt::StringLiterals;

namespace {

// Everything up to the network: substitution, URL, headers, auth and body.
std::variant<OutgoingRequest, NetworkError> prepare(
    const APIRequest& request, const std::optional<APIEnvironment>& environment)
{
    const QString urlText = substituteVariables(request.url, environment);
    if (urlText.isEmpty())
        return NetworkError::invalidURL(urlText);
    const std::optional<QUrl> url = buildURL(urlText, urlQueryRows(request), environment);
    if (!url || url->scheme().isEmpty())
        return NetworkError::invalidURL(urlText, placeholdersIn(urlText));
    // Only HTTP replies count as responses; a file or other URL never reaches the disk or
    // another protocol.
    if (url->scheme() != u"http" && url->scheme() != u"https")
        return NetworkError::invalidResponse();
    OutgoingRequest outgoing {.url = *url, .method = methodName(request).toLatin1()};
    applyHeaders(outgoing, request, environment);
    applyAuth(outgoing, request, environment);
    applyBody(outgoing, request, environment);
    return outgoing;
}

} // namespace

NetworkService& NetworkService::shared()
{
    static NetworkService instance;
    return instance;
}

NetworkService::NetworkService(const NetworkSettings& settings)
    : m_settings(settings)
{
    m_sslDelegate.verifySSL = settings.verifySSL;
}

std::variant<HttpTransferRequest, NetworkError> NetworkService::transferFor(
    const APIRequest& request, const std::optional<APIEnvironment>& environment) const
{
    auto prepared = prepare(request, environment);
    if (auto* error = std::get_if<NetworkError>(&prepared))
        return *error;
    auto& outgoing = std::get<OutgoingRequest>(prepared);
    HttpTransferRequest transfer {
        .url = outgoing.url.toEncoded(),
        .method = outgoing.method,
        .body = std::move(outgoing.body),
        .settings = settings(),
        .auth = outgoing.auth,
    };
    for (const auto& [name, value] : outgoing.headers)
        transfer.headers.append({name.toUtf8(), value.toUtf8()});
    // A send always ends: settings that switch a limit off (as a stream may) do not apply here.
    NetworkSettings& limits = transfer.settings;
    limits.requestTimeout = limits.requestTimeout > 0
        ? std::min(limits.requestTimeout, kPerRequestTimeout)
        : kPerRequestTimeout;
    if (!(limits.resourceTimeout > 0))
        limits.resourceTimeout = NetworkSettings {}.resourceTimeout;
    return transfer;
}

TransferHandle NetworkService::execute(const APIRequest& request,
    const std::optional<APIEnvironment>& environment, QObject* context, Completion completion)
{
    auto transfer = transferFor(request, environment);
    if (auto* error = std::get_if<NetworkError>(&transfer)) {
        QMetaObject::invokeMethod(
            context, [completion, error = *error] { completion(error); }, Qt::QueuedConnection);
        return {};
    }
    return m_engine.start(std::move(std::get<HttpTransferRequest>(transfer)), context,
        TransferCallbacks {.onFinished = std::move(completion)});
}

TransferHandle NetworkService::executeSequence(const QList<APIRequest>& requests,
    const std::optional<APIEnvironment>& environment, QObject* context, SequenceCallbacks callbacks)
{
    // The engine, and with it the network thread, ends before the service does.
    return m_engine.startSequence(
        requests.size(),
        [this, requests, environment](
            qsizetype index) { return transferFor(requests[index], environment); },
        context, std::move(callbacks));
}

void NetworkService::updateTimeout(double seconds)
{
    QMutexLocker lock(&m_mutex);
    m_settings.requestTimeout = requestTimeoutFromPreference(seconds);
}

void NetworkService::updateSettings(const NetworkSettings& settings)
{
    QMutexLocker lock(&m_mutex);
    m_settings = settings;
    m_sslDelegate.verifySSL = settings.verifySSL;
}

NetworkSettings NetworkService::settings() const
{
    QMutexLocker lock(&m_mutex);
    NetworkSettings current = m_settings;
    current.verifySSL = m_sslDelegate.verifySSL;
    return current;
}

} // namespace mako
