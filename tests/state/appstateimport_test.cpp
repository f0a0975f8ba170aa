#include "interchange/collectionexporter.h"
#include "state/oauth2tokens.h"
#include "staterun.h"

#include <QTest>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QString postmanFixture(const QString& name)
{
    return QStringLiteral(MAKO_TEST_DATA_DIR "/postman/") + name;
}

// Collects the lines printed as diagnostics while it lives.
struct Diagnostics {
    Diagnostics()
    {
        s_lines.clear();
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& line) {
            s_lines.append(line);
        });
    }
    ~Diagnostics() { qInstallMessageHandler(nullptr); }
    static inline QStringList s_lines;
};

// Runs a file operation and waits for it to end and for every save it asked for.
bool finish(StateRun& run, const std::function<void(AppState&)>& operation)
{
    QSignalSpy finished(&run.state, &AppState::fileOperationFinished);
    operation(run.state);
    return finished.wait(20000) && waitUntilIdle(run.persistence);
}

template <typename T> QStringList names(const QList<T>& records)
{
    QStringList names;
    for (const T& record : records)
        names.append(record.name);
    return names;
}

const QList<APIEnvironment> kOldEnvironments {APIEnvironment {.name = u"Old"_s}};
const QList<KeyValuePair> kOldGlobals {KeyValuePair {.key = u"old"_s}};
const QHash<QString, QByteArray> kOldFiles {
    {kCollectionsFile, encodeRecords(QList<Collection> {Collection {.name = u"Old"_s}})},
    {kEnvironmentsFile, encodeRecords(kOldEnvironments)},
    {kHistoryFile, encodeRecords(QList<HistoryItem> {HistoryItem {.statusCode = 500}})},
    {kGlobalVariablesFile, encodeRecords(kOldGlobals)},
};

} // namespace

