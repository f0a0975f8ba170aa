#include "execution/websocketconnection.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// How long a discarded connection waits for its closing handshake before it is cut.
constexpr int kCloseGraceMilliseconds = 5000;

QThread* s_thread = nullptr;
// Parent of every live connection, so that whatever is still open at exit gets deleted.
QObject* s_connections = nullptr;

void stopWebSocketThread()
{
    // Deferred deletions still run after the thread's event loop has stopped.
    s_connections->deleteLater();
    s_thread->quit();
    s_thread->wait();
    delete s_thread;
    s_thread = nullptr;
    s_connections = nullptr;
}

// All WebSocket traffic of the process shares one thread that lives until the application
// object goes away. Only ever called on the main thread.
QThread* webSocketThread()
{
    if (!s_thread) {
        qRegisterMetaType<QList<mako::WebSocketEvent>>();
        s_thread = new QThread;
        s_thread->setObjectName(u"WebSocket"_s);
        s_connections = new QObject;
        s_connections->moveToThread(s_thread);
        s_thread->start();
        qAddPostRoutine(stopWebSocketThread);
    }
    return s_thread;
}

// Binary frames that hold UTF-8 read as text; anything else shows as its size.
QString binaryFrameText(const QByteArray& frame)
{
    QStringDecoder decoder(QStringConverter::Utf8,
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(frame);
    if (decoder.hasError())
        return u"["_s + QString::number(frame.size()) + u" bytes]"_s;
    return text;
}

} // namespace

WebSocketConnection::WebSocketConnection(quint64 id)
    : m_id(id)
{ }

WebSocketConnection* WebSocketConnection::create(quint64 id)
{
    auto* connection = new WebSocketConnection(id);
    connection->moveToThread(webSocketThread());
    QMetaObject::invokeMethod(
        connection, [connection] { connection->setParent(s_connections); }, Qt::QueuedConnection);
    return connection;
}

void WebSocketConnection::open(const QNetworkRequest& request)
{
    m_socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
    QObject::connect(m_socket, &QWebSocket::connected, this, &WebSocketConnection::handleConnected);
    QObject::connect(m_socket, &QWebSocket::textMessageReceived, this,
        [this](const QString& message) { report(WebSocketEvent::Kind::received, message); });
    QObject::connect(m_socket, &QWebSocket::binaryMessageReceived, this,
        &WebSocketConnection::handleBinaryMessage);
    QObject::connect(m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this,
        &WebSocketConnection::handleError);
    QObject::connect(
        m_socket, &QWebSocket::disconnected, this, &WebSocketConnection::handleDisconnected);
    m_socket->open(request);
}

void WebSocketConnection::sendText(const QString& text)
{
    if (!m_socket)
        return;
    switch (m_socket->state()) {
    case QAbstractSocket::ConnectedState:
        writeText(text);
        break;
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState:
        // The socket would drop a frame sent before the handshake is through.
        m_waitingSends.append(text);
        break;
    default:
        report(WebSocketEvent::Kind::sendFailed,
            m_errorText.isEmpty() ? u"The connection is not open"_s : m_errorText);
        break;
    }
}

void WebSocketConnection::close()
{
    m_closedByClient = true;
    closeSocket();
}

void WebSocketConnection::dispose()
{
    m_disposed = true;
    close();
    if (!m_socket || m_socket->state() == QAbstractSocket::UnconnectedState)
        deleteLater();
    else
        QTimer::singleShot(kCloseGraceMilliseconds, this, &QObject::deleteLater);
}

void WebSocketConnection::handleConnected()
{
    for (const QString& text : std::exchange(m_waitingSends, {}))
        writeText(text);
}

void WebSocketConnection::handleBinaryMessage(const QByteArray& message)
{
    report(WebSocketEvent::Kind::received, binaryFrameText(message));
}

void WebSocketConnection::handleError()
{
    if (m_errorText.isEmpty())
        m_errorText = m_socket->errorString();
    // A connection that fails before its handshake completes may never signal disconnected.
    QTimer::singleShot(0, this, &WebSocketConnection::reportClosedIfDown);
}

void WebSocketConnection::handleDisconnected()
{
    reportClosedIfDown();
    if (m_disposed)
        deleteLater();
}

void WebSocketConnection::closeSocket()
{
    if (!m_socket)
        return;
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->close(QWebSocketProtocol::CloseCodeNormal);
    else if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    reportClosedIfDown();
}

void WebSocketConnection::writeText(const QString& text)
{
    const qint64 expected = text.toUtf8().size();
    if (m_socket->sendTextMessage(text) != expected) {
        report(WebSocketEvent::Kind::sendFailed,
            m_socket->errorString().isEmpty() ? u"The message could not be sent"_s
                                              : m_socket->errorString());
    }
}

void WebSocketConnection::reportClosedIfDown()
{
    if (m_closeReported || !m_socket || m_socket->state() != QAbstractSocket::UnconnectedState)
        return;
    m_closeReported = true;
    const QString description = closeDescription();
    for (qsizetype i = 0; i < m_waitingSends.size(); ++i)
        report(WebSocketEvent::Kind::sendFailed, description);
    m_waitingSends.clear();
    report(WebSocketEvent::Kind::closed, description);
}

QString WebSocketConnection::closeDescription() const
{
    if (!m_errorText.isEmpty())
        return m_errorText;
    const QString code = QString::number(int(m_socket->closeCode()));
    if (m_closedByClient)
        return u"Closed by the client with code "_s + code;
    const QString reason = m_socket->closeReason();
    return u"Closed by the server with code "_s + code
        + (reason.isEmpty() ? QString() : u": "_s + reason);
}

void WebSocketConnection::report(WebSocketEvent::Kind kind, const QString& text)
{
    m_pending.append(WebSocketEvent {.kind = kind, .text = text});
    if (!m_flushScheduled) {
        m_flushScheduled = true;
        QMetaObject::invokeMethod(this, &WebSocketConnection::flush, Qt::QueuedConnection);
    }
}

void WebSocketConnection::flush()
{
    m_flushScheduled = false;
    Q_EMIT eventsReady(m_id, std::exchange(m_pending, {}));
}

} // namespace mako
