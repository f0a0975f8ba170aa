#include "state/sidebaractions.h"
#include "staterun.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>

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

// A file that fails to load (a damaged session too) is reported, copied aside before its first
// save, and does not keep the other files from loading (they would otherwise be replaced by empty
// lists on the next save).
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
        {kGlobalVariablesFile, "{}", {1, 2, 1}},
        {kSessionFile, "[{\"id\":", {1, 2, 1}},
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
        run.state.addHistoryItem(APIRequest {}, 200, 0.1);
        run.state.saveCollections();
        EXPECT_EQ(run.stored<APIEnvironment>(kEnvironmentsFile).size(), broken.loaded[1] + 1);
        EXPECT_EQ(run.stored<HistoryItem>(kHistoryFile).size(), broken.loaded[2] + 1);
        EXPECT_EQ(run.folder.read(kept[0]), broken.content);
    }
}

// The lists the load assigns are not written back; a burst of edits is written once, after it
// ends.
TEST(AppState, onlyEditsAreAutoSavedAndABurstOnceWithTheLastValue)
{
    StateRun run({.files = kStoredFiles, .autoSaveDelay = 200ms});
    for (int edit = 0; edit < 10; ++edit) {
        run.state.renameCollection(run.state.collections()[0].id, u"edit %1"_s.arg(edit));
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

// One change, one write of its file; asking for what is already there is no change at all.
TEST(AppState, eachChangeIsWrittenOnceAndNoOpsNeitherSignalNorWrite)
{
    StateRun run({.files = kStoredFiles});
    AppState& state = run.state;
    SidebarActions sidebar(&state);
    const QUuid api = state.collections()[0].id, dev = state.environments()[0].id;
    const QUuid unknown = QUuid::createUuid();
    const APIRequest request {.name = u"r"_s};
    const auto folder = [&state] { return state.collections()[0].folders.value(0).id; };
    const struct {
        const char* name;
        std::function<void()> change;
        QString writes; // the file written, or none
    } cases[] = {
        {"add collection", [&] { state.addCollection(u"B"_s); }, kCollectionsFile},
        {"add folder", [&] { state.addFolder(u"F"_s, api); }, kCollectionsFile},
        {"folder in unknown collection", [&] { state.addFolder(u"F"_s, unknown); }, {}},
        {"save request", [&] { state.saveRequestToCollection(request, api); }, kCollectionsFile},
        {"save it unchanged", [&] { state.saveRequestToCollection(request, api); }, {}},
        {"move to folder", [&] { state.moveRequestToFolder(request.id, folder(), api); },
            kCollectionsFile},
        {"move to the same folder", [&] { state.moveRequestToFolder(request.id, folder(), api); },
            {}},
        {"rename to the same name",
            [&] {
                sidebar.startRename(api, u"API"_s);
                sidebar.applyRename(api);
            },
            {}},
        {"delete unknown folder", [&] { state.deleteFolder(unknown, api); }, {}},
        {"remove unknown request", [&] { state.removeRequest(unknown, api); }, {}},
        {"delete unknown collection", [&] { state.deleteCollection(unknown); }, {}},
        {"remove request", [&] { state.removeRequest(request.id, api); }, kCollectionsFile},
        {"activate the active one", [&] { state.setActiveEnvironment(dev); }, {}},
        {"add environment", [&] { state.addEnvironment(u"E"_s); }, kEnvironmentsFile},
        {"delete unknown environment", [&] { state.deleteEnvironment(unknown); }, {}},
        {"activate none", [&] { state.setActiveEnvironment(std::nullopt); }, kEnvironmentsFile},
        {"add history", [&] { state.addHistoryItem(request, 200, 0.1); }, kHistoryFile},
        {"clear history", [&] { state.clearHistory(); }, kHistoryFile},
        {"clear it again", [&] { state.clearHistory(); }, {}},
        {"set globals", [&] { state.setGlobalVariables({KeyValuePair {.key = u"g"_s}}); },
            kGlobalVariablesFile},
        {"set them as they are", [&] { state.setGlobalVariables(state.globalVariables()); }, {}},
    };
    QSignalSpy collections(&state, &AppState::collectionsChanged);
    QSignalSpy environments(&state, &AppState::environmentsChanged);
    QSignalSpy history(&state, &AppState::historyChanged);
    QSignalSpy globals(&state, &AppState::globalVariablesChanged);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (QSignalSpy* spy : {&run.writes, &collections, &environments, &history, &globals})
            spy->clear();
        c.change();
        // Written by the auto-save alone: nothing lands before it is due.
        ASSERT_TRUE(waitUntilIdle(run.persistence));
        EXPECT_TRUE(run.writes.isEmpty());
        state.flushPendingSaves();
        ASSERT_TRUE(waitUntilIdle(run.persistence));
        EXPECT_EQ(collections.size() + environments.size() + history.size() + globals.size(),
            c.writes.isNull() ? 0 : 1);
        ASSERT_EQ(run.writes.size(), c.writes.isNull() ? 0 : 1);
        if (!c.writes.isNull()) {
            EXPECT_EQ(run.writes[0][0].toString(), c.writes);
        }
    }
}

// Quitting never loses an edit still waiting for its auto-save.
TEST(AppState, editsStillWaitingAreWrittenWhenTheStateGoes)
{
    TempAppFolder folder;
    PersistenceService persistence(folder.path());
    Settings settings(folder.settingsFile());
    {
        AppState state(&persistence, &settings, nullptr, std::chrono::hours(1));
        ASSERT_TRUE(waitUntilLoaded(state));
        state.addCollection(u"Kept"_s);
        state.addEnvironment(u"Kept"_s);
        state.addHistoryItem(APIRequest {}, 200, 0.1);
        state.setGlobalVariables({KeyValuePair {.key = u"g"_s}});
        state.openNewRequest();
    }
    ASSERT_TRUE(waitUntilIdle(persistence));
    EXPECT_EQ(decodeRecords<Collection>(folder.read(kCollectionsFile)).value().size(), 1);
    EXPECT_EQ(decodeRecords<APIEnvironment>(folder.read(kEnvironmentsFile)).value().size(), 1);
    EXPECT_EQ(decodeRecords<HistoryItem>(folder.read(kHistoryFile)).value().size(), 1);
    EXPECT_EQ(decodeRecords<KeyValuePair>(folder.read(kGlobalVariablesFile)).value().size(), 1);
    EXPECT_EQ(decodeRecords<SessionTab>(folder.read(kSessionFile)).value().size(), 1);
}

// A directory where the file belongs cannot be replaced by a file, even for root, for whom a
// read-only folder is still writable.
TEST(AppState, aFailedSaveIsReportedOnceAndTheDataWrittenAtTheNextChange)
{
    const struct {
        QString file;
        std::function<void(AppState&)> edit;
        std::function<QByteArray(const AppState&)> encoded;
    } cases[] = {
        {kCollectionsFile, [](AppState& s) { s.addCollection(u"C"_s); },
            [](const AppState& s) { return encodeRecords(s.collections()); }},
        {kEnvironmentsFile, [](AppState& s) { s.addEnvironment(u"E"_s); },
            [](const AppState& s) { return encodeRecords(s.environments()); }},
        {kHistoryFile, [](AppState& s) { s.addHistoryItem(APIRequest {}, 200, 0.1); },
            [](const AppState& s) { return encodeRecords(s.history()); }},
        {kGlobalVariablesFile,
            [](AppState& s) { s.insertVariables(std::nullopt, 0, {KeyValuePair {}}); },
            [](const AppState& s) { return encodeRecords(s.globalVariables()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        StateRun run;
        const auto editAndFlush = [&] {
            c.edit(run.state);
            run.state.flushPendingSaves();
            EXPECT_TRUE(waitUntilIdle(run.persistence));
        };
        const QString prefix = u"Failed to save data: "_s + run.folder.filePath(c.file) + u": "_s;
        ASSERT_TRUE(QDir(run.folder.path()).mkdir(c.file));
        editAndFlush();
        EXPECT_TRUE(run.alert().startsWith(prefix)) << run.alert().toStdString();
        EXPECT_GT(run.alert().size(), prefix.size() + 2) << "no reason given";

        // Still unwritable: the next edits fail without an alert each, and all are kept.
        run.state.setAlertMessage(std::nullopt);
        editAndFlush();
        EXPECT_FALSE(run.state.alertMessage().has_value());

        // Writable again: what was kept is written at the latest when the application quits.
        ASSERT_TRUE(QDir(run.folder.path()).rmdir(c.file));
        run.state.flushPendingSaves();
        ASSERT_TRUE(waitUntilIdle(run.persistence));
        EXPECT_EQ(run.folder.read(c.file), c.encoded(run.state));
        EXPECT_EQ(run.state.collections().size() + run.state.environments().size()
                + run.state.history().size() + run.state.globalVariables().size(),
            2);
        EXPECT_FALSE(run.state.alertMessage().has_value());

        // Once it was written, a new failure is news again.
        ASSERT_TRUE(QFile::remove(run.folder.filePath(c.file)));
        ASSERT_TRUE(QDir(run.folder.path()).mkdir(c.file));
        editAndFlush();
        EXPECT_TRUE(run.alert().startsWith(prefix)) << run.alert().toStdString();
    }
}
