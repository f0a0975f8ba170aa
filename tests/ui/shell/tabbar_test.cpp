#include "ui/commands/shortcutmap.h"
#include "ui/editor/savetocollectionsheet.h"
#include "ui/shell/tabbar.h"
#include "windowtesting.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTabBar>
#include <QToolButton>
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
    /// Opens "One", "Two" and "Three" of the collection "API"; "Three" is active.
    void openThree()
    {
        requests = {APIRequest {.name = u"One"_s, .url = u"https://a.test/1"_s},
            APIRequest {.name = u"Two"_s}, APIRequest {.name = u"Three"_s}};
        api = addCollection(u"API"_s, requests);
        for (const APIRequest& request : requests)
            state.openFromCollection(request, api);
    }
    void editOpenURL(const QString& url)
    {
        APIRequest edited = *state.openRequest();
        edited.url = url;
        state.setOpenRequest(edited);
    }
    void showContextMenuAndChoose(int index, const QString& text)
    {
        const QPoint position = tabs->tabRect(index).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, position, tabs->mapToGlobal(position));
        QApplication::sendEvent(tabs, &event);
        auto* menu = child<QMenu>(bar, u"tabContextMenu"_s);
        ASSERT_TRUE(menu);
        for (QAction* entry : menu->actions()) {
            if (entry->text() == text)
                entry->trigger();
        }
        menu->close();
    }
    /// The close questions on screen.
    QList<QMessageBox*> prompts() const
    {
        QList<QMessageBox*> shown = window.findChildren<QMessageBox*>(u"closeTabPrompt"_s);
        shown.removeIf([](const QMessageBox* box) { return !box->isVisible(); });
        return shown;
    }
    QMessageBox* prompt() const { return prompts().value(0); }
    void answer(const QString& text)
    {
        QMessageBox* box = prompt();
        ASSERT_TRUE(box);
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == text) {
                click(button);
                return;
            }
        }
        ADD_FAILURE() << "no button " << text.toStdString();
    }
    QString storedURL(int request) const { return collection(api).requests[request].url; }

    QList<APIRequest> requests;
    QUuid api;

    ShortcutMap shortcuts {settings};
    TestWindow window;
    TabBar* bar = new TabBar(state, shortcuts, &window);
    QTabBar* tabs = child<QTabBar>(bar, u"requestTabs"_s);
};

} // namespace

TEST(TabBar, followsTheTabsOneByOneAndMarksUnsavedEdits)
{
    TabBarRun run;
    AppState& state = run.state;
    const APIRequest stored {.name = u"Create user"_s, .method = HTTPMethod::post};
    const APIRequest feed {.name = u"Feed"_s, .requestProtocol = RequestProtocol::sse};
    const QUuid api = run.addCollection(u"API"_s, {stored, feed});
    click(child<QAbstractButton>(run.bar, u"newTabButton"_s));
    state.openFromCollection(stored, api);
    state.openFromCollection(feed, api);
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

// Every way of closing an edited tab asks first, and the answer decides what is kept.
TEST(TabBar, closingAnEditedTabAsksFirstOnEveryPath)
{
    enum class Path { closeButton, middleClick, contextMenu, controlW };
    const struct {
        const char* name;
        Path path;
        QString answer; // a button's text, or empty for the key below
        Qt::Key key;
        bool closes, saves;
    } cases[] = {
        {"button, cancel", Path::closeButton, u"Cancel"_s, {}, false, false},
        {"middle click, don't save", Path::middleClick, u"Don't Save"_s, {}, true, false},
        {"menu, save", Path::contextMenu, u"Save"_s, {}, true, true},
        {"Ctrl+W, Return", Path::controlW, {}, Qt::Key_Return, true, true},
        {"Ctrl+W, Escape", Path::controlW, {}, Qt::Key_Escape, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TabBarRun run;
        run.openThree();
        run.state.switchToTab(run.state.tabs()[0].id);
        run.editOpenURL(u"https://a.test/edited"_s);
        switch (c.path) {
        case Path::closeButton:
            click(qobject_cast<QAbstractButton*>(run.tabs->tabButton(0, QTabBar::RightSide)));
            break;
        case Path::middleClick:
            QTest::mouseClick(run.tabs, Qt::MiddleButton, {}, run.tabs->tabRect(0).center());
            break;
        case Path::contextMenu:
            run.showContextMenuAndChoose(0, u"Close"_s);
            break;
        case Path::controlW:
            run.window.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&run.window));
            QTest::keyClick(&run.window, Qt::Key_W, Qt::ControlModifier);
            break;
        }
        QMessageBox* box = run.prompt();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text(), u"Save changes to “One”?"_s);
        EXPECT_EQ(run.state.tabs().size(), 3); // nothing closes before the answer
        if (c.answer.isEmpty())
            QTest::keyClick(box, c.key);
        else
            run.answer(c.answer);

        EXPECT_EVENTUALLY(!run.prompt());
        EXPECT_EQ(run.texts().size(), c.closes ? 2 : 3);
        EXPECT_EQ(run.texts().contains(u"One"_s), !c.closes);
        EXPECT_EQ(run.storedURL(0), c.saves ? u"https://a.test/edited"_s : u"https://a.test/1"_s);
        if (!c.closes) {
            EXPECT_EQ(run.state.openRequest()->url, u"https://a.test/edited"_s);
        }
    }
}

