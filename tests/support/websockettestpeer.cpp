#include "support/websockettestpeer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QMutex>
#include <QMutexLocker>
#include <QNetworkRequest>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

#include <future>
#include <memory>

using namespace Qt::StringLiterals;

namespace mako::test {

// Lives on the peer's thread. The records are read from the test's thread, hence the mutex.
class WebSocketPeerServer : public QObject {
public:
    WebSocketPeerServer()
        : m_server(u"mako-test-peer"_s, QWebSocketServer::NonSecureMode, this)
    {
        QObject::connect(&m_server, &QWebSocketServer::newConnection, this,
            &WebSocketPeerServer::acceptConnections);
    }

    ~WebSocketPeerServer() override
    {
        // The sockets outlive the members their handlers touch; silence them first.
        for (QWebSocket* socket : findChildren<QWebSocket*>())
            QObject::disconnect(socket, nullptr, this, nullptr);
    }

    void listen() { m_server.listen(QHostAddress::LocalHost, 0); }
    QString url() const { return u"ws://127.0.0.1:"_s + QString::number(m_server.serverPort()); }
    QWebSocket* latest() const { return m_latest; }

    void stream(int count, int perSecond, const QString& prefix)
    {
        auto* timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(1);
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        auto sent = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, this, [=, this] {
            const qint64 due = std::min<qint64>(count, clock->nsecsElapsed() * perSecond / 1e9);
            for (; *sent < due && m_latest; ++*sent)
                m_latest->sendTextMessage(prefix + QString::number(*sent));
            if (*sent >= count || !m_latest)
                timer->deleteLater();
        });
        timer->start();
    }

    void markPeerClosing() { m_peerClosing.insert(m_latest); }

    mutable QMutex m_mutex;
    bool m_echo = true;
    int m_connectionCount = 0;
    int m_openCount = 0;
    QStringList m_texts;
    QList<int> m_closeCodes;
    QNetworkRequest m_handshake;

private:
    void acceptConnections()
    {
        while (QWebSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            m_latest = socket;
            {
                QMutexLocker lock(&m_mutex);
                ++m_connectionCount;
                ++m_openCount;
                m_handshake = socket->request();
            }
            QObject::connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket](const QString& text) {
                    QMutexLocker lock(&m_mutex);
                    m_texts.append(text);
                    if (m_echo)
                        socket->sendTextMessage(text);
                });
            QObject::connect(socket, &QWebSocket::binaryMessageReceived, this,
                [this, socket](const QByteArray& bytes) {
                    QMutexLocker lock(&m_mutex);
                    if (m_echo)
                        socket->sendBinaryMessage(bytes);
                });
            // aboutToClose comes only with a closing handshake, not with a dropped connection.
            QObject::connect(socket, &QWebSocket::aboutToClose, this,
                [this, socket] { m_sawCloseFrame.insert(socket); });
            QObject::connect(socket, &QWebSocket::disconnected, this,
                [this, socket] { handleDisconnected(socket); });
        }
    }

    void handleDisconnected(QWebSocket* socket)
    {
        {
            QMutexLocker lock(&m_mutex);
            --m_openCount;
            if (!m_peerClosing.contains(socket)) {
                m_closeCodes.append(m_sawCloseFrame.contains(socket)
                        ? int(socket->closeCode())
                        : WebSocketTestPeer::kNoCloseFrame);
            }
        }
        m_sawCloseFrame.remove(socket);
        m_peerClosing.remove(socket);
        socket->deleteLater();
    }

    QWebSocketServer m_server;
    QPointer<QWebSocket> m_latest;
    QSet<QWebSocket*> m_sawCloseFrame;
    QSet<QWebSocket*> m_peerClosing;
};

namespace {

template <typename Call> void runOn(WebSocketPeerServer* server, Call call)
{
    QMetaObject::invokeMethod(server, call, Qt::BlockingQueuedConnection);
}

} // namespace

WebSocketTestPeer::WebSocketTestPeer()
{
    std::promise<void> started;
    m_thread = std::thread([this, &started] {
        QEventLoop loop;
        WebSocketPeerServer server;
        server.listen();
        m_loop = &loop;
        m_server = &server;
        started.set_value();
        loop.exec();
    });
    started.get_future().wait();
}

WebSocketTestPeer::~WebSocketTestPeer()
{
    QMetaObject::invokeMethod(
        m_server, [this] { m_loop->quit(); }, Qt::QueuedConnection);
    m_thread.join();
}

QString WebSocketTestPeer::url() const
{
    QString url;
    runOn(m_server, [&] { url = m_server->url(); });
    return url;
}

void WebSocketTestPeer::setEcho(bool echo)
{
    QMutexLocker lock(&m_server->m_mutex);
    m_server->m_echo = echo;
}

void WebSocketTestPeer::sendText(const QString& text)
{
    runOn(m_server, [&] {
        if (auto* socket = m_server->latest())
            socket->sendTextMessage(text);
    });
}

void WebSocketTestPeer::sendBinary(const QByteArray& bytes)
{
    runOn(m_server, [&] {
        if (auto* socket = m_server->latest())
            socket->sendBinaryMessage(bytes);
    });
}

void WebSocketTestPeer::close(int code, const QString& reason)
{
    runOn(m_server, [&] {
        if (auto* socket = m_server->latest()) {
            m_server->markPeerClosing();
            socket->close(QWebSocketProtocol::CloseCode(code), reason);
        }
    });
}

void WebSocketTestPeer::abort()
{
    runOn(m_server, [&] {
        if (auto* socket = m_server->latest()) {
            m_server->markPeerClosing();
            socket->abort();
        }
    });
}

void WebSocketTestPeer::stream(int count, int perSecond, const QString& prefix)
{
    runOn(m_server, [&] { m_server->stream(count, perSecond, prefix); });
}

int WebSocketTestPeer::connectionCount() const
{
    QMutexLocker lock(&m_server->m_mutex);
    return m_server->m_connectionCount;
}

int WebSocketTestPeer::openConnectionCount() const
{
    QMutexLocker lock(&m_server->m_mutex);
    return m_server->m_openCount;
}

QStringList WebSocketTestPeer::receivedTexts() const
{
    QMutexLocker lock(&m_server->m_mutex);
    return m_server->m_texts;
}

QByteArray WebSocketTestPeer::handshakeHeader(const QByteArray& name) const
{
    QMutexLocker lock(&m_server->m_mutex);
    return m_server->m_handshake.rawHeader(name);
}

QList<int> WebSocketTestPeer::clientCloseCodes() const
{
    QMutexLocker lock(&m_server->m_mutex);
    return m_server->m_closeCodes;
}

} // namespace mako::test
