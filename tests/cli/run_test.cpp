#include "clitestsupport.h"
#include "interchange/collectionexporter.h"
#include "support/httptestserver.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace mako;
using namespace mako::test;

namespace {

// Three requests: one passes, one gets a 404, one cannot be sent. The base URL comes from the
// collection's own variable unless something the user gives wins over it.
QByteArray postmanCollection()
{
    return R"({"info": {"name": "Shop"}, "variable": [{"key": "base", "value": "http://127.0.0.1:1"}],
        "item": [
          {"name": "List", "request": {"method": "GET", "url": {"raw": "{{base}}/items"}}},
          {"name": "Missing", "request": {"method": "DELETE", "url": {"raw": "{{base}}/missing"}}},
          {"name": "Broken", "request": {"method": "GET", "url": {"raw": "http://exa mple/"}}}]})";
}

void answerMissingWith404(HttpTestServer& server)
{
    server.setHandler([](const RecordedRequest& request) {
        return request.target == "/missing" ? ScriptedResponse {.status = 404}
                                            : echoResponse(request);
    });
}

} // namespace

TEST(CliRun, jsonReportListsEveryResultAndVariablesBeatTheCollections)
{
    QTemporaryDir sandbox;
    HttpTestServer server;
    answerMissingWith404(server);
    const QString collection = writeFile(sandbox, u"shop.json"_s, postmanCollection());
    const QString environment = writeFile(sandbox, u"env.json"_s,
        uR"({"id": "0E2A1C55-8F57-4C4B-9D43-3A2B1C0D9E8F", "name": "Local", "isActive": false,
             "variables": [{"id": "5B7F8C10-2D3E-4F50-8A6B-7C8D9E0F1A2B", "key": "base",
                            "value": "%1", "isEnabled": true}]})"_s.arg(server.baseUrl())
            .toUtf8());

    const CliOutcome outcome
        = runCli(sandbox, {u"run"_s, collection, u"--environment"_s, environment, u"--json"_s});
    EXPECT_EQ(outcome.status, 1);
    const QJsonArray results = outcome.json()[u"results"_s].toArray();
    ASSERT_EQ(results.size(), 3) << outcome.out.toStdString();
    EXPECT_TRUE(results[0][u"passed"_s].toBool());
    EXPECT_EQ(results[1][u"statusCode"_s].toInt(), 404);
    EXPECT_FALSE(results[1][u"passed"_s].toBool());
    EXPECT_TRUE(results[2][u"statusCode"_s].isNull());
    EXPECT_EQ(results[2][u"error"_s].toString(), u"Invalid URL: http://exa mple/"_s);
    const QJsonObject summary = outcome.json()[u"summary"_s].toObject();
    EXPECT_EQ(summary[u"passed"_s].toInt(), 1);
    EXPECT_EQ(summary[u"failed"_s].toInt(), 2);
    EXPECT_EQ(server.requests().size(), 2);
}

TEST(CliRun, junitReportIsWellFormedAndBailStopsAtTheFirstFailure)
{
    QTemporaryDir sandbox;
    HttpTestServer server;
    answerMissingWith404(server);
    const QString collection = writeFile(sandbox, u"shop.json"_s, postmanCollection());
    const QString report = sandbox.filePath(u"report.xml"_s);

    const CliOutcome outcome = runCli(sandbox,
        {u"run"_s, collection, u"--var"_s, u"base="_s + server.baseUrl(), u"--bail"_s,
            u"--reporter"_s, u"junit"_s, u"-o"_s, report});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out.count("PASS"), 1) << outcome.out.toStdString();
    EXPECT_EQ(outcome.out.count("FAIL"), 1);

    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList cases;
    QStringList outcomes;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"testsuite"_s)
            EXPECT_EQ(xml.attributes().value(u"failures"_s), u"1"_s);
        else if (xml.name() == u"testcase"_s)
            cases.append(xml.attributes().value(u"name"_s).toString());
        else if (xml.name() == u"failure"_s || xml.name() == u"skipped"_s)
            outcomes.append(
                xml.name().toString() + u':' + xml.attributes().value(u"message"_s).toString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(cases, (QStringList {u"GET List"_s, u"DELETE Missing"_s, u"GET Broken"_s}));
    ASSERT_EQ(outcomes.size(), 2);
    EXPECT_EQ(outcomes[0], u"failure:HTTP 404 Not Found"_s);
    EXPECT_TRUE(outcomes[1].startsWith(u"skipped:"_s));
    EXPECT_EQ(server.requests().size(), 2);
}

TEST(CliRun, backupNeedsACollectionNameWhenItHoldsSeveral)
{
    QTemporaryDir sandbox;
    HttpTestServer server;
    const Collection good {
        .name = u"Good"_s, .requests = {APIRequest {.url = server.baseUrl() + u"/a"_s}}};
    const Collection other {
        .name = u"Other"_s, .requests = {APIRequest {.url = u"http://127.0.0.1:1"_s}}};
    const QString backup = writeFile(sandbox, u"backup.json"_s,
        CollectionExporter::makeBackup(
            {.collections = {other, good}}, QDateTime::currentDateTimeUtc()));

    EXPECT_EQ(runCli(sandbox, {u"run"_s, backup}).status, 2);
    const CliOutcome outcome = runCli(sandbox, {u"run"_s, backup, u"--collection"_s, u"Good"_s});
    EXPECT_EQ(outcome.status, 0) << outcome.out.toStdString();
    EXPECT_TRUE(outcome.out.contains("1 passed, 0 failed"));
    EXPECT_EQ(server.requests().size(), 1);
}
