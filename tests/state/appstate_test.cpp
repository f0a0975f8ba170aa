#include "model/recordjson.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "statetest.h"
#include "support/qtprinters.h"
#include "support/tempappfolder.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto kShortDelay = 100ms;

// One application run against a temporary folder.
struct AppRun {
    explicit AppRun(const TempAppFolder& folder, std::chrono::milliseconds delay = kShortDelay)
        : persistence(folder.path())
        , settings(folder.settingsFile())
        , state(&persistence, &settings, nullptr, delay)
        , writes(&persistence, &PersistenceService::saveFinished)
    { }

    PersistenceService persistence;
    Settings settings;
    AppState state;
    QSignalSpy writes;
};

const QByteArray kEnvironments = encodeRecords(QList<APIEnvironment> {
    APIEnvironment {.name = u"Dev"_s, .isActive = true}, APIEnvironment {.name = u"Prod"_s}});
const QByteArray kHistory = encodeRecords(QList<HistoryItem> {HistoryItem {.statusCode = 204}});
const QByteArray kCollections = encodeRecords(QList<Collection> {Collection {.name = u"API"_s}});

} // namespace

TEST(AppState, firstLaunchCreatesTheFolderAndStartsEmptyWithoutAlert)
{
    TempAppFolder folder;
    ASSERT_FALSE(QDir(folder.path()).exists());
    AppRun run(folder);
    EXPECT_FALSE(run.state.didLoad());
    EXPECT_EQ(run.state.selectedSidebarItem(), AppState::SidebarItem::history());
    ASSERT_TRUE(waitUntilLoaded(run.state));
    EXPECT_TRUE(QDir(folder.path()).exists());
    EXPECT_TRUE(run.state.collections().isEmpty());
    EXPECT_TRUE(run.state.environments().isEmpty());
    EXPECT_TRUE(run.state.history().isEmpty());
    EXPECT_FALSE(run.state.alertMessage().has_value());
    EXPECT_TRUE(folder.fileNames().isEmpty());
}

// A file that fails to load is reported, copied aside before its first save, and does not keep
// the other files from loading (they would otherwise be replaced by empty lists on the next
// save).
TEST(AppState, fileThatFailsToLoadIsKeptAsideAndTheOthersStillLoad)
{
    const struct {
        QString fileName;
        QByteArray content;
    } cases[] = {
        {PersistenceService::kCollectionsFile, "[{\"name\":"},
        {PersistenceService::kCollectionsFile, ""},
        {PersistenceService::kEnvironmentsFile, "[{\"id\":\"x\"}]"},
        {PersistenceService::kHistoryFile, "{}"},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.fileName.toStdString() + " holding " + broken.content.toStdString());
        TempAppFolder folder;
        folder.write(PersistenceService::kCollectionsFile, kCollections);
        folder.write(PersistenceService::kEnvironmentsFile, kEnvironments);
        folder.write(PersistenceService::kHistoryFile, kHistory);
        folder.write(broken.fileName, broken.content);

        AppRun run(folder);
        ASSERT_TRUE(waitUntilLoaded(run.state));
        const QString alert = run.state.alertMessage().value_or(QString());
        EXPECT_TRUE(alert.startsWith(u"Failed to load data: "_s)) << alert.toStdString();
        const QStringList kept = folder.fileNames().filter(broken.fileName + u".unreadable-"_s);
        ASSERT_EQ(kept.size(), 1) << folder.fileNames().join(u' ').toStdString();
        EXPECT_TRUE(alert.contains(kept[0])) << alert.toStdString();
        EXPECT_EQ(folder.read(kept[0]), broken.content);
        EXPECT_EQ(folder.mode(kept[0]), 0600u);

        const bool collectionsOk = broken.fileName != PersistenceService::kCollectionsFile;
        const bool environmentsOk = broken.fileName != PersistenceService::kEnvironmentsFile;
        const bool historyOk = broken.fileName != PersistenceService::kHistoryFile;
        EXPECT_EQ(run.state.collections().size(), collectionsOk ? 1 : 0);
        EXPECT_EQ(run.state.environments().size(), environmentsOk ? 2 : 0);
        EXPECT_EQ(run.state.history().size(), historyOk ? 1 : 0);

        // Still ready after a failed load: edits are saved, and the kept copy stays.
        run.state.addEnvironment(u"New"_s);
        run.state.clearHistory();
        run.state.saveCollections();
        ASSERT_TRUE(waitUntilIdle(run.persistence));
        EXPECT_EQ(decodeRecords<APIEnvironment>(folder.read(PersistenceService::kEnvironmentsFile))
                      ->size(),
            environmentsOk ? 3 : 1);
        EXPECT_EQ(folder.read(kept[0]), broken.content);
    }
}

TEST(AppState, loadAssignmentsAndGlobalVariablesCauseNoAutoSave)
{
    TempAppFolder folder;
    folder.write(PersistenceService::kCollectionsFile, kCollections);
    folder.write(PersistenceService::kEnvironmentsFile, kEnvironments);
    AppRun run(folder);
    ASSERT_TRUE(waitUntilLoaded(run.state));
    run.state.setGlobalVariables({KeyValuePair {.key = u"host"_s, .value = u"a"_s}});
    QTest::qWait(int(3 * kShortDelay.count()));
    ASSERT_TRUE(waitUntilIdle(run.persistence));
    EXPECT_EQ(run.writes.size(), 0);
}

