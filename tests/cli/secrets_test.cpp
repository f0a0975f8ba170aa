// mako-cli takes the values of secret variables from the process environment or --var, the
// way CI hands over any secret, and never prints them.
#include "interchange/collectionexporter.h"
#include "model/recordjson.h"
#include "support/httptestserver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace mako;
using namespace mako::test;

namespace {

struct Outcome {
    int status = -1;
    QByteArray printed;
};

class CliSecrets : public ::testing::Test {
protected:
    CliSecrets()
    {
        // The reply says nothing of the request, so that only mako-cli could print the secret.
        server.setHandler([](const RecordedRequest&) { return ScriptedResponse {.body = "ok"}; });
    }

    Outcome run(const QStringList& arguments, const QHash<QString, QString>& variables = {},
        const QString& report = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, sandbox.path());
        environment.insert(u"XDG_DATA_HOME"_s, sandbox.filePath(u"data"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, sandbox.filePath(u"config"_s));
        for (const auto& [name, value] : variables.asKeyValueRange())
            environment.insert(name, value);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(sandbox.path());
        process.start(QStringLiteral(MAKO_CLI_PATH), arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        QByteArray printed = process.readAllStandardOutput() + process.readAllStandardError();
        if (QFile file(report); !report.isEmpty() && file.open(QIODevice::ReadOnly))
            printed += file.readAll();
        return {process.exitCode(), printed};
    }

    QString file(const QString& name, const QByteArray& bytes) const
    {
        QFile file(sandbox.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }

    QByteArray lastKey() const
    {
        return server.requests().isEmpty() ? QByteArray()
                                           : server.requests().last().header("X-Api-Key");
    }

    QTemporaryDir sandbox;
    HttpTestServer server;
};

} // namespace

TEST_F(CliSecrets, secretsComeFromTheEnvironmentOrVarAndAreNeverPrinted)
{
    const APIRequest request {.name = u"Items"_s,
        .url = u"{{base}}/items?k={{api-key}}"_s,
        .headers = {KeyValuePair {.key = u"X-Api-Key"_s, .value = u"{{api-key}}"_s}}};
    const QString requestFile
        = file(u"request.json"_s, writeJson(toJson(request), JsonStyle::Pretty));
    const QString collection = file(u"collection.json"_s,
        CollectionExporter::exportCollection(Collection {.name = u"API"_s, .requests = {request}}));
    // As the window stores it: the secret's row without its value.
    const APIEnvironment staging {.name = u"Staging"_s,
        .variables = {KeyValuePair {.key = u"base"_s, .value = server.baseUrl()},
            KeyValuePair {.key = u"api-key"_s, .value = u"kept-elsewhere"_s, .isSecret = true}}};
    const QString environment
        = file(u"staging.json"_s, writeJson(toJson(staging), JsonStyle::Pretty));
    const QString report = sandbox.filePath(u"report.json"_s);

    const struct {
        const char* name;
        QStringList arguments;
        QHash<QString, QString> variables;
        QByteArray expected;
    } cases[] = {
        {"upper-cased name", {u"send"_s, requestFile, u"--json"_s},
            {{u"MAKO_SECRET_API_KEY"_s, u"sek-upper-1"_s}}, "sek-upper-1"},
        {"name as written", {u"send"_s, requestFile},
            {{u"MAKO_SECRET_api-key"_s, u"sek-written-2"_s},
                {u"MAKO_SECRET_API_KEY"_s, u"sek-upper-2"_s}},
            "sek-written-2"},
        {"--var wins", {u"send"_s, requestFile, u"--var"_s, u"api-key=sek-var-3"_s},
            {{u"MAKO_SECRET_API_KEY"_s, u"sek-upper-3"_s}}, "sek-var-3"},
        {"a run and its report",
            {u"run"_s, collection, u"--reporter"_s, u"json"_s, u"-o"_s, report},
            {{u"MAKO_SECRET_API_KEY"_s, u"sek-run-4"_s}}, "sek-run-4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome
            = run(c.arguments + QStringList {u"-e"_s, environment}, c.variables, report);
        EXPECT_EQ(outcome.status, 0) << outcome.printed.toStdString();
        EXPECT_EQ(lastKey(), c.expected);
        EXPECT_EQ(server.requests().last().target, "/items?k=" + c.expected);
        EXPECT_FALSE(outcome.printed.contains("sek-")) << outcome.printed.toStdString();
        EXPECT_FALSE(outcome.printed.contains("warning"));
    }

    // None given: the request goes with the placeholder emptied, and a warning names the
    // variable (and how to give it), never a value.
    const Outcome missing = run({u"send"_s, requestFile, u"-e"_s, environment});
    EXPECT_EQ(lastKey(), "");
    EXPECT_TRUE(missing.printed.contains(
        "warning: the secret variable \"api-key\" has no value (set MAKO_SECRET_API_KEY"))
        << missing.printed.toStdString();
    EXPECT_FALSE(missing.printed.contains("kept-elsewhere"));
}

// An imported environment's secrets, a backup or a collection written from the data folder:
// each says which secrets it holds without their values.
TEST_F(CliSecrets, importsAndExportsNameTheSecretsTheyLeaveOut)
{
    const QString postman = file(u"team.postman_environment.json"_s,
        R"({"name": "Team", "values": [{"key": "token", "value": "sek-import-5", "type": "secret"},
            {"key": "base", "value": "https://api.test"}]})");
    const Outcome imported
        = run({u"import"_s, postman, u"--data-dir"_s, sandbox.filePath(u"imported"_s)});
    EXPECT_EQ(imported.status, 0) << imported.printed.toStdString();
    EXPECT_TRUE(imported.printed.contains("mako-cli import: secret values left out: token:"))
        << imported.printed.toStdString();
    QFile stored(sandbox.filePath(u"imported/environments.json"_s));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray storedBytes = stored.readAll();
    EXPECT_TRUE(storedBytes.contains("api.test"));
    EXPECT_FALSE(storedBytes.contains("sek-import-5") || imported.printed.contains("sek-"));

    QDir(sandbox.path()).mkpath(u"app"_s);
    const APIEnvironment staging {
        .name = u"Staging"_s, .variables = {KeyValuePair {.key = u"token"_s, .isSecret = true}}};
    Collection api {.name = u"API"_s};
    api.variables = {KeyValuePair {.key = u"clientKey"_s, .isSecret = true},
        KeyValuePair {.key = u"plain"_s, .value = u"p"_s}};
    file(u"app/environments.json"_s, encodeRecords(QList {staging}));
    file(u"app/globals.json"_s,
        encodeRecords(QList {KeyValuePair {.key = u"apiKey"_s, .isSecret = true}}));
    file(u"app/collections.json"_s, encodeRecords(QList {api}));
    const QStringList dataDir {u"--data-dir"_s, sandbox.filePath(u"app"_s)};

    const Outcome backup = run(QStringList {u"export"_s, u"--backup"_s} + dataDir);
    EXPECT_EQ(backup.status, 0);
    EXPECT_TRUE(backup.printed.contains(
        "mako-cli export: left out (secret values): apiKey, token, clientKey\n"))
        << backup.printed.toStdString();
    for (const QStringList& form : {QStringList {}, QStringList {u"--postman"_s}}) {
        const Outcome collection
            = run(QStringList {u"export"_s, u"--collection"_s, u"API"_s} + form + dataDir);
        EXPECT_EQ(collection.status, 0);
        EXPECT_TRUE(
            collection.printed.contains("mako-cli export: left out (secret values): clientKey\n"))
            << collection.printed.toStdString();
    }
}
