#include "scripting/scriptengine.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// Only a guard against a hang: every wait below ends as soon as the run is done.
constexpr int kGuardMs = 30000;

ScriptRun runScripts(ScriptEngine& engine, const QStringList& scripts, ScriptContext context)
{
    std::optional<ScriptRun> result;
    engine.run(scripts, std::move(context), [&](ScriptRun run) { result = std::move(run); });
    EXPECT_FALSE(result.has_value()) << "done ran before run() returned";
    EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, kGuardMs));
    return result.value_or(ScriptRun {});
}

APIResponse jsonReply(int status = 200)
{
    return APIResponse {
        .statusCode = status,
        .headers
        = {{u"Content-Type"_s, u"application/json; charset=utf-8"_s}, {u"X-Trace"_s, u"abc"_s}},
        .body = R"({"id":7,"user":{"name":"Ada","roles":["admin","dev"]},"ok":true})",
        .duration = 0.1234,
        .size = 321,
    };
}

ScriptContext testContext(std::optional<APIResponse> response = jsonReply())
{
    return ScriptContext {
        .eventName = u"test"_s,
        .request = APIRequest {.name = u"Get user"_s, .url = u"http://127.0.0.1:1/users/7"_s},
        .response = std::move(response),
        .scopes = {},
        .requestName = u"Get user"_s,
        .requestID = u"r-1"_s,
        .iteration = 2,
        .iterationCount = 5,
    };
}

QList<std::pair<QString, bool>> verdicts(const ScriptRun& run)
{
    QList<std::pair<QString, bool>> list;
    for (const TestResult& test : run.outcome.tests)
        list.append({test.name, test.passed});
    return list;
}

QString valueOf(const QList<KeyValuePair>& rows, const QString& key)
{
    for (const KeyValuePair& row : rows) {
        if (row.key == key)
            return row.value;
    }
    return u"<absent>"_s;
}

} // namespace

TEST(ScriptEngine, recordsTestsInDeclarationOrderWithChaiMessagesSkipsAndAsyncDone)
{
    ScriptEngine engine;
    const ScriptRun run = runScripts(engine, {uR"(
pm.test("sync pass", function () { pm.expect(1 + 1).to.equal(2); });
pm.test("sync fail", function () { pm.expect([1, 2]).to.include(3); });
pm.test("async", function (done) { setTimeout(function () { pm.expect(true).to.be.true; done(); }, 1); });
pm.test("async fail", function (done) { setTimeout(function () { done(new Error("late")); }, 1); });
pm.test.skip("skipped", function () { throw new Error("never runs"); });
pm.test("type error", function () { undefined.x; });
)"_s},
        testContext());
    ASSERT_FALSE(run.outcome.error) << run.outcome.error->toStdString();
    const QList<std::pair<QString, bool>> expected {{u"sync pass"_s, true}, {u"sync fail"_s, false},
        {u"async"_s, true}, {u"async fail"_s, false}, {u"skipped"_s, true},
        {u"type error"_s, false}};
    EXPECT_EQ(verdicts(run), expected);
    EXPECT_EQ(run.outcome.tests[1].error, u"expected [ 1, 2 ] to include 3"_s);
    EXPECT_EQ(run.outcome.tests[3].error, u"Error: late"_s);
    EXPECT_TRUE(run.outcome.tests[4].skipped);
    EXPECT_FALSE(run.outcome.tests[0].skipped);
    EXPECT_TRUE(run.outcome.tests[5].error.startsWith(u"TypeError: "_s));
    EXPECT_EQ(run.outcome.failedTests(), 3);
}

