#include "interchange/collectionexporter.h"
#include "model/recordjson.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "statetest.h"
#include "support/qtprinters.h"
#include "support/tempappfolder.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QString postmanFixture(const QString& name)
{
    return QStringLiteral(MAKO_TEST_DATA_DIR "/postman/") + name;
}

// One application run against a temporary folder, with the lines it printed as diagnostics.
struct ImportRun {
    explicit ImportRun(const TempAppFolder& folder, std::chrono::milliseconds delay = 1h)
        : persistence(folder.path())
        , settings(folder.settingsFile())
        , state(&persistence, &settings, nullptr, delay)
    {
        s_diagnostics.clear();
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& line) {
            s_diagnostics.append(line);
        });
    }
    ~ImportRun() { qInstallMessageHandler(nullptr); }

    // Runs `operation` and waits for it to end and for every save it asked for.
    bool run(const std::function<void(AppState&)>& operation)
    {
        QSignalSpy finished(&state, &AppState::fileOperationFinished);
        operation(state);
        return finished.wait(20000) && waitUntilIdle(persistence);
    }
    QString alert() const { return state.alertMessage().value_or(QString()); }

    PersistenceService persistence;
    Settings settings;
    AppState state;
    static inline QStringList s_diagnostics;
};

// The records of a data file; none when it was never written.
template <typename T> QList<T> onDisk(const TempAppFolder& folder, const QString& fileName)
{
    if (!folder.fileNames().contains(fileName))
        return {};
    auto records = decodeRecords<T>(folder.read(fileName));
    EXPECT_TRUE(records.ok()) << fileName.toStdString();
    return records ? records.value() : QList<T> {};
}

const QList<Collection> kOldCollections {Collection {.name = u"Old"_s}};
const QList<APIEnvironment> kOldEnvironments {APIEnvironment {.name = u"Old"_s}};
const QList<HistoryItem> kOldHistory {HistoryItem {.statusCode = 500}};

void writeOldData(const TempAppFolder& folder)
{
    folder.write(PersistenceService::kCollectionsFile, encodeRecords(kOldCollections));
    folder.write(PersistenceService::kEnvironmentsFile, encodeRecords(kOldEnvironments));
    folder.write(PersistenceService::kHistoryFile, encodeRecords(kOldHistory));
}

} // namespace

