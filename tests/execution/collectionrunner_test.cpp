#include "scripting/collectionrunnersheetmodel.h"
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

// "/status/302" answers 302, anything else 200; "?delay" holds the reply back long enough for a
// test to act while it waits, even on a loaded machine under the sanitizers.
ScriptedResponse statusFromPath(const RecordedRequest& request)
{
    ScriptedResponse response = echoResponse(request);
    const QByteArray path = request.target.split('?').first();
    if (path.startsWith("/status/"))
        response.status = path.mid(8).toInt();
    response.delayMs = request.target.endsWith("?delay") ? 1000 : 0;
    return response;
}

APIRequest get(const QString& url, const QString& name = {})
{
    return APIRequest {.name = name, .url = url};
}

} // namespace

TEST(CollectionRunner, runsEveryRequestInListOrderJudgingByStatusAndContinuingAfterFailures)
{
    HttpTestServer server;
    server.setHandler(statusFromPath);
    NetworkService service;
    const QString base = server.baseUrl();
    APIRequest graphQL {.name = u"g"_s,
        .url = base + u"/status/201"_s,
        .requestProtocol = RequestProtocol::graphql,
        .graphqlQuery = u"{ me }"_s};
    APIRequest noQuery = graphQL;
    noQuery.name = u"h"_s;
    noQuery.graphqlQuery.clear();
    Collection collection {
        .requests = {get(base + u"/status/302"_s, u"a"_s), get(base + u"/status/399"_s, u"b"_s),
            get(u""_s, u"c"_s), get(base + u"/status/400"_s, u"d"_s), graphQL, noQuery}};
    // A folder that lists them backwards changes nothing.
    for (auto it = collection.requests.crbegin(); it != collection.requests.crend(); ++it)
        collection.folders.append(CollectionFolder {.requestIDs = {it->id}});

    QStringList calls;
    QList<RunResult> results;
    std::optional<QList<RunResult>> finished;
    QObject context;
    CollectionRunner::run(
        collection, std::nullopt, &context,
        [&](int current, int total) { calls.append(u"%1/%2"_s.arg(current).arg(total)); },
        [&](const RunResult& result) {
            calls.append(result.request.name);
            results.append(result);
        },
        [&](const QList<RunResult>& all) { finished = all; }, service);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.has_value(); }, kTimeoutMs));

    EXPECT_EQ(calls.join(u' '), u"1/6 a 2/6 b 3/6 c 4/6 d 5/6 g 6/6 h"_s);
    ASSERT_EQ(finished, results);
    const QList<std::optional<int>> statuses {302, 399, std::nullopt, 400, 201, 201};
    for (qsizetype i = 0; i < statuses.size(); ++i) {
        EXPECT_EQ(results[i].request, collection.requests[i]) << i;
        EXPECT_EQ(results[i].statusCode, statuses[i]) << i;
        EXPECT_EQ(results[i].passed, statuses[i].value_or(1000) < 400) << i;
        EXPECT_EQ(results[i].duration > 0, statuses[i].has_value()) << i;
    }
    EXPECT_EQ(results[2].error, u"Please enter a URL"_s);
    // Nothing for the empty URL; the GraphQL request goes as a POST.
    ASSERT_EQ(server.requests().size(), 5);
    EXPECT_EQ(server.requests()[3].method + server.requests()[4].method, "POSTGET");
}

TEST(CollectionRunnerSheetModel, runsWithTheEnvironmentOfItsStartSummarisesAndCancels)
{
    HttpTestServer server;
    server.setHandler(statusFromPath);
    NetworkService service;
    int environmentReads = 0;
    const auto environment = [&] {
        ++environmentReads;
        return VariableScopes {.environment
            = APIEnvironment {.variables = {{.key = u"base"_s, .value = server.baseUrl()}}}};
    };
    CollectionRunnerSheetModel sheet(
        Collection {.requests = {get(u"{{base}}/status/201"_s), get(u"{{base}}/status/404?delay"_s),
                        get(u"{{base}}/status/202?delay"_s)}},
        {.scopes = environment}, service);
    QSignalSpy progress(&sheet, &CollectionRunnerSheetModel::progressChanged);

    sheet.runCollection();
    EXPECT_TRUE(sheet.isRunning());
    EXPECT_EQ(sheet.total(), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sheet.isRunning(); }, kTimeoutMs));
    EXPECT_EQ(progress.size(), 3);
    EXPECT_EQ(sheet.passCount(), 2);
    EXPECT_EQ(sheet.failCount(), 1);
    EXPECT_DOUBLE_EQ(sheet.totalTime(),
        sheet.results()[0].duration + sheet.results()[1].duration + sheet.results()[2].duration);

    // A second run starts from nothing; stopped while the second request waits, it reports
    // neither that request nor sends the third.
    sheet.runCollection();
    EXPECT_TRUE(sheet.results().isEmpty());
    // The first result travels to this thread while the second request is already out: wait
    // for both, or a loaded machine cancels with the first result still on its way.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return server.requests().size() == 5 && sheet.results().size() == 1; }, kTimeoutMs));
    sheet.cancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sheet.isRunning(); }, kTimeoutMs));
    EXPECT_EQ(environmentReads, 2);
    EXPECT_EQ(sheet.results().size(), 1);
    QTest::qWait(300);
    EXPECT_EQ(server.requests().size(), 5);
    EXPECT_FALSE(CollectionRunnerSheetModel(Collection {}, {}, service).canRun());
}