TEST(AppState, burstOfEditsIsAutoSavedOnceWithTheLastValue)
{
    TempAppFolder folder;
    AppRun run(folder, 200ms);
    ASSERT_TRUE(waitUntilLoaded(run.state));
    QSignalSpy changes(&run.state, &AppState::collectionsChanged);
    for (int edit = 0; edit < 10; ++edit) {
        QList<Collection> collections = run.state.collections();
        if (collections.isEmpty())
            collections.append(Collection {});
        collections[0].name = u"edit %1"_s.arg(edit);
        run.state.setCollections(collections);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(changes.size(), 10);
    ASSERT_TRUE(run.writes.wait(5000));
    EXPECT_EQ(run.writes.at(0).at(0).toString(), PersistenceService::kCollectionsFile);
    EXPECT_EQ(
        decodeRecords<Collection>(folder.read(PersistenceService::kCollectionsFile))->at(0).name,
        u"edit 9"_s);
    EXPECT_FALSE(run.writes.wait(600));
    EXPECT_EQ(run.writes.size(), 1);
}

TEST(AppState, environmentOperationsSaveAndKeepOneActive)
{
    TempAppFolder folder;
    folder.write(PersistenceService::kEnvironmentsFile, kEnvironments);
    AppRun run(folder, 1h);
    ASSERT_TRUE(waitUntilLoaded(run.state));
    const QUuid dev = run.state.environments()[0].id;
    const QUuid prod = run.state.environments()[1].id;
    // Through the property system, as a binding would write it.
    QSignalSpy globalsChanged(&run.state, &AppState::globalVariablesChanged);
    run.state.setProperty("globalVariables",
        QVariant::fromValue(QList<KeyValuePair> {KeyValuePair {.key = u"g"_s, .value = u"1"_s}}));
    EXPECT_EQ(globalsChanged.size(), 1);
    EXPECT_TRUE(run.state.property("didLoad").toBool());

    run.state.addEnvironment(QString());
    const APIEnvironment added = run.state.environments().last();
    EXPECT_TRUE(added.name.isEmpty());
    EXPECT_FALSE(added.isActive);
    ASSERT_EQ(added.variables.size(), 1);
    EXPECT_TRUE(added.variables[0].key.isEmpty() && added.variables[0].value.isEmpty());
    EXPECT_TRUE(added.variables[0].isEnabled);

    run.state.setActiveEnvironment(prod);
    EXPECT_EQ(run.state.activeEnvironment()->id, prod);
    EXPECT_EQ(run.state.mergedEnvironment()->name, u"Prod"_s);
    EXPECT_EQ(run.state.mergedEnvironment()->variables[0].key, u"g"_s);
    run.state.deleteEnvironment(prod);
    EXPECT_FALSE(run.state.activeEnvironment().has_value());
    EXPECT_EQ(run.state.mergedEnvironment()->name, u"Global"_s);
    run.state.deleteEnvironment(QUuid::createUuid());
    ASSERT_TRUE(waitUntilIdle(run.persistence));

    const auto onDisk
        = decodeRecords<APIEnvironment>(folder.read(PersistenceService::kEnvironmentsFile));
    ASSERT_TRUE(onDisk.ok());
    ASSERT_EQ(onDisk->size(), 2);
    EXPECT_EQ(onDisk->at(0).id, dev);
    EXPECT_FALSE(onDisk->at(0).isActive);
    EXPECT_EQ(onDisk->at(1).id, added.id);
    EXPECT_GE(run.writes.size(), 1);
}

// The load's reply needs the event loop, so these additions come before the files are read
// back; writing them at once would replace the stored records on disk.
TEST(AppState, additionsMadeWhileLoadingJoinTheStoredRecords)
{
    TempAppFolder folder;
    folder.write(PersistenceService::kEnvironmentsFile, kEnvironments);
    folder.write(PersistenceService::kHistoryFile, kHistory);
    AppRun run(folder, 1h);
    run.state.addEnvironment(u"Early"_s);
    run.state.addHistoryItem(APIRequest {.url = u"https://early.test"_s}, 200, 0.1);
    ASSERT_TRUE(waitUntilLoaded(run.state));
    ASSERT_TRUE(waitUntilIdle(run.persistence));

    const auto environments
        = decodeRecords<APIEnvironment>(folder.read(PersistenceService::kEnvironmentsFile));
    ASSERT_TRUE(environments.ok());
    ASSERT_EQ(environments->size(), 3);
    EXPECT_EQ(environments->at(0).name, u"Dev"_s);
    EXPECT_EQ(environments->at(2).name, u"Early"_s);
    EXPECT_EQ(encodeRecords(environments.value()), encodeRecords(run.state.environments()));
    const auto history = decodeRecords<HistoryItem>(folder.read(PersistenceService::kHistoryFile));
    ASSERT_TRUE(history.ok());
    ASSERT_EQ(history->size(), 2);
    EXPECT_EQ(history->at(0).request.url, u"https://early.test"_s);
    EXPECT_EQ(history->at(1).statusCode, 204);
    EXPECT_EQ(run.writes.size(), 2);
}
