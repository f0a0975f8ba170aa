#include "state/sessionstore.h"
#include "state/unsavedchanges.h"
#include "staterun.h"

#include <QTest>

#include <functional>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// One run of the application on `folder`: the state is made, `use` runs once the data is
// loaded, and the state goes (as at quit) when it returns.
void runOn(const TempAppFolder& folder, const std::function<void(AppState&)>& use,
    std::chrono::milliseconds autoSaveDelay = 1h)
{
    PersistenceService persistence(folder.path());
    Settings settings(folder.settingsFile());
    {
        AppState state(&persistence, &settings, nullptr, autoSaveDelay);
        ASSERT_TRUE(waitUntilLoaded(state));
        use(state);
    }
    ASSERT_TRUE(waitUntilIdle(persistence));
}

} // namespace

TEST(Session, tabsComeBackInOrderWithTheActiveWorkingCopyAndTheirProtocols)
{
    TempAppFolder folder;
    folder.write(kCollectionsFile, encodeRecords(QList {kAPICollection}));
    APIRequest edited = kUsersRequest;
    edited.url = u"https://api.test/users?page=2"_s;
    runOn(folder, [&](AppState& state) {
        state.openFromCollection(kViewerQuery, kAPICollection.id);
        state.openNewRequest();
        APIRequest socket = *state.openRequest();
        socket.requestProtocol = RequestProtocol::websocket;
        socket.wsMessages = {u"hello"_s};
        state.setOpenRequest(socket);
        state.openFromCollection(kUsersRequest, kAPICollection.id);
        // Typed into the active tab and never written back into it.
        state.setOpenRequest(edited);
    });

    runOn(folder, [&](AppState& state) {
        ASSERT_EQ(state.tabs().size(), 3);
        EXPECT_EQ(state.tabs()[0].request, kViewerQuery);
        EXPECT_EQ(state.tabs()[0].origin, RequestOrigin::collection(kAPICollection.id));
        EXPECT_EQ(state.tabs()[1].request.requestProtocol, RequestProtocol::websocket);
        EXPECT_EQ(state.tabs()[1].request.wsMessages, QStringList {u"hello"_s});
        EXPECT_EQ(state.tabs()[1].origin, RequestOrigin::none());
        EXPECT_EQ(state.activeTabID(), state.tabs()[2].id);
        EXPECT_EQ(state.openRequest(), edited);
        EXPECT_EQ(state.openRequestOrigin(), RequestOrigin::collection(kAPICollection.id));
        EXPECT_TRUE(hasUnsavedChanges(
            *state.openRequest(), state.openRequestOrigin(), state.collections()));
        // Switching away and back keeps the edit: it is the tab's request now.
        state.switchToTab(state.tabs()[0].id);
        state.switchToTab(state.tabs()[2].id);
        EXPECT_EQ(state.openRequest(), edited);
    });
}

// Deleted while Mako was closed: the request comes back as a new one, so saving it cannot
// write into a collection that no longer holds it.
TEST(Session, aTabWhoseRequestIsGoneReopensAsADraft)
{
    TempAppFolder folder;
    const Collection emptied {.id = kAPICollection.id, .name = u"API"_s, .requests = {}};
    folder.write(kCollectionsFile, encodeRecords(QList {emptied}));
    const QUuid otherCollection = QUuid::createUuid();
    folder.write(kSessionFile,
        encodeRecords(QList {
            SessionTab {.id = QUuid::createUuid(),
                .request = kUsersRequest,
                .origin = RequestOrigin::collection(kAPICollection.id)},
            SessionTab {.id = QUuid::createUuid(),
                .request = kViewerQuery,
                .origin = RequestOrigin::collection(otherCollection),
                .isActive = true},
            SessionTab {.id = QUuid::createUuid(),
                .request = APIRequest {.name = u"Copy"_s},
                .origin = RequestOrigin::history()},
        }));
    runOn(folder, [&](AppState& state) {
        ASSERT_EQ(state.tabs().size(), 3);
        EXPECT_EQ(state.tabs()[0].request, kUsersRequest);
        EXPECT_EQ(state.tabs()[0].origin, RequestOrigin::none());
        EXPECT_EQ(state.openRequest(), kViewerQuery);
        EXPECT_EQ(state.openRequestOrigin(), RequestOrigin::none());
        EXPECT_EQ(state.tabs()[2].origin, RequestOrigin::history());
    });
}

// Tabs opened before the session file was read stay open, after the restored ones, and keep
// the focus; the file then holds both.
TEST(Session, tabsOpenedWhileLoadingJoinTheRestoredOnes)
{
    const QUuid restored = QUuid::createUuid();
    StateRun run({.files
        = {{kSessionFile, encodeRecords(QList {SessionTab {.id = restored, .isActive = true}})}},
        .waitForLoad = false});
    run.state.openNewRequest();
    const QUuid early = *run.state.activeTabID();
    ASSERT_TRUE(waitUntilLoaded(run.state));
    ASSERT_EQ(run.state.tabs().size(), 2);
    EXPECT_EQ(run.state.tabs()[0].id, restored);
    EXPECT_EQ(run.state.activeTabID(), early);
    const auto stored = run.stored<SessionTab>(kSessionFile);
    ASSERT_EQ(stored.size(), 2);
    EXPECT_TRUE(stored[1].isActive && stored[1].id == early);
}

// A crash loses at most a few seconds: the session is written while Mako runs, after a pause
// in the changes and, during steady typing, at the latest after a few seconds.
TEST(Session, isWrittenWhileRunningEvenDuringSteadyTyping)
{
    StateRun run({.autoSaveDelay = 300ms});
    run.state.openNewRequest();
    ASSERT_TRUE(run.writes.wait(20000));
    EXPECT_EQ(run.writes.at(0).at(0).toString(), kSessionFile);
    EXPECT_EQ(decodeRecords<SessionTab>(run.folder.read(kSessionFile)).value().size(), 1);

    // One character every 20 ms never leaves the quiet time the auto-save waits for.
    run.writes.clear();
    APIRequest typing = *run.state.openRequest();
    for (int key = 0; key < 1000 && run.writes.isEmpty(); ++key) {
        typing.url += u'x';
        run.state.setOpenRequest(typing);
        QTest::qWait(20);
    }
    ASSERT_FALSE(run.writes.isEmpty());
    const auto written = decodeRecords<SessionTab>(run.folder.read(kSessionFile)).value();
    EXPECT_FALSE(written.at(0).request.url.isEmpty());
}

TEST(GlobalVariables, surviveARestartWithRowsTypedWhileLoadingAfterTheStoredOnes)
{
    TempAppFolder folder;
    const KeyValuePair stored {.key = u"host"_s, .value = u"api.test"_s, .isEnabled = false};
    runOn(folder, [&](AppState& state) { state.setGlobalVariables({stored}); });
    EXPECT_EQ(
        decodeRecords<KeyValuePair>(folder.read(kGlobalVariablesFile)).value(), QList {stored});

    PersistenceService persistence(folder.path());
    Settings settings(folder.settingsFile());
    AppState state(&persistence, &settings, nullptr, 1h);
    const KeyValuePair early {.key = u"token"_s};
    state.insertVariables(std::nullopt, 0, {early});
    ASSERT_TRUE(waitUntilLoaded(state));
    EXPECT_EQ(state.globalVariables(), (QList {stored, early}));
    ASSERT_TRUE(waitUntilIdle(persistence));
    EXPECT_EQ(decodeRecords<KeyValuePair>(folder.read(kGlobalVariablesFile)).value(),
        (QList {stored, early}));
}
