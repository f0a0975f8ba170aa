// End-to-end: each case starts the built mako-cli executable and reads what it printed.
#include "execution/networkerror.h"
#include "interchange/collectionexporter.h"
#include "interchange/foldercollection.h"
#include "interchange/harimporter.h"
#include "interchange/postmanimporter.h"
#include "model/recordjson.h"
#include "support/digestchallenge.h"
#include "support/httptestserver.h"
#include "support/oauth2testserver.h"
#include "support/testpki.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace mako;
using namespace mako::test;

namespace {

struct CliOutcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
    QJsonValue json() const
    {
        const auto parsed = parseJson(out);
        return parsed ? *parsed : QJsonValue();
    }
};

QByteArray requestJson(const APIRequest& request)
{
    return writeJson(toJson(request), JsonStyle::Pretty);
}

// The port of a server that is gone again: nothing listens there.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

// Each test gets a sandbox for mako-cli's home and data folders, so nothing reaches the user's
// real data, and a loopback peer.
class Cli : public ::testing::Test {
protected:
    CliOutcome run(const QStringList& arguments, const QByteArray& input = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, sandbox.path());
        environment.insert(u"XDG_DATA_HOME"_s, sandbox.filePath(u"data"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, sandbox.filePath(u"config"_s));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(sandbox.path());
        process.start(QStringLiteral(MAKO_CLI_PATH), arguments);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {
            process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    }

    QString file(const QString& name, const QByteArray& bytes) const
    {
        QFile file(sandbox.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }

    // Three requests: one passes, one gets a 404, one cannot be sent. The base URL comes from
    // the collection's own variable unless something the user gives wins over it.
    QString shopCollection()
    {
        server.setHandler([](const RecordedRequest& request) {
            return request.target == "/missing" ? ScriptedResponse {.status = 404}
                                                : echoResponse(request);
        });
        return file(u"shop.json"_s, R"({"info": {"name": "Shop"},
          "variable": [{"key": "base", "value": "http://127.0.0.1:1"}], "item": [
          {"name": "List", "request": {"method": "GET", "url": {"raw": "{{base}}/items"}}},
          {"name": "Missing", "request": {"method": "DELETE", "url": {"raw": "{{base}}/missing"}}},
          {"name": "Broken", "request": {"method": "GET", "url": {"raw": "http://exa mple/"}}}]})");
    }

    QTemporaryDir sandbox;
    HttpTestServer server;
};
using CliSend = Cli;
using CliRun = Cli;
using CliConvert = Cli;
using CliData = Cli;
using CliUsage = Cli;

} // namespace

TEST_F(CliSend, variablesReachTheWireAndTheJsonCarriesTheResponse)
{
    const QString request = file(u"request.json"_s,
        requestJson(APIRequest {.url = u"{{base}}/items"_s,
            .headers = {KeyValuePair {.key = u"X-Token"_s, .value = u"{{token}}"_s}}}));
    // A Postman environment supplies both; the --var global wins for the token.
    const QString environment = file(u"env.json"_s,
        uR"({"name":"Local","values":[{"key":"base","value":"%1","enabled":true},
              {"key":"token","value":"from-env","enabled":true}]})"_s.arg(server.baseUrl())
            .toUtf8());

    const CliOutcome sent = run(
        {u"send"_s, request, u"-e"_s, environment, u"--var"_s, u"token=global"_s, u"--json"_s});
    ASSERT_EQ(sent.status, 0) << sent.err.toStdString();
    const QJsonObject json = sent.json().toObject();
    EXPECT_EQ(json[u"statusCode"_s].toInt(), 200);
    EXPECT_GT(json[u"duration"_s].toDouble(), 0);
    EXPECT_EQ(server.requests().first().target + ' ' + server.requests().first().header("X-Token"),
        "/items global");
    EXPECT_EQ(json[u"size"_s].toInt(), json[u"body"_s].toString().toUtf8().size());
    EXPECT_EQ(server.requests().first().header("User-Agent"), "Mako/1.0");

    // A stored GraphQL request goes out as its POST form, with the user's preferences.
    QDir(sandbox.path()).mkpath(u"config/com.quorin.mako"_s);
    file(
        u"config/com.quorin.mako/com.quorin.mako.conf"_s, "[General]\ndefaultUserAgent=Tester/9\n");
    const QString graphql = file(u"graphql.json"_s,
        requestJson(APIRequest {.url = server.baseUrl(),
            .requestProtocol = RequestProtocol::graphql,
            .graphqlQuery = u"{ items }"_s}));
    ASSERT_EQ(run({u"send"_s, graphql}).status, 0);
    EXPECT_EQ(server.requests().last().method, "POST");
    EXPECT_TRUE(server.requests().last().body.contains("{ items }"));
    EXPECT_EQ(server.requests().last().header("User-Agent"), "Tester/9");
}

TEST_F(CliSend, statusDecidesTheExitAndBinaryBodiesComeAsBase64)
{
    const QByteArray binary("\xff\xfe\x00\x01", 4);
    server.setHandler([&](const RecordedRequest& request) {
        if (request.target == "/missing")
            return ScriptedResponse {.status = 404, .body = "gone"};
        return ScriptedResponse {
            .headers = {{"Content-Type", "application/octet-stream"}}, .body = binary};
    });

    const CliOutcome missing
        = run({u"send"_s, u"--curl"_s, u"curl "_s + server.baseUrl() + u"/missing"_s});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.startsWith("404 Not Found")) << missing.out.toStdString();
    EXPECT_TRUE(missing.out.trimmed().endsWith("gone"));

    const CliOutcome bytes
        = run({u"send"_s, u"--json"_s, u"--curl"_s, u"curl "_s + server.baseUrl()});
    EXPECT_EQ(bytes.status, 0);
    EXPECT_FALSE(bytes.json().toObject().contains(u"body"_s));
    EXPECT_EQ(QByteArray::fromBase64(bytes.json()[u"bodyBase64"_s].toString().toLatin1()), binary);
}

