#include "execution/websocketclient.h"

#include "execution/websocketconnection.h"

#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <limits>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

quint64 s_lastConnectionId = 0;

// Bounds the main thread's work per event-loop turn when a burst of frames arrives at once.
constexpr qsizetype kEntriesPerTurn = 1000;
constexpr qsizetype kAllEntries = std::numeric_limits<qsizetype>::max();

template <typename Call> void queue(WebSocketConnection* connection, Call call)
{
    QMetaObject::invokeMethod(
        connection, [connection, call] { call(connection); }, Qt::QueuedConnection);
}

} // namespace

WebSocketClient::WebSocketClient(QObject* parent)
    : StreamClient(parent)
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
    // Frames that arrived before this call come before it in the transcript.
    applyPendingEvents(kAllEntries);
    // Queued on the one network thread ahead of the new open, so the old close goes out first.
    disposeConnection();
    m_connectionId = ++s_lastConnectionId;
    m_url = url;
    m_disconnected = false;
    m_connection = WebSocketConnection::create(m_connectionId);
    QObject::connect(m_connection, &WebSocketConnection::eventsReady, this,
        &WebSocketClient::handleEvents, Qt::QueuedConnection);
    queue(m_connection, [request](WebSocketConnection* c) { c->open(request); });

    setConnected(true);
    setError(std::nullopt);
}

void WebSocketClient::send(const QString& text)
{
    applyPendingEvents(kAllEntries);
    if (!isConnected())
        return;
    append(text, true, currentTimestamp());
    Q_EMIT messagesChanged();
    if (m_connection)
        queue(m_connection, [text](WebSocketConnection* c) { c->sendText(text); });
}

void WebSocketClient::disconnect()
{
    applyPendingEvents(kAllEntries);
    if (m_connection)
        queue(m_connection, [](WebSocketConnection* c) { c->close(); });
    m_disconnected = true;
    setConnected(false);
    append(u"Disconnected"_s, false, currentTimestamp());
    Q_EMIT messagesChanged();
}

void WebSocketClient::handleEvents(quint64 connection, const QList<WebSocketEvent>& events)
{
    // Whatever a replaced connection still had on its way belongs to no transcript.
    if (connection != m_connectionId)
        return;
    m_pendingEvents.append(events);
    if (!m_drainScheduled)
        applyPendingEvents(kEntriesPerTurn);
}

void WebSocketClient::applyPendingEvents(qsizetype limit)
{
    m_drainScheduled = false;
    const Timestamp now = currentTimestamp();
    const qsizetype countBefore = m_messages.size();
    const qsizetype end = m_pendingFrom + std::min(limit, m_pendingEvents.size() - m_pendingFrom);
    for (; m_pendingFrom < end; ++m_pendingFrom) {
        const WebSocketEvent& event = m_pendingEvents[m_pendingFrom];
        switch (event.kind) {
        case WebSocketEvent::Kind::opened:
            if (!m_disconnected)
                append(tr("Connected to %1").arg(m_url), false, now);
            break;
        case WebSocketEvent::Kind::received:
            append(event.text, false, now);
            break;
        case WebSocketEvent::Kind::sendFailed:
            setError(event.text);
            break;
        case WebSocketEvent::Kind::closed:
            setConnected(false);
            if (!m_disconnected)
                setError(event.text);
            append(tr("Connection closed: %1").arg(event.text), false, now);
            break;
        }
    }
    if (m_pendingFrom == m_pendingEvents.size()) {
        m_pendingEvents.clear();
        m_pendingFrom = 0;
    } else {
        m_drainScheduled = true;
        QTimer::singleShot(0, this, [this] { applyPendingEvents(kEntriesPerTurn); });
    }
    if (m_messages.size() != countBefore)
        Q_EMIT messagesChanged();
}

void WebSocketClient::append(const QString& content, bool isOutgoing, Timestamp timestamp)
{
    m_messages.append(
        WSMessage {.content = content, .isOutgoing = isOutgoing, .timestamp = timestamp});
}

void WebSocketClient::disposeConnection()
{
    if (!m_connection)
        return;
    queue(m_connection, [](WebSocketConnection* c) { c->dispose(); });
    m_connection = nullptr;
}

} // namespace mako
