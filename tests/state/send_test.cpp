#include "execution/networkservice.h"
#include "state/requestviewmodel.h"
#include "state/sendsequence.h"
#include "state/sidebaractions.h"
#include "staterun.h"
#include "support/httptestserver.h"

#include <QJsonDocument>
#include <QJsonObject>
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
        , sequence(&state, &model, &urls)
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
        sequence.send();
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

    /// The path the peer saw for the response the tab (or the model) shows.
    static QByteArray echoedPath(const std::optional<APIResponse>& response)
    {
        return response ? QJsonDocument::fromJson(response->body)[u"target"_s].toString().toUtf8()
                        : QByteArray();
    }

    HttpTestServer server;
    NetworkService network;
    URLHistory urls;
    RequestViewModel model;
    SendSequence sequence;
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

// One editor serves every tab: a send in another tab runs beside this one, and each lands in its
// own tab even when that tab is no longer active.
TEST(SendSequence, sendsOfDifferentTabsEachLandInTheirOwnTab)
{
    SendRun run;
    run.openStoredRequest();
    const QUuid first = *run.state.activeTabID();
    run.send(u"/slow/first"_s);
    run.state.openNewRequest();
    const QUuid second = *run.state.activeTabID();
    EXPECT_FALSE(run.model.isLoading());
    run.send(u"/slow/second"_s);
    run.state.switchToTab(first);
    EXPECT_TRUE(run.model.isLoading());
    ASSERT_TRUE(run.waitUntilDone(first) && run.waitUntilDone(second));

    EXPECT_EQ(SendRun::echoedPath(run.tab(first).response), "/slow/first");
    EXPECT_EQ(SendRun::echoedPath(run.tab(second).response), "/slow/second");
    EXPECT_EQ(run.state.history().size(), 2);
    EXPECT_EQ(run.storedCollections().value(0).requests.value(0).url,
        run.server.baseUrl() + u"/slow/first"_s);
    // The model shows the active tab's send, and follows the switches.
    EXPECT_EQ(SendRun::echoedPath(run.model.response()), "/slow/first");
    run.state.switchToTab(second);
    EXPECT_EQ(SendRun::echoedPath(run.model.response()), "/slow/second");
    EXPECT_FALSE(run.model.isLoading() || run.model.error().has_value());
}

// A tab closed while its send is on its way, by hand or with its request, gets nothing: the send
// stops, and neither the history nor the collection hears of it.
TEST(SendSequence, aTabClosedWhileItsSendIsOnItsWayGetsNothing)
{
    for (const bool deleteRequest : {false, true}) {
        SCOPED_TRACE(deleteRequest ? "request deleted" : "tab closed");
        SendRun run;
        const QUuid collection = run.openStoredRequest();
        const QUuid closing = *run.state.activeTabID();
        run.send(u"/slow/closed"_s);
        ASSERT_TRUE(run.server.waitForRequests(1));
        if (deleteRequest)
            run.state.removeRequest(run.state.openRequest()->id, collection);
        else
            run.state.closeTab(closing);
        EXPECT_FALSE(run.model.knownTabs().contains(closing));

        // Its reply would come before this one's.
        run.state.openNewRequest();
        run.send(u"/slow/after"_s);
        ASSERT_TRUE(run.waitUntilDone(*run.state.activeTabID()));
        QCoreApplication::processEvents();
        ASSERT_EQ(run.state.history().size(), 1);
        EXPECT_EQ(run.state.history()[0].request.url, run.server.baseUrl() + u"/slow/after"_s);
        EXPECT_EQ(run.collection(collection).requests.value(0).url,
            deleteRequest ? QString() : run.server.baseUrl() + u"/old"_s);
    }
}

// Saving back only replaces the stored copy: a request that left its collection (here with its
// folder, which keeps the tab open) is not put back there.
TEST(SendSequence, aRequestMovedAwayWhileOnItsWayIsNotPutBack)
{
    SendRun run;
    SidebarActions sidebar(&run.state);
    const QUuid source = run.openStoredRequest();
    const QUuid tabID = *run.state.activeTabID();
    const QUuid target = run.addCollection(u"Other"_s);
    run.state.addFolder(u"F"_s, source);
    const QUuid folder = run.collection(source).folders[0].id;
    run.state.moveRequestToFolder(run.state.openRequest()->id, folder, source);
    run.send(u"/later"_s);
    sidebar.startDraggingFolder(folder);
    ASSERT_TRUE(sidebar.handleDrop(std::nullopt, target));
    ASSERT_TRUE(run.waitUntilDone(tabID));
    EXPECT_EQ(run.state.history().size(), 1);
    EXPECT_TRUE(run.collection(source).requests.isEmpty());
    EXPECT_EQ(run.collection(target).requests.size(), 1);
}

