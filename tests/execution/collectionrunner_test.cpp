#include "execution/collectionrunnersheetmodel.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kTimeoutMs = 10000;

// "/status/302" answers 302, anything else 200; "?delay" holds the reply back a little.
ScriptedResponse statusFromPath(const RecordedRequest& request)
{
    const QByteArray path = request.target.split('?').first();
    ScriptedResponse response = echoResponse(request);
    if (path.startsWith("/status/"))
        response.status = path.mid(8).toInt();
    if (request.target.endsWith("?delay"))
        response.delayMs = 200;
    return response;
}

APIRequest get(const QString& url, const QString& name = {})
{
    return APIRequest {.name = name, .url = url};
}

struct RunLog {
    QStringList calls;
    QList<RunResult> results;
    std::optional<QList<RunResult>> finished;
};

RunLog runToEnd(const Collection& collection, NetworkService& service,
    const std::optional<APIEnvironment>& environment = std::nullopt)
{
    RunLog log;
    QObject context;
    CollectionRunner::run(
        collection, environment, &context,
        [&](int current, int total) {
            log.calls.append(u"progress %1/%2"_s.arg(current).arg(total));
        },
        [&](const RunResult& result) {
            log.calls.append(u"result "_s + result.request.name);
            log.results.append(result);
        },
        [&](const QList<RunResult>& results) { log.finished = results; }, service);
    EXPECT_TRUE(QTest::qWaitFor([&] { return log.finished.has_value(); }, kTimeoutMs));
    return log;
}

} // namespace

TEST(CollectionRunner, runsEveryRequestInListOrderJudgingByStatusAndContinuingAfterFailures)
{
    HttpTestServer server;
    server.setHandler(statusFromPath);
    NetworkService service;
    const QString base = server.baseUrl();
    Collection collection {.name = u"Smoke"_s,
        .requests = {get(base + u"/status/302"_s, u"a"_s), get(base + u"/status/399"_s, u"b"_s),
            get(u""_s, u"c"_s), get(base + u"/status/400"_s, u"d"_s),
            get(base + u"/status/503"_s, u"e"_s), get(base + u"/ok"_s, u"f"_s)}};
    // A folder that lists them backwards changes nothing.
    for (auto it = collection.requests.crbegin(); it != collection.requests.crend(); ++it)
        collection.folders.append(CollectionFolder {.name = u"All"_s, .requestIDs = {it->id}});

    const RunLog log = runToEnd(collection, service);

    QStringList expectedCalls;
    for (const QString& name : {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s})
        expectedCalls << u"progress %1/6"_s.arg(expectedCalls.size() / 2 + 1)
                      << u"result "_s + name;
    EXPECT_EQ(log.calls, expectedCalls);
    ASSERT_EQ(log.finished, log.results);
    struct Expected {
        std::optional<int> status;
        bool passed;
    };
    const QList<Expected> expected {
        {302, true}, {399, true}, {std::nullopt, false}, {400, false}, {503, false}, {200, true}};
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const RunResult& result = log.results[i];
        EXPECT_EQ(result.request, collection.requests[i]);
        EXPECT_EQ(result.statusCode, expected[i].status) << i;
        EXPECT_EQ(result.passed, expected[i].passed) << i;
        EXPECT_EQ(result.error.has_value(), !expected[i].status.has_value()) << i;
        EXPECT_EQ(result.duration > 0, expected[i].status.has_value()) << i;
    }
    EXPECT_EQ(log.results[2].error, u"Please enter a URL"_s);
    QList<QByteArray> targets;
    for (const RecordedRequest& request : server.requests())
        targets.append(request.target);
    EXPECT_EQ(targets,
        (QList<QByteArray> {"/status/302", "/status/399", "/status/400", "/status/503", "/ok"}));
}

TEST(CollectionRunner, sendsGraphQLWithAQueryAsJsonPostButReportsTheStoredRequest)
{
    HttpTestServer server;
    NetworkService service;
    const APIRequest graphQL {.name = u"stored"_s,
        .url = server.baseUrl() + u"/graphql"_s,
        .headers = {{.key = u"CONTENT-TYPE"_s, .value = u"application/graphql+json"_s}},
        .queryParams = {{.key = u"dropped"_s, .value = u"1"_s}},
        .requestProtocol = RequestProtocol::graphql,
        .graphqlQuery = u"{ me { id } }"_s};
    APIRequest emptyQuery = graphQL;
    emptyQuery.id = QUuid::createUuid();
    emptyQuery.graphqlQuery.clear();
    const RunLog log = runToEnd(Collection {.requests = {graphQL, emptyQuery}}, service);

    ASSERT_EQ(log.results.size(), 2);
    EXPECT_EQ(log.results[0].request, graphQL);
    const QList<RecordedRequest> arrived = server.requests();
    ASSERT_EQ(arrived.size(), 2);
    EXPECT_EQ(arrived[0].method, "POST");
    EXPECT_EQ(arrived[0].target, "/graphql");
    EXPECT_EQ(arrived[0].body, R"({"query":"{ me { id } }"})");
    EXPECT_EQ(arrived[0].raw.toLower().count("content-type:"), 1);
    EXPECT_EQ(arrived[0].header("Content-Type"), "application/graphql+json");
    // Without a query the stored request goes out as it is.
    EXPECT_EQ(arrived[1].method, "GET");
    EXPECT_EQ(arrived[1].target, "/graphql?dropped=1");
}

TEST(CollectionRunnerSheetModel, runsWithTheEnvironmentOfItsStartSummarisesAndCancels)
{
    HttpTestServer server;
    server.setHandler(statusFromPath);
    NetworkService service;
    int environmentReads = 0;
    const auto environment = [&]() -> std::optional<APIEnvironment> {
        ++environmentReads;
        return APIEnvironment {.variables = {{.key = u"base"_s, .value = server.baseUrl()}}};
    };
    const Collection collection {
        .requests = {get(u"{{base}}/status/201"_s), get(u"{{base}}/status/404?delay"_s),
            get(u"{{base}}/status/202?delay"_s)}};
    CollectionRunnerSheetModel sheet(collection, environment, service);
    QSignalSpy progress(&sheet, &CollectionRunnerSheetModel::progressChanged);

    sheet.runCollection();
    EXPECT_TRUE(sheet.isRunning());
    EXPECT_FALSE(sheet.canRun());
    EXPECT_EQ(sheet.total(), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sheet.isRunning(); }, kTimeoutMs));
    EXPECT_EQ(environmentReads, 1);
    EXPECT_EQ(progress.size(), 3);
    EXPECT_EQ(sheet.progress(), 3);
    EXPECT_EQ(sheet.results().size(), 3);
    EXPECT_EQ(sheet.passCount(), 2);
    EXPECT_EQ(sheet.failCount(), 1);
    EXPECT_DOUBLE_EQ(sheet.totalTime(),
        sheet.results()[0].duration + sheet.results()[1].duration + sheet.results()[2].duration);

    // A second run starts from nothing; cancelled while the second request waits, it ends
    // without reporting that request or sending the third.
    sheet.runCollection();
    EXPECT_TRUE(sheet.results().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests().size() == 5; }, kTimeoutMs));
    sheet.cancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sheet.isRunning(); }, kTimeoutMs));
    EXPECT_EQ(environmentReads, 2);
    EXPECT_EQ(sheet.results().size(), 1);
    QTest::qWait(300);
    EXPECT_EQ(server.requests().size(), 5);
    EXPECT_TRUE(sheet.canRun());
    EXPECT_FALSE(CollectionRunnerSheetModel(Collection {}, {}, service).canRun());
}