// curl's --digest reaches a server that challenges, through the same core as the window.
TEST_F(CliSend, digestCredentialsAnswerTheChallenge)
{
    server.setHandler([](const RecordedRequest& request) {
        return digestChallenge(request, QCryptographicHash::Sha256, "SHA-256", "Circle of Life");
    });
    for (const auto& [password, status] :
        {std::pair {u"Circle of Life"_s, 200}, std::pair {u"wrong"_s, 401}}) {
        const CliOutcome sent = run({u"send"_s, u"--json"_s, u"--digest"_s, u"-u"_s,
            u"Mufasa:"_s + password, server.baseUrl() + u"/dir/index.html"_s});
        EXPECT_EQ(sent.json()[u"statusCode"_s].toInt(), status) << sent.out.toStdString();
    }
}

// The client secret comes as a variable; the token is got once and goes as a Bearer header.
TEST_F(CliSend, anOAuth2RequestGoesWithATokenOfItsGrant)
{
    OAuth2TestServer oauth;
    const APIRequest request {.url = oauth.resourceUrl(),
        .authType = AuthType::oauth2,
        .oauth2 = oauth.settings(OAuth2Grant::clientCredentials)};
    const QString path = file(u"me.json"_s, requestJson(request));
    const CliOutcome sent = run({u"send"_s, u"--json"_s, u"--var"_s,
        u"clientSecret="_s + QString::fromLatin1(OAuth2TestServer::kClientSecret), path});
    EXPECT_EQ(sent.status, 0) << sent.err.toStdString();
    EXPECT_EQ(sent.json()[u"statusCode"_s].toInt(), 200) << sent.out.toStdString();
    EXPECT_EQ(oauth.grantCount(u"client_credentials"_s), 1);
    ASSERT_EQ(oauth.resourceRequests().size(), 1);
    EXPECT_EQ(oauth.resourceRequests()[0].header("Authorization"),
        "Bearer " + oauth.lastIssuedToken().toUtf8());

    const CliOutcome refused = run({u"send"_s, path});
    EXPECT_NE(refused.status, 0);
    EXPECT_TRUE(refused.err.contains("OAuth 2.0: invalid_client")) << refused.err.toStdString();
    EXPECT_EQ(oauth.resourceRequests().size(), 1);
}

// A Postman collection's client secret serves the whole run, which gets one token for both
// requests.
TEST_F(CliRun, oauth2RequestsOfACollectionShareOneToken)
{
    OAuth2TestServer oauth;
    const QString path = file(u"oauth.json"_s,
        uR"({"info": {"name": "Partners"}, "auth": {"type": "oauth2", "oauth2": [
          {"key": "grant_type", "value": "client_credentials"},
          {"key": "accessTokenUrl", "value": "%1"},
          {"key": "clientId", "value": "%2"},
          {"key": "clientSecret", "value": "%3"}]}, "item": [
          {"name": "One", "request": {"method": "GET", "url": {"raw": "%4"}}},
          {"name": "Two", "request": {"method": "GET", "url": {"raw": "%4?two"}}}]})"_s
            .arg(oauth.tokenUrl(), QString::fromLatin1(OAuth2TestServer::kClientId),
                QString::fromLatin1(OAuth2TestServer::kClientSecret), oauth.resourceUrl())
            .toUtf8());
    const CliOutcome ran = run({u"run"_s, path});
    EXPECT_EQ(ran.status, 0) << ran.out.toStdString() << ran.err.toStdString();
    EXPECT_EQ(oauth.grantCount(u"client_credentials"_s), 1);
    ASSERT_EQ(oauth.resourceRequests().size(), 2);
    for (const RecordedRequest& sent : oauth.resourceRequests())
        EXPECT_EQ(sent.header("Authorization"), "Bearer " + oauth.lastIssuedToken().toUtf8());
}

TEST_F(CliSend, failuresPrintTheUserFacingErrorText)
{
    server.setHandler([](const RecordedRequest&) { return ScriptedResponse {.delayMs = 3000}; });
    HttpTestServer tls(HttpTestServer::Tls::SelfSigned);
    struct Case {
        QStringList arguments;
        QString error; // empty: the send succeeds; ending in ": " a prefix
    };
    const QList<Case> cases {
        {{u"--timeout"_s, u"1"_s, u"--curl"_s, u"curl "_s + server.baseUrl()},
            NetworkError::network(NetworkError::kTimedOut).errorDescription()},
        {{u"--curl"_s, u"curl "_s + tls.baseUrl()},
            NetworkError::network(NetworkError::kServerCertificateUntrusted).errorDescription()},
        {{u"-k"_s, u"--curl"_s, u"curl "_s + tls.baseUrl()}, {}},
        {{u"--curl"_s, u"curl http://127.0.0.1:%1/"_s.arg(closedPort())}, u"Network error: "_s},
        {{u"--curl"_s, u"curl 'http://exa mple/'"_s}, u"Invalid URL: http://exa mple/"_s},
    };
    for (const Case& c : cases) {
        const CliOutcome outcome = run(QStringList {u"send"_s, u"--json"_s} + c.arguments);
        const QString error = outcome.json()[u"error"_s].toString();
        SCOPED_TRACE(c.arguments.join(u' ').toStdString() + " -> " + outcome.out.toStdString());
        EXPECT_EQ(outcome.status, c.error.isEmpty() ? 0 : 1);
        EXPECT_EQ(c.error.endsWith(u": "_s) ? error.left(c.error.size()) : error, c.error);
    }
}

