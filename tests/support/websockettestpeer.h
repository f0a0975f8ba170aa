#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <thread>

class QEventLoop;

namespace mako::test {

class WebSocketPeerServer;

/// A WebSocket server on 127.0.0.1 running on its own thread, for tests and benchmarks. It echoes
/// every frame back (unless told not to), can send scripted frames, close with a code or drop
/// the connection abruptly, and records what arrived. Every call blocks until the peer's thread
/// has carried it out; scripted actions apply to the most recent connection.
class WebSocketTestPeer {
public:
    /// Close code recorded for a connection that went down without a closing handshake.
    static constexpr int kNoCloseFrame = -1;

    WebSocketTestPeer();
    ~WebSocketTestPeer();
    WebSocketTestPeer(const WebSocketTestPeer&) = delete;
    WebSocketTestPeer& operator=(const WebSocketTestPeer&) = delete;

    /// "ws://127.0.0.1:<port>".
    QString url() const;

    void setEcho(bool echo);
    void sendText(const QString& text);
    void sendBinary(const QByteArray& bytes);
    /// Starts the closing handshake with `code` and `reason`.
    void close(int code, const QString& reason = {});
    /// Drops the TCP connection without a closing handshake.
    void abort();
    /// Sends `count` text frames "<prefix><n>" paced at `perSecond`; returns at once.
    void stream(int count, int perSecond, const QString& prefix);

    /// Connections accepted so far, and how many are still open.
    int connectionCount() const;
    int openConnectionCount() const;
    /// Text frames received, all connections, in arrival order.
    QStringList receivedTexts() const;
    /// The value of the field `name` (any letter case) in the opening handshake of the most
    /// recent connection; empty when it had none.
    QByteArray handshakeHeader(const QByteArray& name) const;
    /// Per closed connection, in closing order: the code the client closed with, or
    /// kNoCloseFrame. Closes the peer started itself are not listed.
    QList<int> clientCloseCodes() const;

private:
    // Joinable, so that nothing of the peer's thread is left running once the peer is gone.
    std::thread m_thread;
    QEventLoop* m_loop = nullptr;
    WebSocketPeerServer* m_server = nullptr;
};

} // namespace mako::test