TEST(ScriptEngine, responseAssertionsPassAndFailWithResponseMessages)
{
    struct Case {
        QString assertion;
        int status;
        QString failure; // empty: passes
    };
    const QList<Case> cases {
        {u"pm.response.to.have.status(200)"_s, 200, {}},
        {u"pm.response.to.have.status(200)"_s, 404,
            u"expected response to have status code 200 but got 404"_s},
        {u"pm.response.to.have.status('Not Found')"_s, 404, {}},
        {u"pm.response.to.not.have.status(200)"_s, 201, {}},
        {u"pm.response.to.be.ok"_s, 200, {}},
        {u"pm.response.to.be.ok"_s, 201,
            u"expected response to have status code 200 but got 201"_s},
        {u"pm.response.to.be.success"_s, 204, {}},
        {u"pm.response.to.be.success"_s, 302,
            u"expected response code to be success (200-299) but found 302"_s},
        {u"pm.response.to.be.error"_s, 503, {}},
        {u"pm.response.to.be.clientError"_s, 422, {}},
        {u"pm.response.to.be.serverError"_s, 422,
            u"expected response code to be server error (500-599) but found 422"_s},
        {u"pm.response.to.be.notFound"_s, 404, {}},
        {u"pm.response.to.have.header('content-type')"_s, 200, {}},
        {u"pm.response.to.have.header('X-Trace', 'abc')"_s, 200, {}},
        {u"pm.response.to.have.header('X-Trace', 'xyz')"_s, 200,
            u"expected 'X-Trace' response header to be 'xyz' but got 'abc'"_s},
        {u"pm.response.to.have.header('X-Missing')"_s, 200,
            u"expected response to have header with key 'X-Missing'"_s},
        {u"pm.response.to.have.body(/Ada/)"_s, 200, {}},
        {u"pm.response.to.have.body('nope')"_s, 200,
            u"expected response body to equal 'nope' but got"_s},
        {u"pm.response.to.have.jsonBody()"_s, 200, {}},
        {u"pm.response.to.have.jsonBody('user.roles[1]', 'dev')"_s, 200, {}},
        {u"pm.response.to.have.jsonBody('user.age')"_s, 200, u"to contain property 'user.age'"_s},
        {u"pm.response.to.be.json"_s, 200, {}},
        {u"pm.expect(pm.response.code).to.be.oneOf([200, 201])"_s, 201, {}},
        {u"pm.expect(0).to.be.ok"_s, 200, u"expected +0 to be truthy"_s},
    };
    ScriptEngine engine;
    for (const Case& c : cases) {
        const ScriptRun run
            = runScripts(engine, {u"pm.test('t', function () { %1; });"_s.arg(c.assertion)},
                testContext(jsonReply(c.status)));
        ASSERT_EQ(run.outcome.tests.size(), 1) << c.assertion.toStdString();
        const TestResult& test = run.outcome.tests.first();
        EXPECT_EQ(test.passed, c.failure.isEmpty())
            << c.assertion.toStdString() << ": " << test.error.toStdString();
        EXPECT_TRUE(test.error.contains(c.failure))
            << c.assertion.toStdString() << ": " << test.error.toStdString();
    }
}