TEST(AppStateImport, importsAppendAndSaveOrAlertAndACollectionImportIsReported)
{
    const auto collection = &AppState::importPostmanCollection;
    const auto environment = &AppState::importPostmanEnvironment;
    using Kind = PostmanImporter::LeftOutKind;
    const struct {
        void (AppState::*import)(const QString&);
        QString file;
        QStringList collections, environments;
        QString alert;
        QList<Kind> leftOut = {}; // a collection import's report: what it left out, by kind
    } cases[] = {
        // Imported: what could not come along is a report, not an error.
        {collection, u"shop-api.postman_collection.json"_s, {u"Shop API"_s}, {u"Shop API"_s}, {},
            {Kind::disabledRow, Kind::file}},
        {collection, u"legacy-v20.postman_collection.json"_s, {u"Legacy Billing"_s}, {}, {}},
        {environment, u"staging.postman_environment.json"_s, {}, {u"Staging"_s}, {}},
        {environment, u"missing.json"_s, {}, {}, u"Failed to import Postman environment: "_s},
        {collection, u"staging.postman_environment.json"_s, {}, {},
            u"Failed to import Postman collection: "_s},
        {&AppState::importMakoCollection, u"shop-api.postman_collection.json"_s, {}, {},
            u"Failed to import collection: "_s},
        // Other tools' files go through the same command, told by their contents, and bring
        // their environments.
        {collection, u"../openapi/bookshelf-3.0.yaml"_s, {u"Bookshelf API"_s}, {u"Bookshelf API"_s},
            {},
            {Kind::otherPart, Kind::disabledRow, Kind::authorisation, Kind::otherPart,
                Kind::otherPart, Kind::file, Kind::disabledRow}},
        {collection, u"../har/checkout.har"_s, {u"Checkout - Corner Shop"_s}, {}, {},
            {Kind::file, Kind::unsupportedMethod}},
        {collection, u"../insomnia/garden-v4.json"_s, {u"Garden API"_s},
            {u"Garden API"_s, u"Garden API / Staging"_s}, {},
            {Kind::authorisation, Kind::otherPart, Kind::file, Kind::disabledRow, Kind::disabledRow,
                Kind::unsupportedMethod}},
        {collection, u"../openapi/unsupported-4.0.yaml"_s, {}, {},
            u"Failed to import OpenAPI document: "_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        StateRun run;
        ASSERT_TRUE(
            finish(run, [&](AppState& state) { (state.*c.import)(postmanFixture(c.file)); }));
        EXPECT_EQ(names(run.state.collections()), c.collections);
        EXPECT_EQ(names(run.state.environments()), c.environments);
        for (const APIEnvironment& environment : run.state.environments())
            EXPECT_TRUE(!environment.isActive && !environment.variables.isEmpty());
        EXPECT_TRUE(run.alert().startsWith(c.alert)) << run.alert().toStdString();
        if (!c.collections.isEmpty() || !c.environments.isEmpty()) {
            EXPECT_EQ(run.state.alertMessage().has_value(), !c.alert.isEmpty());
            EXPECT_EQ(run.alert(), c.alert);
            EXPECT_EQ(names(run.storedCollections()), c.collections);
            EXPECT_EQ(encodeRecords(run.stored<APIEnvironment>(kEnvironmentsFile)),
                encodeRecords(run.state.environments()));
        }
        if (c.import == collection && c.alert.isEmpty()) {
            ASSERT_TRUE(run.state.importReport().has_value());
            const AppState::ImportReport& report = *run.state.importReport();
            const Collection& imported = run.state.collections().constFirst();
            EXPECT_EQ(report.collectionName, imported.name);
            EXPECT_EQ(report.requestCount, imported.requests.size());
            EXPECT_EQ(report.folderCount, imported.folders.size());
            EXPECT_EQ(report.leftOutKinds, c.leftOut);
            EXPECT_EQ(report.leftOut.size(), c.leftOut.size());
        } else if (c.collections.isEmpty() && c.environments.isEmpty()) {
            EXPECT_GT(run.alert().size(), c.alert.size());
            EXPECT_TRUE(run.folder.fileNames().isEmpty());
        }
    }
}

TEST(AppStateImport, collectionFileRoundTripsAndReportsFailures)
{
    StateRun from({.files = {{kCollectionsFile,
                       encodeRecords(QList<Collection> {Collection {.name = u"Demo"_s,
                           .requests = {APIRequest {.url = u"https://a.test"_s}}}})}}});
    const Collection demo = from.state.collections().at(0);
    const QString file = from.folder.filePath(u"Demo.json"_s);
    ASSERT_TRUE(finish(from, [&](AppState& state) { state.exportCollection(demo.id, file); }));
    EXPECT_EQ(from.folder.read(u"Demo.json"_s), CollectionExporter::exportCollection(demo));
    ASSERT_TRUE(finish(from, [&](AppState& state) {
        state.exportCollection(demo.id, from.folder.filePath(u"no/such/folder/Demo.json"_s));
    }));
    EXPECT_TRUE(from.alert().startsWith(u"Export failed: "_s)) << from.alert().toStdString();

    StateRun into;
    // The first copy keeps its ids; a second one beside it gets its own, folders following.
    for (int copy = 0; copy < 2; ++copy)
        ASSERT_TRUE(finish(into, [&](AppState& state) { state.importMakoCollection(file); }));
    const auto stored = into.storedCollections();
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(CollectionExporter::exportCollection(stored[0]), from.folder.read(u"Demo.json"_s));
    EXPECT_NE(stored[1].id, demo.id);
    EXPECT_NE(stored[1].requests.at(0).id, demo.requests.at(0).id);
    EXPECT_EQ(stored[1].requests.at(0).url, u"https://a.test"_s);
}

TEST(AppStateImport, backupExportWritesTheSavedFilesOrReportsTwice)
{
    StateRun run({.files = kOldFiles});
    Diagnostics diagnostics;
    run.state.addEnvironment(u"Saved just now"_s);
    ASSERT_TRUE(finish(run,
        [&](AppState& state) { state.exportAllData(run.folder.filePath(u"mako-backup.json"_s)); }));
    const auto backup = CollectionExporter::readBackup(run.folder.read(u"mako-backup.json"_s));
    ASSERT_TRUE(backup.ok()) << backup.errorMessage().toStdString();
    EXPECT_EQ(backup->collections->at(0).name, u"Old"_s);
    EXPECT_EQ(backup->environments->size(), 2);
    EXPECT_EQ(backup->history->at(0).statusCode, 500);
    EXPECT_EQ(backup->globalVariables, kOldGlobals);
    EXPECT_TRUE(diagnostics.s_lines.isEmpty());

    ASSERT_TRUE(finish(run, [&](AppState& state) {
        state.exportAllData(run.folder.filePath(u"no/such/folder/mako-backup.json"_s));
    }));
    EXPECT_TRUE(run.alert().startsWith(u"Export failed: "_s)) << run.alert().toStdString();
    EXPECT_EQ(diagnostics.s_lines, QStringList {run.alert()});
}

// The lists held in memory are replaced with the files, so an auto-save that was waiting when
// the backup came in, or one the load would have made, writes the imported data, not the old.
TEST(AppStateImport, backupImportReplacesStateAndFilesOrChangesNothing)
{
    const QList<Collection> imported {Collection {.name = u"Imported"_s}};
    const QList<KeyValuePair> importedGlobals {KeyValuePair {.key = u"new"_s}};
    const QByteArray backup
        = CollectionExporter::makeBackup({.collections = imported,
                                             .environments = {},
                                             .history = {},
                                             .globalVariables = importedGlobals},
            QDateTime());
    QByteArray withoutHistory = backup;
    withoutHistory.replace("\"history\"", "\"ignored\"");
    // As a backup written before the global variables were kept.
    QByteArray older = backup;
    older.replace("\"globalVariables\"", "\"ignored\"");
    const struct {
        const char* name;
        QByteArray content;
        bool beforeLoad;
        bool valid;
    } cases[] = {
        {"after an edit", backup, false, true},
        {"while loading", backup, true, true},
        {"without history", withoutHistory, false, true},
        {"an older backup", older, false, true},
        {"bad environments", R"({"collections":[],"environments":[{"id":1}]})", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QHash<QString, QByteArray> files = kOldFiles;
        files.insert(u"backup.json"_s, c.content);
        StateRun run({.files = files, .autoSaveDelay = 100ms, .waitForLoad = !c.beforeLoad});
        Diagnostics diagnostics;
        if (!c.beforeLoad) {
            run.state.renameCollection(run.state.collections()[0].id, u"Edited"_s);
            run.state.saveCollections();
        }
        ASSERT_TRUE(finish(run,
            [&](AppState& state) { state.importAllData(run.folder.filePath(u"backup.json"_s)); }));
        QTest::qWait(300);

        const auto collections = run.storedCollections();
        const auto history = run.stored<HistoryItem>(kHistoryFile);
        if (c.valid) {
            EXPECT_FALSE(run.state.alertMessage().has_value()) << run.alert().toStdString();
            ASSERT_EQ(collections.size(), 1);
            EXPECT_EQ(collections[0].id, imported[0].id);
            EXPECT_EQ(run.state.collections().size(), 1);
            EXPECT_TRUE(run.stored<APIEnvironment>(kEnvironmentsFile).isEmpty());
            EXPECT_EQ(history.size(), c.content == withoutHistory ? 1 : 0);
            EXPECT_EQ(run.state.history().size(), history.size());
            const auto globals = c.content == older ? kOldGlobals : importedGlobals;
            EXPECT_EQ(run.state.globalVariables(), globals);
            EXPECT_EQ(run.stored<KeyValuePair>(kGlobalVariablesFile), globals);
        } else {
            EXPECT_TRUE(run.alert().startsWith(u"Import failed: environments"_s))
                << run.alert().toStdString();
            EXPECT_EQ(diagnostics.s_lines, QStringList {run.alert()});
            EXPECT_EQ(collections.at(0).name, u"Edited"_s);
            EXPECT_EQ(encodeRecords(run.state.environments()), encodeRecords(kOldEnvironments));
            EXPECT_EQ(history.size(), 1);
            EXPECT_EQ(run.state.globalVariables(), kOldGlobals);
        }
    }
}

// A Postman collection's OAuth 2.0 client secret and token reach the vault, and no data file.
TEST(AppStateImport, oauth2SecretsGoToTheVaultAndNotToTheFiles)
{
    StateRun run;
    ASSERT_TRUE(finish(run, [](AppState& state) {
        state.importPostmanCollection(postmanFixture(u"payments-api.postman_collection.json"_s));
    }));
    const auto requests = run.state.collections().value(0).requests;
    const auto keys = std::ranges::find(requests, u"Partner keys"_s, &APIRequest::name);
    ASSERT_NE(keys, requests.end());
    EXPECT_EQ(run.state.oauth2Tokens().clientSecret(keys->oauth2), u"pa-secret-9"_s);
    EXPECT_EQ(run.state.oauth2Tokens().kept(keys->oauth2).value_or(OAuth2Token {}).accessToken,
        u"kept-at-1"_s);
    const QByteArray collections = run.folder.read(kCollectionsFile);
    EXPECT_TRUE(collections.contains("partners-app"));
    EXPECT_FALSE(collections.contains("pa-secret-9"));
    EXPECT_FALSE(collections.contains("kept-at-1"));
}