TEST_F(CliSend, aUrlGoesOutWithCurlsOptionsWhileOursKeepTheirMeaning)
{
    file(u"body.txt"_s, "name=Ana\nrole=admin\n");
    const QString url = server.baseUrl() + u"/users"_s;
    // Our --json prints JSON wherever it stands; curl's comes after "--".
    const CliOutcome sent = run({u"send"_s, u"-X"_s, u"PUT"_s, url, u"-H"_s,
        u"Accept: application/json"_s, u"--json"_s, u"-d"_s, u"@body.txt"_s});
    ASSERT_EQ(sent.status, 0) << sent.err.toStdString();
    EXPECT_EQ(sent.json()[u"statusCode"_s].toInt(), 200) << sent.out.toStdString();
    RecordedRequest last = server.requests().last();
    EXPECT_EQ(last.method + ' ' + last.header("Accept") + ' ' + last.body,
        "PUT application/json name=Anarole=admin");

    const CliOutcome json = run({u"send"_s, u"--json"_s, url, u"--"_s, u"--json"_s, u"{\"a\":1}"_s,
        u"-e"_s, u"https://ref.test"_s});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    EXPECT_TRUE(json.json().isObject()) << json.out.toStdString();
    last = server.requests().last();
    EXPECT_EQ(last.header("Content-Type") + ' ' + last.header("Referer") + ' ' + last.body,
        "application/json https://ref.test {\"a\":1}");

    // What would go out other than curl sends it is refused, naming the cause.
    file(u"photo.jpg"_s, "\xff\xd8");
    const qsizetype received = server.requests().size();
    const QList<std::pair<QStringList, QString>> refused {
        {{u"-F"_s, u"photo=@photo.jpg"_s}, u"--form photo=@photo.jpg uploads a file"_s},
        {{u"-d"_s, u"@missing.txt"_s}, u"Cannot read the file missing.txt"_s},
        {{u"--anyauth"_s, u"-u"_s, u"a:b"_s}, u"--anyauth authentication cannot be held"_s},
        {{u"-X"_s, u"PUR GE"_s}, u"The method PUR GE cannot be sent."_s},
        {{u"-H"_s, u"X-A: 1"_s}, u"expected a URL, a FILE or --curl"_s},
    };
    for (const auto& [arguments, message] : refused) {
        const bool withUrl = !message.startsWith(u"expected"_s);
        const CliOutcome outcome = run(
            QStringList {u"send"_s} + arguments + (withUrl ? QStringList {url} : QStringList {}));
        EXPECT_EQ(outcome.status, 2) << message.toStdString();
        EXPECT_TRUE(outcome.err.contains(message.toUtf8())) << outcome.err.toStdString();
    }
    EXPECT_EQ(server.requests().size(), received);
}

TEST_F(CliRun, jsonReportListsEveryResultAndVariablesBeatTheCollections)
{
    const QString environment = file(u"env.json"_s,
        uR"({"id": "0E2A1C55-8F57-4C4B-9D43-3A2B1C0D9E8F", "name": "Local", "isActive": false,
             "variables": [{"id": "5B7F8C10-2D3E-4F50-8A6B-7C8D9E0F1A2B", "key": "base",
                            "value": "%1", "isEnabled": true}]})"_s.arg(server.baseUrl())
            .toUtf8());
    const CliOutcome outcome
        = run({u"run"_s, shopCollection(), u"--environment"_s, environment, u"--json"_s});
    EXPECT_EQ(outcome.status, 1);
    const QJsonArray results = outcome.json()[u"results"_s].toArray();
    ASSERT_EQ(results.size(), 3) << outcome.out.toStdString();
    EXPECT_TRUE(results[0][u"passed"_s].toBool());
    EXPECT_EQ(results[1][u"statusCode"_s].toInt(), 404);
    EXPECT_FALSE(results[1][u"passed"_s].toBool());
    EXPECT_TRUE(results[2][u"statusCode"_s].isNull());
    EXPECT_EQ(results[2][u"error"_s].toString(), u"Invalid URL: http://exa mple/"_s);
    EXPECT_EQ(outcome.json()[u"summary"_s][u"passed"_s].toInt(), 1);
    EXPECT_EQ(outcome.json()[u"summary"_s][u"failed"_s].toInt(), 2);
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(CliRun, junitReportIsWellFormedAndBailStopsAtTheFirstFailure)
{
    const QString report = sandbox.filePath(u"report.xml"_s);
    const CliOutcome outcome = run({u"run"_s, shopCollection(), u"--var"_s,
        u"base="_s + server.baseUrl(), u"--bail"_s, u"--reporter"_s, u"junit"_s, u"-o"_s, report});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out.count("PASS"), 1) << outcome.out.toStdString();
    EXPECT_EQ(outcome.out.count("FAIL"), 1);
    EXPECT_EQ(server.requests().size(), 2);

    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList elements; // each element below <testsuites> with its telling attribute
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() == u"testsuites"_s)
            continue;
        const auto attribute = xml.name() == u"testsuite"_s ? u"failures"_s
            : xml.name() == u"testcase"_s                   ? u"name"_s
                                                            : u"message"_s;
        elements.append(
            xml.name().toString() + u' ' + xml.attributes().value(attribute).toString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(elements,
        (QStringList {u"testsuite 1"_s, u"testcase GET List"_s, u"testcase DELETE Missing"_s,
            u"failure HTTP 404 Not Found"_s, u"testcase GET Broken"_s, u"skipped not run"_s}));
}

// Each row's values reach the URL, a header and the body of its own pass, ahead of the
// environment's value of the same name; CSV quoting, doubled quotes and CRLF are honoured.
TEST_F(CliRun, iterationDataRowsAreSentOnePassEachAndBeatTheEnvironment)
{
    const QString collection = file(u"users.json"_s, R"({"info": {"name": "Users"}, "item": [
      {"name": "Save", "request": {"method": "POST", "url": {"raw": "{{base}}/users/{{id}}"},
       "header": [{"key": "X-Name", "value": "{{name}}"}],
       "body": {"mode": "raw", "raw": "{{note}}"}}}]})");
    const QString environment = file(u"env.json"_s,
        uR"({"name": "Local", "values": [{"key": "base", "value": "%1", "enabled": true},
              {"key": "id", "value": "from-env", "enabled": true}]})"_s.arg(server.baseUrl())
            .toUtf8());
    const struct {
        QString name;
        QByteArray data;
    } cases[] {
        {u"rows.csv"_s,
            "\xEF\xBB\xBFid,name,note\r\n7,\"Smith, Jane\",\"say \"\"hi\"\"\r\nthen\"\r\n"
            "8,Bob,plain\r\n\r\n"},
        {u"rows.json"_s,
            R"([{"id": 7, "name": "Smith, Jane", "note": "say \"hi\"\r\nthen"},
                {"id": "8", "name": "Bob", "note": "plain"}])"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const qsizetype before = server.requests().size();
        const CliOutcome outcome = run({u"run"_s, collection, u"--environment"_s, environment,
            u"--iteration-data"_s, file(c.name, c.data), u"--json"_s});
        EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
        const QList<RecordedRequest> sent = server.requests().mid(before);
        ASSERT_EQ(sent.size(), 2);
        EXPECT_EQ(sent[0].target, "/users/7");
        EXPECT_EQ(sent[0].header("X-Name"), "Smith, Jane");
        EXPECT_EQ(sent[0].body, "say \"hi\"\r\nthen");
        EXPECT_EQ(sent[1].target, "/users/8");
        EXPECT_EQ(sent[1].header("X-Name"), "Bob");
        EXPECT_EQ(sent[1].body, "plain");
        const QJsonArray results = outcome.json()[u"results"_s].toArray();
        ASSERT_EQ(results.size(), 2);
        EXPECT_EQ(results[0][u"iteration"_s].toInt(), 1);
        EXPECT_EQ(results[1][u"iteration"_s].toInt(), 2);
        EXPECT_EQ(outcome.json()[u"summary"_s][u"iterations"_s].toInt(), 2);
    }
}

