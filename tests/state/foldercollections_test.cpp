#include "interchange/foldercollection.h"
#include "state/secretvariables.h"
#include "staterun.h"
#include "support/fakesecretstore.h"
#include "support/waitfor.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <functional>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const APIRequest kList {.name = u"List users"_s, .url = u"https://api.test/users"_s};
const APIRequest kCreate {.name = u"Create user"_s,
    .url = u"https://api.test/users"_s,
    .method = HTTPMethod::post,
    .bodyType = RequestBodyType::json,
    .body = u"{\"name\": \"a\"}"_s};
const CollectionFolder kUsers {.name = u"Users"_s, .requestIDs = {kList.id}};

// A team's collection in a folder of its own, as a clone of its repository holds it.
struct TeamFolder {
    TeamFolder()
    {
        contents.collection
            = Collection {.name = u"Team API"_s, .requests = {kList, kCreate}, .folders = {kUsers}};
        contents.environments = {APIEnvironment {.name = u"staging"_s,
            .variables = {KeyValuePair {.key = u"host"_s, .value = u"staging.test"_s}}}};
        files = FolderCollection::encode(contents);
        EXPECT_TRUE(FolderCollection::write(path, files, {}));
    }

    // What a `git pull` or an editor does: only the files that differ are written over.
    void change(const std::function<void(FolderCollection::Contents&)>& edit)
    {
        edit(contents);
        const FolderCollection::Files next = FolderCollection::encode(contents);
        for (auto file = next.cbegin(); file != next.cend(); ++file) {
            if (files.value(file.key()) != file.value())
                write(file.key(), file.value());
        }
        files = next;
    }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(QDir(path).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray read(const QString& name) const
    {
        QFile file(QDir(path).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir root;
    QString path = root.filePath(u"team-api"_s);
    FolderCollection::Contents contents;
    FolderCollection::Files files;
};

bool waitUntilFoldersIdle(AppState& state)
{
    auto idle = std::make_shared<bool>(false);
    state.folderCollections().whenIdle(&state, [idle] { *idle = true; });
    return QTest::qWaitFor([&] { return *idle; }, 20000);
}

// Opens the folder and returns the id of its collection (null when it did not open).
QUuid openFolder(AppState& state, const QString& path)
{
    QSignalSpy finished(&state, &AppState::fileOperationFinished);
    state.openFolderCollection(path);
    if (!finished.wait(20000) || !finished.first().first().toBool())
        return {};
    return state.collections().last().id;
}

const APIRequest* requestNamed(
    const AppState& state, const QUuid& collectionID, const QString& name)
{
    const Collection* collection = state.collectionStore().collection(collectionID);
    for (const APIRequest& request : collection ? collection->requests : QList<APIRequest> {}) {
        if (request.name == name)
            return &request;
    }
    return nullptr;
}

} // namespace

// Opened once, the folder comes back at the next start from the reference in the data folder
// (its tabs too); the data folder keeps nothing else of it.
TEST(FolderCollections, anOpenedFolderLoadsAndComesBackAfterARestart)
{
    TeamFolder team;
    TempAppFolder data;
    QUuid id;
    {
        PersistenceService persistence(data.path());
        Settings settings(data.settingsFile());
        AppState state(&persistence, &settings, nullptr, 1h);
        ASSERT_TRUE(waitUntilLoaded(state));
        id = openFolder(state, team.path);
        ASSERT_FALSE(id.isNull());
        const Collection& opened = *state.collectionStore().collection(id);
        EXPECT_EQ(opened.name, u"Team API"_s);
        EXPECT_EQ(opened.requests.size(), 2);
        ASSERT_EQ(opened.folders.size(), 1);
        EXPECT_EQ(opened.folders[0].requestIDs, QList {kList.id});
        ASSERT_EQ(state.environments().size(), 1);
        EXPECT_EQ(state.environments()[0].collectionID, id);
        state.setActiveEnvironment(state.environments()[0].id);
        state.openFromCollection(*requestNamed(state, id, u"List users"_s), id);
    }
    const QJsonArray stored = QJsonDocument::fromJson(data.read(kCollectionsFile)).array();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].toObject().keys(), (QStringList {u"folderPath"_s, u"id"_s, u"name"_s}));
    EXPECT_FALSE(data.read(kEnvironmentsFile).contains("staging"));

