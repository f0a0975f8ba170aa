#include "ui/editor/savetocollectionsheet.h"
#include "ui/shell/requestcommands.h"
#include "windowtesting.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct CommandsRun : StateRun {
    CommandsRun() { window.showNow(); }

    void editOpenURL(const QString& url)
    {
        APIRequest edited = *state.openRequest();
        edited.url = url;
        state.setOpenRequest(edited);
    }

    TestWindow window;
    RequestCommands commands {state, &window};
};

} // namespace

TEST(RequestCommands, saveReplacesACollectionRequestInPlaceWithoutASheet)
{
    CommandsRun run;
    const APIRequest first {.name = u"First"_s}, second {.name = u"Second"_s};
    const QUuid api = run.addCollection(u"API"_s, {first, second});
    run.state.openFromCollection(first, api);
    run.editOpenURL(u"https://a.test/edited"_s);

    run.commands.saveCurrentRequest();
    EXPECT_EQ(run.window.findChild<SaveToCollectionSheet*>(), nullptr);
    const QList<APIRequest>& requests = run.collection(api).requests;
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0].id, first.id);
    EXPECT_EQ(requests[0].url, u"https://a.test/edited"_s);
    EXPECT_EQ(run.state.tabs()[0].request.url, u"https://a.test/edited"_s);
}

TEST(RequestCommands, saveOfANewRequestAsksForACollectionAndTheTabThenBelongsToIt)
{
    // An emptied name field keeps the request's own name.
    for (const QString& typed : {u"Login"_s, QString()}) {
        CommandsRun run;
        run.addCollection(u"Other"_s);
        const QUuid api = run.addCollection(u"API"_s);
        run.state.openNewRequest();
        run.editOpenURL(u"https://a.test/login"_s);

        run.commands.saveCurrentRequest();
        QPointer sheet = run.window.findChild<SaveToCollectionSheet*>();
        ASSERT_TRUE(sheet);
        EXPECT_TRUE(sheet->isVisible());
        auto* name = child<QLineEdit>(sheet, u"requestNameField"_s);
        EXPECT_EQ(name->text(), u"New Request"_s);
        name->setText(typed);
        auto* collections = child<QListView>(sheet, u"collectionList"_s);
        EXPECT_EQ(rowTexts(collections), (QStringList {u"Other"_s, u"API"_s}));
        clickRow(collections, 1);

        const QString expected = typed.isEmpty() ? u"New Request"_s : typed;
        ASSERT_EQ(run.collection(api).requests.size(), 1);
        EXPECT_EQ(run.collection(api).requests[0].name, expected);
        EXPECT_EQ(run.collection(api).requests[0].url, u"https://a.test/login"_s);
        EXPECT_EQ(run.state.openRequestOrigin(), RequestOrigin::collection(api));
        EXPECT_EQ(run.state.tabs()[0].origin, RequestOrigin::collection(api));
        EXPECT_EQ(run.state.openRequest()->name, expected);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !sheet; }));
    }
}

TEST(RequestCommands, saveSheetWithoutCollectionsOffersANewOneAndCancelStoresNothing)
{
    CommandsRun run;
    run.state.openNewRequest();
    run.commands.saveCurrentRequest();
    auto* sheet = run.window.findChild<SaveToCollectionSheet*>();
    ASSERT_TRUE(sheet);
    auto* empty = child<QLabel>(sheet, u"noCollectionsLabel"_s);
    EXPECT_TRUE(empty->isVisible());
    EXPECT_EQ(empty->text(), u"No collections yet."_s);

    // The name is asked for in place, ready to be typed over.
    click(child<QAbstractButton>(sheet, u"newCollectionButton"_s));
    auto* name = child<QLineEdit>(sheet, u"newCollectionNameField"_s);
    ASSERT_TRUE(name);
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(sheet->focusWidget(), name);
    EXPECT_EQ(name->selectedText(), u"New Collection"_s);
    EXPECT_TRUE(run.state.collections().isEmpty());
    QTest::keyClicks(name, u"Team API"_s);
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_FALSE(empty->isVisible());
    EXPECT_FALSE(name->isVisible());
    ASSERT_EQ(run.state.collections().size(), 1);
    EXPECT_EQ(run.state.collections()[0].name, u"Team API"_s);
    click(child<QAbstractButton>(sheet, u"cancelButton"_s));
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(run.state.collections()[0].requests.isEmpty());
    EXPECT_EQ(run.state.openRequestOrigin(), RequestOrigin::none());
}

TEST(RequestCommands, duplicateStoresACollectionCopyBesideItOrOpensANewOneUnsaved)
{
    CommandsRun run;
    const APIRequest stored {.name = u"Users"_s, .url = u"https://a.test/users"_s};
    const QUuid api = run.addCollection(u"API"_s, {stored});
    run.state.openFromCollection(stored, api);

    run.commands.duplicateCurrentRequest();
    const QList<APIRequest>& requests = run.collection(api).requests;
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[1].name, u"Users (Copy)"_s);
    EXPECT_NE(requests[1].id, stored.id);
    ASSERT_EQ(run.state.tabs().size(), 2);
    EXPECT_EQ(run.state.openRequest(), requests[1]);
    EXPECT_EQ(run.state.openRequestOrigin(), RequestOrigin::collection(api));

    run.state.openNewRequest();
    run.editOpenURL(u"https://a.test/new"_s);
    run.commands.duplicateCurrentRequest();
    ASSERT_EQ(run.state.tabs().size(), 4);
    EXPECT_EQ(run.state.tabs()[3].request.name, u"New Request (Copy)"_s);
    EXPECT_EQ(run.state.tabs()[3].request.url, u"https://a.test/new"_s);
    EXPECT_EQ(run.state.tabs()[3].origin, RequestOrigin::none());
    EXPECT_EQ(run.state.openRequest(), run.state.tabs()[3].request);
    EXPECT_EQ(run.collection(api).requests.size(), 2);
}