// The JUnit report holds one suite per iteration; --bail ends the run at the first failing
// request, leaving the later iterations unsent and skipped.
TEST_F(CliRun, iterationsAreSuitesAndBailStopsTheLaterOnes)
{
    server.setHandler([](const RecordedRequest& request) {
        return request.target == "/missing" ? ScriptedResponse {.status = 404}
                                            : ScriptedResponse {};
    });
    const QString collection = file(u"paths.json"_s, R"({"info": {"name": "Paths"}, "item": [
      {"name": "Get", "request": {"method": "GET", "url": {"raw": "{{base}}/{{path}}"}}}]})");
    const QString data = file(u"paths.csv"_s, "path\nok\nmissing\nok\n");
    const QString report = sandbox.filePath(u"report.xml"_s);
    const struct {
        bool bail;
        qsizetype sent;
        QStringList suites; // name, failures, skipped
    } cases[] {
        {false, 3,
            {u"Paths (iteration 1) 0 0"_s, u"Paths (iteration 2) 1 0"_s,
                u"Paths (iteration 3) 0 0"_s}},
        {true, 2,
            {u"Paths (iteration 1) 0 0"_s, u"Paths (iteration 2) 1 0"_s,
                u"Paths (iteration 3) 0 1"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bail);
        const qsizetype before = server.requests().size();
        QStringList arguments {u"run"_s, collection, u"--var"_s, u"base="_s + server.baseUrl(),
            u"--iteration-data"_s, data, u"--reporter"_s, u"junit"_s, u"-o"_s, report};
        if (c.bail)
            arguments.append(u"--bail"_s);
        const CliOutcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(server.requests().size() - before, c.sent);
        EXPECT_EQ(outcome.out.count("Iteration "), c.sent) << outcome.out.toStdString();

        QFile file(report);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QStringList suites;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"testsuite"_s)
                suites.append(QStringList {xml.attributes().value(u"name"_s).toString(),
                    xml.attributes().value(u"failures"_s).toString(),
                    xml.attributes().value(u"skipped"_s).toString()}
                                  .join(u' '));
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(suites, c.suites);
    }
}

TEST_F(CliRun, backupNeedsACollectionNameWhenItHoldsSeveral)
{
    const Collection good {
        .name = u"Good"_s, .requests = {APIRequest {.url = server.baseUrl() + u"/a"_s}}};
    const Collection other {
        .name = u"Other"_s, .requests = {APIRequest {.url = u"http://127.0.0.1:1"_s}}};
    const QString backup = file(u"backup.json"_s,
        CollectionExporter::makeBackup(
            {.collections = {other, good}}, QDateTime::currentDateTimeUtc()));

    EXPECT_EQ(run({u"run"_s, backup}).status, 2);
    const CliOutcome outcome = run({u"run"_s, backup, u"--collection"_s, u"Good"_s});
    EXPECT_EQ(outcome.status, 0) << outcome.out.toStdString();
    EXPECT_TRUE(outcome.out.contains("1 passed, 0 failed"));
    EXPECT_EQ(server.requests().size(), 1);
}

// What a Postman collection cannot bring along is named on standard error; the rest is run or
// imported, and the command succeeds. A method outside the seven comes along and goes out.
TEST_F(CliRun, postmanRequestsAndSettingsLeftOutAreNamed)
{
    const QString collection = file(u"partial.json"_s,
        uR"({"info": {"name": "Partial"}, "item": [
          {"name": "Item", "request": {"method": "GET", "url": {"raw": "%1/items/:id",
            "variable": [{"key": "id", "value": "42"}]}}},
          {"name": "Purge", "request": {"method": "PURGE", "url": {"raw": "%1/cache"}}},
          {"name": "Login", "request": {"method": "GET", "auth": {"type": "hawk"},
            "url": {"raw": "%1/login"}}}]})"_s.arg(server.baseUrl())
            .toUtf8());
    const auto leftOut = [](const char* command) {
        return QByteArray("%1: Login: Hawk authorisation dropped\n")
            .replace("%1", command)
            .toStdString();
    };

    const CliOutcome ran = run({u"run"_s, collection});
    EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
    EXPECT_EQ(ran.err.toStdString(), leftOut("mako-cli run"));
    EXPECT_TRUE(ran.out.contains("3 passed, 0 failed")) << ran.out.toStdString();
    QByteArrayList sent;
    for (const RecordedRequest& request : server.requests())
        sent.append(request.method + ' ' + request.target);
    EXPECT_EQ(sent.join(", "), "GET /items/42, PURGE /cache, GET /login");

    const CliOutcome imported
        = run({u"import"_s, u"--data-dir"_s, sandbox.filePath(u"app"_s), collection});
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.err.toStdString(), leftOut("mako-cli import"));
    EXPECT_TRUE(imported.out.contains("collection \"Partial\" (3 requests)"))
        << imported.out.toStdString();
}

