#include "staterun.h"

#include <functional>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

QList<QUuid> tabIDs(const AppState& state)
{
    QList<QUuid> ids;
    for (const RequestTab& tab : state.tabs())
        ids.append(tab.id);
    return ids;
}

void editOpenRequestURL(AppState& state, const QString& url)
{
    APIRequest edited = state.openRequest().value();
    edited.url = url;
    state.setOpenRequest(edited);
}

} // namespace

TEST(Tabs, openingReusesTheTabOfAnOpenRequestWithItsEditsAndResponse)
{
    StateRun run;
    AppState& state = run.state;
    state.openNewRequest();
    EXPECT_EQ(state.openRequest()->name, u"New Request"_s);

    const APIRequest stored {.url = u"https://a.test/users"_s};
    const QUuid collection = run.addCollection(u"API"_s, {stored});
    state.openFromCollection(stored, collection);
    const QUuid storedTab = *state.activeTabID();
    editOpenRequestURL(state, u"https://a.test/edited"_s);
    state.updateActiveTabResponse(std::nullopt, u"refused"_s, false);
    state.updateActiveTabResponse(APIResponse {.statusCode = 201}, std::nullopt, false);

    state.openNewRequest();

    // Reopened from the sidebar.
    state.switchToTab(state.tabs()[0].id);
    state.openFromCollection(stored, collection);
    EXPECT_EQ(state.tabs().size(), 3);
    EXPECT_EQ(state.activeTabID(), storedTab);
    EXPECT_EQ(state.openRequestOrigin(), RequestOrigin::collection(collection));
    EXPECT_EQ(state.openRequest()->url, u"https://a.test/edited"_s);
    // The error added no timing entry.
    EXPECT_EQ(state.activeTab()->responseHistory.size(), 1);
    EXPECT_EQ(state.activeTab()->response.value_or(APIResponse {}).statusCode, 201);

    // Switching to the active tab neither writes back nor reloads.
    editOpenRequestURL(state, u"https://a.test/unsaved"_s);
    state.switchToTab(storedTab);
    EXPECT_EQ(state.activeTab()->request.url, u"https://a.test/edited"_s);
    EXPECT_EQ(state.openRequest()->url, u"https://a.test/unsaved"_s);
}

// A history entry is what was sent: a tab shows it only while it holds that request unchanged.
TEST(Tabs, historyReopensWhatWasSentAndReusesOnlyAnUnchangedTab)
{
    StateRun run;
    AppState& state = run.state;
    const APIRequest stored {.name = u"Users"_s, .url = u"https://a.test/users"_s};
    const QUuid collection = run.addCollection(u"API"_s, {stored});
    state.openFromCollection(stored, collection);
    const QUuid storedTab = *state.activeTabID();
    state.openNewRequest();

    state.openFromHistory(stored);
    EXPECT_EQ(state.activeTabID(), storedTab);
    EXPECT_EQ(state.tabs().size(), 2);

    editOpenRequestURL(state, u"https://a.test/edited"_s);
    state.openFromHistory(stored);
    ASSERT_EQ(state.tabs().size(), 3);
    const QUuid copyTab = *state.activeTabID();
    EXPECT_NE(state.openRequest()->id, stored.id);
    EXPECT_EQ(state.openRequest()->url, stored.url);
    EXPECT_EQ(state.openRequestOrigin(), RequestOrigin::history());
    EXPECT_EQ(state.tabStore().tab(storedTab)->request.url, u"https://a.test/edited"_s);

    // The copy is the entry until it is edited.
    state.switchToTab(storedTab);
    state.openFromHistory(stored);
    EXPECT_EQ(state.activeTabID(), copyTab);
    EXPECT_EQ(state.tabs().size(), 3);
    editOpenRequestURL(state, u"https://a.test/copy-edited"_s);
    state.openFromHistory(stored);
    EXPECT_EQ(state.tabs().size(), 4);
    EXPECT_EQ(state.openRequest()->url, stored.url);

    // Every protocol comes back with everything it was sent with.
    const APIRequest sent[] = {
        APIRequest {.name = u"Me"_s,
            .url = u"https://a.test/graphql"_s,
            .method = HTTPMethod::post,
            .headers = {KeyValuePair {.key = u"X-Trace"_s, .value = u"1"_s}},
            .requestProtocol = RequestProtocol::graphql,
            .graphqlQuery = u"query Me($id: ID) { user(id: $id) { name } }"_s,
            .graphqlVariables = u"{\"id\": 7}"_s,
            .graphqlOperationName = u"Me"_s},
        APIRequest {.url = u"ws://a.test/chat"_s,
            .requestProtocol = RequestProtocol::websocket,
            .wsMessages = {u"hello"_s}},
        APIRequest {.url = u"https://a.test/feed"_s,
            .headers = {KeyValuePair {.key = u"Last-Event-ID"_s, .value = u"4"_s}},
            .requestProtocol = RequestProtocol::sse},
    };
    for (const APIRequest& request : sent) {
        SCOPED_TRACE(rawValue(request.requestProtocol).toStdString());
        state.openFromHistory(request);
        ASSERT_TRUE(state.openRequest().has_value());
        EXPECT_TRUE(sameRequestContent(*state.openRequest(), request));
        EXPECT_EQ(state.openRequest()->requestProtocol, request.requestProtocol);
        EXPECT_EQ(state.openRequest()->graphqlQuery, request.graphqlQuery);
    }
}