    PersistenceService persistence(data.path());
    Settings settings(data.settingsFile());
    AppState state(&persistence, &settings, nullptr, 1h);
    ASSERT_TRUE(waitUntilLoaded(state));
    ASSERT_EQ(state.collections().size(), 1);
    EXPECT_EQ(state.collections()[0].id, id);
    EXPECT_EQ(state.collections()[0].requests.size(), 2);
    ASSERT_EQ(state.environments().size(), 1);
    // The folder leaves out which environment is active: this user's choice comes back anyway.
    EXPECT_TRUE(state.environments()[0].isActive);
    ASSERT_EQ(state.tabs().size(), 1);
    EXPECT_EQ(state.tabs()[0].request.name, u"List users"_s);
    EXPECT_EQ(state.tabs()[0].origin, RequestOrigin::collection(id));
    EXPECT_FALSE(state.alertMessage().has_value()) << state.alertMessage()->toStdString();
}

// One edit rewrites one file; Mako's own write does not come back as a change from outside
// (which would ask the tab holding edits of that request what to keep).
TEST(FolderCollections, anEditWritesOnlyItsFileAndIsNotTakenForAnOutsideChange)
{
    TeamFolder team;
    // Written by a person, not as Mako writes: an edit elsewhere must not reformat it.
    const QByteArray handWritten = "{\"name\": \"Create user\", \"method\": \"POST\"}";
    team.write(u"create-user.json"_s, handWritten);
    team.files.insert(u"create-user.json"_s, handWritten);
    StateRun run;
    const QUuid id = openFolder(run.state, team.path);
    ASSERT_FALSE(id.isNull());
    const QDateTime old = QDateTime::currentDateTimeUtc().addYears(-20);
    for (auto file = team.files.cbegin(); file != team.files.cend(); ++file) {
        QFile opened(QDir(team.path).filePath(file.key()));
        ASSERT_TRUE(opened.open(QIODevice::ReadWrite));
        ASSERT_TRUE(opened.setFileTime(old, QFileDevice::FileModificationTime));
    }
    APIRequest list = *requestNamed(run.state, id, u"List users"_s);
    run.state.openFromCollection(list, id);
    APIRequest typing = list;
    typing.name = u"List users (mine)"_s;
    run.state.setOpenRequest(typing);
    QSignalSpy asked(&run.state, &AppState::requestChangedOnDisk);

    list.url = u"https://api.test/users?page=2"_s;
    run.state.saveRequestToCollection(list, id);
    run.state.flushPendingSaves();
    ASSERT_TRUE(waitUntilFoldersIdle(run.state));
    QStringList rewritten;
    for (auto file = team.files.cbegin(); file != team.files.cend(); ++file) {
        const QFileInfo info(QDir(team.path).filePath(file.key()));
        if (team.read(file.key()) != file.value() || info.lastModified() != old)
            rewritten.append(file.key());
    }
    ASSERT_EQ(rewritten.size(), 1) << rewritten.join(u", "_s).toStdString();
    EXPECT_TRUE(team.read(rewritten[0]).contains("page=2"));

    // A change from outside after it is taken in; by then our own write has been seen too.
    team.write(u"collection.json"_s,
        team.read(u"collection.json"_s).replace("\"Team API\"", "\"Team API v2\""));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return run.state.collectionStore().collection(id)->name == u"Team API v2"_s; },
        10000));
    EXPECT_EQ(asked.size(), 0);
    EXPECT_EQ(run.state.openRequest(), typing);
}

