#include "ui/shell/tabbar.h"
#include "windowtesting.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QVBoxLayout>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct TabBarRun : StateRun {
    TabBarRun()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(bar);
        layout->addStretch();
        window.showNow();
    }

    QStringList texts() const
    {
        QStringList shown;
        for (int index = 0; index < tabs->count(); ++index)
            shown.append(tabs->tabText(index));
        return shown;
    }
    QString methodLabel(int index) const
    {
        return tabs->tabButton(index, QTabBar::LeftSide)
            ->findChild<QLabel*>(u"tabMethodLabel"_s)
            ->text();
    }
    bool showsUnsavedMark(int index) const
    {
        return !tabs->tabButton(index, QTabBar::LeftSide)
                    ->findChild<QLabel*>(u"tabUnsavedMark"_s)
                    ->isHidden();
    }
    void openThree()
    {
        for (const QString& name : {u"One"_s, u"Two"_s, u"Three"_s})
            state.openFromCollection(APIRequest {.name = name}, QUuid::createUuid());
    }

    TestWindow window;
    TabBar* bar = new TabBar(state, &window);
    QTabBar* tabs = child<QTabBar>(bar, u"requestTabs"_s);
};

} // namespace

TEST(TabBar, followsTheTabsOneByOneAndMarksUnsavedEdits)
{
    TabBarRun run;
    AppState& state = run.state;
    const APIRequest stored {.name = u"Create user"_s, .method = HTTPMethod::post};
    const QUuid api = run.addCollection(u"API"_s, {stored});
    click(child<QAbstractButton>(run.bar, u"newTabButton"_s));
    state.openFromCollection(stored, api);
    state.openFromCollection(
        APIRequest {.name = u"Feed"_s, .requestProtocol = RequestProtocol::sse}, api);
    EXPECT_EQ(run.texts(), (QStringList {u"New Request"_s, u"Create user"_s, u"Feed"_s}));
    EXPECT_EQ((QStringList {run.methodLabel(0), run.methodLabel(1), run.methodLabel(2)}),
        (QStringList {u"GET"_s, u"POST"_s, u"SSE"_s}));
    EXPECT_EQ(run.tabs->currentIndex(), 2);

    // A click switches; the tab that changes is updated, the others stay the same items.
    QWidget* firstItem = run.tabs->tabButton(0, QTabBar::LeftSide);
    QTest::mouseClick(run.tabs, Qt::LeftButton, {}, run.tabs->tabRect(1).center());
    EXPECT_EQ(state.activeTabID(), state.tabs()[1].id);
    EXPECT_FALSE(run.showsUnsavedMark(1));
    APIRequest edited = *state.openRequest();
    edited.name = u"Create admin"_s;
    state.setOpenRequest(edited);
    EXPECT_EQ(run.tabs->tabText(1), u"Create admin"_s);
    EXPECT_TRUE(run.showsUnsavedMark(1));
    EXPECT_FALSE(run.showsUnsavedMark(0)); // a new request has no stored version
    state.updateActiveTabResponse(std::nullopt, std::nullopt, true);
    EXPECT_EQ(run.tabs->tabButton(0, QTabBar::LeftSide), firstItem);
    state.saveRequestToCollection(*state.openRequest(), api);
    EXPECT_FALSE(run.showsUnsavedMark(1));

    // Closed by its button and by a middle click.
    click(qobject_cast<QAbstractButton*>(run.tabs->tabButton(0, QTabBar::RightSide)));
    QTest::mouseClick(run.tabs, Qt::MiddleButton, {}, run.tabs->tabRect(1).center());
    EXPECT_EQ(run.texts(), QStringList {u"Create admin"_s});
    ASSERT_EQ(state.tabs().size(), 1);
    EXPECT_EQ(state.tabs()[0].request.name, u"Create admin"_s);
    EXPECT_EQ(run.tabs->currentIndex(), 0);
}

TEST(TabBar, contextMenuClosesTheTabTheOthersOrAll)
{
    const struct {
        QString action;
        QStringList left;
    } cases[] = {
        {u"Close"_s, {u"One"_s, u"Three"_s}},
        {u"Close Others"_s, {u"Two"_s}},
        {u"Close All"_s, {}},
    };
    for (const auto& [action, left] : cases) {
        TabBarRun run;
        run.openThree();
        const QPoint position = run.tabs->tabRect(1).center();
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, position, run.tabs->mapToGlobal(position));
        QApplication::sendEvent(run.tabs, &event);
        auto* menu = child<QMenu>(run.bar, u"tabContextMenu"_s);
        ASSERT_TRUE(menu);
        for (QAction* entry : menu->actions()) {
            if (entry->text() == action)
                entry->trigger();
        }
        EXPECT_EQ(run.texts(), left) << action.toStdString();
        QStringList names;
        for (const RequestTab& tab : run.state.tabs())
            names.append(tab.request.name);
        EXPECT_EQ(names, left) << action.toStdString();
        EXPECT_EQ(run.state.openRequest().has_value(), !left.isEmpty());
    }
}

TEST(TabBar, controlTabCyclesThroughTheTabs)
{
    TabBarRun run;
    run.openThree();
    run.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&run.window));
    QStringList visited;
    for (int press = 0; press < 2; ++press) {
        QTest::keyClick(&run.window, Qt::Key_Tab, Qt::ControlModifier);
        visited.append(run.state.openRequest()->name);
    }
    QTest::keyClick(&run.window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    visited.append(run.state.openRequest()->name);
    EXPECT_EQ(visited, (QStringList {u"One"_s, u"Two"_s, u"One"_s}));
    EXPECT_EQ(run.tabs->currentIndex(), 0);
}
