#include "scripting/scriptedrunner.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kTimeoutMs = 15000;

APIRequest request(const QString& name, const QString& url, const QString& preRequest = {},
    const QString& tests = {})
{
    return APIRequest {
        .name = name, .url = url, .preRequestScript = preRequest, .testScript = tests};
}

struct RunOutcome {
    QList<RunResult> results;
    VariableScopes scopes;
    QStringList progress;
};

RunOutcome runToTheEnd(const Collection& collection, const VariableScopes& scopes,
    NetworkService& service, const QList<IterationRow>& data = {}, int cancelAfter = -1)
{
    RunOutcome run;
    bool finished = false;
    QObject context;
    CollectionRunner::RunHandle handle;
    handle = ScriptedRunner::run(
        collection, scopes, &context,
        [&](int current, int total) { run.progress.append(u"%1/%2"_s.arg(current).arg(total)); },
        [&](const RunResult&) {
            if (run.results.size() + 1 == cancelAfter)
                handle.cancel();
        },
        [&](const QList<RunResult>& results, const VariableScopes& left) {
            run.results = results;
            run.scopes = left;
            finished = true;
        },
        service, data, ScriptSettings {.timeoutMilliseconds = 1000});
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished; }, kTimeoutMs));
    return run;
}

QStringList names(const QList<RunResult>& results)
{
    QStringList list;
    for (const RunResult& result : results)
        list.append(result.request.name);
    return list;
}

std::optional<QString> valueOf(const QList<KeyValuePair>& rows, const QString& key)
{
    for (const KeyValuePair& row : rows) {
        if (row.key == key)
            return row.value;
    }
    return std::nullopt;
}

} // namespace

// A token that one request's test script takes from its reply reaches the next request, the
// scripts run collection, folder, request in that order, and what they set is handed back.
TEST(ScriptedRunner, carriesATokenChainRunsScriptsOutsideInAndHandsBackTheVariables)
{
    HttpTestServer server;
    NetworkService service;
    const QString base = server.baseUrl();
    Collection collection {
        .requests = {
            request(u"login"_s, base + u"/login?token=abc123"_s, {},
                u"pm.environment.set('token', pm.response.json().target.split('=')[1]);"_s),
            request(u"me"_s, base + u"/me"_s, u"console.log('request pre');"_s,
                u"pm.test('sent the token', () => pm.expect(pm.response.json().headers"
                "['Authorization']).to.eql('Bearer abc123'));"_s),
        },
        .preRequestScript = u"console.log('collection pre');"_s,
        .testScript = u"pm.test('status ok', () => pm.response.to.have.status(200));"_s,
    };
    collection.requests[1].headers
        = {KeyValuePair {.key = u"Authorization"_s, .value = u"Bearer {{token}}"_s}};
    collection.folders.append(CollectionFolder {.name = u"f"_s,
        .requestIDs = {collection.requests[1].id},
        .preRequestScript = u"console.log('folder pre');"_s});
    const VariableScopes scopes {.environment = APIEnvironment {.name = u"dev"_s}};

    const RunOutcome run = runToTheEnd(collection, scopes, service);
    ASSERT_EQ(names(run.results), (QStringList {u"login"_s, u"me"_s}));
    EXPECT_EQ(run.results[1].scripts.console,
        (QStringList {u"collection pre"_s, u"folder pre"_s, u"request pre"_s}));
    QStringList tests;
    for (const TestResult& test : run.results[1].scripts.tests)
        tests.append(test.name + (test.passed ? u" ok"_s : u" failed: "_s + test.error));
    EXPECT_EQ(tests, (QStringList {u"status ok ok"_s, u"sent the token ok"_s}));
    EXPECT_TRUE(run.results[0].passed && run.results[1].passed);
    ASSERT_TRUE(run.scopes.environment);
    EXPECT_EQ(valueOf(run.scopes.environment->variables, u"token"_s), u"abc123"_s);
    EXPECT_EQ(run.scopes.environment->id, scopes.environment->id);
}

// setNextRequest jumps by name, loops until a counter runs out, and null ends the pass.
TEST(ScriptedRunner, setNextRequestJumpsLoopsAndStops)
{
    HttpTestServer server;
    NetworkService service;
    const QString base = server.baseUrl();
    const Collection collection {
        .requests = {
            request(u"start"_s, base + u"/a"_s, {}, u"postman.setNextRequest('poll');"_s),
            request(u"skipped"_s, base + u"/b"_s),
            request(u"poll"_s, base + u"/c"_s, {},
                uR"(const n = Number(pm.collectionVariables.get('n') || 0) + 1;
pm.collectionVariables.set('n', n);
if (n < 3) postman.setNextRequest('poll'); else postman.setNextRequest(null);)"_s),
            request(u"never"_s, base + u"/d"_s),
        }};
    const RunOutcome run = runToTheEnd(collection, {}, service);
    EXPECT_EQ(names(run.results), (QStringList {u"start"_s, u"poll"_s, u"poll"_s, u"poll"_s}));
    EXPECT_EQ(valueOf(run.scopes.collection, u"n"_s), u"3"_s);
    EXPECT_EQ(run.progress.last(), u"4/4"_s);
}

