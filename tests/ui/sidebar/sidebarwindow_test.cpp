#include "shellrun.h"
#include "support/httptestserver.h"
#include "ui/shell/detailarea.h"
#include "ui/sidebar/sidebar.h"
#include "windowtesting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QSplitter>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

TEST(SidebarWindow, startsAtThePreferredWidthAndFindTakesItsSearchField)
{
    for (const auto& [preference, width] : {std::pair {320.0, 320}, std::pair {900.0, 360}}) {
        ShellRun run({}, {{u"sidebarWidth"_s, preference}});
        EXPECT_TRUE(run.window().findChild<Sidebar*>(u"sidebar"_s));
        EXPECT_EQ(run.find<QSplitter>(u"mainSplitter"_s)->sizes().constFirst(), width);
        ASSERT_TRUE(run.activate());
        QTest::keyClick(&run.window(), Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), run.find<QLineEdit>(u"sidebarSearchField"_s));
    }
}

// A history entry opens as it was sent, on its own protocol's screen, and not in the tab that
// sent it once that tab holds something else.
TEST(SidebarWindow, historyReopensEveryProtocolWithWhatItWasSentWith)
{
    HttpTestServer server;
    ShellRun run;
    AppState& state = run.state();
    state.openNewRequest();
    APIRequest graphql = *state.openRequest();
    graphql.requestProtocol = RequestProtocol::graphql;
    graphql.url = server.baseUrl() + u"/graphql"_s;
    state.setOpenRequest(graphql);
    const QString query = u"query Me($id: ID) { user(id: $id) { name } }"_s;
    const QString variables = u"{\"id\": 7}"_s;
    QTest::keyClicks(run.find<QLineEdit>(u"operationField"_s), u"Me"_s);
    QTest::keyClicks(run.find<QPlainTextEdit>(u"queryEditor"_s), query);
    QTest::keyClicks(run.find<QPlainTextEdit>(u"variablesEditor"_s), variables);
    QTest::mouseClick(run.find<QAbstractButton>(u"sendQueryButton"_s), Qt::LeftButton);
    EXPECT_EVENTUALLY_EQ(state.history().size(), 1);
    // The tab goes on to another query.
    QTest::keyClicks(run.find<QPlainTextEdit>(u"queryEditor"_s), u" # next"_s);

    auto* history = run.find<QListView>(u"historyList"_s);
    ASSERT_TRUE(history);
    clickRow(history, 0);
    ASSERT_EQ(state.tabs().size(), 2);
    EXPECT_EQ(state.openRequestOrigin(), RequestOrigin::history());
    EXPECT_EQ(run.window().detailArea()->currentScreen()->objectName(), u"graphqlScreen"_s);
    EXPECT_EQ(run.find<QPlainTextEdit>(u"queryEditor"_s)->toPlainText(), query);
    EXPECT_EQ(run.find<QPlainTextEdit>(u"variablesEditor"_s)->toPlainText(), variables);
    EXPECT_EQ(run.find<QLineEdit>(u"operationField"_s)->text(), u"Me"_s);

    const struct {
        RequestProtocol protocol;
        QString url, screen;
    } streams[] = {
        {RequestProtocol::websocket, u"ws://127.0.0.1:1/chat"_s, u"websocketScreen"_s},
        {RequestProtocol::sse, u"http://127.0.0.1:1/feed"_s, u"sseScreen"_s},
    };
    for (const auto& stream : streams) {
        SCOPED_TRACE(stream.screen.toStdString());
        state.addHistoryItem(
            APIRequest {.url = stream.url, .requestProtocol = stream.protocol}, 101, 0.01);
        clickRow(history, 0);
        QWidget* screen = run.window().detailArea()->currentScreen();
        EXPECT_EQ(screen->objectName(), stream.screen);
        EXPECT_EQ(child<QLineEdit>(screen, u"urlField"_s)->text(), stream.url);
    }
}
