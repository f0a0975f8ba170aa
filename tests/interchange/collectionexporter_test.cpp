#include "interchange/collectionexporter.h"
#include "model/recordjson.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

Collection demo()
{
    APIRequest request {.name = u"Get / users"_s,
        .url = u"https://h.test/users"_s,
        .body = u"ü"_s,
        .testScript = u"pm.test(\"ok\", () => {});"_s,
        .createdAt = 1.25,
        .updatedAt = 2.5};
    return Collection {.name = u"Demo"_s,
        .requests = {request},
        .folders = {CollectionFolder {
            .name = u"F"_s, .requestIDs = {request.id}, .preRequestScript = u"f()"_s}},
        .createdAt = 7.75,
        .variables = {KeyValuePair {.key = u"page"_s, .value = u"2"_s}},
        .preRequestScript = u"a()"_s,
        .testScript = u"b()"_s};
}

} // namespace

TEST(CollectionExporter, collectionFileRoundTripsWithItsId)
{
    const Collection collection = demo();
    const QByteArray bytes = CollectionExporter::exportCollection(collection);
    EXPECT_TRUE(bytes.startsWith("{\n  \"createdAt\" : 7.75,\n  \"folders\" : ["));
    EXPECT_TRUE(bytes.contains("\"url\" : \"https:\\/\\/h.test\\/users\""));
    const auto back = CollectionExporter::importCollection(bytes);
    ASSERT_TRUE(back.ok()) << back.errorMessage().toStdString();
    EXPECT_EQ(back->id, collection.id);
    // Scripts and variables included.
    EXPECT_EQ(toJson(*back), toJson(collection));
    // A collection kept in a folder is exported whole, not as the data folder's reference.
    Collection inFolder = collection;
    inFolder.folderPath = u"/srv/team-api"_s;
    const auto whole
        = CollectionExporter::importCollection(CollectionExporter::exportCollection(inFolder));
    ASSERT_TRUE(whole.ok()) << whole.errorMessage().toStdString();
    EXPECT_EQ(toJson(*whole), toJson(collection));
    EXPECT_FALSE(CollectionExporter::importCollection("{\"name\": \"x\"}").ok());
    EXPECT_FALSE(CollectionExporter::importCollection("[").ok());

    for (const auto& [name, file] :
        QList<std::pair<QString, QString>> {{u"a/b: c?"_s, u"a-b- c-.json"_s},
            {u"..hidden"_s, u"hidden.json"_s}, {u" "_s, u"Collection.json"_s}})
        EXPECT_EQ(CollectionExporter::exportFileName(name), file);
}

TEST(CollectionExporter, backupHoldsTheFourListsAndReadsBackStrictly)
{
    const QDateTime at = QDateTime::fromString(u"2025-03-01T12:00:00.456Z"_s, Qt::ISODateWithMs);
    EXPECT_EQ(CollectionExporter::makeBackupFromFiles({}, at).value(),
        "{\n  \"collections\" : [],\n  \"environments\" : [],\n  \"exportedAt\" : "
        "\"2025-03-01T12:00:00Z\",\n  \"globalVariables\" : [],\n  \"history\" : [],\n  "
        "\"version\" : 1\n}");

    const Collection collection = demo();
    const HistoryItem item {
        .request = collection.requests.first(), .statusCode = 201, .timestamp = 3};
    const APIEnvironment environment {.name = u"Dev"_s, .isActive = true};
    const KeyValuePair global {.key = u"host"_s, .value = u"api.test"_s, .isEnabled = false};
    const auto contents = CollectionExporter::readBackup(
        CollectionExporter::makeBackup({{collection}, {environment}, {item}, {global}}, at));
    ASSERT_TRUE(contents.ok()) << contents.errorMessage().toStdString();
    EXPECT_EQ(toJson(contents->collections->first()), toJson(collection));
    EXPECT_EQ(contents->environments->first().variables, environment.variables);
    EXPECT_EQ(contents->history->first().request, item.request);
    EXPECT_EQ(contents->globalVariables, QList {global});

    // Only the lists present are read (a backup from before the global variables has none of
    // them); a bad member fails the whole file.
    const auto onlyHistory = CollectionExporter::readBackup(R"({"history": []})");
    ASSERT_TRUE(onlyHistory.ok());
    EXPECT_FALSE(onlyHistory->collections.has_value() || onlyHistory->environments.has_value()
        || onlyHistory->globalVariables.has_value());
    const auto onlyGlobals = CollectionExporter::readBackup(R"({"globalVariables": []})");
    ASSERT_TRUE(onlyGlobals.ok());
    EXPECT_EQ(onlyGlobals->globalVariables, QList<KeyValuePair> {});
    const auto bad
        = CollectionExporter::readBackup(R"({"collections": [], "environments": [{"name": 1}]})");
    ASSERT_FALSE(bad.ok());
    EXPECT_TRUE(bad.errorMessage().startsWith(u"environments[0]"_s))
        << bad.errorMessage().toStdString();
    for (const QByteArray& bytes : {QByteArray("[]"), QByteArray("{\"version\": 1}"),
             QByteArray("nope"), QByteArray(R"({"history": {}})"),
             QByteArray(R"({"history": [], "globalVariables": [{"key": "x"}]})")})
        EXPECT_FALSE(CollectionExporter::readBackup(bytes).ok()) << bytes.toStdString();
}

TEST(CollectionExporter, backupFromTheDataFilesAsSaved)
{
    const QDateTime at = QDateTime::currentDateTimeUtc();
    const QByteArray collections = encodeRecords(QList {demo()});
    const QByteArray globals = encodeRecords(QList {KeyValuePair {.key = u"token"_s}});
    const auto withFile = CollectionExporter::makeBackupFromFiles(
        {.collections = collections, .globalVariables = globals}, at);
    ASSERT_TRUE(withFile.ok());
    const auto read = CollectionExporter::readBackup(withFile.value());
    EXPECT_EQ(read->collections->size(), 1);
    ASSERT_EQ(read->globalVariables->size(), 1);
    EXPECT_EQ(read->globalVariables->first().key, u"token"_s);

    for (const auto& [files, name] :
        {std::pair {CollectionExporter::BackupFiles {
                        .collections = collections, .environments = QByteArray("[{}]")},
             u"environments.json: "_s},
            std::pair {CollectionExporter::BackupFiles {.globalVariables = QByteArray("{}")},
                u"globals.json: "_s}}) {
        const auto broken = CollectionExporter::makeBackupFromFiles(files, at);
        ASSERT_FALSE(broken.ok());
        EXPECT_TRUE(broken.errorMessage().startsWith(name)) << broken.errorMessage().toStdString();
    }
}
