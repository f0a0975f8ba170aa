#include "support/httptestserver.h"
#include "support/qtprinters.h"

#include <QSslSocket>
#include <QTcpSocket>

#include <gtest/gtest.h>

using namespace mako::test;

namespace {

// Reads until `terminator` has arrived (or the peer goes quiet); the peer runs on its own
// thread, so blocking here is fine.
QByteArray readUntil(QTcpSocket& socket, QByteArrayView terminator)
{
    QByteArray received;
    while (!received.contains(terminator) && socket.waitForReadyRead(3000))
        received += socket.readAll();
    return received;
}

} // namespace

TEST(HttpTestServer, keepsConnectionAliveAndDechunksBodies)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest& request) {
        return ScriptedResponse {.status = 201, .body = "got " + request.body};
    });
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(socket.waitForConnected(3000));

    socket.write("POST /a?b=1 HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc");
    EXPECT_TRUE(readUntil(socket, "got abc").startsWith("HTTP/1.1 201 Created\r\n"));
    socket.write("PUT /c HTTP/1.1\r\nX-Case: 1\r\nTransfer-Encoding: chunked\r\n\r\n"
                 "2\r\nde\r\n1;ext=1\r\nf\r\n0\r\n\r\n");
    EXPECT_TRUE(readUntil(socket, "got def").contains("Content-Length: 7\r\n"));

    ASSERT_TRUE(server.waitForRequests(2));
    const QList<RecordedRequest> requests = server.requests();
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].target, "/a?b=1");
    EXPECT_EQ(requests[0].httpVersion, "HTTP/1.1");
    EXPECT_EQ(requests[0].raw, "POST /a?b=1 HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc");
    EXPECT_EQ(requests[1].body, "def");
    EXPECT_EQ(requests[1].header("x-case"), "1");
    EXPECT_EQ(requests[1].headers.first().first, "X-Case");
    EXPECT_EQ(requests[1].connection, requests[0].connection);
    EXPECT_EQ(server.connectionCount(), 1);
}

TEST(HttpTestServer, writesChunksAndClosesAbruptly)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest& request) {
        if (request.target == "/cut")
            return ScriptedResponse {.body = "lost", .closeAbruptly = true};
        return ScriptedResponse {.chunks = {"ab", "cd"}, .chunkDelayMs = 10};
    });
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(socket.waitForConnected(3000));
    socket.write("GET /s HTTP/1.1\r\n\r\n");
    const QByteArray streamed = readUntil(socket, "0\r\n\r\n");
    EXPECT_TRUE(
        streamed.contains("Transfer-Encoding: chunked\r\n\r\n2\r\nab\r\n2\r\ncd\r\n0\r\n\r\n"));

    socket.write("GET /cut HTTP/1.1\r\n\r\n");
    const QByteArray cut = readUntil(socket, "never");
    EXPECT_TRUE(cut.endsWith("Content-Length: 4\r\n\r\n"));
    EXPECT_TRUE(
        socket.state() == QAbstractSocket::UnconnectedState || !socket.waitForReadyRead(2000));
}

TEST(HttpTestServer, servesTlsWithSelfSignedCertificate)
{
    HttpTestServer server(HttpTestServer::Tls::SelfSigned);
    EXPECT_TRUE(server.baseUrl().startsWith(QStringLiteral("https://127.0.0.1:")));
    EXPECT_TRUE(server.certificatePem().startsWith("-----BEGIN CERTIFICATE-----"));
    QSslSocket socket;
    socket.setPeerVerifyMode(QSslSocket::VerifyNone);
    socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"), server.port());
    ASSERT_TRUE(socket.waitForEncrypted(5000));
    socket.write("GET /secure HTTP/1.1\r\n\r\n");
    const QByteArray reply = readUntil(socket, "}");
    EXPECT_TRUE(reply.contains("\"target\":\"/secure\""));
    EXPECT_TRUE(reply.contains("Content-Type: application/json"));
}