// A request stored nowhere is saved through the save sheet, and its tab closes only once it is.
TEST(TabBar, closingADraftSavesItThroughTheSheet)
{
    TabBarRun run;
    const QUuid api = run.addCollection(u"API"_s);
    const auto closeFirst = [&] {
        click(qobject_cast<QAbstractButton*>(run.tabs->tabButton(0, QTabBar::RightSide)));
    };
    // A blank new request has nothing to lose.
    run.state.openNewRequest();
    closeFirst();
    EXPECT_FALSE(run.prompt());
    EXPECT_TRUE(run.state.tabs().isEmpty());

    run.state.openNewRequest();
    run.editOpenURL(u"https://a.test/draft"_s);
    for (const bool cancelSheet : {true, false}) {
        closeFirst();
        ASSERT_TRUE(run.prompt());
        EXPECT_EQ(run.prompt()->text(), u"Save changes to “New Request”?"_s);
        run.answer(u"Save"_s);
        QPointer sheet = run.window.findChild<SaveToCollectionSheet*>();
        ASSERT_TRUE(sheet);
        EXPECT_EVENTUALLY(sheet->isVisible());
        if (cancelSheet)
            click(child<QAbstractButton>(sheet, u"cancelButton"_s));
        else
            clickRow(child<QListView>(sheet, u"collectionList"_s), 0);
        EXPECT_EVENTUALLY(!sheet);
        EXPECT_EQ(run.state.tabs().size(), cancelSheet ? 1 : 0);
    }
    ASSERT_EQ(run.collection(api).requests.size(), 1);
    EXPECT_EQ(run.collection(api).requests[0].url, u"https://a.test/draft"_s);
}

// The context menu closes the tab, the others or all; with edits among them it asks once for
// all of them.
TEST(TabBar, contextMenuClosesTheTabTheOthersOrAllAskingOnceForAllEdited)
{
    const struct {
        QString action, answer; // no answer: nothing is edited
        QStringList left;
        bool saves = false;
    } cases[] = {
        {u"Close"_s, {}, {u"One"_s, u"Three"_s}},
        {u"Close Others"_s, {}, {u"Two"_s}},
        {u"Close All"_s, {}, {}},
        {u"Close Others"_s, u"Don't Save"_s, {u"Two"_s}},
        {u"Close All"_s, u"Save"_s, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.action + u' ' + c.answer).toStdString());
        TabBarRun run;
        run.openThree();
        if (!c.answer.isEmpty()) {
            run.state.switchToTab(run.state.tabs()[0].id);
            run.editOpenURL(u"https://a.test/edited"_s);
            run.state.openNewRequest();
            run.editOpenURL(u"https://a.test/draft"_s);
        }
        run.showContextMenuAndChoose(1, c.action);
        if (c.answer.isEmpty()) {
            EXPECT_FALSE(run.prompt());
        } else {
            EXPECT_EQ(run.prompts().size(), 1);
            ASSERT_TRUE(run.prompt());
            EXPECT_EQ(run.prompt()->text(), u"Save changes to 2 requests?"_s);
            run.answer(c.answer);
        }
        if (c.saves) {
            // The collection's request is stored in place; the draft asks for its collection.
            QPointer sheet = run.window.findChild<SaveToCollectionSheet*>();
            ASSERT_TRUE(sheet);
            clickRow(child<QListView>(sheet, u"collectionList"_s), 0);
            EXPECT_EVENTUALLY(!sheet);
        }
        EXPECT_EQ(run.texts(), c.left);
        QStringList names;
        for (const RequestTab& tab : run.state.tabs())
            names.append(tab.request.name);
        EXPECT_EQ(names, c.left);
        EXPECT_EQ(run.state.openRequest().has_value(), !c.left.isEmpty());
        EXPECT_EQ(run.storedURL(0), c.saves ? u"https://a.test/edited"_s : u"https://a.test/1"_s);
        EXPECT_EQ(run.collection(run.api).requests.size(), c.saves ? 4 : 3);
    }
}

TEST(TabBar, manyTabsKeepReadableTitlesAndTheBarScrolls)
{
    TabBarRun run;
    run.window.resize(520, 300);
    const QString name = u"Create user account"_s;
    for (int tab = 0; tab < 8; ++tab) {
        run.state.openNewRequest();
        APIRequest named = *run.state.openRequest();
        named.name = name;
        run.state.setOpenRequest(named);
    }
    const int readable = run.tabs->fontMetrics().horizontalAdvance(name.left(10));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    ASSERT_LE(run.bar->width(), 520);
    for (int index = 0; index < run.tabs->count(); ++index) {
        const int room = run.tabs->tabRect(index).width()
            - run.tabs->tabButton(index, QTabBar::LeftSide)->width()
            - run.tabs->tabButton(index, QTabBar::RightSide)->width();
        EXPECT_GE(room, readable) << index;
    }
    // The tabs do not fit: the bar scrolls, and the active one is in view.
    auto* scrollRight = run.tabs->findChild<QToolButton*>(u"ScrollRightButton"_s);
    ASSERT_TRUE(scrollRight);
    EXPECT_TRUE(scrollRight->isVisible());
    const QRect active = run.tabs->tabRect(run.tabs->currentIndex());
    EXPECT_GE(active.left(), 0);
    EXPECT_LE(active.right(), run.tabs->width());
}
