// Runs each language's snippet with the language's real tool against a loopback peer and
// compares what arrived with what Mako sends for the same request.
#include "interchange/codegenerator.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"
#include "support/rows.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct Language {
    int index; // in CodeGenerator::languages()
    QString extension;
    QString program;
    QStringList arguments;
    /// A command that must succeed for the tool to count as present (a library check).
    QStringList probe;
};

struct Expected {
    QByteArray requestLine; // method and target
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;
    /// Multipart bodies differ in boundary and framing; this piece must be in them.
    QByteArray formPart;
};

struct Case {
    const char* name;
    APIRequest request;
    Expected expected;
};

void PrintTo(const Language& language, std::ostream* os)
{
    *os << CodeGenerator::languages().at(language.index).toStdString();
}

// Requests full of what breaks naive snippets: quotes of every kind, backslashes, line
// breaks, $ and backticks, non-ASCII text, a query to encode, a header without a value, rows
// to skip, a header name repeated in another letter case (both rows go out, in order), an
// Authorization row that the auth replaces and a Content-Type that a form must replace. HEAD must
// not wait for the body its reply announces.
QList<Case> cases(const QString& base)
{
    const QString json = u"{\"text\": \"it's \"q\" $HOME `id` \\ \\n é 🚀\",\n \"n\": 1}"_s;
    const QString raw = u"'''\"\"\"\n</script>\u2028${x} #{y} {$z}\r\n'; exit 1; '"_s;
    const QString title = u"Ünï 'q' \"d\""_s;
    return {
        {"json",
            APIRequest {.url = base + u"/echo/päth?x=1#frag"_s,
                .method = HTTPMethod::post,
                .headers = {row(u"X-Quote"_s, u"stale"_s), row(u"authorization"_s, u"mine"_s),
                    row(u"x-quote"_s, u"it's \"q\" $HOME `id` \\"_s), row(u""_s, u"x"_s),
                    row(u"X-Off"_s, u"1"_s, false), row(u"X-Empty"_s, u""_s)},
                .queryParams = {row(u"q"_s, u"a b&c=d"_s), row(u"ü"_s, u"€"_s),
                    row(u"off"_s, u"1"_s, false), row(u""_s, u"v"_s)},
                .bodyType = RequestBodyType::json,
                .body = json,
                .authType = AuthType::bearer,
                .authToken = u"tok'en\"$x"_s},
            {"POST /echo/p%C3%A4th?x=1&q=a%20b%26c%3Dd&%C3%BC=%E2%82%AC",
                {{"X-Quote", "stale, it's \"q\" $HOME `id` \\"}, {"X-Empty", ""},
                    {"Authorization", "Bearer tok'en\"$x"}, {"Content-Type", "application/json"}},
                json.toUtf8(), {}}},
        {"raw",
            APIRequest {.url = base + u"/raw"_s,
                .method = HTTPMethod::put,
                .headers = {row(u"Content-Type"_s, u"text/plain; charset=utf-8"_s)},
                .bodyType = RequestBodyType::raw,
                .body = raw,
                .authType = AuthType::basic,
                .authToken = u"ann:pä$s"_s},
            {"PUT /raw",
                {{"Content-Type", "text/plain; charset=utf-8"},
                    {"Authorization", "Basic YW5uOnDDpCRz"}},
                raw.toUtf8(), {}}},
        {"form",
            APIRequest {.url = base + u"/form"_s,
                .method = HTTPMethod::patch,
                .headers = {row(u"Content-Type"_s, u"text/plain"_s)},
                .queryParams = {row(u"title"_s, title)},
                .bodyType = RequestBodyType::formData,
                .authType = AuthType::apiKey,
                .authToken = u"k$1"_s},
            {"PATCH /form", {{"X-API-Key", "k$1"}}, {},
                "name=\"title\"\r\n\r\n"_ba + title.toUtf8() + "\r\n"_ba}},
        {"get with a body",
            APIRequest {.url = base + u"/search"_s,
                .bodyType = RequestBodyType::json,
                .body = u"{\"query\": {\"match_all\": {}}}"_s},
            {"GET /search", {{"Content-Type", "application/json"}},
                "{\"query\": {\"match_all\": {}}}", {}}},
        // A method of no library's own, with a body.
        {"custom method",
            APIRequest {.url = base + u"/dav/"_s,
                .method = HTTPMethod::custom,
                .customMethod = u"PROPFIND"_s,
                .headers = {row(u"Depth"_s, u"1"_s)},
                .bodyType = RequestBodyType::raw,
                .body = u"<propfind xmlns=\"DAV:\"><allprop/></propfind>"_s},
            {"PROPFIND /dav/", {{"Depth", "1"}}, "<propfind xmlns=\"DAV:\"><allprop/></propfind>",
                {}}},
        {"head",
            APIRequest {.url = base + u"/head"_s,
                .method = HTTPMethod::head,
                .bodyType = RequestBodyType::json,
                .body = u"{}"_s},
            {"HEAD /head", {}, {}, {}}},
    };
}

