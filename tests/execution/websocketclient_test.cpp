#include "execution/websocketclient.h"
#include "support/qtprinters.h"
#include "support/waitfor.h"
#include "support/websockettestpeer.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

QStringList transcript(const WebSocketClient& client)
{
    QStringList contents;
    for (const WSMessage& message : client.messages())
        contents.append((message.isOutgoing ? u"> "_s : u""_s) + message.content);
    return contents;
}

// A port that nothing listens on.
QString refusedUrl()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return u"ws://127.0.0.1:"_s + QString::number(port);
}

} // namespace

TEST(WebSocketClient, sendWhileDisconnectedOrTextThatIsNotAUrlChangesNothingElse)
{
    WebSocketTestPeer peer;
    WebSocketClient client;
    QSignalSpy changes(&client, &WebSocketClient::messagesChanged);
    client.send(u"x"_s);
    EXPECT_EQ(client.error(), std::nullopt);
    for (const QString& url : {u""_s, u"ws://exa mple.test"_s}) {
        client.connect(url, {});
        EXPECT_EQ(client.error(), u"Invalid WebSocket URL"_s);
        EXPECT_FALSE(client.isConnected());
    }
    EXPECT_EQ(changes.size(), 0);
    EXPECT_TRUE(client.messages().isEmpty());
    client.connect(peer.url(), {});
    ASSERT_TRUE(waitFor([&] { return peer.openConnectionCount() == 1; }));
    EXPECT_TRUE(waitFor([&] { return client.messages().size() == 1; }));
    client.connect(u""_s, {});
    EXPECT_TRUE(client.isConnected());
    EXPECT_EQ(transcript(client), QStringList {u"Connected to "_s + peer.url()});
}

TEST(WebSocketClient, sendsTheApplicableHeaderRowsLaterRowsWinning)
{
    // A bare TCP listener sees the opening handshake exactly as it went out.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    QByteArray handshake;
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket,
            [&handshake, socket] { handshake += socket->readAll(); });
    });
    WebSocketClient client;
    client.connect(u"ws://127.0.0.1:"_s + QString::number(server.serverPort()) + u"/feed"_s,
        {{.key = u"X-Token"_s, .value = u"first"_s},
            {.key = u"X-Off"_s, .value = u"1"_s, .isEnabled = false},
            {.key = u""_s, .value = u"blank"_s}, {.key = u"x-token"_s, .value = u"second"_s},
            {.key = u"X-Empty"_s, .value = u""_s}});
    ASSERT_TRUE(waitFor([&] { return handshake.contains("\r\n\r\n"); }));
    // The listener never answers: still connecting, so not yet announced as connected.
    EXPECT_TRUE(client.isConnected());
    EXPECT_TRUE(client.messages().isEmpty());
    SCOPED_TRACE(handshake.toStdString());
    const QByteArray lower = handshake.toLower();
    EXPECT_TRUE(handshake.startsWith("GET /feed HTTP/1.1\r\n"));
    EXPECT_EQ(lower.count("x-token:"), 1);
    EXPECT_TRUE(lower.contains("x-token: second\r\n"));
    EXPECT_FALSE(lower.contains("x-off") || lower.contains("blank"));
    EXPECT_TRUE(lower.contains("\r\nx-empty:"));
}

TEST(WebSocketClient, framesAppearInArrivalOrderAndBinaryAsTextOrSize)
{
    WebSocketTestPeer peer;
    peer.setEcho(false);
    WebSocketClient client;
    client.connect(peer.url(), {});
    ASSERT_TRUE(waitFor([&] { return peer.openConnectionCount() == 1; }));
    peer.sendText(u"text"_s);
    peer.sendBinary("h\xC3\xA9llo");
    peer.sendBinary("\xFF\xFE\xFD");
    peer.sendBinary(QByteArray(512, '\x80'));
    peer.sendBinary("split \xE2\x86");
    peer.stream(2000, 1000000, u"m"_s);

    ASSERT_TRUE(waitFor([&] { return client.messages().size() == 2006; }));
    const QStringList entries = transcript(client);
    EXPECT_EQ(entries.mid(1, 5),
        (QStringList {
            u"text"_s, u"h\u00e9llo"_s, u"[3 bytes]"_s, u"[512 bytes]"_s, u"[8 bytes]"_s}));
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(entries[6 + i], u"m"_s + QString::number(i));
    EXPECT_TRUE(client.isConnected());
    EXPECT_EQ(client.error(), std::nullopt);
}

