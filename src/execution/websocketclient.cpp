#include "execution/websocketclient.h"

#include "execution/websocketconnection.h"

#include <QNetworkRequest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

quint64 s_lastConnectionId = 0;

template <typename Call> void queue(WebSocketConnection* connection, Call call)
{
    QMetaObject::invokeMethod(
        connection, [connection, call] { call(connection); }, Qt::QueuedConnection);
}

} // namespace

WebSocketClient::WebSocketClient(QObject* parent)
    : QObject(parent)
{ }

WebSocketClient::~WebSocketClient()
{
    disposeConnection();
}

void WebSocketClient::connect(const QString& url, const QList<KeyValuePair>& headers)
{
    const QUrl parsed(url, QUrl::StrictMode);
    if (url.isEmpty() || !parsed.isValid()) {
        setError(u"Invalid WebSocket URL"_s);
        return;
    }
    QNetworkRequest request(parsed);
    for (const KeyValuePair& row : headers) {
        if (!row.isApplicable())
            continue;
        // An empty value would remove the field from the request. A lone blank goes out instead:
        // receivers strip blanks around field values, so the server sees an empty field.
        const QByteArray value = row.value.isEmpty() ? QByteArray(" ") : row.value.toUtf8();
        request.setRawHeader(row.key.toUtf8(), value);
    }
    // Queued on the one network thread ahead of the new open, so the old close goes out first.
    disposeConnection();
    m_connectionId = ++s_lastConnectionId;
    m_connection = WebSocketConnection::create(m_connectionId);
    QObject::connect(m_connection, &WebSocketConnection::eventsReady, this,
        &WebSocketClient::handleEvents, Qt::QueuedConnection);
    queue(m_connection, [request](WebSocketConnection* c) { c->open(request); });

    setConnected(true);
    setError(std::nullopt);
    append(u"Connected to "_s + url, false, currentTimestamp());
    Q_EMIT messagesChanged();
}

void WebSocketClient::send(const QString& text)
{
    if (!m_isConnected)
        return;
    append(text, true, currentTimestamp());
    Q_EMIT messagesChanged();
    if (m_connection)
        queue(m_connection, [text](WebSocketConnection* c) { c->sendText(text); });
}

void WebSocketClient::disconnect()
{
    if (m_connection)
        queue(m_connection, [](WebSocketConnection* c) { c->close(); });
    setConnected(false);
    append(u"Disconnected"_s, false, currentTimestamp());
    Q_EMIT messagesChanged();
}

void WebSocketClient::handleEvents(quint64 connection, const QList<WebSocketEvent>& events)
{
    // Whatever a replaced connection still had on its way belongs to no transcript.
    if (connection != m_connectionId)
        return;
    const Timestamp now = currentTimestamp();
    const qsizetype countBefore = m_messages.size();
    m_messages.reserve(countBefore + events.size());
    for (const WebSocketEvent& event : events) {
        switch (event.kind) {
        case WebSocketEvent::Kind::received:
            append(event.text, false, now);
            break;
        case WebSocketEvent::Kind::sendFailed:
            setError(event.text);
            break;
        case WebSocketEvent::Kind::closed:
            setConnected(false);
            setError(event.text);
            append(u"Connection closed: "_s + event.text, false, now);
            break;
        }
    }
    if (m_messages.size() != countBefore)
        Q_EMIT messagesChanged();
}

void WebSocketClient::append(const QString& content, bool isOutgoing, Timestamp timestamp)
{
    m_messages.append(
        WSMessage {.content = content, .isOutgoing = isOutgoing, .timestamp = timestamp});
}

void WebSocketClient::setConnected(bool isConnected)
{
    if (m_isConnected == isConnected)
        return;
    m_isConnected = isConnected;
    Q_EMIT isConnectedChanged(isConnected);
}

void WebSocketClient::setError(const std::optional<QString>& error)
{
    if (m_error == error)
        return;
    m_error = error;
    Q_EMIT errorChanged();
}

void WebSocketClient::disposeConnection()
{
    if (!m_connection)
        return;
    queue(m_connection, [](WebSocketConnection* c) { c->dispose(); });
    m_connection = nullptr;
}

} // namespace mako