TEST_F(CliConvert, curlRequestsAndBodiesBecomeRequestsCodeOrPrettyText)
{
    const QString requestFile = file(u"request.json"_s,
        requestJson(APIRequest {.url = u"https://api.test/items"_s, .method = HTTPMethod::put}));
    const QString xmlFile = file(u"body.xml"_s, "<a><b/></a>");
    const QString curl
        = u"curl -X POST https://api.test/users -H 'Accept: text/plain' -d '{\"a\":1}'"_s;
    struct Case {
        QStringList arguments;
        QByteArray input;
        QByteArray expected; // in the output
    };
    const QList<Case> cases {
        {{u"convert"_s, u"--to"_s, u"python"_s, curl}, {},
            "requests.post(\"https://api.test/users\""},
        {{u"convert"_s, u"--to"_s, u"Go"_s}, curl.toUtf8(), "http.NewRequest(\"POST\""},
        // Words after "--" are the command's own words.
        {{u"convert"_s, u"--to"_s, u"php"_s, u"--"_s, u"curl"_s, u"-X"_s, u"DELETE"_s,
             u"https://api.test/a b"_s},
            {}, "'DELETE'"},
        {{u"convert"_s, u"--from"_s, u"native"_s, u"--to"_s, u"curl"_s, requestFile}, {},
            "curl -X PUT"},
        {{u"format"_s}, R"({"b":1,"a":12345678901234567890})",
            "{\n  \"a\" : 12345678901234567890,\n  \"b\" : 1\n}\n"},
        {{u"format"_s, u"--content-type"_s, u"text/xml"_s, xmlFile}, {}, "<a>\n  <b/>\n</a>\n"},
        // Media types compare ignoring case; "/" comes out as it went in.
        {{u"format"_s, u"--content-type"_s, u"Application/JSON; charset=UTF-8"_s},
            R"({"u":"http:\/\/h\/x"})", "{\n  \"u\" : \"http://h/x\"\n}\n"},
        {{u"format"_s, u"--content-type"_s, u"TEXT/XML"_s, xmlFile}, {}, "<a>\n  <b/>\n</a>\n"},
    };
    for (const Case& c : cases) {
        const CliOutcome outcome = run(c.arguments, c.input);
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.contains(c.expected)) << outcome.out.toStdString();
    }

    const auto request = fromJson<APIRequest>(run({u"convert"_s, curl}).json());
    ASSERT_TRUE(request.ok()) << request.errorMessage().toStdString();
    EXPECT_EQ(request->method, HTTPMethod::post);
    EXPECT_EQ(request->bodyType, RequestBodyType::json);
    EXPECT_EQ(request->headers.first().key, u"Accept"_s);

    // A plain conversion keeps what it can, reads files from the current folder and warns.
    file(u"note.txt"_s, "hello\n");
    const CliOutcome upload
        = run({u"convert"_s, u"curl https://api.test -F 'n=<note.txt' -F f=@a.jpg"_s});
    EXPECT_EQ(upload.status, 0) << upload.err.toStdString();
    EXPECT_TRUE(upload.err.contains("warning: --form f=@a.jpg uploads a file"))
        << upload.err.toStdString();
    const auto form = fromJson<APIRequest>(upload.json());
    ASSERT_TRUE(form.ok());
    EXPECT_EQ(form->queryParams.first().value, u"hello\n"_s);
    EXPECT_FALSE(form->queryParams.last().isEnabled);
}

// Other tools' files are told by their contents and land in the data files with their
// environments; what they leave out is named on standard error.
TEST_F(CliData, importTakesEveryFormatAndKeepsSecretsOut)
{
    const struct {
        QString file;
        QString kind;
        QString collection;
        int requests;
        QStringList environments;
        QByteArray leftOut;
    } cases[] {
        {u"openapi/bookshelf-3.0.yaml"_s, u"OpenAPI document"_s, u"Bookshelf API"_s, 7,
            {u"Bookshelf API"_s}, "Log in: security scheme \"openId\" (openIdConnect) left out"},
        {u"openapi/inventory-3.1.json"_s, u"OpenAPI document"_s, u"Inventory"_s, 5,
            {u"Inventory"_s}, "Inventory: 1 webhooks left out"},
        {u"openapi/petclinic-swagger-2.0.json"_s, u"OpenAPI document"_s, u"Pet Clinic"_s, 3,
            {u"Pet Clinic"_s}, "file field \"xray\""},
        {u"har/checkout.har"_s, u"HAR capture"_s, u"Checkout - Corner Shop"_s, 5, {},
            "skipped, the method GET / cannot be sent"},
        {u"insomnia/garden-v4.json"_s, u"Insomnia export"_s, u"Garden API"_s, 4,
            {u"Garden API"_s, u"Garden API / Staging"_s}, "gRPC requests cannot be sent"},
        {u"insomnia/garden-v5.yaml"_s, u"Insomnia export"_s, u"Garden API"_s, 1,
            {u"Garden API"_s, u"Garden API / Staging"_s}, ""},
        // Its OAuth 2.0 secrets have nowhere to go but the data folder, so they stay out.
        {u"postman/payments-api.postman_collection.json"_s, u"Postman collection"_s,
            u"Payments API"_s, 11, {u"Payments API"_s},
            "2 OAuth 2.0 secret(s) (client secrets, passwords, tokens) left out"},
    };
    const QString data = sandbox.filePath(u"app"_s);
    QStringList names;
    for (const auto& item : cases) {
        SCOPED_TRACE(item.file.toStdString());
        const CliOutcome imported = run({u"import"_s, u"--json"_s, u"--data-dir"_s, data,
            QStringLiteral(MAKO_TEST_DATA_DIR "/") + item.file});
        EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
        EXPECT_TRUE(imported.err.contains(item.leftOut)) << imported.err.toStdString();
        const QJsonObject json = imported.json().toObject();
        EXPECT_EQ(json[u"kind"_s].toString(), item.kind);
        EXPECT_EQ(json[u"collections"_s][0][u"name"_s].toString(), item.collection);
        EXPECT_EQ(json[u"collections"_s][0][u"requests"_s].toInt(), item.requests);
        QStringList environments;
        for (const QJsonValue& environment : json[u"environments"_s].toArray())
            environments.append(environment[u"name"_s].toString());
        EXPECT_EQ(environments, item.environments);
        names.append(item.collection);
    }
    // Each import was added to what the data folder held.
    QFile collections(QDir(data).filePath(u"collections.json"_s));
    ASSERT_TRUE(collections.open(QIODevice::ReadOnly));
    const QByteArray bytes = collections.readAll();
    EXPECT_FALSE(bytes.contains("pa-secret-9"));
    const auto stored = decodeRecords<Collection>(bytes);
    ASSERT_TRUE(stored.ok()) << stored.errorMessage().toStdString();
    QStringList storedNames;
    for (const Collection& collection : stored.value())
        storedNames.append(collection.name);
    EXPECT_EQ(storedNames, names);
}