TEST(ScriptEngine, exposesResponseRequestInfoAndLegacyGlobals)
{
    ScriptEngine engine;
    APIResponse reply = jsonReply(201);
    reply.setCookies = {
        {.url = {}, .value = "session=s1; Path=/; HttpOnly"}, {.url = {}, .value = "theme=dark"}};
    ScriptContext context = testContext(reply);
    context.request.headers = {{.key = u"Accept"_s, .value = u"text/plain"_s}};
    context.scopes.data = {{.key = u"row"_s, .value = u"r1"_s}};
    const ScriptRun run = runScripts(engine, {uR"(
var r = pm.response;
console.log(r.code, r.status, r.headers.get("x-trace"), r.headers.has("X-TRACE"), r.headers.has("nope"),
    Object.keys(r.headers.toObject()).join("+"));
console.log(r.responseTime, r.responseSize, r.json().user.roles.length, r.text().length);
console.log(pm.request.method, pm.request.url.toString(), pm.request.headers.get("accept"));
console.log(pm.info.requestName, pm.info.requestId, pm.info.iteration, pm.info.iterationCount, pm.info.eventName);
console.log(pm.iterationData.get("row"), pm.iterationData.has("row"), JSON.stringify(pm.iterationData.toObject()));
console.log(responseCode.code, responseCode.name, responseHeaders["X-Trace"], responseTime, JSON.parse(responseBody).id, data.row);
tests["legacy pass"] = responseCode.code === 201;
tests["legacy fail"] = false;
console.warn("careful"); console.error({a: 1});
console.log(btoa("user:pass"), atob("dXNlcjpwYXNz"));
pm.visualizer.set("<p>{{a}}</p>", {a: 1});
console.log(pm.cookies.get("session"), pm.cookies.has("theme"), pm.cookies.has("nope"));
)"_s},
        context);
    ASSERT_FALSE(run.outcome.error) << run.outcome.error->toStdString();
    const QStringList expected {
        u"201 Created abc true false Content-Type+X-Trace"_s,
        u"123 321 2 %1"_s.arg(jsonReply().body.size()),
        u"GET http://127.0.0.1:1/users/7 text/plain"_s,
        u"Get user r-1 2 5 test"_s,
        uR"(r1 true {"row":"r1"})"_s,
        u"201 Created abc 123 7 r1"_s,
        u"warn: careful"_s,
        uR"(error: {"a":1})"_s,
        u"dXNlcjpwYXNz user:pass"_s,
        u"s1 true false"_s,
    };
    EXPECT_EQ(run.outcome.console, expected);
    const QList<std::pair<QString, bool>> tests {
        {u"legacy pass"_s, true}, {u"legacy fail"_s, false}};
    EXPECT_EQ(verdicts(run), tests);
}

TEST(ScriptEngine, variablesResolveNarrowestFirstAndScriptChangesComeBackByScope)
{
    // Each level defines "v" on top of the wider ones; pm.variables must see the narrowest.
    const QStringList levels {
        u"global"_s, u"collection"_s, u"environment"_s, u"data"_s, u"local"_s};
    ScriptEngine engine;
    for (qsizetype narrowest = 0; narrowest < levels.size(); ++narrowest) {
        ScriptContext context = testContext();
        for (qsizetype level = 0; level <= narrowest; ++level) {
            const KeyValuePair row {.key = u"v"_s, .value = levels[level]};
            switch (level) {
            case 0:
                context.scopes.globals.append(row);
                break;
            case 1:
                context.scopes.collection.append(row);
                break;
            case 2:
                context.scopes.environment = APIEnvironment {.name = u"Dev"_s, .variables = {row}};
                break;
            case 3:
                context.scopes.data.append(row);
                break;
            case 4:
                context.scopes.local.append(row);
                break;
            }
        }
        const ScriptRun run = runScripts(engine,
            {u"console.log(pm.variables.get('v'), pm.variables.replaceIn('<{{v}}>'), pm.variables.toObject().v);"_s},
            context);
        EXPECT_EQ(run.outcome.console, QStringList {u"%1 <%1> %1"_s.arg(levels[narrowest])});
    }

    ScriptContext context = testContext();
    const KeyValuePair kept {.key = u"keep"_s, .value = u"1"_s};
    context.scopes.environment = APIEnvironment {
        .name = u"Dev"_s, .variables = {kept, {.key = u"gone"_s, .value = u"x"_s}}};
    context.scopes.globals = {{.key = u"g"_s, .value = u"old"_s}};
    const ScriptRun run = runScripts(engine,
        {uR"(
pm.environment.set("token", "t-1");
pm.environment.set("count", 3);
pm.environment.set("obj", {a: [1]});
pm.environment.unset("gone");
pm.globals.set("g", "new");
pm.collectionVariables.set("c", "col");
pm.variables.set("l", "loc");
postman.setGlobalVariable("pg", "1");
postman.setEnvironmentVariable("pe", "2");
)"_s,
            uR"(
console.log(pm.environment.get("token"), pm.environment.has("gone"), pm.environment.name,
    postman.getEnvironmentVariable("pe"), postman.getGlobalVariable("pg"), pm.variables.get("l"),
    pm.environment.replaceIn("{{token}}/{{c}}"), pm.collectionVariables.has("c"));
postman.clearGlobalVariable("pg");
postman.clearEnvironmentVariable("pe");
console.log(environment.token, globals.g, JSON.stringify(pm.environment.toObject()),
    pm.globals.replaceIn("{{g}}{{pg}}"));
)"_s},
        context);
    const QStringList lines {u"t-1 false Dev 2 1 loc t-1/{{c}} true"_s,
        uR"(t-1 new {"keep":"1","token":"t-1","count":3,"obj":{"a":[1]}} new{{pg}})"_s};
    EXPECT_EQ(run.outcome.console, lines);
    EXPECT_EQ(valueOf(run.scopes.environment->variables, u"pe"_s), u"<absent>"_s);
    ASSERT_TRUE(run.scopes.environment);
    const QList<KeyValuePair>& environment = run.scopes.environment->variables;
    EXPECT_EQ(environment.first(), kept) << "an untouched row keeps its id";
    EXPECT_EQ(valueOf(environment, u"token"_s), u"t-1"_s);
    EXPECT_EQ(valueOf(environment, u"count"_s), u"3"_s);
    EXPECT_EQ(valueOf(environment, u"obj"_s), uR"({"a":[1]})"_s);
    EXPECT_EQ(valueOf(environment, u"gone"_s), u"<absent>"_s);
    EXPECT_EQ(valueOf(run.scopes.globals, u"g"_s), u"new"_s);
    EXPECT_EQ(run.scopes.globals.first().id, context.scopes.globals.first().id);
    EXPECT_EQ(valueOf(run.scopes.globals, u"pg"_s), u"<absent>"_s);
    EXPECT_EQ(valueOf(run.scopes.collection, u"c"_s), u"col"_s);
    EXPECT_EQ(valueOf(run.scopes.local, u"l"_s), u"loc"_s);

    // With no active environment, what a script sets lands in one made for the run.
    const ScriptRun bare = runScripts(engine, {u"pm.environment.set('a', 'b');"_s}, testContext());
    ASSERT_TRUE(bare.scopes.environment);
    EXPECT_EQ(valueOf(bare.scopes.environment->variables, u"a"_s), u"b"_s);
    const ScriptRun untouched = runScripts(engine, {u"pm.globals.set('a', 'b');"_s}, testContext());
    EXPECT_FALSE(untouched.scopes.environment);
}