void expectArrived(const test::RecordedRequest& arrived, const Expected& expected)
{
    EXPECT_EQ(arrived.method + ' ' + arrived.target, expected.requestLine);
    // Tools that keep one value per name send a repeated one as a single field, its values
    // joined by ", ", which HTTP reads as the same list as separate fields.
    for (const auto& [name, value] : expected.headers) {
        QByteArrayList values;
        for (const auto& field : arrived.headers) {
            if (field.first.compare(name, Qt::CaseInsensitive) == 0)
                values.append(field.second);
        }
        EXPECT_FALSE(values.isEmpty()) << name.data();
        EXPECT_EQ(values.join(", "), value) << name.toStdString();
    }
    if (expected.formPart.isEmpty()) {
        EXPECT_EQ(arrived.body, expected.body);
        return;
    }
    EXPECT_TRUE(arrived.header("Content-Type").startsWith("multipart/form-data"));
    EXPECT_TRUE(arrived.body.contains(expected.formPart)) << arrived.body.toStdString();
}

// The child sees no proxy and keeps its caches in the test's own folder.
QProcessEnvironment toolEnvironment(const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"http_proxy"_s, u"https_proxy"_s, u"HTTP_PROXY"_s,
             u"HTTPS_PROXY"_s, u"ALL_PROXY"_s, u"all_proxy"_s})
        environment.remove(name);
    environment.insert(u"NO_PROXY"_s, u"127.0.0.1"_s);
    environment.insert(u"GOCACHE"_s, folder + u"/gocache"_s);
    environment.insert(u"GOPATH"_s, folder + u"/gopath"_s);
    environment.insert(u"GOTOOLCHAIN"_s, u"local"_s);
    environment.insert(u"GOFLAGS"_s, u"-mod=mod"_s);
    environment.insert(u"HOME"_s, folder);
    return environment;
}

std::optional<QString> missingTool(const Language& language, const QString& folder)
{
    if (QStandardPaths::findExecutable(language.program).isEmpty())
        return language.program + u" is not installed"_s;
    QProcess probe;
    probe.setProcessEnvironment(toolEnvironment(folder));
    probe.start(language.program, language.probe);
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        return language.program + u' ' + language.probe.join(u' ') + u" failed"_s;
    return std::nullopt;
}

class GeneratedCode : public ::testing::TestWithParam<Language> { };

} // namespace

TEST_P(GeneratedCode, sendsWhatMakoSends)
{
    const Language& language = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    if (const auto reason = missingTool(language, folder.path()))
        GTEST_SKIP() << reason->toStdString();

    test::HttpTestServer server;
    const QList<Case> table = cases(server.baseUrl());
    int sent = 0;
    for (qsizetype i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(table[i].name);
        // fetch() refuses a GET with a body; the snippet says so instead.
        if (language.index == 2 && table[i].request.method == HTTPMethod::get)
            continue;
        const QString path = folder.filePath(u"snippet%1.%2"_s.arg(i).arg(language.extension));
        QFile file(path);
        const QString snippet = CodeGenerator::generate(language.index, table[i].request);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(snippet.toUtf8()) > 0);
        file.close();

        QProcess tool;
        tool.setProcessEnvironment(toolEnvironment(folder.path()));
        tool.setWorkingDirectory(folder.path());
        tool.start(language.program, language.arguments + QStringList {path});
        ASSERT_TRUE(tool.waitForFinished(180000)) << snippet.toStdString();
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString() << "\n"
                                      << snippet.toStdString();
        ASSERT_TRUE(server.waitForRequests(++sent, 1000)) << snippet.toStdString();
        expectArrived(server.requests().at(sent - 1), table[i].expected);
    }
}

// Swift has no toolchain packaged for the test machines; codegenerator_test.cpp checks it.
INSTANTIATE_TEST_SUITE_P(Languages, GeneratedCode,
    ::testing::Values(Language {0, u"sh"_s, u"sh"_s, {}, {u"-c"_s, u"true"_s}},
        Language {2, u"mjs"_s, u"node"_s, {}, {u"-e"_s, u"fetch"_s}},
        Language {3, u"py"_s, u"python3"_s, {}, {u"-c"_s, u"import requests"_s}},
        Language {4, u"go"_s, u"go"_s, {u"run"_s}, {u"version"_s}},
        Language {5, u"rb"_s, u"ruby"_s, {}, {u"-e"_s, u"require 'net/http'"_s}},
        Language {6, u"php"_s, u"php"_s, {},
            {u"-r"_s, u"exit(function_exists('curl_init') ? 0 : 1);"_s}}),
    [](const ::testing::TestParamInfo<Language>& info) {
        return CodeGenerator::languages().at(info.param.index).toStdString();
    });
