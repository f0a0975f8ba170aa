#include "execution/streamclient.h"

#include "execution/outgoingrequest.h"
#include "execution/variables.h"

namespace mako {

void StreamClient::connect(
    const APIRequest& request, const std::optional<APIEnvironment>& environment)
{
    // The same header and authentication code as an HTTP send, so that a token that works
    // there works here too.
    OutgoingRequest outgoing;
    applyHeaders(outgoing, request, environment);
    applyAuth(outgoing, request, environment);
    QList<KeyValuePair> rows;
    rows.reserve(outgoing.headers.size());
    for (const auto& [name, value] : outgoing.headers)
        rows.append(KeyValuePair {.key = name, .value = value});
    connect(substituteVariables(request.url, environment), rows);
}

void StreamClient::setConnected(bool isConnected)
{
    if (m_isConnected == isConnected)
        return;
    m_isConnected = isConnected;
    Q_EMIT isConnectedChanged(isConnected);
}

void StreamClient::setError(const std::optional<QString>& error)
{
    if (m_error == error)
        return;
    m_error = error;
    Q_EMIT errorChanged();
}

} // namespace mako
