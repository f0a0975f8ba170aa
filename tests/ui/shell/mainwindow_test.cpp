#include "shellrun.h"
#include "ui/shell/detailarea.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QSplitter>
#include <QTabBar>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

QString currentScreen(const ShellRun& run)
{
    return run.window().detailArea()->currentScreen()->objectName();
}

} // namespace

TEST(MainWindow, remembersItsSizeSidebarWidthAndHiddenSidebarBetweenRuns)
{
    TempAppFolder folder;
    {
        ShellRun run({}, {}, &folder);
        EXPECT_EQ(run.window().size(), QSize(1200, 800));
        EXPECT_EQ(run.window().minimumSize(), QSize(900, 600));
        auto* splitter = run.find<QSplitter>(u"mainSplitter"_s);
        EXPECT_EQ(splitter->sizes().constFirst(), 260);
        // The column keeps to its limits whatever it is asked to take.
        QWidget* sidebar = run.find(u"sidebar"_s);
        splitter->setSizes({100, 1100});
        EXPECT_EQ(sidebar->width(), 220);
        splitter->setSizes({500, 700});
        EXPECT_EQ(sidebar->width(), 360);
        run.window().resize(1000, 700);
        splitter->setSizes({300, 700});
        run.window().close();
    }
    {
        ShellRun again({}, {}, &folder);
        EXPECT_EQ(again.window().size(), QSize(1000, 700));
        EXPECT_EQ(again.find(u"sidebar"_s)->width(), 300);
        again.action(u"toggleSidebarAction"_s)->trigger();
        again.window().close();
    }
    ShellRun hidden({}, {}, &folder);
    EXPECT_FALSE(hidden.find(u"sidebar"_s)->isVisible());
    // The window carries Mako's own icon, not the platform's generic one.
    EXPECT_FALSE(hidden.window().windowIcon().pixmap(64).isNull());
}

TEST(MainWindow, detailAreaShowsTheWelcomeScreenOrTheOpenRequestsProtocol)
{
    ShellRun run;
    EXPECT_EQ(currentScreen(run), u"welcomeView"_s);
    // Its tips name the send shortcut as the platform writes it.
    const QString send = QKeySequence(Qt::CTRL | Qt::Key_Return).toString(QKeySequence::NativeText);
    QStringList texts;
    for (QLabel* label : run.find(u"welcomeTips"_s)->findChildren<QLabel*>())
        texts.append(label->text());
    EXPECT_TRUE(texts.contains(send + u" to send"_s)) << texts.join(u" | "_s).toStdString();
    const auto checked
        = [&](const QString& button) { return run.find<QAbstractButton>(button)->isChecked(); };

    // With nothing open, a protocol opens a new request of that protocol.
    QTest::mouseClick(run.find(u"protocolSSE"_s), Qt::LeftButton);
    ASSERT_EQ(run.state().tabs().size(), 1);
    EXPECT_EQ(currentScreen(run), u"sseScreen"_s);
    EXPECT_TRUE(checked(u"protocolSSE"_s));

    // Another protocol switches the open request, keeping its name, in the tab as well.
    QTest::mouseClick(run.find(u"protocolGraphQL"_s), Qt::LeftButton);
    EXPECT_EQ(run.state().tabs().size(), 1);
    EXPECT_EQ(currentScreen(run), u"graphqlScreen"_s);
    EXPECT_EQ(run.state().openRequest()->name, u"New Request"_s);
    EXPECT_EQ(run.state().tabs()[0].request.requestProtocol, RequestProtocol::graphql);
    EXPECT_TRUE(checked(u"protocolGraphQL"_s));
    EXPECT_FALSE(checked(u"protocolSSE"_s));

    run.state().closeTab(run.state().tabs()[0].id);
    EXPECT_EQ(currentScreen(run), u"welcomeView"_s);
    for (const QString& button :
        {u"protocolHTTP"_s, u"protocolGraphQL"_s, u"protocolWebSocket"_s, u"protocolSSE"_s})
        EXPECT_FALSE(checked(button)) << button.toStdString();
}

TEST(WelcomeView, protocolActionsOpenANamedRequestInANewTab)
{
    const struct {
        QString action;
        RequestProtocol protocol;
        QString name;
        QString screen;
    } cases[] {
        {u"quickActionHTTP"_s, RequestProtocol::http, u"New Request"_s, u"httpScreen"_s},
        {u"quickActionGraphQL"_s, RequestProtocol::graphql, u"GraphQL Query"_s, u"graphqlScreen"_s},
        {u"quickActionWebSocket"_s, RequestProtocol::websocket, u"WebSocket"_s,
            u"websocketScreen"_s},
        {u"quickActionSSE"_s, RequestProtocol::sse, u"SSE Stream"_s, u"sseScreen"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action.toStdString());
        ShellRun run;
        QTest::mouseClick(run.find(c.action), Qt::LeftButton);
        ASSERT_EQ(run.state().tabs().size(), 1);
        const APIRequest& open = *run.state().openRequest();
        EXPECT_EQ(open.requestProtocol, c.protocol);
        EXPECT_EQ(open.name, c.name);
        // Written back, so that switching tabs keeps it.
        EXPECT_EQ(run.state().tabs()[0].request, open);
        EXPECT_EQ(currentScreen(run), c.screen);
    }
}

// The areas reach the user through the window's own commands and places.
TEST(MainWindow, menuCommandsReachTheTabBarPaletteAndSaveSheet)
{
    ShellRun run;
    ASSERT_TRUE(run.activate());
    EXPECT_TRUE(run.find<QWidget>(u"environmentSelector"_s));
    auto* tabs = run.find<QTabBar>(u"requestTabs"_s);
    ASSERT_TRUE(tabs);
    QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(tabs->count(), 1);

    // Saving a request that belongs to no collection asks where it goes.
    run.action(u"saveToCollectionAction"_s)->trigger();
    QWidget* sheet = visibleDialog(u"saveToCollectionSheet"_s);
    ASSERT_TRUE(sheet);
    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([] { return !visibleDialog(u"saveToCollectionSheet"_s); }));

    // Quick Open finds menu commands too, and running one closes the palette.
    auto* palette = run.find<QWidget>(u"commandPalette"_s);
    ASSERT_TRUE(palette);
    run.action(u"quickOpenAction"_s)->trigger();
    ASSERT_TRUE(palette->isVisible());
    QTest::keyClicks(QApplication::focusWidget(), u"new request"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(palette->isVisible());
    EXPECT_EQ(run.state().tabs().size(), 2);
    EXPECT_EQ(tabs->count(), 2);
}
