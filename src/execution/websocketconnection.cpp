#include "execution/websocketconnection.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include <future>
#include <thread>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// An opening handshake that has not completed by then fails, as any request would.
constexpr int kHandshakeTimeoutMilliseconds = 60000;

// How long a discarded connection waits for its closing handshake before it is cut.
constexpr int kCloseGraceMilliseconds = 5000;

// The thread is a joinable std::thread running a Qt event loop rather than a QThread: joining
// it guarantees that the thread-local state of the TLS library under the sockets has been
// released before the process goes on to exit.
std::thread s_thread;
QEventLoop* s_loop = nullptr;
// Parent of every live connection, so that whatever is still open at exit gets deleted.
QObject* s_connections = nullptr;

void stopWebSocketThread()
{
    QMetaObject::invokeMethod(
        s_connections, [] { s_loop->quit(); }, Qt::QueuedConnection);
    s_thread.join();
    s_loop = nullptr;
    s_connections = nullptr;
}

// All WebSocket traffic of the process shares one thread that lives until the application
// object goes away. Only ever called on the main thread.
QThread* webSocketThread()
{
    if (!s_connections) {
        qRegisterMetaType<QList<mako::WebSocketEvent>>();
        std::promise<void> started;
        s_thread = std::thread([&started] {
            QEventLoop loop;
            QObject connections;
            s_loop = &loop;
            s_connections = &connections;
            started.set_value();
            loop.exec();
        });
        started.get_future().wait();
        qAddPostRoutine(stopWebSocketThread);
    }
    return s_connections->thread();
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
    QTimer::singleShot(kHandshakeTimeoutMilliseconds, m_socket, [this] {
        if (m_opened || m_closeReported)
            return;
        m_errorText = tr("The opening handshake timed out");
        m_socket->abort();
        reportClosedIfDown();
    });
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
            m_errorText.isEmpty() ? tr("The connection is not open") : m_errorText);
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
    m_opened = true;
    report(WebSocketEvent::Kind::opened, {});
    for (const QString& text : std::exchange(m_waitingSends, {}))
        writeText(text);
    if (m_closeWhenOpen)
        m_socket->close(QWebSocketProtocol::CloseCodeNormal);
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
    // A refused or dropped socket may signal its end before its error; waiting one turn lets
    // the closing entry name the error instead of a close the server never sent.
    QTimer::singleShot(0, this, [this] {
        reportClosedIfDown();
        if (m_disposed)
            deleteLater();
    });
}

void WebSocketConnection::closeSocket()
{
    if (!m_socket)
        return;
    if (m_socket->state() == QAbstractSocket::ConnectedState) {
        m_socket->close(QWebSocketProtocol::CloseCodeNormal);
    } else if (m_socket->state() != QAbstractSocket::UnconnectedState) {
        // Mid-handshake: let it finish so the server sees a normal close, but not for long.
        m_closeWhenOpen = true;
        QTimer::singleShot(kCloseGraceMilliseconds, m_socket, [this] {
            m_socket->abort();
            reportClosedIfDown();
        });
    }
    reportClosedIfDown();
}

void WebSocketConnection::writeText(const QString& text)
{
    const qint64 expected = text.toUtf8().size();
    if (m_socket->sendTextMessage(text) != expected) {
        report(WebSocketEvent::Kind::sendFailed,
            m_socket->errorString().isEmpty() ? tr("The message could not be sent")
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
    if (m_socket->error() != QAbstractSocket::UnknownSocketError && !m_closedByClient)
        return m_socket->errorString();
    const QString code = QString::number(int(m_socket->closeCode()));
    if (m_closedByClient)
        return tr("Closed by the client with code %1").arg(code);
    const QString reason = m_socket->closeReason();
    return reason.isEmpty() ? tr("Closed by the server with code %1").arg(code)
                            : tr("Closed by the server with code %1: %2").arg(code, reason);
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