TEST(ScriptEngine, preRequestChangesToTheRequestComeBack)
{
    ScriptEngine engine;
    ScriptContext context = testContext(std::nullopt);
    context.eventName = u"prerequest"_s;
    context.request.headers
        = {{.key = u"X-Old"_s, .value = u"1"_s}, {.key = u"Accept"_s, .value = u"a"_s}, {}};
    const ScriptRun run = runScripts(engine, {uR"(
pm.request.headers.add({key: "X-New", value: "n"});
pm.request.headers.upsert({key: "accept", value: "b"});
pm.request.headers.remove("X-Old");
pm.request.url = "http://127.0.0.1:1/other?x=1&y=2#top";
pm.request.url.query.upsert({key: "y", value: "3"});
pm.request.url.addQueryParams("z=4");
pm.request.url.query.remove("x");
console.log(pm.request.url.getHost(), pm.request.url.getPath(), pm.request.url.query.get("y"));
pm.request.method = "post";
pm.request.body.raw = '{"a":1}';
)"_s},
        context);
    ASSERT_FALSE(run.outcome.error) << run.outcome.error->toStdString();
    ASSERT_EQ(run.request.headers.size(), 3);
    // The upserted row is the stored one, its id kept; the blank editor row stays last.
    EXPECT_EQ(run.request.headers[0].id, context.request.headers[1].id);
    EXPECT_EQ(run.request.headers[0].key + u'=' + run.request.headers[0].value, u"Accept=b"_s);
    EXPECT_EQ(run.request.headers[2].key, QString());
    EXPECT_EQ(run.request.headers[1].key + u'=' + run.request.headers[1].value, u"X-New=n"_s);
    EXPECT_EQ(run.request.url, u"http://127.0.0.1:1/other?y=3&z=4#top"_s);
    EXPECT_EQ(run.outcome.console, QStringList {u"127.0.0.1:1 /other 3"_s});
    EXPECT_EQ(run.request.method, HTTPMethod::post);
    EXPECT_EQ(run.request.body, uR"({"a":1})"_s);
    EXPECT_EQ(run.request.bodyType, RequestBodyType::raw);
    EXPECT_EQ(run.request.id, context.request.id);
}

