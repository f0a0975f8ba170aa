#include "execution/httpengine.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// What a streaming client sees, in the order it saw it.
struct StreamLog {
    QStringList events;
    QByteArray data;
    std::optional<NetworkResult> finish;
};

HttpTransferRequest streamRequest(const HttpTestServer& server, const QByteArray& path)
{
    return HttpTransferRequest {.url = server.baseUrl().toLatin1() + path,
        .headers = {{"Accept", "text/event-stream"}},
        .settings = {.requestTimeout = 0, .resourceTimeout = 0}};
}

// With `cancelOnData`, the first piece of the body cancels the transfer.
TransferCallbacks logInto(StreamLog& log, QEventLoop& loop, TransferHandle* cancelOnData = nullptr)
{
    return TransferCallbacks {
        .onResponse =
            [&log](const APIResponse& head) {
                log.events.append(u"head %1 %2"_s.arg(head.statusCode).arg(head.contentType()));
            },
        .onData =
            [&log, cancelOnData](const QByteArray& data) {
                log.events.append(u"data"_s);
                log.data += data;
                if (cancelOnData)
                    cancelOnData->cancel();
            },
        .onFinished =
            [&log, &loop](const NetworkResult& result) {
                log.events.append(u"finish"_s);
                log.finish = result;
                loop.quit();
            },
    };
}

} // namespace

TEST(HttpEngine, streamsBodyPiecesAfterTheFinalHeadAndNothingAfterACancel)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest& request) {
        if (request.target == "/old")
            return ScriptedResponse {.status = 307, .headers = {{"Location", "/events"}}};
        return ScriptedResponse {.headers = {{"Content-Type", "text/event-stream"}},
            .chunks = {"data: 1\n\n", "data: 2\n\n", "data: 3\n\n"},
            .chunkDelayMs = 50};
    });
    const QString head = u"head 200 text/event-stream"_s;
    for (const bool cancel : {false, true}) {
        HttpEngine engine;
        QObject context;
        QEventLoop loop;
        StreamLog log;
        TransferHandle handle;
        handle = engine.start(streamRequest(server, "/old"), &context,
            logInto(log, loop, cancel ? &handle : nullptr));
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        ASSERT_TRUE(log.finish.has_value()) << cancel;
        if (cancel) {
            EXPECT_EQ(std::get<NetworkError>(*log.finish).code, NetworkError::kCancelled);
            // Give any stray delivery a chance to show up.
            QTimer::singleShot(300, &loop, &QEventLoop::quit);
            loop.exec();
            EXPECT_EQ(log.events, (QStringList {head, u"data"_s, u"finish"_s}));
            EXPECT_EQ(log.data, "data: 1\n\n");
            continue;
        }
        EXPECT_EQ(log.events.first(), head);
        EXPECT_EQ(log.events.count(head), 1);
        EXPECT_EQ(log.events.last(), u"finish"_s);
        EXPECT_EQ(log.data, "data: 1\n\ndata: 2\n\ndata: 3\n\n");
        // The streamed body is not kept a second time.
        const auto& done = std::get<APIResponse>(*log.finish);
        EXPECT_TRUE(done.body.isEmpty());
        EXPECT_EQ(done.size, log.data.size());
        EXPECT_EQ(server.requests().last().header("Accept"), "text/event-stream");
    }
}

TEST(HttpEngine, destroyedContextReceivesNothingAndEngineShutsDownWithTransfersRunning)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest&) { return ScriptedResponse {.delayMs = 5000}; });
    bool called = false;
    QObject survivor;
    std::optional<NetworkResult> survivorResult;
    {
        HttpEngine engine;
        auto context = std::make_unique<QObject>();
        engine.start(streamRequest(server, "/a"), context.get(),
            TransferCallbacks {.onFinished = [&](const NetworkResult&) { called = true; }});
        engine.start(streamRequest(server, "/b"), &survivor,
            TransferCallbacks {.onFinished = [&](const NetworkResult& r) { survivorResult = r; }});
        ASSERT_TRUE(server.waitForRequests(2));
        context.reset();
        // Leaving the scope ends the engine while both transfers wait for their replies.
    }
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(called);
    ASSERT_TRUE(survivorResult.has_value());
    EXPECT_EQ(std::get<NetworkError>(*survivorResult).code, NetworkError::kCancelled);
}
