// The run reports, on results made up here: a request's tests, console output and script error.
#include "cli/runreport.h"
#include "model/recordjson.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace mako;
using namespace mako::cli;

namespace {

RunResult ran(const APIRequest& request, int status, ScriptOutcome scripts = {}, int iteration = 0)
{
    const bool passed = scripts.tests.isEmpty() ? status < 400 : scripts.passed();
    return RunResult {.request = request,
        .statusCode = status,
        .duration = 0.25,
        .passed = passed,
        .scripts = std::move(scripts),
        .iteration = iteration};
}

// Three requests: one without tests, one with a failing test, one whose test script threw
// after its only test passed.
struct Shop {
    APIRequest list {.name = u"List"_s, .url = u"http://127.0.0.1:1/items"_s};
    APIRequest login {
        .name = u"Login"_s, .url = u"http://127.0.0.1:1/login"_s, .method = HTTPMethod::post};
    APIRequest remove {
        .name = u"Remove"_s, .url = u"http://127.0.0.1:1/items/1"_s, .method = HTTPMethod::delete_};
    Collection collection {.name = u"Shop"_s, .requests = {list, login, remove}};

    RunResult loginResult() const
    {
        return ran(login, 200,
            {.tests = {{.name = u"status is 200"_s, .passed = true},
                 {.name = u"has a token"_s, .error = u"expected undefined to exist"_s}},
                .console = {u"token: abc"_s, u"warn: two\nlines"_s}});
    }
    RunResult removeResult() const
    {
        return ran(remove, 204,
            {.tests = {{.name = u"deleted"_s, .passed = true}, {.name = u"legacy check"_s}},
                .error = u"Tests: TypeError: x is undefined (line 2)"_s});
    }
};

QString plain(const std::function<QString(const Console&)>& print)
{
    QBuffer none;
    const Console console(none, none, none, false);
    return print(console);
}

} // namespace

TEST(CliRunReport, linesShowConsoleTestsAndScriptErrorsUnderTheirRequestAndSummaryCountsTests)
{
    const Shop shop;
    EXPECT_EQ(plain([&](const Console& c) { return resultLines(c, shop.loginResult()); }),
        u"FAIL  POST    Login  200 OK  250ms\n"
        "      │ token: abc\n"
        "      │ warn: two\n"
        "        lines\n"
        "      ✓ status is 200\n"
        "      ✗ has a token: expected undefined to exist\n"_s);
    EXPECT_EQ(plain([&](const Console& c) { return resultLines(c, shop.removeResult()); }),
        u"FAIL  DELETE  Remove  204 No Content  250ms\n"
        "      ✓ deleted\n"
        "      ✗ legacy check\n"
        "      ! Tests: TypeError: x is undefined (line 2)\n"_s);

    const struct {
        QList<RunResult> results;
        QString summary;
    } cases[] {
        {{ran(shop.list, 200), ran(shop.login, 404)},
            u"1 passed, 1 failed, 1 not run  Total: 500ms\n"_s},
        {{ran(shop.list, 200), shop.loginResult(), shop.removeResult()},
            u"Requests: 1 passed, 2 failed  Tests: 2 passed, 2 failed  Total: 750ms\n"_s},
    };
    for (const auto& c : cases) {
        const RunReport report {.collection = shop.collection, .results = c.results};
        EXPECT_EQ(
            plain([&](const Console& console) { return summaryLine(console, report); }), c.summary);
    }
}

