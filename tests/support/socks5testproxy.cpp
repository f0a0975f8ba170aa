#include "support/socks5testproxy.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <future>

namespace mako::test {

namespace {

constexpr int kStep = 50; // ms a blocking wait lasts before the stop flag is looked at again

// Reads exactly `count` bytes, or nothing when the client goes away.
QByteArray readExactly(QTcpSocket& socket, qint64 count, const std::atomic<bool>& stop)
{
    QByteArray bytes;
    while (bytes.size() < count && !stop) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(kStep)) {
            if (socket.state() != QAbstractSocket::ConnectedState)
                return {};
            continue;
        }
        bytes += socket.read(count - bytes.size());
    }
    return bytes.size() == count ? bytes : QByteArray();
}

// Moves what is waiting on `from` to `to`; false once `from` has closed.
bool pump(QTcpSocket& from, QTcpSocket& to)
{
    if (from.bytesAvailable() > 0) {
        to.write(from.readAll());
        to.waitForBytesWritten(kStep);
    }
    return from.state() == QAbstractSocket::ConnectedState || from.bytesAvailable() > 0;
}

} // namespace

Socks5TestProxy::Socks5TestProxy(quint16 upstreamPort)
    : m_upstreamPort(upstreamPort)
{
    std::promise<quint16> listening;
    m_thread = std::thread([this, &listening] {
        QTcpServer server;
        if (!server.listen(QHostAddress::LocalHost, 0))
            qFatal("SOCKS test proxy cannot listen on 127.0.0.1");
        listening.set_value(server.serverPort());
        while (!m_stop) {
            if (!server.waitForNewConnection(kStep))
                continue;
            QTcpSocket* client = server.nextPendingConnection();
            serveClient(*client);
            delete client;
        }
    });
    m_port = listening.get_future().get();
}

Socks5TestProxy::~Socks5TestProxy()
{
    m_stop = true;
    m_thread.join();
}

QList<Socks5TestProxy::Connect> Socks5TestProxy::connects() const
{
    std::lock_guard lock(m_mutex);
    return m_connects;
}

void Socks5TestProxy::serveClient(QTcpSocket& client)
{
    // Greeting: version 5 and the methods offered; user/password (2) is chosen when offered.
    const QByteArray greeting = readExactly(client, 2, m_stop);
    if (greeting.size() != 2 || greeting[0] != 5)
        return;
    const QByteArray methods = readExactly(client, quint8(greeting[1]), m_stop);
    const bool withPassword = methods.contains(char(2));
    client.write(QByteArray("\x05") + (withPassword ? '\x02' : '\x00'));
    Connect connect;
    if (withPassword) {
        const QByteArray head = readExactly(client, 2, m_stop);
        if (head.size() != 2)
            return;
        connect.username = readExactly(client, quint8(head[1]), m_stop);
        const QByteArray length = readExactly(client, 1, m_stop);
        if (length.isEmpty())
            return;
        connect.password = readExactly(client, quint8(length[0]), m_stop);
        client.write(QByteArray("\x01\x00", 2));
    }
    // The request: version, CONNECT, reserved, then the address in one of its three kinds.
    const QByteArray request = readExactly(client, 4, m_stop);
    if (request.size() != 4 || request[1] != 1)
        return;
    QByteArray host;
    if (request[3] == 1) {
        host = QHostAddress(readExactly(client, 4, m_stop).toHex().toUInt(nullptr, 16))
                   .toString()
                   .toLatin1();
    } else if (request[3] == 3) {
        const QByteArray length = readExactly(client, 1, m_stop);
        host = length.isEmpty() ? QByteArray() : readExactly(client, quint8(length[0]), m_stop);
    } else {
        host = '[' + readExactly(client, 16, m_stop).toHex() + ']';
    }
    const QByteArray port = readExactly(client, 2, m_stop);
    if (port.size() != 2)
        return;
    connect.destination = host + ':' + QByteArray::number(quint8(port[0]) * 256 + quint8(port[1]));
    {
        std::lock_guard lock(m_mutex);
        m_connects.append(connect);
    }

    QTcpSocket upstream;
    upstream.connectToHost(QHostAddress::LocalHost, m_upstreamPort);
    const bool joined = upstream.waitForConnected(5000);
    // Success or "general failure", bound to 0.0.0.0:0.
    client.write(
        QByteArray(joined ? "\x05\x00\x00\x01" : "\x05\x01\x00\x01", 4) + QByteArray(6, '\0'));
    client.waitForBytesWritten(kStep);
    while (joined && !m_stop) {
        client.waitForReadyRead(kStep / 2);
        upstream.waitForReadyRead(kStep / 2);
        if (!pump(client, upstream) || !pump(upstream, client))
            break;
    }
}

} // namespace mako::test
