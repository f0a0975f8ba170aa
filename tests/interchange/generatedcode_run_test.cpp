// Runs each language's snippet with the language's real tool against a loopback peer and
// compares what arrived with what Mako sends for the same request.
#include "interchange/codegenerator.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

struct Language {
    int index;
    QString label;
    QString fileName;
    QString program;
    QStringList arguments;
    /// A command that must succeed for the tool to count as present (a library check).
    QStringList probe;
};

struct Expected {
    QByteArray method;
    QByteArray target;
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;
    /// Multipart bodies differ in boundary and framing; these pieces must be in them.
    QList<QByteArray> bodyParts;
};

struct Case {
    const char* name;
    APIRequest request;
    Expected expected;
};

void PrintTo(const Language& language, std::ostream* os)
{
    *os << language.label.toStdString();
}

KeyValuePair row(const QString& key, const QString& value, bool enabled = true)
{
    return KeyValuePair {.key = key, .value = value, .isEnabled = enabled};
}

// Requests full of what breaks naive snippets: quotes of every kind, backslashes, line
// breaks, $ and backticks, non-ASCII text, a query to encode and a header without a value.
QList<Case> cases(const QString& base)
{
    const QString hostile = u"it's \"q\" $HOME `id` \\ \\n é 🚀"_s;
    return {
        {"json",
            APIRequest {.url = base + u"/echo/päth?x=1"_s,
                .method = HTTPMethod::post,
                .headers = {row(u"X-Quote"_s, u"it's \"q\" $HOME `id` \\"_s),
                    row(u"X-Off"_s, u"1"_s, false), row(u"X-Empty"_s, u""_s)},
                .queryParams
                = {row(u"q"_s, u"a b&c=d"_s), row(u"ü"_s, u"€"_s), row(u"off"_s, u"1"_s, false)},
                .bodyType = RequestBodyType::json,
                .body = u"{\"text\": \""_s + hostile + u"\",\n \"n\": 1}"_s,
                .authType = AuthType::bearer,
                .authToken = u"tok'en\"$x"_s},
            {"POST", "/echo/p%C3%A4th?x=1&q=a%20b%26c%3Dd&%C3%BC=%E2%82%AC",
                {{"X-Quote", "it's \"q\" $HOME `id` \\"}, {"X-Empty", ""},
                    {"Authorization", "Bearer tok'en\"$x"}, {"Content-Type", "application/json"}},
                (u"{\"text\": \""_s + hostile + u"\",\n \"n\": 1}"_s).toUtf8(), {}}},
        {"raw",
            APIRequest {.url = base + u"/raw"_s,
                .method = HTTPMethod::put,
                .headers = {row(u"Content-Type"_s, u"text/plain; charset=utf-8"_s)},
                .bodyType = RequestBodyType::raw,
                .body = u"'''\"\"\"\n</script>\u2028${x} #{y} {$z}\r\n'; exit 1; '"_s,
                .authType = AuthType::basic,
                .authToken = u"ann:pä$s"_s},
            {"PUT", "/raw",
                {{"Content-Type", "text/plain; charset=utf-8"},
                    {"Authorization", "Basic YW5uOnDDpCRz"}},
                u"'''\"\"\"\n</script>\u2028${x} #{y} {$z}\r\n'; exit 1; '"_s.toUtf8(), {}}},
        {"form",
            APIRequest {.url = base + u"/form"_s,
                .method = HTTPMethod::patch,
                .headers = {},
                .queryParams = {row(u"title"_s, u"Ünï 'q' \"d\""_s)},
                .bodyType = RequestBodyType::formData,
                .authType = AuthType::apiKey,
                .authToken = u"k$1"_s},
            {"PATCH", "/form?title=%C3%9Cn%C3%AF%20%27q%27%20%22d%22", {{"X-API-Key", "k$1"}}, {},
                {"name=\"title\"\r\n\r\n"_ba + u"Ünï 'q' \"d\""_s.toUtf8() + "\r\n"_ba}}},
    };
}

QByteArray headerValue(const test::RecordedRequest& request, const QByteArray& name, bool& found)
{
    for (const auto& [key, value] : request.headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            found = true;
            return value;
        }
    }
    found = false;
    return {};
}

void expectArrived(const test::RecordedRequest& arrived, const Expected& expected)
{
    EXPECT_EQ(arrived.method, expected.method);
    EXPECT_EQ(arrived.target, expected.target);
    for (const auto& [name, value] : expected.headers) {
        bool found = false;
        EXPECT_EQ(headerValue(arrived, name, found), value) << name.toStdString();
        EXPECT_TRUE(found) << name.toStdString();
    }
    if (expected.bodyParts.isEmpty()) {
        EXPECT_EQ(arrived.body, expected.body);
        return;
    }
    bool found = false;
    EXPECT_TRUE(headerValue(arrived, "Content-Type", found).startsWith("multipart/form-data"));
    for (const QByteArray& part : expected.bodyParts)
        EXPECT_TRUE(arrived.body.contains(part)) << arrived.body.toStdString();
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
    if (language.program.isEmpty())
        return language.label + u" has no toolchain packaged for the test machines"_s;
    if (QStandardPaths::findExecutable(language.program).isEmpty())
        return language.program + u" is not installed"_s;
    if (language.probe.isEmpty())
        return std::nullopt;
    QProcess probe;
    probe.setProcessEnvironment(toolEnvironment(folder));
    probe.start(language.program, language.probe);
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        return language.label + u": "_s + language.probe.join(u' ') + u" failed"_s;
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
    for (qsizetype i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(table[i].name);
        const QString path = folder.filePath(u"%1-%2"_s.arg(i).arg(language.fileName));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QString snippet = CodeGenerator::generate(language.index, table[i].request);
        file.write(snippet.toUtf8());
        file.close();

        QProcess tool;
        tool.setProcessEnvironment(toolEnvironment(folder.path()));
        tool.setWorkingDirectory(folder.path());
        tool.start(language.program, language.arguments + QStringList {path});
        ASSERT_TRUE(tool.waitForFinished(180000)) << snippet.toStdString();
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString() << "\n"
                                      << snippet.toStdString();
        ASSERT_TRUE(server.waitForRequests(int(i) + 1, 1000)) << snippet.toStdString();
        expectArrived(server.requests().at(i), table[i].expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, GeneratedCode,
    ::testing::Values(Language {0, u"cURL"_s, u"snippet.sh"_s, u"sh"_s, {}, {}},
        Language {1, u"Swift"_s, u"snippet.swift"_s, {}, {}, {}},
        Language {2, u"JavaScript"_s, u"snippet.mjs"_s, u"node"_s, {}, {u"-e"_s, u"fetch"_s}},
        Language {
            3, u"Python"_s, u"snippet.py"_s, u"python3"_s, {}, {u"-c"_s, u"import requests"_s}},
        Language {4, u"Go"_s, u"snippet.go"_s, u"go"_s, {u"run"_s}, {u"version"_s}},
        Language {5, u"Ruby"_s, u"snippet.rb"_s, u"ruby"_s, {}, {u"-e"_s, u"require 'net/http'"_s}},
        Language {6, u"PHP"_s, u"snippet.php"_s, u"php"_s, {},
            {u"-r"_s, u"exit(function_exists('curl_init') ? 0 : 1);"_s}}),
    [](const ::testing::TestParamInfo<Language>& info) { return info.param.label.toStdString(); });