// A request changed outside: a tab without edits follows it, a tab with edits asks, and each
// answer does what it says.
TEST(FolderCollections, tabsFollowAnOutsideChangeOrAskWhenTheyHoldEdits)
{
    for (const bool useFileVersion : {false, true}) {
        SCOPED_TRACE(useFileVersion ? "use the file's version" : "keep my edits");
        TeamFolder team;
        StateRun run;
        const QUuid id = openFolder(run.state, team.path);
        ASSERT_FALSE(id.isNull());
        run.state.openFromCollection(*requestNamed(run.state, id, u"List users"_s), id);
        const QUuid listTab = *run.state.activeTabID();
        run.state.openFromCollection(*requestNamed(run.state, id, u"Create user"_s), id);
        const QUuid createTab = *run.state.activeTabID();
        APIRequest mine = *run.state.openRequest();
        mine.body = u"{\"name\": \"mine\"}"_s;
        run.state.setOpenRequest(mine);
        QSignalSpy asked(&run.state, &AppState::requestChangedOnDisk);

        team.change([](FolderCollection::Contents& contents) {
            contents.collection.requests[0].url = u"https://api.test/v2/users"_s;
            contents.collection.requests[1].body = u"{\"name\": \"theirs\"}"_s;
        });
        ASSERT_TRUE(QTest::qWaitFor([&] { return asked.size() == 1; }, 10000));
        EXPECT_EQ(asked[0][0].toUuid(), createTab);
        EXPECT_EQ(asked[0][1].toString(), u"Create user"_s);
        EXPECT_EQ(
            requestNamed(run.state, id, u"List users"_s)->url, u"https://api.test/v2/users"_s);
        EXPECT_EQ(run.state.tabStore().tab(listTab)->request.url, u"https://api.test/v2/users"_s);
        EXPECT_EQ(requestNamed(run.state, id, u"Create user"_s)->body, u"{\"name\": \"theirs\"}"_s);
        EXPECT_EQ(run.state.openRequest()->body, mine.body);

        run.state.resolveChangeOnDisk(createTab, useFileVersion);
        EXPECT_EQ(run.state.openRequest()->body,
            useFileVersion ? u"{\"name\": \"theirs\"}"_s : mine.body);
        EXPECT_EQ(run.state.tabs().size(), 2);

        // A request a teammate added, and one removed: the tab of the removed one stays.
        team.change([](FolderCollection::Contents& contents) {
            contents.collection.requests.removeFirst();
            contents.collection.folders[0].requestIDs.clear();
            contents.collection.requests.append(APIRequest {.name = u"Delete user"_s});
        });
        QFile::remove(QDir(team.path).filePath(u"users/list-users.json"_s));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return requestNamed(run.state, id, u"Delete user"_s) != nullptr; }, 10000));
        EXPECT_EQ(requestNamed(run.state, id, u"List users"_s), nullptr);
        EXPECT_EQ(run.state.tabs().size(), 2);
    }
}

// A file that does not parse is named in the alert and left alone, by saves too, while the
// rest of the collection loads.
TEST(FolderCollections, aBrokenFileIsReportedSkippedAndSurvivesSaves)
{
    TeamFolder team;
    const QByteArray broken = "{ \"name\": \"Half written\", \n";
    team.write(u"users/half.json"_s, broken);
    StateRun run;
    const QUuid id = openFolder(run.state, team.path);
    ASSERT_FALSE(id.isNull());
    EXPECT_EQ(run.state.collectionStore().collection(id)->requests.size(), 2);
    EXPECT_TRUE(run.alert().contains(u"users/half.json"_s)) << run.alert().toStdString();
    EXPECT_TRUE(run.alert().contains(u"Team API"_s));

    run.state.renameRequest(requestNamed(run.state, id, u"List users"_s)->id, id, u"All users"_s);
    run.state.removeRequest(requestNamed(run.state, id, u"Create user"_s)->id, id);
    run.state.flushPendingSaves();
    ASSERT_TRUE(waitUntilFoldersIdle(run.state));
    EXPECT_EQ(team.read(u"users/half.json"_s), broken);
    const auto reread = FolderCollection::decode(FolderCollection::read(team.path).value());
    ASSERT_TRUE(reread.ok());
    ASSERT_EQ(reread.value().contents.collection.requests.size(), 1);
    EXPECT_EQ(reread.value().contents.collection.requests[0].name, u"All users"_s);
}