TEST_F(CliData, importAddsToTheDataFilesAndExportWritesThemBack)
{
    const QString data = sandbox.filePath(u"app"_s);
    const Collection demo {
        .name = u"Demo"_s, .requests = {APIRequest {.url = u"https://x.test"_s}}};
    const QByteArray demoFile = writeJson(toJson(demo), JsonStyle::Pretty);
    for (const QString& file : {file(u"Demo.json"_s, demoFile),
             QStringLiteral(MAKO_TEST_DATA_DIR "/postman/staging.postman_environment.json")}) {
        const CliOutcome imported = run({u"import"_s, u"--data-dir"_s, data, file});
        EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    }
    const CliOutcome exported
        = run({u"export"_s, u"--data-dir"_s, data, u"--collection"_s, u"Demo"_s});
    EXPECT_EQ(exported.out, demoFile + '\n') << exported.err.toStdString();
    const CliOutcome k6
        = run({u"export"_s, u"--data-dir"_s, data, u"--collection"_s, u"Demo"_s, u"--k6"_s});
    EXPECT_EQ(k6.status, 0) << k6.err.toStdString();
    EXPECT_TRUE(k6.out.contains("http.request(\"GET\", \"https://x.test\", null, {"))
        << k6.out.toStdString();

    const QByteArray globals = encodeRecords(QList {KeyValuePair {.key = u"host"_s}});
    file(u"app/globals.json"_s, globals);
    const QString backupFile = sandbox.filePath(u"backup.json"_s);
    ASSERT_EQ(
        run({u"export"_s, u"--backup"_s, u"--data-dir"_s, data, u"-o"_s, backupFile}).status, 0);
    // Exports can hold tokens: only their owner may read them.
    EXPECT_FALSE(QFile::permissions(backupFile) & (QFile::ReadGroup | QFile::ReadOther));
    QFile backupBytes(backupFile);
    ASSERT_TRUE(backupBytes.open(QIODevice::ReadOnly));
    const QJsonObject backup = parseJson(backupBytes.readAll())->toObject();
    EXPECT_EQ(backup[u"collections"_s].toArray().size(), 1);
    EXPECT_EQ(backup[u"environments"_s][0][u"name"_s].toString(), u"Staging"_s);
    EXPECT_EQ(backup[u"globalVariables"_s][0][u"key"_s].toString(), u"host"_s);

    // Into a folder whose collections file is damaged: the damaged file is kept aside, the
    // backup's lists replace the files, and the message says so.
    const QString other = sandbox.filePath(u"other"_s);
    QDir().mkpath(other);
    file(u"other/collections.json"_s, "[{\"half");
    const CliOutcome restored = run({u"import"_s, u"--json"_s, u"--data-dir"_s, other, backupFile});
    EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_TRUE(restored.err.contains("kept as collections.json.unreadable-"))
        << restored.err.toStdString();
    EXPECT_EQ(restored.json()[u"kind"_s].toString(), u"Mako backup"_s);
    EXPECT_EQ(QDir(other).entryList({u"collections.json.unreadable-*"_s}).size(), 1);
    EXPECT_EQ(restored.json()[u"globalVariables"_s].toInt(), 1);
    QFile restoredGlobals(QDir(other).filePath(u"globals.json"_s));
    ASSERT_TRUE(restoredGlobals.open(QIODevice::ReadOnly));
    EXPECT_EQ(restoredGlobals.readAll(), globals);
    const CliOutcome again
        = run({u"export"_s, u"--data-dir"_s, other, u"--collection"_s, demo.id.toString()});
    EXPECT_EQ(again.out, exported.out);

    // The same collection for Postman, and the history as HAR, each read back by its importer.
    const CliOutcome postman
        = run({u"export"_s, u"--data-dir"_s, data, u"--collection"_s, u"Demo"_s, u"--postman"_s});
    const auto postmanBack = PostmanImporter::importCollection(postman.out);
    ASSERT_TRUE(postmanBack.ok()) << postman.err.toStdString();
    EXPECT_EQ(postmanBack->collection.requests.value(0).url, u"https://x.test"_s);
    file(u"app/history.json"_s,
        encodeRecords(QList {HistoryItem {
            .request = APIRequest {.url = u"https://h.test/sent"_s}, .statusCode = 204}}));
    const CliOutcome har = run({u"export"_s, u"--har"_s, u"--data-dir"_s, data});
    const auto harBack = HarImporter::importCapture(har.out);
    ASSERT_TRUE(harBack.ok()) << har.err.toStdString();
    EXPECT_EQ(harBack->collection.requests.value(0).url, u"https://h.test/sent"_s);
}

TEST_F(CliUsage, badInputExitsWithTwoAMessageAndNoOutput)
{
    const QString notJson = file(u"broken.json"_s, "{\"url\": ");
    const QString notARequest = file(u"list.json"_s, "[1, 2]");
    const QString missing = sandbox.filePath(u"missing.json"_s);
    const QString emptyCollection = file(u"empty.json"_s, R"({"info": {"name": "E"}, "item": []})");
    const auto withData = [&](const QString& name, const QByteArray& data) {
        return QStringList {u"run"_s, emptyCollection, u"--iteration-data"_s,
            data.isNull() ? sandbox.filePath(name) : file(name, data)};
    };
    const QList<QStringList> cases {
        withData(u"gone.csv"_s, {}),
        withData(u"open.csv"_s, "a,b\n1,\"never closed\n"),
        withData(u"after.csv"_s, "a\n\"x\"y\n"),
        withData(u"short.csv"_s, "a,b\n1\n"),
        withData(u"header.csv"_s, "a,b\n"),
        withData(u"object.json"_s, R"({"a": 1})"),
        withData(u"numbers.json"_s, "[1, 2]"),
        withData(u"cut.json"_s, R"([{"a": 1})"),
        {},
        {u"bogus"_s},
        {u"send"_s, missing},
        {u"send"_s, notJson},
        {u"send"_s, notARequest},
        {u"send"_s, u"--curl"_s, u"wget http://x"_s},
        {u"send"_s, u"--var"_s, u"novalue"_s, u"--curl"_s, u"curl http://x"_s},
        {u"send"_s, u"--timeout"_s, u"soon"_s, u"--curl"_s, u"curl http://x"_s},
        {u"send"_s, u"-e"_s, notARequest, u"--curl"_s, u"curl http://x"_s},
        {u"convert"_s, u"--to"_s, u"cobol"_s, u"curl http://x"_s},
        {u"convert"_s, u"--from"_s, u"native"_s, notJson},
        {u"import"_s, notARequest},
        {u"export"_s, u"--collection"_s, u"Nope"_s},
        {u"export"_s, u"--backup"_s, u"--k6"_s},
        {u"export"_s, u"--backup"_s, u"--postman"_s},
        {u"export"_s, u"--har"_s, u"--backup"_s},
        {u"format"_s, missing},
        {u"format"_s, u"--bogus"_s},
        {u"format"_s, notJson, notJson},
    };
    for (const QStringList& arguments : cases) {
        const CliOutcome outcome = run(arguments);
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_TRUE(outcome.err.startsWith(arguments.isEmpty() ? "Usage: mako-cli" : "mako-cli"))
            << outcome.err.toStdString();
        // A bad data file is named, with what is wrong with it.
        if (arguments.contains(u"--iteration-data"_s)) {
            EXPECT_TRUE(outcome.err.contains(arguments.last().toUtf8() + ": "));
        }
    }
    for (const QString& command :
        {u""_s, u"send"_s, u"run"_s, u"convert"_s, u"format"_s, u"import"_s, u"export"_s}) {
        // No command: the program's own help.
        const QStringList arguments
            = QStringList {command, u"--help"_s}.mid(command.isEmpty() ? 1 : 0);
        const CliOutcome help = run(arguments);
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith("Usage: mako-cli " + command.toUtf8()))
            << command.toStdString();
    }
}