TEST(ScriptEngine, failuresNameTheScriptAndLineAndOnlyPreRequestFailuresStopTheRest)
{
    ScriptEngine engine;
    const QStringList scripts {u"pm.test('first', function () {});\n\nnull.token;"_s,
        u"var ok = 1;\npm.expect(ok).to.equal(2);"_s, u"var a = 1;\nvar = 2;\nvar b = 3;"_s,
        u"setTimeout(function () {\n    missing();\n}, 0);"_s,
        u"pm.test('last', function () {});"_s};
    const ScriptRun tests = runScripts(engine, scripts, testContext());
    const QList<std::pair<QString, bool>> ran {{u"first"_s, true}, {u"last"_s, true}};
    EXPECT_EQ(verdicts(tests), ran);
    ASSERT_TRUE(tests.outcome.error);
    const QStringList errors = tests.outcome.error->split(u'\n');
    ASSERT_EQ(errors.size(), 4) << tests.outcome.error->toStdString();
    EXPECT_EQ(errors[0], u"Tests: TypeError: Cannot read property 'token' of null (line 3)"_s);
    EXPECT_EQ(errors[1], u"Tests: AssertionError: expected 1 to equal 2 (line 2)"_s);
    EXPECT_TRUE(
        errors[2].startsWith(u"Tests: SyntaxError: "_s) && errors[2].endsWith(u"(line 2)"_s))
        << errors[2].toStdString();
    // In a callback too, the line is the script's.
    EXPECT_EQ(errors[3], u"Tests: ReferenceError: missing is not defined (line 2)"_s);

    ScriptContext context = testContext(std::nullopt);
    context.eventName = u"prerequest"_s;
    const ScriptRun pre = runScripts(engine,
        {u"pm.variables.set('a', '1');\nthrow new Error('no token');"_s,
            u"pm.variables.set('b', '2');"_s},
        context);
    EXPECT_EQ(pre.outcome.error, u"Pre-request: Error: no token (line 2)"_s);
    EXPECT_EQ(valueOf(pre.scopes.local, u"a"_s), u"1"_s);
    EXPECT_EQ(valueOf(pre.scopes.local, u"b"_s), u"<absent>"_s);
}

TEST(ScriptEngine, scriptsThatNeverEndAreStoppedAndTheNextOneStillRuns)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest& request) {
        ScriptedResponse response = echoResponse(request);
        response.delayMs = 1500;
        return response;
    });
    NetworkService service;
    ScriptEngine engine(service, ScriptSettings {.timeoutMilliseconds = 300});
    const QStringList scripts {u"while (true) {}"_s, u"setTimeout(function () {}, 1e12);"_s,
        u"pm.test('waits', function (done) {});"_s,
        u"pm.sendRequest('%1/slow', function () { pm.test('late', function () {}); });"_s.arg(
            server.baseUrl()),
        u"pm.test('after', function () {});"_s};
    const ScriptRun run = runScripts(engine, scripts, testContext());
    ASSERT_TRUE(run.outcome.error);
    const QString timedOut = u"Tests: Script timed out after 0.3 s"_s;
    EXPECT_EQ(run.outcome.error->split(u'\n'), QStringList(4, timedOut));
    const QList<std::pair<QString, bool>> tests {{u"waits"_s, false}, {u"after"_s, true}};
    EXPECT_EQ(verdicts(run), tests);
    EXPECT_EQ(run.outcome.tests.first().error, u"Script timed out after 0.3 s"_s);
}

