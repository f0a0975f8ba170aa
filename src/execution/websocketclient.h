#pragma once

#include "execution/streamclient.h"
#include "execution/websocketconnection.h"
#include "model/keyvaluepair.h"
#include "model/timestamp.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace mako {

/// One transcript entry: a sent or received message, or a status line of the client.
struct WSMessage {
    QUuid id = QUuid::createUuid();
    QString content;
    /// True only for text the user sent.
    bool isOutgoing = false;
    /// When the entry was added on the main thread, not when the frame crossed the wire.
    Timestamp timestamp = currentTimestamp();

    bool operator==(const WSMessage&) const = default;
};

/// Holds one WebSocket connection and its transcript for a screen. Lives on the main thread; the
/// socket itself runs on a network thread. The transcript only grows: a reconnect continues it.
///
/// A new connect closes the previous connection with code 1000 first, and destroying the client
/// closes its connection the same way; nothing the old connection says afterwards reaches the
/// transcript.
class WebSocketClient : public StreamClient {
    Q_OBJECT
    Q_PROPERTY(QList<mako::WSMessage> messages READ messages NOTIFY messagesChanged)

public:
    explicit WebSocketClient(QObject* parent = nullptr);
    ~WebSocketClient() override;

    using StreamClient::connect;
    /// Opens a connection to `url` with the applicable header rows (a later row replaces an
    /// earlier one of the same name). Connected at once, before the handshake, so that messages
    /// can be queued; the "Connected to " entry follows once the handshake has completed, and a
    /// failing handshake shows up as a "Connection closed: " entry alone. Text that is not a URL
    /// only sets `error` to "Invalid WebSocket URL".
    void connect(const QString& url, const QList<KeyValuePair>& headers) override;
    /// Appends `text` as an outgoing entry and sends it as one text frame; nothing while
    /// disconnected. A failed send sets `error` and keeps the entry.
    void send(const QString& text);
    /// Closes the connection with code 1000 and appends "Disconnected". The user's own close is
    /// no failure: `error` stays absent.
    void disconnect() override;

    const QList<WSMessage>& messages() const { return m_messages; }

Q_SIGNALS:
    /// Entries were appended (never removed or changed). Frames that arrive together are appended
    /// together, with one signal; a large burst is taken in over several event-loop turns.
    void messagesChanged();

private:
    void handleEvents(quint64 connection, const QList<mako::WebSocketEvent>& events);
    void applyPendingEvents(qsizetype limit);
    void append(const QString& content, bool isOutgoing, Timestamp timestamp);
    void disposeConnection();

    QList<WSMessage> m_messages;
    // Owned by the network thread once created; it deletes itself after dispose().
    WebSocketConnection* m_connection = nullptr;
    quint64 m_connectionId = 0;
    QString m_url;
    // The user closed the current connection: its end is no failure, and a handshake that
    // completes after that is not announced.
    bool m_disconnected = false;
    // Events of the current connection not yet applied, from m_pendingFrom on.
    QList<WebSocketEvent> m_pendingEvents;
    qsizetype m_pendingFrom = 0;
    bool m_drainScheduled = false;
};

} // namespace mako

Q_DECLARE_TYPEINFO(mako::WSMessage, Q_RELOCATABLE_TYPE);