TEST(AppStateImport, postmanImportsAppendAndSaveOrAlert)
{
    const struct {
        QString file;
        bool environment;
        QStringList collections, environments;
        QString alert;
    } cases[] = {
        {u"shop-api.postman_collection.json"_s, false, {u"Shop API"_s}, {u"Shop API"_s}, {}},
        {u"legacy-v20.postman_collection.json"_s, false, {u"Legacy Billing"_s}, {}, {}},
        {u"staging.postman_environment.json"_s, true, {}, {u"Staging"_s}, {}},
        {u"staging.postman_environment.json"_s, false, {}, {},
            u"Failed to import Postman collection: "_s},
        {u"missing.json"_s, true, {}, {}, u"Failed to import Postman environment: "_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        TempAppFolder folder;
        ImportRun app(folder);
        ASSERT_TRUE(waitUntilLoaded(app.state));
        ASSERT_TRUE(app.run([&](AppState& state) {
            if (c.environment)
                state.importPostmanEnvironment(postmanFixture(c.file));
            else
                state.importPostmanCollection(postmanFixture(c.file));
        }));
        QStringList collections, environments;
        for (const Collection& collection : app.state.collections())
            collections.append(collection.name);
        for (const APIEnvironment& environment : app.state.environments()) {
            environments.append(environment.name);
            EXPECT_FALSE(environment.isActive);
            EXPECT_FALSE(environment.variables.isEmpty());
        }
        EXPECT_EQ(collections, c.collections);
        EXPECT_EQ(environments, c.environments);
        if (c.alert.isEmpty()) {
            EXPECT_FALSE(app.state.alertMessage().has_value()) << app.alert().toStdString();
            EXPECT_EQ(onDisk<Collection>(folder, PersistenceService::kCollectionsFile).size(),
                c.collections.size());
            EXPECT_EQ(encodeRecords(
                          onDisk<APIEnvironment>(folder, PersistenceService::kEnvironmentsFile)),
                encodeRecords(app.state.environments()));
        } else {
            EXPECT_TRUE(app.alert().startsWith(c.alert)) << app.alert().toStdString();
            EXPECT_GT(app.alert().size(), c.alert.size());
            EXPECT_TRUE(folder.fileNames().isEmpty());
        }
    }
}

TEST(AppStateImport, collectionFileRoundTripsAndReportsFailures)
{
    TempAppFolder source;
    source.write(PersistenceService::kCollectionsFile,
        encodeRecords(QList<Collection> {Collection {.name = u"Demo"_s,
            .requests = {APIRequest {.name = u"Ping"_s, .url = u"https://a.test"_s}}}}));
    ImportRun from(source);
    ASSERT_TRUE(waitUntilLoaded(from.state));
    const Collection demo = from.state.collections().at(0);
    const QString file = source.filePath(u"Demo.json"_s);
    ASSERT_TRUE(from.run([&](AppState& state) { state.exportCollection(demo.id, file); }));
    EXPECT_EQ(source.read(u"Demo.json"_s), CollectionExporter::exportCollection(demo));
    ASSERT_TRUE(from.run([&](AppState& state) {
        state.exportCollection(demo.id, source.filePath(u"no/such/folder/Demo.json"_s));
    }));
    EXPECT_TRUE(from.alert().startsWith(u"Export failed: "_s)) << from.alert().toStdString();

    TempAppFolder target;
    ImportRun into(target);
    ASSERT_TRUE(waitUntilLoaded(into.state));
    // The first copy keeps its ids; a second one beside it gets its own, folders following.
    for (int copy = 0; copy < 2; ++copy)
        ASSERT_TRUE(into.run([&](AppState& state) { state.importMakoCollection(file); }));
    const auto stored = onDisk<Collection>(target, PersistenceService::kCollectionsFile);
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(CollectionExporter::exportCollection(stored[0]), source.read(u"Demo.json"_s));
    EXPECT_NE(stored[1].id, demo.id);
    EXPECT_NE(stored[1].requests.at(0).id, demo.requests.at(0).id);
    EXPECT_EQ(stored[1].requests.at(0).url, u"https://a.test"_s);

    ASSERT_TRUE(into.run([&](AppState& state) {
        state.importMakoCollection(postmanFixture(u"shop-api.postman_collection.json"_s));
    }));
    EXPECT_TRUE(into.alert().startsWith(u"Failed to import collection: "_s))
        << into.alert().toStdString();
    EXPECT_EQ(into.state.collections().size(), 2);
}

TEST(AppStateImport, backupExportWritesTheSavedFilesOrReportsTwice)
{
    TempAppFolder folder;
    writeOldData(folder);
    ImportRun app(folder);
    ASSERT_TRUE(waitUntilLoaded(app.state));
    app.state.addEnvironment(u"Saved just now"_s);
    ASSERT_TRUE(app.run(
        [&](AppState& state) { state.exportAllData(folder.filePath(u"mako-backup.json"_s)); }));
    const auto backup = CollectionExporter::readBackup(folder.read(u"mako-backup.json"_s));
    ASSERT_TRUE(backup.ok()) << backup.errorMessage().toStdString();
    EXPECT_EQ(backup->collections->at(0).name, u"Old"_s);
    EXPECT_EQ(backup->environments->size(), 2);
    EXPECT_EQ(backup->history->at(0).statusCode, 500);
    EXPECT_TRUE(app.s_diagnostics.isEmpty());

    ASSERT_TRUE(app.run([&](AppState& state) {
        state.exportAllData(folder.filePath(u"no/such/folder/mako-backup.json"_s));
    }));
    EXPECT_TRUE(app.alert().startsWith(u"Export failed: "_s)) << app.alert().toStdString();
    EXPECT_EQ(app.s_diagnostics, QStringList {app.alert()});
}

// The lists held in memory are replaced with the files, so an auto-save that was waiting when
// the backup came in, or one the load would have made, writes the imported data, not the old.
TEST(AppStateImport, backupImportReplacesStateAndFilesOrChangesNothing)
{
    const QList<Collection> imported {Collection {.name = u"Imported"_s}};
    const QByteArray backup = CollectionExporter::makeBackup(
        {.collections = imported, .environments = {}, .history = {}}, QDateTime());
    QByteArray withoutHistory = backup;
    withoutHistory.replace("\"history\"", "\"ignored\"");
    const struct {
        const char* name;
        QByteArray content;
        bool beforeLoad;
        QString alert;
    } cases[] = {
        {"after an edit", backup, false, {}},
        {"while loading", backup, true, {}},
        {"without history", withoutHistory, false, {}},
        {"top-level array", "[]", false, u"Import failed: "_s},
        {"bad environments", R"({"collections":[],"environments":[{"id":1}]})", false,
            u"Import failed: environments"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempAppFolder folder;
        writeOldData(folder);
        folder.write(u"backup.json"_s, c.content);
        ImportRun app(folder, 100ms);
        if (!c.beforeLoad) {
            ASSERT_TRUE(waitUntilLoaded(app.state));
            QList<Collection> edited = app.state.collections();
            edited[0].name = u"Edited"_s;
            app.state.setCollections(edited);
            app.state.saveCollections();
        }
        ASSERT_TRUE(app.run(
            [&](AppState& state) { state.importAllData(folder.filePath(u"backup.json"_s)); }));
        QTest::qWait(300);
        ASSERT_TRUE(waitUntilIdle(app.persistence));

        const auto collections = onDisk<Collection>(folder, PersistenceService::kCollectionsFile);
        const auto history = onDisk<HistoryItem>(folder, PersistenceService::kHistoryFile);
        if (c.alert.isEmpty()) {
            EXPECT_FALSE(app.state.alertMessage().has_value()) << app.alert().toStdString();
            ASSERT_EQ(collections.size(), 1);
            EXPECT_EQ(collections[0].id, imported[0].id);
            EXPECT_EQ(app.state.collections().size(), 1);
            EXPECT_TRUE(
                onDisk<APIEnvironment>(folder, PersistenceService::kEnvironmentsFile).isEmpty());
            EXPECT_EQ(history.size(), c.content == withoutHistory ? 1 : 0);
            EXPECT_EQ(app.state.history().size(), history.size());
        } else {
            EXPECT_TRUE(app.alert().startsWith(c.alert)) << app.alert().toStdString();
            EXPECT_EQ(app.s_diagnostics, QStringList {app.alert()});
            EXPECT_EQ(collections.at(0).name, u"Edited"_s);
            EXPECT_EQ(encodeRecords(app.state.environments()), encodeRecords(kOldEnvironments));
            EXPECT_EQ(history.size(), 1);
        }
    }
}
