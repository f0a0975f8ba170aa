#include "staterun.h"

#include <QDir>
#include <QTest>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QHash<QString, QByteArray> kStoredFiles {
    {kCollectionsFile, encodeRecords(QList<Collection> {Collection {.name = u"API"_s}})},
    {kEnvironmentsFile,
        encodeRecords(QList<APIEnvironment> {APIEnvironment {.name = u"Dev"_s, .isActive = true},
            APIEnvironment {.name = u"Prod"_s}})},
    {kHistoryFile, encodeRecords(QList<HistoryItem> {HistoryItem {.statusCode = 204}})},
};

} // namespace

TEST(AppState, firstLaunchCreatesTheFolderAndStartsEmptyWithoutAlert)
{
    StateRun run({.waitForLoad = false});
    EXPECT_FALSE(run.state.didLoad());
    ASSERT_TRUE(waitUntilLoaded(run.state));
    EXPECT_TRUE(QDir(run.folder.path()).exists());
    EXPECT_TRUE(run.state.collections().isEmpty() && run.state.environments().isEmpty()
        && run.state.history().isEmpty());
    EXPECT_FALSE(run.state.alertMessage().has_value());
    EXPECT_TRUE(run.folder.fileNames().isEmpty());
}

// A file that fails to load is reported, copied aside before its first save, and does not keep
// the other files from loading (they would otherwise be replaced by empty lists on the next
// save).
TEST(AppState, fileThatFailsToLoadIsKeptAsideAndTheOthersStillLoad)
{
    const struct {
        QString fileName;
        QByteArray content;
        QList<qsizetype> loaded; // collections, environments, history
    } cases[] = {
        {kCollectionsFile, "[{\"name\":", {0, 2, 1}},
        {kCollectionsFile, "", {0, 2, 1}},
        {kEnvironmentsFile, "[{\"id\":\"x\"}]", {1, 0, 1}},
        {kHistoryFile, "{}", {1, 2, 0}},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.fileName.toStdString() + " holding " + broken.content.toStdString());
        QHash<QString, QByteArray> files = kStoredFiles;
        files[broken.fileName] = broken.content;
        StateRun run({.files = files});
        EXPECT_TRUE(run.alert().startsWith(u"Failed to load data: "_s))
            << run.alert().toStdString();
        const QStringList kept = run.folder.fileNames().filter(broken.fileName + u".unreadable-"_s);
        ASSERT_EQ(kept.size(), 1) << run.folder.fileNames().join(u' ').toStdString();
        EXPECT_TRUE(run.alert().contains(kept[0])) << run.alert().toStdString();
        EXPECT_EQ(run.folder.mode(kept[0]), 0600u);
        EXPECT_EQ((QList<qsizetype> {run.state.collections().size(),
                      run.state.environments().size(), run.state.history().size()}),
            broken.loaded);

        // Still ready after a failed load: edits are saved, and the kept copy stays.
        run.state.addEnvironment(u"New"_s);
        run.state.clearHistory();
        run.state.saveCollections();
        EXPECT_EQ(run.stored<APIEnvironment>(kEnvironmentsFile).size(), broken.loaded[1] + 1);
        EXPECT_EQ(run.folder.read(kHistoryFile), "[]");
        EXPECT_EQ(run.folder.read(kept[0]), broken.content);
    }
}

// Neither the lists the load assigns nor the global variables are written back; a burst of
// edits is written once, after it ends.
TEST(AppState, onlyEditsAreAutoSavedAndABurstOnceWithTheLastValue)
{
    StateRun run({.files = kStoredFiles, .autoSaveDelay = 200ms});
    run.state.setGlobalVariables({KeyValuePair {.key = u"host"_s, .value = u"a"_s}});
    for (int edit = 0; edit < 10; ++edit) {
        QList<Collection> collections = run.state.collections();
        collections[0].name = u"edit %1"_s.arg(edit);
        run.state.setCollections(collections);
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(run.writes.wait(5000));
    EXPECT_EQ(run.writes.at(0).at(0).toString(), kCollectionsFile);
    EXPECT_EQ(run.storedCollections().at(0).name, u"edit 9"_s);
    EXPECT_FALSE(run.writes.wait(600));
    EXPECT_EQ(run.writes.size(), 1);
}

TEST(AppState, environmentOperationsSaveAndKeepOneActive)
{
    StateRun run({.files = kStoredFiles});
    const QUuid dev = run.state.environments()[0].id;
    run.state.addEnvironment(QString());
    run.state.setActiveEnvironment(run.state.environments()[1].id);
    run.state.deleteEnvironment(run.state.environments()[1].id);

    const auto onDisk = run.stored<APIEnvironment>(kEnvironmentsFile);
    ASSERT_EQ(onDisk.size(), 2);
    EXPECT_EQ(onDisk[0].id, dev);
    EXPECT_FALSE(onDisk[0].isActive);
    // The new one: inactive, with one blank enabled row.
    EXPECT_FALSE(onDisk[1].isActive);
    ASSERT_EQ(onDisk[1].variables.size(), 1);
    EXPECT_TRUE(onDisk[1].variables[0].key.isEmpty() && onDisk[1].variables[0].isEnabled);
}

// The load's reply needs the event loop, so these additions come before the files are read
// back; writing them at once would replace the stored records on disk.
TEST(AppState, additionsMadeWhileLoadingJoinTheStoredRecords)
{
    StateRun run({.files = kStoredFiles, .waitForLoad = false});
    run.state.addEnvironment(u"Early"_s);
    run.state.addHistoryItem(APIRequest {.url = u"https://early.test"_s}, 200, 0.1);
    ASSERT_TRUE(waitUntilLoaded(run.state));

    const auto environments = run.stored<APIEnvironment>(kEnvironmentsFile);
    ASSERT_EQ(environments.size(), 3);
    EXPECT_EQ(environments[2].name, u"Early"_s);
    EXPECT_EQ(encodeRecords(environments), encodeRecords(run.state.environments()));
    const auto history = run.stored<HistoryItem>(kHistoryFile);
    ASSERT_EQ(history.size(), 2);
    EXPECT_EQ(history[0].request.url, u"https://early.test"_s);
    EXPECT_EQ(history[1].statusCode, 204);
    EXPECT_EQ(run.writes.size(), 2);
}

TEST(AppState, historyAddedWhileLoadingKeepsTheRetentionLimit)
{
    StateRun run({.files = kStoredFiles, .waitForLoad = false});
    run.settings.setValue(SettingKeys::historyRetention, 1);
    run.state.addHistoryItem(APIRequest {.url = u"https://early.test"_s}, 200, 0.1);
    ASSERT_TRUE(waitUntilLoaded(run.state));
    ASSERT_EQ(run.state.history().size(), 1);
    EXPECT_EQ(run.state.history()[0].request.url, u"https://early.test"_s);
}