TEST(WebSocketClient, everyEndOfAConnectionClosesTheTranscriptWithTheErrorButTheUsersOwn)
{
    enum class End { userDisconnect, serverClose, serverDrop, refused };
    for (const End end : {End::userDisconnect, End::serverClose, End::serverDrop, End::refused}) {
        SCOPED_TRACE(int(end));
        WebSocketTestPeer peer;
        WebSocketClient client;
        const QString url = end == End::refused ? refusedUrl() : peer.url();
        client.connect(url, {});
        QStringList expected;
        QSignalSpy errorChanges(&client, &WebSocketClient::errorChanged);
        if (end == End::refused) {
            // Sent before the handshake fails: the entry stays, and no connection is announced
            // that never opened.
            client.send(u"lost"_s);
            expected.append(u"> lost"_s);
            EXPECT_TRUE(client.isConnected());
        } else {
            expected.append(u"Connected to "_s + url);
            ASSERT_TRUE(waitFor([&] { return client.messages().size() == 1; }));
        }
        if (end == End::userDisconnect) {
            client.disconnect();
            EXPECT_FALSE(client.isConnected());
            expected.append(u"Disconnected"_s);
        } else if (end == End::serverClose) {
            peer.close(4001, u"bye"_s);
        } else if (end == End::serverDrop) {
            peer.abort();
        }
        ASSERT_TRUE(waitFor([&] {
            return !client.isConnected() && client.messages().size() == expected.size() + 1;
        }));
        QStringList entries = transcript(client);
        const QString closed = entries.takeLast();
        EXPECT_EQ(entries, expected);
        if (end == End::userDisconnect) {
            // The user's own close is no failure.
            EXPECT_EQ(closed, u"Connection closed: Closed by the client with code 1000"_s);
            EXPECT_EQ(client.error(), std::nullopt);
            EXPECT_EQ(errorChanges.size(), 0);
            EXPECT_TRUE(waitFor([&] { return peer.clientCloseCodes() == QList<int> {1000}; }));
        } else {
            const QString error = client.error().value_or(QString());
            EXPECT_FALSE(error.isEmpty());
            EXPECT_EQ(closed, u"Connection closed: "_s + error);
        }
        if (end == End::serverClose) {
            EXPECT_TRUE(client.error().value_or(QString()).contains(u"4001"_s));
        }
        client.send(u"after"_s);
        EXPECT_EQ(client.messages().size(), expected.size() + 1);
    }
}

TEST(WebSocketClient, reconnectClosesTheOldConnectionAndKeepsTheTranscriptOfEchoes)
{
    WebSocketTestPeer peer;
    WebSocketClient client;
    client.connect(peer.url(), {});
    client.send(u"one"_s);
    ASSERT_TRUE(waitFor([&] { return client.messages().size() == 3; }));
    client.connect(peer.url(), {});
    client.send(u"two"_s);
    ASSERT_TRUE(waitFor([&] { return client.messages().size() == 6; }));
    EXPECT_TRUE(waitFor([&] { return peer.clientCloseCodes() == QList<int> {1000}; }));
    // Both were sent before their handshake completed.
    EXPECT_EQ(peer.receivedTexts(), (QStringList {u"one"_s, u"two"_s}));
    EXPECT_EQ(peer.connectionCount(), 2);
    EXPECT_EQ(peer.openConnectionCount(), 1);
    // Let anything the old connection still reports arrive: it must not reach this client.
    QTest::qWait(50);
    EXPECT_TRUE(client.isConnected());
    const QString connected = u"Connected to "_s + peer.url();
    // Both were typed while their connection was still opening.
    EXPECT_EQ(transcript(client),
        (QStringList {u"> one"_s, connected, u"one"_s, u"> two"_s, connected, u"two"_s}));
}

TEST(WebSocketClient, destroyingTheClientClosesItsConnection)
{
    // Open, or still in the opening handshake: either way the server sees a normal close.
    for (bool waitUntilOpen : {true, false}) {
        WebSocketTestPeer peer;
        auto client = std::make_unique<WebSocketClient>();
        client->connect(peer.url(), {});
        if (waitUntilOpen) {
            ASSERT_TRUE(waitFor([&] { return peer.openConnectionCount() == 1; }));
        }
        client.reset();
        EXPECT_TRUE(waitFor([&] { return peer.clientCloseCodes() == QList<int> {1000}; }))
            << waitUntilOpen << " " << peer.clientCloseCodes().value(0);
        EXPECT_EQ(peer.openConnectionCount(), 0);
    }
}