// Closing tabs, and the collection operations that close tabs, keep the unsaved edits of the
// active tab when it stays open.
TEST(Tabs, closingActivatesTheLastTabAndKeepsTheActiveTabsEdits)
{
    // The three tabs opened, and what they show: a request of collection A, a new request
    // (active, edited) and request b of collection B.
    struct Opened {
        QList<QUuid> tabs;
        QUuid first, second, b;
    };
    const struct {
        const char* name;
        std::function<void(AppState&, const Opened&)> close;
        QList<int> remaining;
        int active; // index into the opened tabs; -1 for none
    } cases[] = {
        {"active", [](AppState& s, const Opened& o) { s.closeTab(o.tabs[1]); }, {0, 2}, 2},
        {"other", [](AppState& s, const Opened& o) { s.closeTab(o.tabs[0]); }, {1, 2}, 1},
        {"others", [](AppState& s, const Opened& o) { s.closeOtherTabs(o.tabs[1]); }, {1}, 1},
        {"collection", [](AppState& s, const Opened& o) { s.deleteCollection(o.first); }, {1, 2},
            1},
        {"request", [](AppState& s, const Opened& o) { s.removeRequest(o.b, o.second); }, {0, 1},
            1},
        {"all",
            [](AppState& s, const Opened& o) {
                for (const QUuid& id : o.tabs)
                    s.closeTab(id);
            },
            {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StateRun run;
        AppState& state = run.state;
        const APIRequest a {.url = u"https://a.test"_s}, b {.url = u"https://b.test"_s};
        Opened opened {.first = run.addCollection(u"A"_s, {a}),
            .second = run.addCollection(u"B"_s, {b}),
            .b = b.id};
        state.openFromCollection(a, opened.first);
        state.openNewRequest();
        state.openFromCollection(b, opened.second);
        opened.tabs = tabIDs(state);
        state.switchToTab(opened.tabs[1]);
        editOpenRequestURL(state, u"https://edited.test"_s);

        c.close(state, opened);
        QList<QUuid> expected;
        for (int index : c.remaining)
            expected.append(opened.tabs[index]);
        EXPECT_EQ(tabIDs(state), expected);
        if (c.active < 0) {
            EXPECT_FALSE(state.activeTabID().has_value() || state.openRequest().has_value());
            EXPECT_EQ(state.openRequestOrigin(), RequestOrigin::none());
            continue;
        }
        EXPECT_EQ(state.activeTabID(), opened.tabs[c.active]);
        EXPECT_EQ(state.openRequest()->url,
            c.active == 1 ? u"https://edited.test"_s : u"https://b.test"_s);
    }
}

// The window passes ids it reads from the state itself; the operations change that data as
// they go (closing the tab reloads the open request's origin), so they must not read the
// argument again afterwards.
TEST(Tabs, operationsTakeIdsReadFromTheStateItself)
{
    StateRun run;
    AppState& state = run.state;
    const APIRequest a {.url = u"https://a.test"_s};
    const QUuid first = run.addCollection(u"A"_s, {a});
    run.addCollection(u"B"_s);
    state.openNewRequest();
    state.openFromCollection(a, first);
    state.deleteCollection(state.openRequestOrigin().collectionID);
    ASSERT_EQ(state.collections().size(), 1);
    EXPECT_EQ(state.collections()[0].name, u"B"_s);

    state.openNewRequest();
    state.openNewRequest();
    const QList<QUuid> before = tabIDs(state);
    state.closeOtherTabs(state.tabs()[1].id);
    EXPECT_EQ(tabIDs(state), QList<QUuid> {before[1]});
    state.addEnvironment(u"E"_s);
    state.addEnvironment(u"F"_s);
    state.deleteEnvironment(state.environments()[0].id);
    ASSERT_EQ(state.environments().size(), 1);
    EXPECT_EQ(state.environments()[0].name, u"F"_s);
}

// A send's scripts outcome lands in its own tab, active or not, and goes when that tab's next
// send starts; a closed tab takes nothing.
TEST(Tabs, scriptsOutcomeBelongsToItsTabUntilTheNextSendStarts)
{
    StateRun run;
    AppState& state = run.state;
    state.openNewRequest();
    const QUuid first = *state.activeTabID();
    state.openNewRequest();
    const QUuid second = *state.activeTabID();
    const ScriptOutcome outcome {
        .tests = {TestResult {.name = u"status is 200"_s, .passed = true},
            TestResult {.name = u"has id"_s, .error = u"expected undefined to exist"_s}},
        .console = {u"token abc"_s},
        .error = u"Tests: ReferenceError: x is not defined (line 2)"_s};

    state.updateTabScripts(first, outcome);
    state.updateTabScripts(QUuid::createUuid(), outcome);
    EXPECT_EQ(state.tabStore().tab(first)->scripts, outcome);
    EXPECT_TRUE(state.tabStore().tab(second)->scripts.isEmpty());

    // The other tab's send leaves it alone; its own response keeps it; its next send clears it.
    state.updateTabResponse(second, std::nullopt, std::nullopt, true);
    state.updateTabResponse(first, APIResponse {.statusCode = 200}, std::nullopt, false);
    EXPECT_EQ(state.tabStore().tab(first)->scripts, outcome);
    state.updateTabResponse(first, std::nullopt, std::nullopt, true);
    EXPECT_TRUE(state.tabStore().tab(first)->scripts.isEmpty());
}