TEST(ScriptEngine, sendRequestGoesOutThroughTheServiceAndItsCallbackMayTest)
{
    HttpTestServer server;
    NetworkService service;
    ScriptEngine engine(service);
    const QString script = uR"(
pm.sendRequest("%1/plain?a=1", function (err, res) {
    pm.test("string form", function () {
        pm.expect(err).to.equal(null);
        pm.expect(res.code).to.equal(200);
        pm.expect(res.json().target).to.equal("/plain?a=1");
    });
    pm.sendRequest({url: "%1/token", method: "POST", header: [{key: "X-Key", value: "k"}],
                    body: {mode: "raw", raw: "{\"user\":\"ada\"}",
                          options: {raw: {language: "json"}}}}, function (err, res) {
        pm.environment.set("echoed", res.json().body);
        pm.test("object form", function () { res.to.have.status(200); });
        pm.sendRequest({url: "%1/form", method: "PUT", body: {mode: "urlencoded",
                        urlencoded: [{key: "a", value: "1"}, {key: "b c", value: "x&y"}]}});
    });
});
pm.sendRequest("", function (err, res) {
    pm.test("refused", function () {
        pm.expect(err.message).to.equal("Please enter a URL");
        pm.expect(res).to.equal(undefined);
    });
});
)"_s.arg(server.baseUrl());
    const ScriptRun run = runScripts(engine, {script}, testContext());
    ASSERT_FALSE(run.outcome.error) << run.outcome.error->toStdString();
    QList<std::pair<QString, bool>> tests = verdicts(run);
    std::sort(tests.begin(), tests.end());
    const QList<std::pair<QString, bool>> expected {
        {u"object form"_s, true}, {u"refused"_s, true}, {u"string form"_s, true}};
    EXPECT_EQ(tests, expected);
    ASSERT_EQ(server.requests().size(), 3);
    const RecordedRequest post = server.requests()[1];
    EXPECT_EQ(post.method, "POST");
    EXPECT_EQ(post.header("X-Key"), "k");
    EXPECT_EQ(post.body, R"({"user":"ada"})");
    EXPECT_EQ(post.header("Content-Type"), "application/json");
    const RecordedRequest form = server.requests()[2];
    EXPECT_EQ(form.method + ' ' + form.body, "PUT a=1&b%20c=x%26y");
    EXPECT_EQ(form.header("Content-Type"), "application/x-www-form-urlencoded");
    ASSERT_TRUE(run.scopes.environment);
    EXPECT_EQ(valueOf(run.scopes.environment->variables, u"echoed"_s), uR"({"user":"ada"})"_s);
}

TEST(ScriptEngine, eachScriptStartsFromFreshGlobalsAndTimersKeepTheirOrder)
{
    ScriptEngine engine;
    const ScriptRun run = runScripts(engine,
        {uR"(
leaked = 1; var local = 2; function helper() {}
JSON = null; pm.extra = true; pm.test.skip = null;
var cancelled = setTimeout(function () { console.log("cancelled ran"); }, 0);
setTimeout(function (word) { console.log(word); }, 20, "second");
setTimeout(function () { console.log("first"); }, 0);
clearTimeout(cancelled);
)"_s,
            uR"(
var ticks = 0;
var interval = setInterval(function (step) {
    ticks += step;
    if (ticks === 3) { clearInterval(interval); console.log("ticks " + ticks); console.log = null; }
}, 1, 1);
console.log(_.max([4, 9]));
_ = "replaced"; delete Math;
)"_s,
            uR"(
console.log(typeof leaked, typeof local, typeof helper, typeof JSON.parse, typeof pm.extra);
console.log(typeof _.map, typeof Math.max, typeof pm.test.skip);
)"_s},
        testContext());
    ASSERT_FALSE(run.outcome.error) << run.outcome.error->toStdString();
    const QStringList expected {u"first"_s, u"second"_s, u"9"_s, u"ticks 3"_s,
        u"undefined undefined undefined function undefined"_s, u"function function function"_s};
    EXPECT_EQ(run.outcome.console, expected);
}

