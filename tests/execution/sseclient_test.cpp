#include "execution/sseclient.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"
#include "support/waitfor.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// Each entry as "type: data", so a whole list compares in one go.
QStringList entries(const SSEClient& client)
{
    QStringList out;
    for (const SSEEvent& event : client.events())
        out.append(event.event + u": "_s + event.data);
    return out;
}

bool endsWith(const SSEClient& client, const QString& entry)
{
    return entries(client).value(client.events().size() - 1) == entry;
}

ScriptedResponse stream(QList<QByteArray> chunks, int chunkDelayMs = 20)
{
    return ScriptedResponse {.headers = {{"Content-Type", "text/event-stream"}},
        .chunks = std::move(chunks),
        .chunkDelayMs = chunkDelayMs};
}

} // namespace

TEST(SSEClient, everyStreamEndsInItsEventsThenClosedWithItsError)
{
    const struct {
        QByteArray path; // "/closed": a port nothing listens on
        QList<QByteArray> chunks;
        QStringList events;
        QString error; // a prefix; empty: no error
    } cases[] = {
        {"/split", {"data: caf", "\xC3", "\xA9 au lait\n", "\n"}, {u"message: café au lait"_s}},
        {"/blocks", {"event: t\r\ndata: a\r\n", "\r\ndata: b\n\n", "data: tail\n"},
            {u"t: a"_s, u"message: b"_s}},
        {"/404", {"<html>not found</html>"}},
        {"/cut", {"data: lost\n\n"}, {}, u"Network error: "_s},
        {"/closed", {}, {}, u"Network error: "_s},
    };
    quint16 closedPort = 0;
    {
        HttpTestServer gone;
        closedPort = gone.port();
    }
    HttpTestServer server;
    server.setHandler([&](const RecordedRequest& request) {
        const auto& c = *std::find_if(std::begin(cases), std::end(cases),
            [&](const auto& c) { return c.path == request.target; });
        ScriptedResponse response = stream(c.chunks);
        response.status = request.target == "/404" ? 404 : 200;
        response.closeAbruptly = request.target == "/cut";
        return response;
    });
    SSEClient client;
    for (const QString& url : {u""_s, u"http://exa mple.test"_s}) {
        client.connect(url, {});
        EXPECT_EQ(client.error(), u"Invalid URL"_s);
        EXPECT_TRUE(client.events().isEmpty() && !client.isConnected());
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QString url = c.path == "/closed" ? u"http://127.0.0.1:%1/"_s.arg(closedPort)
                                                : server.baseUrl() + QString::fromLatin1(c.path);
        const qsizetype before = client.events().size();
        client.connect(url, {});
        EXPECT_EQ(client.error(), std::nullopt);
        ASSERT_TRUE(waitFor([&] { return !client.isConnected(); }));
        EXPECT_EQ(entries(client).mid(before),
            QStringList {u"system: Connected to "_s + url} + c.events
                + QStringList {u"system: Connection closed"_s});
        EXPECT_EQ(client.error().value_or(QString()).left(c.error.size()), c.error);
        EXPECT_EQ(client.error().has_value(), !c.error.isEmpty());
    }
}

TEST(SSEClient, reconnectReplacesTheStreamAndDisconnectEndsIt)
{
    HttpTestServer server;
    std::atomic<int> streams = 0;
    server.setHandler([&](const RecordedRequest&) {
        const QByteArray n = QByteArray::number(++streams);
        QList<QByteArray> ticks;
        for (int i = 0; i < 100; ++i)
            ticks.append("data: " + n + '-' + QByteArray::number(i) + "\n\n");
        return stream(ticks, 50);
    });
    SSEClient client;
    const QString url = server.baseUrl() + u"/ticks"_s;
    client.connect(url,
        {{.key = u"accept"_s, .value = u"text/plain"_s},
            {.key = u"X-Off"_s, .value = u"1"_s, .isEnabled = false}});
    ASSERT_TRUE(waitFor([&] { return endsWith(client, u"message: 1-1"_s); }));
    // The user's Accept replaces the stream's own; a disabled row stays out.
    const RecordedRequest sent = server.requests().first();
    EXPECT_EQ(sent.raw.toLower().count("accept:"), 1);
    EXPECT_EQ(sent.header("Accept"), "text/plain");
    EXPECT_FALSE(sent.raw.contains("X-Off"));

    client.connect(url, {});
    const qsizetype reconnectedAt = client.events().size();
    ASSERT_TRUE(waitFor([&] { return endsWith(client, u"message: 2-2"_s); }));
    EXPECT_EQ(entries(client).mid(reconnectedAt - 1),
        (QStringList {u"system: Connected to "_s + url, u"message: 2-0"_s, u"message: 2-1"_s,
            u"message: 2-2"_s}));

    client.disconnect();
    EXPECT_TRUE(endsWith(client, u"system: Disconnected"_s) && !client.isConnected());
    ASSERT_TRUE(waitFor([&] { return endsWith(client, u"system: Connection closed"_s); }));
    // The user's own stop is no failure.
    EXPECT_EQ(client.error(), std::nullopt);
    // No tick of the ended stream follows.
    QTest::qWait(300);
    EXPECT_TRUE(endsWith(client, u"system: Connection closed"_s));
}

// A request's stream is put together as an HTTP send is: variables in the URL and the header
// values, the authentication's header, and the user's header of that name in its place.
TEST(SSEClient, aRequestsStreamGetsItsVariablesAndAuthentication)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest&) { return stream({"data: hi\n\n"}, 0); });
    const APIEnvironment environment {.variables
        = {{.key = u"base"_s, .value = server.baseUrl()}, {.key = u"key"_s, .value = u"k-1"_s}}};
    SSEClient client;
    client.connect(APIRequest {.url = u"{{base}}/feed"_s,
                       .headers = {{.key = u"X-API-Key"_s, .value = u"replaced"_s},
                           {.key = u"X-Key-Copy"_s, .value = u"{{key}}"_s}},
                       .authType = AuthType::apiKey,
                       .authToken = u"{{key}}"_s},
        environment);
    ASSERT_TRUE(waitFor([&] { return !server.requests().isEmpty(); }));
    const RecordedRequest sent = server.requests().first();
    EXPECT_EQ(sent.target, "/feed");
    EXPECT_EQ(sent.raw.toLower().count("x-api-key:"), 1);
    EXPECT_EQ(sent.header("X-API-Key"), "k-1");
    EXPECT_EQ(sent.header("X-Key-Copy"), "k-1");
    EXPECT_EQ(entries(client).value(0), u"system: Connected to "_s + server.baseUrl() + u"/feed"_s);
}