// A --cookie-jar file carries cookies from one command to the next as curl's -b/-c file does,
// session cookies included; within one run the requests share the jar.
TEST_F(CliRun, cookieJarFileCarriesCookiesAcrossRunsAndWithinOne)
{
    server.setHandler([](const RecordedRequest& request) {
        if (request.target == "/login")
            return ScriptedResponse {.headers
                = {{"Set-Cookie", "sid=abc; Max-Age=3600"}, {"Set-Cookie", "visit=1; Path=/"}}};
        return echoResponse(request);
    });
    const QString jar = sandbox.filePath(u"jar.txt"_s);
    ASSERT_EQ(run({u"send"_s, server.baseUrl() + u"/login"_s, u"--cookie-jar"_s, jar}).status, 0);
    QFile written(jar);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    EXPECT_TRUE(text.contains("\tsid\tabc\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\t0\tvisit\t1\n")) << text.toStdString();
    // Cookies are credentials: nobody but the owner reads the file.
    EXPECT_FALSE(written.permissions()
        & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    EXPECT_TRUE(written.permissions() & QFile::WriteOwner);

    const QString collection = file(u"session.json"_s,
        uR"({"info": {"name": "Session"}, "item": [
          {"name": "Me", "request": {"method": "GET", "url": {"raw": "%1/me"}}},
          {"name": "Login", "request": {"method": "GET", "url": {"raw": "%1/login"}}},
          {"name": "Again", "request": {"method": "GET", "url": {"raw": "%1/again"}}}]})"_s
            .arg(server.baseUrl())
            .toUtf8());
    const auto sent = [this](qsizetype fromEnd) {
        const QList<RecordedRequest> requests = server.requests();
        QByteArrayList cookies = requests.at(requests.size() - fromEnd).header("Cookie").split(';');
        for (QByteArray& each : cookies)
            each = each.trimmed();
        std::sort(cookies.begin(), cookies.end());
        return cookies.join("; ");
    };
    // Without the file a run starts empty, and what its login sets goes out with the next one.
    ASSERT_EQ(run({u"run"_s, collection}).status, 0);
    EXPECT_EQ(sent(3), "");
    EXPECT_EQ(sent(1), "sid=abc; visit=1");
    // With it, the run's first request already carries the cookies of the earlier send.
    ASSERT_EQ(run({u"run"_s, collection, u"--cookie-jar"_s, jar}).status, 0);
    EXPECT_EQ(sent(3), "sid=abc; visit=1");
}

// curl's certificate options reach a server that demands a client certificate, from the
// command line and from a --curl command; the passphrase never shows in what is printed.
TEST_F(CliSend, certificateOptionsReachAServerThatAsksForOne)
{
    TestPki pki;
    const PemIdentity serverAuthority = pki.makeAuthority(u"server-ca"_s);
    const PemIdentity clientAuthority = pki.makeAuthority(u"client-ca"_s);
    const PemIdentity identity = pki.makeServer(u"server"_s, serverAuthority);
    const PemIdentity client = pki.makeClient(u"client"_s, clientAuthority);
    const QString p12 = pki.makePkcs12(u"client"_s, client, u"p4ss:word"_s);
    HttpTestServer tls(TlsServerIdentity {
        identity.certificatePem(), identity.keyPem(), clientAuthority.certificatePem()});
    const QString url = tls.baseUrl() + u"/me"_s;
    const QStringList trust {u"--cacert"_s, serverAuthority.certificate};
    const QString curlCommand = u"curl --cert-type P12 --cert '%1:p4ss:word' --cacert %2 %3"_s.arg(
        p12, serverAuthority.certificate, url);
    const struct {
        QStringList arguments;
        QString error; // empty: the send succeeds
    } cases[] = {
        {trust + QStringList {url},
            NetworkError::network(NetworkError::kClosedWithoutClientCertificate)
                .errorDescription()},
        {trust + QStringList {u"--cert"_s, client.certificate, u"--key"_s, client.key, url}, {}},
        {trust + QStringList {u"--cert-type"_s, u"p12"_s, u"-E"_s, p12 + u":p4ss:word"_s, url}, {}},
        {trust
                + QStringList {u"--cert-type"_s, u"P12"_s, u"--cert"_s, p12, u"--pass"_s,
                    u"n0tthepass"_s, url},
            NetworkError::network(NetworkError::kClientCertificatePassphrase).errorDescription()},
        {{u"--curl"_s, curlCommand}, {}},
    };
    for (const auto& c : cases) {
        const CliOutcome outcome = run(QStringList {u"send"_s, u"--json"_s} + c.arguments);
        SCOPED_TRACE(c.arguments.join(u' ').toStdString() + " -> " + outcome.out.toStdString());
        EXPECT_EQ(outcome.status, c.error.isEmpty() ? 0 : 1) << outcome.err.toStdString();
        EXPECT_EQ(outcome.json()[u"error"_s].toString(), c.error);
        if (c.error.isEmpty()) {
            EXPECT_EQ(outcome.json()[u"statusCode"_s].toInt(), 200);
        }
        for (const QByteArray secret : {"n0tthepass", "p4ss"})
            EXPECT_FALSE(outcome.out.contains(secret) || outcome.err.contains(secret));
    }
    const CliOutcome alone = run({u"send"_s, u"--pass"_s, u"n0tthepass"_s, url});
    EXPECT_EQ(alone.status, 2);
    EXPECT_TRUE(
        alone.err.startsWith("mako-cli send: --key, --pass and --cert-type go with --cert\n"))
        << alone.err.toStdString();
}