// A failing pre-request script keeps its request from going; a failing test fails only its
// request; a script that never ends is stopped, and the run goes on after all of them.
TEST(ScriptedRunner, failuresStayWithTheirRequestAndTheRunGoesOn)
{
    HttpTestServer server;
    NetworkService service;
    const QString base = server.baseUrl();
    const Collection collection {
        .requests = {
            request(u"throws"_s, base + u"/a"_s, u"\n\nnope();"_s),
            request(u"fails"_s, base + u"/b"_s, {},
                u"pm.test('is 404', () => pm.response.to.have.status(404));"_s),
            request(u"hangs"_s, base + u"/c"_s, {}, u"while (true) {}"_s),
            request(u"fine"_s, base + u"/d"_s),
        }};
    const RunOutcome run = runToTheEnd(collection, {}, service);
    ASSERT_EQ(names(run.results), (QStringList {u"throws"_s, u"fails"_s, u"hangs"_s, u"fine"_s}));
    EXPECT_EQ(server.requests().size(), 3);
    EXPECT_FALSE(run.results[0].statusCode.has_value());
    ASSERT_TRUE(run.results[0].error);
    EXPECT_TRUE(run.results[0].error->contains(u"nope"_s) && run.results[0].error->contains(u"3"_s))
        << run.results[0].error->toStdString();
    ASSERT_EQ(run.results[1].scripts.tests.size(), 1);
    EXPECT_FALSE(run.results[1].scripts.tests[0].passed);
    EXPECT_FALSE(run.results[1].passed);
    EXPECT_EQ(run.results[2].statusCode, 200);
    EXPECT_TRUE(run.results[2].scripts.error
        && run.results[2].scripts.error->contains(u"timed out after 1 s"_s));
    EXPECT_FALSE(run.results[2].passed);
    EXPECT_TRUE(run.results[3].passed);
}

// Each pass takes its data row, which beats the environment but not a local variable; a cancel
// stops the passes still to come.
TEST(ScriptedRunner, iterationRowsArePassVariablesAndCancelStopsThePassesToCome)
{
    HttpTestServer server;
    NetworkService service;
    const QString base = server.baseUrl();
    const Collection collection {
        .requests = {request(u"one"_s, base + u"/{{user}}"_s,
            u"if (pm.info.iteration === 1) pm.variables.set('user', 'local');"_s,
            u"pm.test(pm.iterationData.get('user') + ' ' + pm.info.iteration + '/' + "
            "pm.info.iterationCount, () => {});"_s)}};
    const VariableScopes scopes {
        .environment = APIEnvironment {
            .name = u"e"_s, .variables = {KeyValuePair {.key = u"user"_s, .value = u"env"_s}}}};
    const QList<IterationRow> rows {{KeyValuePair {.key = u"user"_s, .value = u"ann"_s}},
        {KeyValuePair {.key = u"user"_s, .value = u"bob"_s}},
        {KeyValuePair {.key = u"user"_s, .value = u"cy"_s}}};
    const RunOutcome run = runToTheEnd(collection, scopes, service, rows);
    QStringList targets;
    for (const RecordedRequest& sent : server.requests())
        targets.append(QString::fromUtf8(sent.target));
    EXPECT_EQ(targets, (QStringList {u"/ann"_s, u"/local"_s, u"/cy"_s}));
    ASSERT_EQ(run.results.size(), 3);
    EXPECT_EQ(run.results[2].scripts.tests.value(0).name, u"cy 2/3"_s);
    EXPECT_EQ(run.results[2].iteration, 2);

    const RunOutcome cancelled = runToTheEnd(collection, scopes, service, rows, 1);
    EXPECT_EQ(cancelled.results.size(), 1);
}

// A run sends the collection's auth for the requests that inherit it, and their own for the
// others, whether the run goes through scripts or not; its results keep the request as stored.
TEST(ScriptedRunner, inheritingRequestsGoWithTheCollectionsAuth)
{
    for (const bool scripted : {false, true}) {
        SCOPED_TRACE(scripted ? "scripted" : "plain");
        HttpTestServer server;
        NetworkService service;
        const QString base = server.baseUrl();
        Collection collection {.requests
            = {request(u"inherits"_s, base + u"/a"_s), request(u"own"_s, base + u"/b"_s)}};
        collection.requests[0].authType = AuthType::inherit;
        collection.requests[1].authType = AuthType::bearer;
        collection.requests[1].authToken = u"own-token"_s;
        collection.authType = AuthType::basic;
        collection.authToken = u"ana:pw"_s;
        if (scripted)
            collection.preRequestScript = u"console.log('pre');"_s;

        const RunOutcome run = runToTheEnd(collection, {}, service);
        ASSERT_EQ(names(run.results), (QStringList {u"inherits"_s, u"own"_s}));
        const QList<RecordedRequest> seen = server.requests();
        ASSERT_EQ(seen.size(), 2);
        EXPECT_EQ(seen[0].header("Authorization"), "Basic " + QByteArray("ana:pw").toBase64());
        EXPECT_EQ(seen[1].header("Authorization"), "Bearer own-token");
        EXPECT_EQ(run.results[0].request.authType, AuthType::inherit);
    }
}
