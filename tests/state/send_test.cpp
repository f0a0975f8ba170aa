#include "execution/networkservice.h"
#include "state/requestviewmodel.h"
#include "state/sendsequence.h"
#include "staterun.h"
#include "support/httptestserver.h"

#include <QTest>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// A state, an editor's model and the loopback peer: "/slow…" answers after a while, "/broken"
// hangs up mid-reply, anything else echoes at once.
struct SendRun : StateRun {
    SendRun()
        : urls(folder.settingsFile())
        , model(APIRequest {}, &network)
    {
        server.setHandler([](const RecordedRequest& request) {
            ScriptedResponse response = echoResponse(request);
            response.delayMs = request.target.startsWith("/slow") ? 1000 : 0;
            response.closeAbruptly = request.target == "/broken";
            return response;
        });
    }

    /// Opens a collection request and returns the collection's id.
    QUuid openStoredRequest()
    {
        const APIRequest stored {.name = u"Stored"_s, .url = server.baseUrl() + u"/old"_s};
        const QUuid id = addCollection(u"API"_s, {stored});
        state.openFromCollection(stored, id);
        return id;
    }

    void send(const QString& path)
    {
        APIRequest request = *state.openRequest();
        request.url = path.isNull() ? QString() : server.baseUrl() + path;
        state.setOpenRequest(request);
        sendOpenRequest(state, model, urls);
    }

    const RequestTab& tab(const QUuid& id) const
    {
        for (const RequestTab& tab : state.tabs()) {
            if (tab.id == id)
                return tab;
        }
        ADD_FAILURE() << "no such tab";
        return state.tabs().first();
    }

    bool waitUntilDone(const QUuid& tabID)
    {
        return QTest::qWaitFor([&] { return !tab(tabID).isLoading; }, 10000);
    }

    HttpTestServer server;
    NetworkService network;
    URLHistory urls;
    RequestViewModel model;
};

} // namespace

// The reply belongs to the tab, origin and request that were sent, not to whatever is open when
// it comes back.
TEST(SendSequence, successSavesTheCollectionRequestAndOnlySuccessReachesTheHistory)
{
    SendRun run;
    const QUuid collection = run.openStoredRequest();
    const QUuid tabID = *run.state.activeTabID();
    run.send(u"/ok"_s);
    EXPECT_TRUE(run.tab(tabID).isLoading);
    // The reply cannot come before the event loop runs again, so the user has moved on.
    run.state.openNewRequest();
    const QUuid otherTab = *run.state.activeTabID();
    ASSERT_TRUE(run.waitUntilDone(tabID));
    EXPECT_EQ(run.tab(tabID).response.value_or(APIResponse {}).statusCode, 200);
    EXPECT_FALSE(run.tab(otherTab).response.has_value() || run.tab(otherTab).isLoading);
    ASSERT_EQ(run.state.history().size(), 1);
    EXPECT_EQ(run.state.history()[0].request.url, run.server.baseUrl() + u"/ok"_s);
    EXPECT_EQ(
        run.storedCollections().value(0).requests.value(0).url, run.server.baseUrl() + u"/ok"_s);
    run.state.switchToTab(tabID);

    // Refused and failed sends show their message but record and save nothing, whatever
    // response the model still holds from before.
    const struct {
        QString path;
        QString error;
    } failures[] = {{QString(), RequestViewModel::kEmptyURLMessage}, {u"/broken"_s, QString()}};
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.path.toStdString());
        run.send(failure.path);
        ASSERT_TRUE(run.waitUntilDone(tabID));
        const RequestTab& tab = run.tab(tabID);
        EXPECT_FALSE(tab.response.has_value());
        EXPECT_TRUE(tab.error.has_value());
        if (!failure.error.isNull()) {
            EXPECT_EQ(tab.error, failure.error);
        }
        EXPECT_EQ(tab.responseHistory.size(), 1);
        EXPECT_EQ(run.state.history().size(), 1);
        EXPECT_EQ(run.collection(collection).requests[0].url, run.server.baseUrl() + u"/ok"_s);
    }

    EXPECT_EQ(recentURLs(run.urls),
        (QStringList {
            run.server.baseUrl() + u"/broken"_s, QString(), run.server.baseUrl() + u"/ok"_s}));
}

TEST(SendSequence, onlyTheNewestSendReachesTheTabAndTheHistory)
{
    SendRun run;
    run.state.openNewRequest();
    const QUuid tabID = *run.state.activeTabID();
    run.send(u"/slow/first"_s);
    run.send(u"/slow/second"_s);
    // The first send's end comes while the second is still on its way.
    QTest::qWait(150);
    EXPECT_TRUE(run.tab(tabID).isLoading);
    EXPECT_FALSE(run.tab(tabID).error.has_value());
    ASSERT_TRUE(run.waitUntilDone(tabID));
    EXPECT_EQ(run.tab(tabID).responseHistory.size(), 1);
    ASSERT_EQ(run.state.history().size(), 1);
    EXPECT_EQ(run.state.history()[0].request.url, run.server.baseUrl() + u"/slow/second"_s);
    EXPECT_TRUE(run.state.collections().isEmpty());

    run.send(u"/slow/third"_s);
    run.model.cancel();
    EXPECT_FALSE(run.model.isLoading());
    ASSERT_TRUE(run.waitUntilDone(tabID));
    EXPECT_EQ(run.tab(tabID).error, RequestViewModel::kCancelledMessage);
    EXPECT_EQ(run.state.history().size(), 1);
}

// Only replaces the stored copy: a request deleted while it was on its way stays deleted.
TEST(SendSequence, aRequestDeletedWhileOnItsWayStaysDeleted)
{
    SendRun run;
    const QUuid collection = run.openStoredRequest();
    const QUuid requestID = run.state.openRequest()->id;
    run.send(u"/later"_s);
    run.state.removeRequest(requestID, collection);
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.state.history().size() == 1; }, 10000));
    EXPECT_EQ(run.state.history()[0].request.id, requestID);
    EXPECT_TRUE(run.storedCollections()[0].requests.isEmpty());
}
