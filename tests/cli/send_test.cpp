#include "clitestsupport.h"
#include "execution/networkerror.h"
#include "model/recordjson.h"
#include "support/httptestserver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace mako;
using namespace mako::test;

namespace {

QByteArray requestFile(const QString& url, const QList<KeyValuePair>& headers = {})
{
    return writeJson(toJson(APIRequest {.url = url, .headers = headers}), JsonStyle::Compact);
}

// The port of a server that is gone again: nothing listens there.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

} // namespace

TEST(CliSend, variablesReachTheWireAndTheJsonCarriesTheResponse)
{
    QTemporaryDir sandbox;
    HttpTestServer server;
    const QString request = writeFile(sandbox, u"request.json"_s,
        requestFile(
            u"{{base}}/items"_s, {KeyValuePair {.key = u"X-Token"_s, .value = u"{{token}}"_s}}));
    // A Postman environment supplies both; the --var global wins for the token.
    const QString environment = writeFile(sandbox, u"env.json"_s,
        uR"({"name":"Local","values":[{"key":"base","value":"%1","enabled":true},
              {"key":"token","value":"from-env","enabled":true}]})"_s.arg(server.baseUrl())
            .toUtf8());

    const CliOutcome sent = runCli(sandbox,
        {u"send"_s, request, u"-e"_s, environment, u"--var"_s, u"token=global"_s, u"--json"_s});
    ASSERT_EQ(sent.status, 0) << sent.err.toStdString();
    const QJsonObject json = sent.json().toObject();
    EXPECT_EQ(json[u"statusCode"_s].toInt(), 200);
    EXPECT_GT(json[u"duration"_s].toDouble(), 0);
    const QJsonObject echo = QJsonDocument::fromJson(json[u"body"_s].toString().toUtf8()).object();
    EXPECT_EQ(echo[u"target"_s].toString(), u"/items"_s);
    EXPECT_EQ(echo[u"headers"_s][u"X-Token"_s].toString(), u"global"_s);
    EXPECT_EQ(json[u"size"_s].toInt(), json[u"body"_s].toString().toUtf8().size());

    // A stored GraphQL request goes out as its POST form.
    const QString graphql = writeFile(sandbox, u"graphql.json"_s,
        writeJson(toJson(APIRequest {.url = server.baseUrl(),
                      .requestProtocol = RequestProtocol::graphql,
                      .graphqlQuery = u"{ items }"_s}),
            JsonStyle::Compact));
    ASSERT_EQ(runCli(sandbox, {u"send"_s, graphql}).status, 0);
    EXPECT_EQ(server.requests().last().method, "POST");
    EXPECT_TRUE(server.requests().last().body.contains("{ items }"));
}

TEST(CliSend, statusDecidesTheExitAndBinaryBodiesComeAsBase64)
{
    QTemporaryDir sandbox;
    HttpTestServer server;
    const QByteArray binary("\xff\xfe\x00\x01", 4);
    server.setHandler([&](const RecordedRequest& request) {
        if (request.target == "/missing")
            return ScriptedResponse {.status = 404, .body = "gone"};
        return ScriptedResponse {
            .headers = {{"Content-Type", "application/octet-stream"}}, .body = binary};
    });

    const CliOutcome missing
        = runCli(sandbox, {u"send"_s, u"--curl"_s, u"curl "_s + server.baseUrl() + u"/missing"_s});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.startsWith("404 Not Found")) << missing.out.toStdString();
    EXPECT_TRUE(missing.out.trimmed().endsWith("gone"));

    const CliOutcome bytes
        = runCli(sandbox, {u"send"_s, u"--json"_s, u"--curl"_s, u"curl "_s + server.baseUrl()});
    EXPECT_EQ(bytes.status, 0);
    EXPECT_FALSE(bytes.json().toObject().contains(u"body"_s));
    EXPECT_EQ(QByteArray::fromBase64(bytes.json()[u"bodyBase64"_s].toString().toLatin1()), binary);
}

TEST(CliSend, failuresPrintTheUserFacingErrorText)
{
    QTemporaryDir sandbox;
    HttpTestServer slow;
    slow.setHandler([](const RecordedRequest&) { return ScriptedResponse {.delayMs = 3000}; });
    HttpTestServer tls(HttpTestServer::Tls::SelfSigned);
    const QString timedOut = NetworkError::network(NetworkError::kTimedOut).errorDescription();
    const QString untrusted
        = NetworkError::network(NetworkError::kServerCertificateUntrusted).errorDescription();
    struct Case {
        QStringList arguments;
        QString error; // empty: the send succeeds
    };
    const QList<Case> cases {
        {{u"--timeout"_s, u"1"_s, u"--curl"_s, u"curl "_s + slow.baseUrl()}, timedOut},
        {{u"--curl"_s, u"curl "_s + tls.baseUrl()}, untrusted},
        {{u"-k"_s, u"--curl"_s, u"curl "_s + tls.baseUrl()}, {}},
        {{u"--curl"_s, u"curl http://127.0.0.1:%1/"_s.arg(closedPort())}, u"Network error: "_s},
        {{u"--curl"_s, u"curl 'http://exa mple/'"_s}, u"Invalid URL: http://exa mple/"_s},
    };
    for (const Case& c : cases) {
        const CliOutcome outcome
            = runCli(sandbox, QStringList {u"send"_s, u"--json"_s} + c.arguments);
        const QString error = outcome.json()[u"error"_s].toString();
        SCOPED_TRACE(c.arguments.join(u' ').toStdString() + " -> " + outcome.out.toStdString());
        EXPECT_EQ(outcome.status, c.error.isEmpty() ? 0 : 1);
        if (c.error.endsWith(u": "_s))
            EXPECT_TRUE(error.startsWith(c.error));
        else
            EXPECT_EQ(error, c.error);
    }
}

TEST(CliUsage, badInputExitsWithTwoAMessageAndNoOutput)
{
    QTemporaryDir sandbox;
    const QString notJson = writeFile(sandbox, u"broken.json"_s, "{\"url\": ");
    const QString notARequest = writeFile(sandbox, u"list.json"_s, "[1, 2]");
    const QString missing = sandbox.filePath(u"missing.json"_s);
    const QList<QStringList> cases {
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
        {u"format"_s, missing},
    };
    for (const QStringList& arguments : cases) {
        const CliOutcome outcome = runCli(sandbox, arguments);
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_TRUE(outcome.err.startsWith("mako-cli")) << outcome.err.toStdString();
    }
    for (const QString& command :
        {u"send"_s, u"convert"_s, u"format"_s, u"import"_s, u"export"_s}) {
        const CliOutcome help = runCli(sandbox, {command, u"--help"_s});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith("Usage: mako-cli " + command.toUtf8()));
    }
}
