#include "execution/sseclient.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"

#include <QTest>

#include <gtest/gtest.h>

#include <atomic>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kTimeoutMs = 5000;

// Each entry as "type: data", so a whole list compares in one go.
QStringList entries(const SSEClient& client)
{
    QStringList out;
    for (const SSEEvent& event : client.events())
        out.append(event.event + u": "_s + event.data);
    return out;
}

bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, kTimeoutMs);
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

TEST(SSEClient, reportsTheStreamsEventsInOrderWhateverTheChunkingAndLineEnds)
{
    struct Case {
        const char* name;
        QList<QByteArray> chunks;
        QStringList events;
    };
    const QList<Case> cases {
        {"split in a value and in a character", {"data: caf", "\xC3", "\xA9 au lait\n", "\n"},
            {u"message: café au lait"_s}},
        {"CRLF and lone CR line ends", {"event: tick\r\ndata: 1\r\n\r\n", "data: 2\r\rdata: 3\r"},
            {u"tick: 1"_s, u"message: 2"_s}},
        {"blocks in one chunk and across chunks", {"data: a\n\ndata: b\n", "\ndata: c\n\n"},
            {u"message: a"_s, u"message: b"_s, u"message: c"_s}},
        {"unterminated event at the end", {"data: a\n\n", "data: tail\n"}, {u"message: a"_s}},
        {"error page", {"<html>not found</html>"}, {}},
    };
    HttpTestServer server;
    std::atomic<int> next = 0;
    server.setHandler([&](const RecordedRequest&) {
        ScriptedResponse response = stream(cases[next++].chunks);
        if (next == cases.size())
            response.status = 404;
        return response;
    });
    SSEClient client;
    for (const Case& c : cases) {
        const QString url = server.baseUrl() + u"/events"_s;
        const qsizetype before = client.events().size();
        client.connect(url, {});
        ASSERT_TRUE(waitFor([&] { return !client.isConnected(); })) << c.name;
        const QStringList expected = QStringList {u"system: Connected to "_s + url} + c.events
            + QStringList {u"system: Connection closed"_s};
        EXPECT_EQ(entries(client).mid(before), expected) << c.name;
        EXPECT_EQ(client.error(), std::nullopt) << c.name;
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
    const RecordedRequest sent = server.requests().first();
    EXPECT_EQ(sent.method, "GET");
    EXPECT_EQ(sent.raw.toLower().count("accept:"), 1);
    EXPECT_EQ(sent.header("Accept"), "text/plain");
    EXPECT_TRUE(sent.header("X-Off").isEmpty());

    client.connect(url, {});
    const qsizetype reconnectedAt = client.events().size();
    ASSERT_TRUE(waitFor([&] { return endsWith(client, u"message: 2-2"_s); }));
    EXPECT_EQ(entries(client).mid(reconnectedAt - 1),
        (QStringList {u"system: Connected to "_s + url, u"message: 2-0"_s, u"message: 2-1"_s,
            u"message: 2-2"_s}));

    client.disconnect();
    EXPECT_TRUE(endsWith(client, u"system: Disconnected"_s) && !client.isConnected());
    ASSERT_TRUE(waitFor([&] { return endsWith(client, u"system: Connection closed"_s); }));
    EXPECT_EQ(client.error(), u"Request was cancelled."_s);
    EXPECT_EQ(client.events()[client.events().size() - 2].data, u"Disconnected"_s);
    QTest::qWait(300);
    EXPECT_TRUE(endsWith(client, u"system: Connection closed"_s));
}

TEST(SSEClient, failuresSetTheErrorAndCloseTheList)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest&) {
        ScriptedResponse response = stream({"data: lost\n\n"});
        response.closeAbruptly = true;
        return response;
    });
    quint16 closedPort = 0;
    {
        HttpTestServer gone;
        closedPort = gone.port();
    }
    SSEClient client;
    for (const QString& url : {u""_s, u"http://exa mple.test"_s}) {
        client.connect(url, {});
        EXPECT_EQ(client.error(), u"Invalid URL"_s);
        EXPECT_TRUE(client.events().isEmpty() && !client.isConnected());
    }
    for (const QString& url :
        {u"http://127.0.0.1:%1/"_s.arg(closedPort), server.baseUrl() + u"/cut"_s}) {
        client.connect(url, {});
        EXPECT_EQ(client.error(), std::nullopt);
        ASSERT_TRUE(waitFor([&] { return !client.isConnected(); })) << url.toStdString();
        EXPECT_TRUE(client.error().value_or(QString()).startsWith(u"Network error: "_s))
            << url.toStdString();
        EXPECT_EQ(entries(client).mid(client.events().size() - 2),
            (QStringList {u"system: Connected to "_s + url, u"system: Connection closed"_s}));
    }
}
