#include "staterun.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

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
    state.openNewRequest();
    ASSERT_EQ(state.tabs().size(), 2);
    EXPECT_EQ(state.tabs()[0].request.name, u"New Request"_s);
    EXPECT_EQ(state.openRequest()->id, state.tabs()[1].request.id);

    const APIRequest stored {.url = u"https://a.test/users"_s};
    const QUuid collection = run.addCollection(u"API"_s, {stored});
    state.openFromCollection(stored, collection);
    const QUuid storedTab = *state.activeTabID();
    editOpenRequestURL(state, u"https://a.test/edited"_s);
    state.updateActiveTabResponse(std::nullopt, u"refused"_s, false);
    state.updateActiveTabResponse(APIResponse {.statusCode = 201}, std::nullopt, false);

    const APIRequest graphql {.url = u"https://a.test/graphql"_s,
        .requestProtocol = RequestProtocol::graphql,
        .graphqlQuery = u"{ me }"_s};
    state.openFromHistory(graphql);
    EXPECT_NE(state.openRequest()->id, graphql.id);
    EXPECT_EQ(state.openRequest()->url, graphql.url);
    EXPECT_EQ(state.openRequest()->requestProtocol, RequestProtocol::http);
    EXPECT_TRUE(state.openRequest()->graphqlQuery.isEmpty());
    EXPECT_EQ(state.openRequestOrigin(), RequestOrigin::history());

    // Reopened from the sidebar, then from a history entry of the same request.
    for (const bool fromHistory : {false, true}) {
        state.switchToTab(state.tabs()[0].id);
        if (fromHistory)
            state.openFromHistory(stored);
        else
            state.openFromCollection(stored, collection);
        EXPECT_EQ(state.tabs().size(), 4);
        EXPECT_EQ(state.activeTabID(), storedTab);
        EXPECT_EQ(state.openRequestOrigin(), RequestOrigin::collection(collection));
        EXPECT_EQ(state.openRequest()->url, u"https://a.test/edited"_s);
        // The error added no timing entry.
        EXPECT_EQ(state.activeTab()->responseHistory.size(), 1);
        EXPECT_EQ(state.activeTab()->response.value_or(APIResponse {}).statusCode, 201);
    }

    // Switching to the active tab neither writes back nor reloads.
    editOpenRequestURL(state, u"https://a.test/unsaved"_s);
    state.switchToTab(storedTab);
    EXPECT_EQ(state.activeTab()->request.url, u"https://a.test/edited"_s);
    EXPECT_EQ(state.openRequest()->url, u"https://a.test/unsaved"_s);
}

// Closing tabs, and the collection operations that close tabs, keep the unsaved edits of the
// active tab when it stays open.
TEST(Tabs, closingActivatesTheLastTabAndKeepsTheActiveTabsEdits)
{
    enum class Close { activeMiddle, other, others, otherCollection, otherRequest, all };
    const struct {
        Close close;
        QList<int> remaining;
        int active; // index into the opened tabs; -1 for none
    } cases[] = {
        {Close::activeMiddle, {0, 2}, 2},
        {Close::other, {1, 2}, 1},
        {Close::others, {1}, 1},
        {Close::otherCollection, {1, 2}, 1},
        {Close::otherRequest, {0, 1}, 1},
        {Close::all, {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.close));
        StateRun run;
        AppState& state = run.state;
        const APIRequest a {.url = u"https://a.test"_s}, b {.url = u"https://b.test"_s};
        const QUuid first = run.addCollection(u"A"_s, {a});
        const QUuid second = run.addCollection(u"B"_s, {b});
        state.openFromCollection(a, first);
        state.openNewRequest();
        state.openFromCollection(b, second);
        const QList<QUuid> opened = tabIDs(state);
        state.switchToTab(opened[1]);
        editOpenRequestURL(state, u"https://edited.test"_s);

        switch (c.close) {
        case Close::activeMiddle:
            state.closeTab(opened[1]);
            break;
        case Close::other:
            state.closeTab(opened[0]);
            break;
        case Close::others:
            state.closeOtherTabs(opened[1]);
            break;
        case Close::otherCollection:
            state.deleteCollection(first);
            break;
        case Close::otherRequest:
            state.removeRequest(b.id, second);
            break;
        case Close::all:
            for (const QUuid& id : opened)
                state.closeTab(id);
            break;
        }

        QList<QUuid> expected;
        for (int index : c.remaining)
            expected.append(opened[index]);
        EXPECT_EQ(tabIDs(state), expected);
        if (c.active < 0) {
            EXPECT_FALSE(state.activeTabID().has_value());
            EXPECT_FALSE(state.openRequest().has_value());
            EXPECT_EQ(state.openRequestOrigin(), RequestOrigin::none());
            continue;
        }
        EXPECT_EQ(state.activeTabID(), opened[c.active]);
        EXPECT_EQ(state.openRequest()->url,
            c.active == 1 ? u"https://edited.test"_s : u"https://b.test"_s);
    }
}