TEST(ScriptEngine, requireOffersLodashAndMomentOnlyFromTheModuleFolders)
{
    ScriptEngine engine;
    const ScriptRun run = runScripts(engine, {uR"(
var _ = require("lodash"), moment = require("moment");
console.log(_.map([1, 2], function (n) { return n * 2; }).join(","), require("lodash") === _);
console.log(moment.utc("2024-03-05T10:00:00Z").add(1, "day").format("YYYY-MM-DD"));
try { require("fs"); } catch (e) { console.log(e.message); }
)"_s},
        testContext());
    ASSERT_FALSE(run.outcome.error) << run.outcome.error->toStdString();
    const QStringList expected {u"2,4 true"_s, u"2024-03-06"_s, u"Module fs is not available"_s};
    EXPECT_EQ(run.outcome.console, expected);

    QTemporaryDir folder;
    QFile file(folder.filePath(u"lodash.js"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("module.exports = { origin: 'test folder' };");
    file.close();
    ScriptEngine local(NetworkService::shared(), ScriptSettings {.moduleFolders = {folder.path()}});
    const ScriptRun other = runScripts(local,
        {u"console.log(require('lodash').origin);\ntry { require('moment'); } catch (e) { console.log(e.message); }"_s},
        testContext());
    const QStringList fromFolder {u"test folder"_s, u"Module moment is not available"_s};
    EXPECT_EQ(other.outcome.console, fromFolder);
}

TEST(ScriptEngine, setNextRequestNamesTheNextStopsTheRunOrStaysAbsent)
{
    struct Case {
        QString script;
        std::optional<std::optional<QString>> next;
    };
    const QList<Case> cases {
        {u"postman.setNextRequest('Login');"_s, std::optional<QString>(u"Login"_s)},
        {u"postman.setNextRequest('A'); pm.execution.setNextRequest(null);"_s,
            std::optional<QString>()},
        {u"pm.test('no jump', function () {});"_s, std::nullopt},
    };
    ScriptEngine engine;
    for (const Case& c : cases) {
        const ScriptRun run = runScripts(engine, {c.script}, testContext());
        EXPECT_EQ(run.nextRequest, c.next) << c.script.toStdString();
    }
}

TEST(ScriptEngine, testsJudgeAReplyAsItCameFromTheWire)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest&) {
        return ScriptedResponse {.status = 404,
            .headers
            = {{"Content-Type", "application/problem+json"}, {"Set-Cookie", "session=abc; Path=/"}},
            .body = R"({"title":"Not Found","errors":[{"field":"id"}]})"};
    });
    NetworkService service;
    std::optional<NetworkResult> sent;
    QObject receiver;
    service.execute(APIRequest {.url = server.baseUrl() + u"/users/0"_s}, std::nullopt, &receiver,
        [&](const NetworkResult& result) { sent = result; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return sent.has_value(); }, kGuardMs));
    ASSERT_TRUE(std::holds_alternative<APIResponse>(*sent));

    ScriptEngine engine(service);
    const ScriptRun run = runScripts(engine, {uR"(
pm.test("not found", function () { pm.response.to.have.status(404); pm.response.to.be.clientError; });
pm.test("problem json", function () {
    pm.response.to.be.json;
    pm.response.to.have.jsonBody("errors[0].field", "id");
    pm.expect(pm.response.json().title).to.eql("Not Found");
});
pm.test("cookie", function () { pm.expect(pm.cookies.get("session")).to.equal("abc"); });
pm.test("measured", function () {
    pm.expect(pm.response.responseSize).to.be.above(0);
    pm.expect(pm.response.responseTime).to.be.a("number");
});
pm.test("fails as it should", function () { pm.response.to.be.success; });
)"_s},
        testContext(std::get<APIResponse>(*sent)));
    const QList<std::pair<QString, bool>> expected {{u"not found"_s, true},
        {u"problem json"_s, true}, {u"cookie"_s, true}, {u"measured"_s, true},
        {u"fails as it should"_s, false}};
    EXPECT_EQ(verdicts(run), expected);
    EXPECT_EQ(run.outcome.tests.last().error,
        u"expected response code to be success (200-299) but found 404"_s);
}
