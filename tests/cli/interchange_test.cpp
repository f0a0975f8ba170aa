#include "clitestsupport.h"
#include "model/recordjson.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace mako;
using namespace mako::test;

TEST(CliConvert, curlAndNativeRequestsBecomeRequestsOrCode)
{
    QTemporaryDir sandbox;
    const APIRequest stored {
        .name = u"Stored"_s, .url = u"https://api.test/items"_s, .method = HTTPMethod::put};
    const QString requestFile
        = writeFile(sandbox, u"request.json"_s, writeJson(toJson(stored), JsonStyle::Pretty));
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
    };
    for (const Case& c : cases) {
        const CliOutcome outcome = runCli(sandbox, c.arguments, c.input);
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.contains(c.expected)) << outcome.out.toStdString();
    }

    const CliOutcome native = runCli(sandbox, {u"convert"_s, curl});
    const auto request = fromJson<APIRequest>(native.json());
    ASSERT_TRUE(request.ok()) << native.out.toStdString();
    EXPECT_EQ(request->method, HTTPMethod::post);
    EXPECT_EQ(request->bodyType, RequestBodyType::json);
    EXPECT_EQ(request->headers.first().key, u"Accept"_s);
}

TEST(CliData, importAddsToTheDataFilesAndExportWritesThemBack)
{
    QTemporaryDir sandbox;
    const QString data = sandbox.filePath(u"app"_s);
    const Collection demo {
        .name = u"Demo"_s, .requests = {APIRequest {.url = u"https://x.test"_s}}};
    const QString collectionFile
        = writeFile(sandbox, u"Demo.json"_s, writeJson(toJson(demo), JsonStyle::Pretty));
    const QString postman
        = QStringLiteral(MAKO_TEST_DATA_DIR "/postman/staging.postman_environment.json");

    for (const QString& file : {collectionFile, postman}) {
        const CliOutcome imported = runCli(sandbox, {u"import"_s, u"--data-dir"_s, data, file});
        EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    }
    const CliOutcome exported
        = runCli(sandbox, {u"export"_s, u"--data-dir"_s, data, u"--collection"_s, u"Demo"_s});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out, writeJson(toJson(demo), JsonStyle::Pretty) + '\n');

    const QString backupFile = sandbox.filePath(u"backup.json"_s);
    ASSERT_EQ(
        runCli(sandbox, {u"export"_s, u"--backup"_s, u"--data-dir"_s, data, u"-o"_s, backupFile})
            .status,
        0);
    QFile backupBytes(backupFile);
    ASSERT_TRUE(backupBytes.open(QIODevice::ReadOnly));
    const QJsonObject backup = parseJson(backupBytes.readAll())->toObject();
    EXPECT_EQ(backup[u"collections"_s].toArray().size(), 1);
    EXPECT_EQ(backup[u"environments"_s][0][u"name"_s].toString(), u"Staging"_s);

    // Into a folder whose collections file is damaged: the damaged file is kept aside, the
    // backup's lists replace the files, and the message says so.
    const QString other = sandbox.filePath(u"other"_s);
    QDir().mkpath(other);
    writeFile(sandbox, u"other/collections.json"_s, "[{\"half");
    const CliOutcome restored
        = runCli(sandbox, {u"import"_s, u"--json"_s, u"--data-dir"_s, other, backupFile});
    EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_TRUE(restored.err.contains("kept as collections.json.unreadable-"))
        << restored.err.toStdString();
    EXPECT_EQ(restored.json()[u"kind"_s].toString(), u"Mako backup"_s);
    EXPECT_EQ(QDir(other).entryList({u"collections.json.unreadable-*"_s}).size(), 1);
    const CliOutcome again = runCli(
        sandbox, {u"export"_s, u"--data-dir"_s, other, u"--collection"_s, demo.id.toString()});
    EXPECT_EQ(again.out, exported.out);
}