// A folder that went away keeps its place in the list, empty, with the reason shown; deleting
// a folder collection in Mako leaves its folder as it is.
TEST(FolderCollections, aMissingFolderStaysListedAndDeletingNeverTouchesTheFolder)
{
    const QUuid goneID = QUuid::createUuid();
    const QByteArray reference = "[{\"id\": \"" + goneID.toString(QUuid::WithoutBraces).toUtf8()
        + "\", \"name\": \"Gone\", \"folderPath\": \"/nonexistent/mako-team\"}]";
    StateRun run({.files = {{kCollectionsFile, reference}}});
    ASSERT_EQ(run.state.collections().size(), 1);
    EXPECT_EQ(run.state.collections()[0].name, u"Gone"_s);
    EXPECT_TRUE(run.state.collections()[0].requests.isEmpty());
    EXPECT_TRUE(run.alert().contains(u"/nonexistent/mako-team"_s)) << run.alert().toStdString();
    ASSERT_EQ(run.storedCollections().size(), 1);
    EXPECT_EQ(run.storedCollections()[0].folderPath, u"/nonexistent/mako-team"_s);

    TeamFolder team;
    const QUuid id = openFolder(run.state, team.path);
    ASSERT_FALSE(id.isNull());
    run.state.deleteCollection(id);
    run.state.flushPendingSaves();
    ASSERT_TRUE(waitUntilFoldersIdle(run.state));
    EXPECT_EQ(FolderCollection::read(team.path).value(), team.files);
    EXPECT_TRUE(run.state.environments().isEmpty());
}

// A restored backup names the folder collection only: it is read from its folder again, never
// written over with the bare reference.
TEST(FolderCollections, aRestoredBackupReadsTheFolderAgain)
{
    TeamFolder team;
    StateRun run;
    const QUuid id = openFolder(run.state, team.path);
    ASSERT_FALSE(id.isNull());
    run.state.flushPendingSaves();
    ASSERT_TRUE(waitUntilIdle(run.persistence));
    QSignalSpy finished(&run.state, &AppState::fileOperationFinished);
    const QString backup = run.folder.filePath(u"backup.json"_s);
    run.state.exportAllData(backup);
    ASSERT_TRUE(finished.wait(10000));
    run.state.importAllData(backup);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const Collection* restored = run.state.collectionStore().collection(id);
            return restored && restored->requests.size() == 2;
        },
        10000));
    run.state.flushPendingSaves();
    ASSERT_TRUE(waitUntilFoldersIdle(run.state));
    EXPECT_EQ(FolderCollection::read(team.path).value(), team.files);
    EXPECT_EQ(run.state.environments().size(), 1);
}

// "Save Collection to Folder": into an empty folder, never into one holding something else.
TEST(FolderCollections, aCollectionMovesIntoAnEmptyFolderOnly)
{
    StateRun run;
    const QUuid id = run.addCollection(u"API"_s, {kList, kCreate});
    QTemporaryDir root;
    QSignalSpy finished(&run.state, &AppState::fileOperationFinished);

    const QString taken = root.filePath(u"taken"_s);
    ASSERT_TRUE(QDir().mkpath(taken));
    QFile notes(QDir(taken).filePath(u"notes.txt"_s));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("mine") == 4);
    notes.close();
    run.state.saveCollectionToFolder(id, taken);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(finished.takeFirst().first().toBool());
    EXPECT_TRUE(run.alert().contains(taken)) << run.alert().toStdString();
    EXPECT_EQ(QDir(taken).entryList(QDir::Files), QStringList {u"notes.txt"_s});
    EXPECT_TRUE(run.collection(id).folderPath.isEmpty());

    const QString fresh = root.filePath(u"fresh"_s);
    run.state.saveCollectionToFolder(id, fresh);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(finished.takeFirst().first().toBool());
    EXPECT_EQ(run.collection(id).folderPath, fresh);
    const auto written = FolderCollection::decode(FolderCollection::read(fresh).value());
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.value().contents.collection.requests.size(), 2);
    ASSERT_EQ(run.storedCollections().size(), 1);
    EXPECT_TRUE(run.storedCollections()[0].requests.isEmpty());
    EXPECT_EQ(run.storedCollections()[0].folderPath, fresh);
}

