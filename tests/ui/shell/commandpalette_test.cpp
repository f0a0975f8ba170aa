#include "focuswalk.h"
#include "ui/shell/commandpalette.h"
#include "ui/shell/commandpalettemodel.h"
#include "windowtesting.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct PaletteRun : StateRun {
    PaletteRun()
    {
        users = addCollection(u"Users"_s,
            {APIRequest {.name = u"List users"_s, .url = u"https://a.test/users"_s},
                APIRequest {.name = u"Create user"_s, .method = HTTPMethod::post},
                APIRequest {.name = u"Remove"_s, .method = HTTPMethod::delete_}});
        orders = addCollection(
            u"Orders"_s, {APIRequest {.name = u"Submit order"_s, .method = HTTPMethod::post}});
        closeTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
        palette->setCommands({closeTab, exportCollection, hidden});
        hidden->setVisible(false);
        outside->setGeometry(0, 0, 200, 600);
        area->setGeometry(200, 0, 700, 600);
        window.showNow();
        palette->showPalette();
    }

    QStringList shown() const { return rowTexts(results); }
    void type(const QString& text)
    {
        query->clear();
        QTest::keyClicks(query, text);
    }

    QUuid users, orders;
    TestWindow window;
    QWidget* outside = new QWidget(&window);
    QWidget* area = new QWidget(&window);
    QAction* closeTab = new QAction(u"Close &Tab"_s, &window);
    QAction* exportCollection = new QAction(u"&Export Collection..."_s, &window);
    QAction* hidden = new QAction(u"Close Hidden"_s, &window);
    CommandPalette* palette = new CommandPalette(state, area);
    QLineEdit* query = child<QLineEdit>(palette, u"paletteQuery"_s);
    QListView* results = child<QListView>(palette, u"paletteResults"_s);
};

} // namespace

TEST(CommandPalette, listsTheMatchingRequestsThenTheMatchingCommands)
{
    PaletteRun run;
    EXPECT_TRUE(run.palette->isVisible());
    EXPECT_EQ(run.window.focusWidget(), run.query);
    EXPECT_EQ(run.query->placeholderText(), u"Search requests..."_s);
    EXPECT_EQ(run.shown(),
        (QStringList {u"List users"_s, u"Create user"_s, u"Remove"_s, u"Submit order"_s,
            u"Close Tab"_s, u"Export Collection"_s}));

    const struct {
        QString query;
        QStringList shown;
    } cases[] = {
        {u"post"_s, {u"Create user"_s, u"Submit order"_s}},
        {u"USERS"_s, {u"List users"_s}},
        {u"close"_s, {u"Close Tab"_s}},
        {u"export"_s, {u"Export Collection"_s}},
        {u"er"_s, {u"List users"_s, u"Create user"_s, u"Submit order"_s}},
    };
    for (const auto& [query, shown] : cases) {
        run.type(query);
        EXPECT_EQ(run.shown(), shown) << query.toStdString();
    }
    run.type(u"close"_s);
    EXPECT_EQ(run.results->model()->index(0, 0).data(CommandPaletteModel::DetailRole).toString(),
        QKeySequence(Qt::CTRL | Qt::Key_W).toString(QKeySequence::NativeText));

    auto* noMatches = child<QLabel>(run.palette, u"noMatchesLabel"_s);
    EXPECT_FALSE(noMatches->isVisible());
    run.type(u"nothing like it"_s);
    EXPECT_TRUE(noMatches->isVisible());
    EXPECT_EQ(noMatches->text(), u"No matching requests"_s);
    click(child<QAbstractButton>(run.palette, u"clearSearchButton"_s));
    EXPECT_TRUE(run.query->text().isEmpty());
    EXPECT_EQ(run.shown().size(), 6);
}

TEST(CommandPalette, returnOrAClickOpensTheMatchAndClosesThePalette)
{
    PaletteRun run;
    run.type(u"post"_s);
    QTest::keyClick(run.query, Qt::Key_Return);
    EXPECT_FALSE(run.palette->isVisible());
    EXPECT_EQ(run.state.openRequest()->name, u"Create user"_s);
    EXPECT_EQ(run.state.openRequestOrigin(), RequestOrigin::collection(run.users));

    run.palette->toggle();
    EXPECT_TRUE(run.query->text().isEmpty());
    clickRow(run.results, 3);
    EXPECT_FALSE(run.palette->isVisible());
    EXPECT_EQ(run.state.openRequest()->name, u"Submit order"_s);
    EXPECT_EQ(run.state.openRequestOrigin(), RequestOrigin::collection(run.orders));

    // The arrow keys move the highlight that Return opens; a command is triggered.
    QSignalSpy closeTab(run.closeTab, &QAction::triggered);
    run.palette->showPalette();
    run.type(u"o"_s);
    QTest::keyClick(run.query, Qt::Key_Up);
    QTest::keyClick(run.query, Qt::Key_Down);
    QTest::keyClick(run.query, Qt::Key_Return);
    EXPECT_EQ(run.state.openRequest()->name, u"Remove"_s);
    run.palette->showPalette();
    run.type(u"close tab"_s);
    QTest::keyClick(run.query, Qt::Key_Return);
    EXPECT_EQ(closeTab.size(), 1);
    EXPECT_FALSE(run.palette->isVisible());

    // Return with nothing found does nothing.
    run.palette->showPalette();
    run.type(u"nothing like it"_s);
    QTest::keyClick(run.query, Qt::Key_Return);
    EXPECT_TRUE(run.palette->isVisible());
    EXPECT_EQ(run.state.tabs().size(), 3);
}

TEST(CommandPalette, escapeTheEscButtonAndAClickOutsideCloseIt)
{
    const std::function<void(PaletteRun&)> closers[] = {
        [](PaletteRun& run) { QTest::keyClick(run.query, Qt::Key_Escape); },
        [](PaletteRun& run) { QTest::keyClick(run.results, Qt::Key_Escape); },
        [](PaletteRun& run) {
            click(child<QAbstractButton>(run.palette, u"closePaletteButton"_s));
        },
        [](PaletteRun& run) { QTest::mouseClick(run.outside, Qt::LeftButton); },
    };
    for (const auto& close : closers) {
        PaletteRun run;
        run.type(u"user"_s);
        // A click inside leaves it open.
        QTest::mouseClick(run.query, Qt::LeftButton);
        EXPECT_TRUE(run.palette->isVisible());
        close(run);
        EXPECT_FALSE(run.palette->isVisible());
        EXPECT_TRUE(run.state.tabs().isEmpty());
    }
}

// While open, Tab goes round the palette's own controls; a focus moved off it another way
// closes it and stays where it went.
TEST(CommandPalette, tabStaysInsideAndFocusGoingElsewhereClosesIt)
{
    PaletteRun run;
    auto* elsewhere = new QLineEdit(run.outside);
    elsewhere->show();
    run.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&run.window));
    run.type(u"user"_s);
    expectFocusCycle(run.palette, run.query);
    EXPECT_TRUE(run.palette->isVisible());

    elsewhere->setFocus(Qt::ShortcutFocusReason);
    EXPECT_FALSE(run.palette->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), elsewhere);
}