// The scripts around a send: what the pre-request script adds goes out but stays out of the
// editor; what the scripts set lands in the active environment, the globals and the
// collection; a failing pre-request script sends nothing; a cancel reaches a script that waits.
TEST(SendSequence, scriptsChangeWhatGoesKeepWhatTheySetAndStopWithTheSend)
{
    SendRun run;
    const QUuid collection = run.openStoredRequest();
    const QUuid tabID = *run.state.activeTabID();
    run.state.addEnvironment(u"Dev"_s);
    const QUuid environment = run.state.environments().last().id;
    run.state.setActiveEnvironment(environment);
    run.state.keepScriptVariables(VariableScopes {.collection = {KeyValuePair {.key = u"v"_s,
                                                      .value = u"from collection"_s}}},
        collection);

    APIRequest request = *run.state.openRequest();
    request.preRequestScript
        = u"pm.request.headers.add({key: 'X-Pre', value: pm.variables.get('v')});"_s;
    request.testScript = u"pm.environment.set('seen', pm.response.json().headers['X-Pre']);\n"
                         "pm.globals.set('g', 'global');\n"
                         "pm.collectionVariables.set('v', 'changed');"_s;
    run.state.setOpenRequest(request);
    const auto valueOf = [](const QList<KeyValuePair>& rows, const QString& key) {
        for (const KeyValuePair& row : rows) {
            if (row.key == key)
                return row.value;
        }
        return QString();
    };
    run.send(u"/scripted"_s);
    ASSERT_TRUE(run.waitUntilDone(tabID));
    ASSERT_TRUE(run.tab(tabID).response.has_value()) << run.tab(tabID).error->toStdString();
    ASSERT_EQ(run.server.requests().size(), 1);
    EXPECT_EQ(run.server.requests()[0].header("X-Pre"), "from collection");
    EXPECT_EQ(valueOf(run.state.openRequest()->headers, u"X-Pre"_s), QString());
    const VariableScopes kept = run.state.variableScopes(collection);
    ASSERT_TRUE(kept.environment && kept.environment->id == environment);
    EXPECT_EQ(valueOf(kept.environment->variables, u"seen"_s), u"from collection"_s);
    EXPECT_EQ(kept.globals.value(0).key + kept.globals.value(0).value, u"gglobal"_s);
    EXPECT_EQ(kept.collection.value(0).value, u"changed"_s);

    request.preRequestScript = u"throw new Error('no token yet');"_s;
    run.state.setOpenRequest(request);
    run.send(u"/never"_s);
    ASSERT_TRUE(run.waitUntilDone(tabID));
    EXPECT_TRUE(run.tab(tabID).error.value_or(QString()).contains(u"no token yet"_s));
    EXPECT_EQ(run.server.requests().size(), 1);

    request.preRequestScript = u"setTimeout(function () {}, 3000);"_s;
    run.state.setOpenRequest(request);
    run.send(u"/waits"_s);
    run.model.cancel();
    ASSERT_TRUE(run.waitUntilDone(tabID));
    EXPECT_EQ(run.tab(tabID).error, RequestViewModel::kCancelledMessage);
}

// A request that inherits goes with its collection's auth, scripted or not, and keeps saying
// "inherit" where it is stored; opened outside a collection it goes without.
TEST(SendSequence, anInheritingRequestGoesWithItsCollectionsAuth)
{
    const struct {
        const char* name;
        bool inCollection;
        QString preRequest;
        QByteArray authorization;
    } cases[] = {
        {"plain send", true, {}, "Bearer from-collection"},
        {"scripted send", true, u"pm.variables.set('x', '1');"_s, "Bearer from-collection"},
        {"no collection", false, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SendRun run;
        const APIRequest stored {.name = u"Inherits"_s,
            .url = run.server.baseUrl() + u"/inherit"_s,
            .authType = AuthType::inherit,
            .preRequestScript = c.preRequest};
        Collection collection {.name = u"API"_s, .requests = {stored}};
        collection.authType = AuthType::bearer;
        collection.authToken = u"from-collection"_s;
        run.state.appendCollection(collection);
        if (c.inCollection)
            run.state.openFromCollection(stored, collection.id);
        else
            run.state.openFromHistory(stored);
        const QUuid tabID = *run.state.activeTabID();
        run.sequence.send();
        ASSERT_TRUE(run.waitUntilDone(tabID));
        ASSERT_EQ(run.server.requests().size(), 1);
        EXPECT_EQ(run.server.requests()[0].header("Authorization"), c.authorization);
        EXPECT_EQ(run.collection(collection.id).requests[0].authType, AuthType::inherit);
        ASSERT_EQ(run.state.history().size(), 1);
        EXPECT_EQ(run.state.history()[0].request.authType, AuthType::inherit);
    }
}