// An environment of this computer shared with a folder collection is written into the
// folder's environments/ (its secret's value left out there, yet kept in the vault and in
// memory) and leaves the data folder's file; a restart finds it in the folder, secret and all;
// kept on this computer again, the reverse. Only a collection kept in a folder takes one.
TEST(FolderCollections, anEnvironmentMovesBetweenThisComputerAndAFolderCollection)
{
    TeamFolder team;
    TempAppFolder data;
    QHash<QString, QString> held;
    const KeyValuePair host {.key = u"host"_s, .value = u"local.test"_s};
    const KeyValuePair token {.key = u"token"_s, .value = u"tok-4711"_s, .isSecret = true};
    const QString file = u"environments/local-dev.json"_s;
    QUuid teamID;
    QUuid localID;
    const auto run = [&](const std::function<void(AppState&)>& use) {
        PersistenceService persistence(data.path());
        Settings settings(data.settingsFile());
        {
            AppState state(
                &persistence, &settings, nullptr, 1h, std::make_unique<FakeSecretStore>(&held));
            ASSERT_TRUE(waitUntilLoaded(state));
            use(state);
            state.flushPendingSaves();
            EXPECT_TRUE(waitUntilFoldersIdle(state));
            state.secretVault().flush();
        }
        ASSERT_TRUE(waitUntilIdle(persistence));
    };
    const auto tokenValue = [&](const AppState& state) {
        const APIEnvironment* local = state.environmentStore().environment(localID);
        return local ? local->variables.value(1).value : u"(gone)"_s;
    };

    run([&](AppState& state) {
        teamID = openFolder(state, team.path);
        ASSERT_FALSE(teamID.isNull());
        const Collection plain {.name = u"Plain"_s};
        state.appendCollection(plain);
        state.addEnvironment(u"Local Dev"_s);
        localID = state.environments().last().id;
        state.setEnvironmentVariables(localID, {host, token});
        EXPECT_FALSE(state.setEnvironmentCollection(localID, plain.id));
        EXPECT_FALSE(state.setEnvironmentCollection(localID, QUuid::createUuid()));
        EXPECT_FALSE(state.setEnvironmentCollection(QUuid::createUuid(), teamID));
        EXPECT_TRUE(state.environmentStore().environment(localID)->collectionID.isNull());
        state.saveEnvironments();
        EXPECT_TRUE(state.setEnvironmentCollection(localID, teamID));
        EXPECT_EQ(state.environmentStore().environment(localID)->collectionID, teamID);
        EXPECT_EQ(tokenValue(state), u"tok-4711"_s);
    });
    const QByteArray shared = team.read(file);
    EXPECT_TRUE(shared.contains("local.test") && shared.contains("\"token\"")) << shared.data();
    EXPECT_FALSE(shared.contains("tok-4711"));
    EXPECT_FALSE(data.read(kEnvironmentsFile).contains("Local Dev"));
    EXPECT_EQ(held.value(SecretVariables::vaultKey(localID, token.id)), u"tok-4711"_s);

    run([&](AppState& state) {
        const APIEnvironment* local = state.environmentStore().environment(localID);
        ASSERT_TRUE(local);
        EXPECT_EQ(local->collectionID, teamID);
        EXPECT_TRUE(waitFor([&] { return tokenValue(state) == u"tok-4711"_s; }));
        EXPECT_TRUE(state.setEnvironmentCollection(localID, std::nullopt));
    });
    EXPECT_TRUE(team.read(file).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QDir(team.path).filePath(file)));
    EXPECT_TRUE(team.read(u"environments/staging.json"_s).contains("staging.test"));
    const QByteArray own = data.read(kEnvironmentsFile);
    EXPECT_TRUE(own.contains("Local Dev") && !own.contains("tok-4711")) << own.data();

    // Back on this computer it outlives the folder collection, whose own environment goes.
    run([&](AppState& state) {
        ASSERT_TRUE(state.environmentStore().environment(localID));
        EXPECT_TRUE(state.environmentStore().environment(localID)->collectionID.isNull());
        EXPECT_TRUE(waitFor([&] { return tokenValue(state) == u"tok-4711"_s; }));
        state.deleteCollection(teamID);
        ASSERT_EQ(state.environments().size(), 1);
        EXPECT_EQ(state.environments()[0].id, localID);
    });
}