// A request that inherits its auth goes with its collection's in a run; a lone request file has
// no collection, so it goes without.
TEST_F(CliRun, inheritingRequestsGoWithTheCollectionsAuthAndAloneWithout)
{
    const APIRequest inherits {
        .name = u"Me"_s, .url = server.baseUrl() + u"/me"_s, .authType = AuthType::inherit};
    Collection collection {.name = u"Shop"_s, .requests = {inherits}};
    collection.authType = AuthType::bearer;
    collection.authToken = u"shop-token"_s;
    const CliOutcome ran = run({u"run"_s, file(u"shop.json"_s, encodeRecords(QList {collection}))});
    EXPECT_EQ(ran.status, 0) << ran.out.toStdString() << ran.err.toStdString();
    const CliOutcome sent = run({u"send"_s, file(u"me.json"_s, requestJson(inherits))});
    EXPECT_EQ(sent.status, 0) << sent.err.toStdString();
    const QList<RecordedRequest> seen = server.requests();
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0].header("Authorization"), "Bearer shop-token");
    EXPECT_TRUE(seen[1].header("Authorization").isEmpty());
}

// A collection kept as a folder runs as the window keeps it: with one of its environments (or
// the data folder's) picked by name, and a file that does not load named and left out; one of
// its request files sends alone with the collection's auth, variables and scripts around it.
TEST_F(CliRun, aFolderCollectionRunsWithAnEnvironmentByNameAndItsRequestFilesSend)
{
    const QString closed = u"http://127.0.0.1:%1"_s.arg(closedPort());
    const APIRequest list {.name = u"List users"_s,
        .url = u"{{base}}/users"_s,
        .headers = {},
        .queryParams = {},
        .authType = AuthType::inherit};
    const APIRequest health {
        .name = u"Health"_s, .url = u"{{base}}/health"_s, .headers = {}, .queryParams = {}};
    FolderCollection::Contents contents;
    Collection& collection = contents.collection;
    collection.name = u"Team API"_s;
    collection.authType = AuthType::bearer;
    collection.authToken = u"{{token}}"_s;
    collection.variables = {KeyValuePair {.key = u"base"_s, .value = closed}};
    collection.preRequestScript
        = u"pm.request.headers.add({key: 'X-Collection', value: 'team'});"_s;
    collection.requests = {list, health};
    collection.folders = {CollectionFolder {.name = u"Users"_s,
        .requestIDs = {list.id},
        .preRequestScript = u"pm.request.headers.add({key: 'X-Folder', value: 'users'});"_s}};
    const auto variables = [](const QString& base, const QString& token) {
        return QList {KeyValuePair {.key = u"base"_s, .value = base},
            KeyValuePair {.key = u"token"_s, .value = token}};
    };
    contents.environments = {
        APIEnvironment {.name = u"Local"_s, .variables = variables(closed, {})},
        APIEnvironment {.name = u"Staging"_s, .variables = variables(server.baseUrl(), u"st"_s)}};
    FolderCollection::Files files = FolderCollection::encode(contents);
    files.insert(u"users/broken.json"_s, "{\"name\": ");
    ASSERT_TRUE(FolderCollection::write(sandbox.filePath(u"team-api"_s), files, {}));
    // The window's own environments, in the data folder.
    const QDir data(sandbox.filePath(u"data/com.quorin.mako"_s));
    ASSERT_TRUE(data.mkpath(u"."_s));
    file(u"data/com.quorin.mako/environments.json"_s,
        encodeRecords(QList {APIEnvironment {
            .name = u"Shared"_s, .variables = variables(server.baseUrl(), u"sh"_s)}}));

    // The window keeps only a reference to the folder in its data folder.
    const QString reference = file(u"data/com.quorin.mako/collections.json"_s,
        R"([{"id": "0d7c4c51-7c1b-4d8e-9a63-2f4b8c1e7a90", "name": "Team API", "folderPath": ")"
            + sandbox.filePath(u"team-api"_s).toUtf8() + "\"}]");

    const QList<QStringList> commands {
        {u"run"_s, u"./team-api/"_s, u"--environment"_s, u"staging"_s, u"--json"_s},
        {u"run"_s, u"./team-api"_s, u"-e"_s, u"Shared"_s, u"--json"_s},
        {u"run"_s, reference, u"--collection"_s, u"Team API"_s, u"-e"_s, u"Shared"_s, u"--json"_s},
        {u"send"_s, u"./team-api/users/list-users.json"_s, u"-e"_s, u"Staging"_s},
        // Such a file written by hand and kept anywhere: only what it needs.
        {u"send"_s,
            file(u"lone.json"_s, u"{\"url\": \"%1/lone\"}"_s.arg(server.baseUrl()).toUtf8())},
    };
    for (const QStringList& arguments : commands) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const CliOutcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.out.toStdString() << outcome.err.toStdString();
        EXPECT_EQ(outcome.err.contains("users/broken.json: line 1, column "),
            !arguments[1].endsWith(u"lone.json"_s))
            << outcome.err.toStdString();
        if (arguments.first() == u"run"_s) {
            EXPECT_EQ(outcome.json()[u"results"_s].toArray().size(), 2);
        }
    }
    const QList<RecordedRequest> seen = server.requests();
    ASSERT_EQ(seen.size(), 8);
    const QList<QByteArray> expected {"/users Bearer st team users", "/health  team ",
        "/users Bearer sh team users", "/health  team ", "/users Bearer sh team users",
        "/health  team ", "/users Bearer st team users", "/lone   "};
    for (qsizetype i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].target + ' ' + seen[i].header("Authorization") + ' '
                + seen[i].header("X-Collection") + ' ' + seen[i].header("X-Folder"),
            expected[i])
            << i;
    }
}