TEST(CliRunReport, jsonCarriesEachResultsTestsConsoleAndScriptErrorAndTheTestCounts)
{
    const Shop shop;
    const RunReport report {.collection = shop.collection,
        .results = {ran(shop.list, 200), shop.loginResult(), shop.removeResult()}};
    const QJsonObject json = parseJson(jsonReport(report))->toObject();
    const QJsonArray results = json[u"results"_s].toArray();
    ASSERT_EQ(results.size(), 3);

    EXPECT_EQ(results[0][u"tests"_s], QJsonArray());
    EXPECT_EQ(results[0][u"console"_s], QJsonArray());
    EXPECT_FALSE(results[0].toObject().contains(u"scriptError"_s));
    EXPECT_EQ(results[1][u"tests"_s],
        (QJsonArray {QJsonObject {{u"name"_s, u"status is 200"_s}, {u"passed"_s, true}},
            QJsonObject {{u"name"_s, u"has a token"_s}, {u"passed"_s, false},
                {u"error"_s, u"expected undefined to exist"_s}}}));
    EXPECT_EQ(results[1][u"console"_s], (QJsonArray {u"token: abc"_s, u"warn: two\nlines"_s}));
    EXPECT_EQ(
        results[2][u"scriptError"_s].toString(), u"Tests: TypeError: x is undefined (line 2)"_s);
    // The fields that were there before the tests keep their meaning.
    EXPECT_FALSE(results[1][u"passed"_s].toBool());
    EXPECT_EQ(results[1][u"statusCode"_s].toInt(), 200);

    const QJsonObject summary = json[u"summary"_s].toObject();
    EXPECT_EQ(summary[u"passed"_s].toInt(), 1);
    EXPECT_EQ(summary[u"failed"_s].toInt(), 2);
    EXPECT_EQ(
        summary[u"tests"_s], (QJsonObject {{u"total"_s, 4}, {u"passed"_s, 2}, {u"failed"_s, 2}}));
}

// Two iterations, the second stopped by --bail at its first request: each test is a case whose
// class is its suite and request, a script's failure an error of the request's own case.
TEST(CliRunReport, junitHasACasePerTestClassedByItsRequestAndScriptErrorsAsErrors)
{
    const Shop shop;
    const RunReport report {.collection = shop.collection,
        .results = {ran(shop.list, 200), shop.loginResult(), shop.removeResult(),
            ran(shop.list, 404, {}, 1)},
        .iterations = 2};
    QXmlStreamReader xml(junitReport(report));
    QStringList elements;
    double caseTime = 0;
    double runTime = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes at = xml.attributes();
        const auto value = [&](const QString& name) { return at.value(name).toString(); };
        if (xml.name() == u"testsuites"_s) {
            runTime = value(u"time"_s).toDouble();
            elements.append(
                u"all %1/%2/%3"_s.arg(value(u"tests"_s), value(u"failures"_s), value(u"errors"_s)));
        } else if (xml.name() == u"testsuite"_s) {
            elements.append(u"suite %1 %2/%3/%4/%5"_s.arg(value(u"name"_s), value(u"tests"_s),
                value(u"failures"_s), value(u"errors"_s), value(u"skipped"_s)));
        } else if (xml.name() == u"testcase"_s) {
            caseTime += value(u"time"_s).toDouble();
            elements.append(u"case %1 | %2"_s.arg(value(u"classname"_s), value(u"name"_s)));
        } else if (xml.name() == u"system-out"_s) {
            elements.append(u"out "_s + xml.readElementText());
        } else {
            elements.append(u"%1 %2"_s.arg(xml.name().toString(), value(u"message"_s)));
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(elements,
        (QStringList {
            u"all 9/3/1"_s,
            u"suite Shop (iteration 1) 6/2/1/0"_s,
            u"case Shop | GET List"_s,
            u"case Shop (iteration 1) / POST Login | status is 200"_s,
            u"out token: abc\nwarn: two\nlines"_s,
            u"case Shop (iteration 1) / POST Login | has a token"_s,
            u"failure expected undefined to exist"_s,
            u"case Shop | DELETE Remove"_s,
            u"error Tests: TypeError: x is undefined (line 2)"_s,
            u"case Shop (iteration 1) / DELETE Remove | deleted"_s,
            u"case Shop (iteration 1) / DELETE Remove | legacy check"_s,
            u"failure failed"_s,
            u"suite Shop (iteration 2) 3/1/0/2"_s,
            u"case Shop | GET List"_s,
            u"failure HTTP 404 Not Found"_s,
            u"case Shop | POST Login"_s,
            u"skipped not run"_s,
            u"case Shop | DELETE Remove"_s,
            u"skipped not run"_s,
        }));
    // Each request's time is counted once.
    EXPECT_DOUBLE_EQ(caseTime, 1.0);
    EXPECT_DOUBLE_EQ(runTime, 1.0);
}