TEST(CollectionRunner, stopsSendingWhenItsContextIsDestroyed)
{
    HttpTestServer server;
    server.setHandler(statusFromPath);
    NetworkService service;
    const QString slow = server.baseUrl() + u"/status/200?delay"_s;
    int calls = 0;
    auto context = std::make_unique<QObject>();
    CollectionRunner::run(
        Collection {.requests = {get(slow), get(slow), get(slow)}}, std::nullopt, context.get(),
        [&](int, int) { ++calls; }, [&](const RunResult&) { ++calls; },
        [&](const QList<RunResult>&) { ++calls; }, service);
    ASSERT_TRUE(server.waitForRequests(1));
    const int before = calls;
    context.reset();
    QTest::qWait(500);
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(calls, before);
}

TEST(CollectionRunner, runsOncePerDataRowWithTheRowAheadOfTheEnvironmentUntilCancelled)
{
    HttpTestServer server;
    server.setHandler(statusFromPath);
    NetworkService service;
    const APIEnvironment environment {.variables
        = {{.key = u"base"_s, .value = server.baseUrl()}, {.key = u"code"_s, .value = u"500"_s}}};
    const Collection collection {
        .requests = {get(u"{{base}}/status/{{code}}"_s), get(u"{{base}}/status/201"_s)}};
    const QList<IterationRow> rows {{{.key = u"code"_s, .value = u"200"_s}},
        {{.key = u"code"_s, .value = u"404"_s}}, {{.key = u"code"_s, .value = u"202"_s}}};

    for (const bool cancelAtFailure : {false, true}) {
        SCOPED_TRACE(cancelAtFailure);
        QStringList calls;
        std::optional<QList<RunResult>> finished;
        QObject context;
        CollectionRunner::RunHandle handle;
        handle = CollectionRunner::run(
            collection, environment, &context,
            // Whether the step in flight at the cancel is announced is up to timing.
            [&](int current, int total) {
                if (!cancelAtFailure)
                    calls.append(u"%1/%2"_s.arg(current).arg(total));
            },
            [&](const RunResult& result) {
                calls.append(u"%1:%2"_s.arg(result.iteration).arg(result.statusCode.value_or(0)));
                if (cancelAtFailure && !result.passed)
                    handle.cancel();
            },
            [&](const QList<RunResult>& all) { finished = all; }, service, rows);
        ASSERT_TRUE(QTest::qWaitFor([&] { return finished.has_value(); }, kTimeoutMs));
        EXPECT_EQ(calls.join(u' '),
            cancelAtFailure ? u"0:200 0:201 1:404"_s
                            : u"1/6 0:200 2/6 0:201 3/6 1:404 4/6 1:201 5/6 2:202 6/6 2:201"_s);
    }
    // The cancelled run never reached its third row.
    const auto sent = server.requests();
    EXPECT_EQ(std::count_if(sent.cbegin(), sent.cend(),
                  [](const RecordedRequest& r) { return r.target == "/status/202"; }),
        1);
}

// A request's tests count beside the requests: a test passes or fails whichever request it
// belongs to, and a request whose script failed fails although its tests passed.
TEST(CollectionRunnerSheetModel, countsTheTestsOfEveryResultBesideTheRequests)
{
    NetworkService service;
    CollectionRunnerSheetModel sheet(
        Collection {.requests = {get(u"http://127.0.0.1:1"_s)}}, {}, service);
    QSignalSpy changes(&sheet, &CollectionRunnerSheetModel::resultsChanged);
    const TestResult pass {.name = u"ok"_s, .passed = true};
    const TestResult fail {.name = u"has id"_s, .error = u"expected undefined to exist"_s};
    const QList<RunResult> results {
        RunResult {.statusCode = 200, .duration = 0.5, .passed = true},
        RunResult {.statusCode = 200, .duration = 0.25, .scripts = {.tests = {pass, fail, pass}}},
        RunResult {.statusCode = 500,
            .duration = 0.125,
            .scripts = {.tests = {pass}, .error = u"Tests: boom (line 1)"_s}},
    };
    for (const RunResult& result : results)
        sheet.addResult(result);

    EXPECT_EQ(changes.size(), 3);
    EXPECT_EQ(sheet.results(), results);
    EXPECT_EQ(sheet.tally(),
        (RunTally {.passedRequests = 1,
            .failedRequests = 2,
            .passedTests = 3,
            .failedTests = 1,
            .duration = 0.875}));
    EXPECT_EQ(sheet.testPassCount(), 3);
    EXPECT_EQ(sheet.testFailCount(), 1);
}
