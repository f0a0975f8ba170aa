#pragma once

#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QString>
#include <QStringList>

class QWebSocket;

namespace mako {

/// Something that happened on a WebSocket connection, reported to the client in order.
struct WebSocketEvent {
    enum class Kind {
        /// The opening handshake completed.
        opened,
        /// A frame arrived; `text` is its text or the "[n bytes]" stand-in.
        received,
        /// A text frame could not be sent; `text` describes why.
        sendFailed,
        /// The connection is down; `text` describes why. Nothing follows.
        closed,
    };
    Kind kind = Kind::received;
    QString text;
};

/// One WebSocket connection, living on the WebSocket network thread. WebSocketClient creates it
/// and talks to it through queued calls only; it reports back through eventsReady, batched per
/// event-loop turn of its thread so that a fast peer costs the main thread one call per burst.
class WebSocketConnection : public QObject {
    Q_OBJECT

public:
    /// A new connection, already moved to the WebSocket thread. Nothing opens until open().
    static WebSocketConnection* create(quint64 id);

    // Each of these must run on the connection's thread (queue them there).
    /// Starts the opening handshake; one that takes longer than a minute fails the connection.
    void open(const QNetworkRequest& request);
    /// Frames sent during the opening handshake wait until it completes.
    void sendText(const QString& text);
    /// Closes with code 1000, once the opening handshake is through if it is still under way.
    void close();
    /// Closes as close() does and deletes the connection once the socket is down.
    void dispose();

Q_SIGNALS:
    void eventsReady(quint64 connection, const QList<mako::WebSocketEvent>& events);

private:
    explicit WebSocketConnection(quint64 id);

    void handleConnected();
    void handleBinaryMessage(const QByteArray& message);
    void handleError();
    void handleDisconnected();
    void closeSocket();
    void writeText(const QString& text);
    void reportClosedIfDown();
    QString closeDescription() const;
    void report(WebSocketEvent::Kind kind, const QString& text);
    void flush();

    const quint64 m_id;
    QWebSocket* m_socket = nullptr;
    QStringList m_waitingSends;
    QList<WebSocketEvent> m_pending;
    QString m_errorText;
    bool m_opened = false;
    bool m_closeWhenOpen = false;
    bool m_flushScheduled = false;
    bool m_closedByClient = false;
    bool m_closeReported = false;
    bool m_disposed = false;
};

} // namespace mako

Q_DECLARE_METATYPE(mako::WebSocketEvent)
