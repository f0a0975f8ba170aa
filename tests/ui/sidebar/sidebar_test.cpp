#include "sidebartesting.h"

#include <QApplication>
#include <QDialog>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

QDialog* dialog(const QWidget& window, const QString& objectName)
{
    for (QDialog* found : window.findChildren<QDialog*>(objectName)) {
        if (found->isVisible())
            return found;
    }
    return nullptr;
}

} // namespace

TEST(Sidebar, searchSelectionAndNewCollectionEdgeCases)
{
    SidebarRun run;
    auto* search = child<QLineEdit>(run.sidebar, u"sidebarSearchField"_s);
    auto* results = child<QListView>(run.sidebar, u"searchResultsList"_s);
    QWidget* section = child<QWidget>(run.sidebar, u"searchResultsSection"_s);
    EXPECT_FALSE(section->isVisible());
    // A tag-only match, then a URL match across collections.
    QTest::keyClicks(search, u"SMOK"_s);
    EXPECT_TRUE(section->isVisible());
    EXPECT_EQ(rowTexts(results), QStringList {u"b"_s});
    search->setText(u"o.test"_s);
    EXPECT_EQ(rowTexts(results), QStringList {u"o"_s});
    clickRow(results, 0);
    ASSERT_TRUE(run.state.openRequest().has_value());
    EXPECT_EQ(run.state.openRequest()->id, run.o.id);
    EXPECT_EQ(run.state.openRequestOrigin(), RequestOrigin::collection(run.other));

    // Selecting a collection row hides the history list; "Recent" shows it again.
    QWidget* history = child<QWidget>(run.sidebar, u"historyView"_s);
    EXPECT_TRUE(history->isVisible());
    run.clickRow(run.row(run.other, run.other));
    EXPECT_EQ(run.state.selectedSidebarItem(), AppState::SidebarItem::collection(run.other));
    EXPECT_FALSE(history->isVisible());
    click(child<QToolButton>(run.sidebar, u"recentRow"_s));
    EXPECT_EQ(run.state.selectedSidebarItem(), AppState::SidebarItem::history());
    EXPECT_TRUE(history->isVisible());

    // "Create" with no name creates nothing and leaves the sheet open; Return creates.
    run.sidebar->findChild<QAction*>(u"newCollectionAction"_s)->trigger();
    QDialog* sheet = dialog(run.window, u"newCollectionSheet"_s);
    ASSERT_TRUE(sheet);
    click(child<QPushButton>(sheet, u"confirmButton"_s));
    EXPECT_EQ(run.state.collections().size(), 2);
    EXPECT_TRUE(sheet->isVisible());
    QTest::keyClicks(child<QLineEdit>(sheet, u"nameField"_s), u"Third"_s);
    QTest::keyClick(child<QLineEdit>(sheet, u"nameField"_s), Qt::Key_Return);
    ASSERT_EQ(run.state.collections().size(), 3);
    EXPECT_EQ(run.state.collections()[2].name, u"Third"_s);
    EXPECT_FALSE(sheet->isVisible());
}

TEST(Sidebar, deletingAsksFirstOnlyWhileThePreferenceIsOn)
{
    SidebarRun run;
    const auto deleteCollection = [&](const QUuid& id) {
        run.menu(id, id)->findChild<QAction*>(u"deleteCollectionAction"_s)->trigger();
    };
    deleteCollection(run.other);
    ASSERT_EQ(run.state.collections().size(), 1);
    EXPECT_FALSE(dialog(run.window, u"deleteConfirmation"_s));

    run.settings.setValue(SettingKeys::confirmBeforeDelete, true);
    for (const bool confirm : {false, true}) {
        deleteCollection(run.api);
        auto* box = qobject_cast<QMessageBox*>(dialog(run.window, u"deleteConfirmation"_s));
        ASSERT_TRUE(box);
        EXPECT_EQ(run.state.collections().size(), 1);
        click(confirm ? child<QPushButton>(box, u"confirmDeleteButton"_s)
                      : box->button(QMessageBox::Cancel));
        EXPECT_EQ(run.state.collections().size(), confirm ? 0 : 1);
    }
}

TEST(Sidebar, everyContextMenuEntryCallsItsOperation)
{
    const auto names = [](const QList<CollectionFolder>& folders) {
        QStringList found;
        for (const CollectionFolder& folder : folders)
            found.append(folder.name + u':' + QString::number(folder.requestIDs.size()));
        return found;
    };
    struct Case {
        const char* entry;
        bool onFolder, onRequest;
        std::function<void(SidebarRun&)> check;
    };
    const Case cases[] = {
        {"newRequestAction", false, false,
            [](SidebarRun& run) {
                EXPECT_EQ(run.requestNames(run.api).size(), 4);
                EXPECT_EQ(run.state.openRequestOrigin(), RequestOrigin::collection(run.api));
            }},
        {"newFolderAction", false, false,
            [&](SidebarRun& run) {
                EXPECT_EQ(names(run.collection(run.api).folders),
                    (QStringList {u"F:1"_s, u"New Folder:0"_s}));
            }},
        {"duplicateCollectionAction", false, false,
            [](SidebarRun& run) { EXPECT_EQ(run.state.collections()[2].name, u"API (Copy)"_s); }},
        {"deleteCollectionAction", false, false,
            [](SidebarRun& run) { EXPECT_EQ(run.state.collections().size(), 1); }},
        {"runCollectionAction", false, false,
            [](SidebarRun& run) { EXPECT_TRUE(dialog(run.window, u"collectionRunnerSheet"_s)); }},
        {"newRequestAction", true, false,
            [&](SidebarRun& run) {
                EXPECT_EQ(names(run.collection(run.api).folders), QStringList {u"F:2"_s});
            }},
        {"deleteFolderAction", true, false,
            [](SidebarRun& run) {
                EXPECT_TRUE(run.collection(run.api).folders.isEmpty());
                EXPECT_EQ(run.requestNames(run.api).size(), 3);
            }},
        {"openRequestAction", false, true,
            [](SidebarRun& run) { EXPECT_EQ(run.state.openRequest()->id, run.c.id); }},
        {"duplicateRequestAction", false, true,
            [](SidebarRun& run) { EXPECT_EQ(run.requestNames(run.api).last(), u"c (Copy)"_s); }},
        {"deleteRequestAction", false, true,
            [](SidebarRun& run) {
                EXPECT_EQ(run.requestNames(run.api), (QStringList {u"a"_s, u"b"_s}));
            }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        SidebarRun run;
        const QUuid id = c.onFolder ? run.folderID : c.onRequest ? run.c.id : run.api;
        const auto menu = run.menu(id, run.api);
        ASSERT_TRUE(menu);
        auto* action = menu->findChild<QAction*>(QString::fromLatin1(c.entry));
        ASSERT_TRUE(action);
        action->trigger();
        c.check(run);
    }
}

TEST(Sidebar, requestSubmenusMoveAndCopyAndRenameGoesThroughTheSheet)
{
    SidebarRun run;
    auto menu = run.menu(run.a.id, run.api);
    QMenu* move = menu->findChild<QMenu*>(u"moveToFolderMenu"_s);
    ASSERT_EQ(move->actions().size(), 2); // "(Root)" and "F"
    move->actions()[1]->trigger();
    EXPECT_EQ(run.collection(run.api).folders[0].requestIDs, (QList<QUuid> {run.b.id, run.a.id}));
    menu = run.menu(run.a.id, run.api);
    menu->findChild<QAction*>(u"moveToRootAction"_s)->trigger();
    EXPECT_EQ(run.collection(run.api).folders[0].requestIDs, QList<QUuid> {run.b.id});

    menu = run.menu(run.a.id, run.api);
    QMenu* copy = menu->findChild<QMenu*>(u"copyToCollectionMenu"_s);
    ASSERT_EQ(copy->actions().size(), 1);
    EXPECT_EQ(copy->actions()[0]->text(), u"Other"_s);
    copy->actions()[0]->trigger();
    EXPECT_EQ(run.requestNames(run.other), (QStringList {u"o"_s, u"a (Copy)"_s}));

    // Rename: the sheet starts with the name; "Rename" applies the text, Cancel leaves it.
    for (const bool confirm : {false, true}) {
        run.menu(run.folderID, run.api)->findChild<QAction*>(u"renameAction"_s)->trigger();
        QDialog* sheet = dialog(run.window, u"renameSheet"_s);
        ASSERT_TRUE(sheet);
        auto* field = child<QLineEdit>(sheet, u"nameField"_s);
        EXPECT_EQ(field->text(), u"F"_s);
        QTest::keyClicks(field, u"Folder"_s);
        click(child<QPushButton>(sheet, confirm ? u"confirmButton"_s : u"cancelButton"_s));
        EXPECT_EQ(run.collection(run.api).folders[0].name, confirm ? u"Folder"_s : u"F"_s);
        EXPECT_FALSE(run.sidebar->actions().renamingID().has_value());
        EXPECT_FALSE(sheet->isVisible());
    }
}

TEST(Sidebar, keysOpenRenameAndDeleteTheCurrentRow)
{
    SidebarRun run;
    run.tree->setCurrentIndex(run.row(run.a.id, run.api));
    QTest::keyClick(run.tree, Qt::Key_Down);
    EXPECT_EQ(run.tree->currentIndex(), run.row(run.c.id, run.api));
    QTest::keyClick(run.tree, Qt::Key_Return);
    ASSERT_TRUE(run.state.openRequest().has_value());
    EXPECT_EQ(run.state.openRequest()->id, run.c.id);

    QTest::keyClick(run.tree, Qt::Key_F2);
    QDialog* sheet = dialog(run.window, u"renameSheet"_s);
    ASSERT_TRUE(sheet);
    QTest::keyClick(child<QLineEdit>(sheet, u"nameField"_s), Qt::Key_Escape);
    EXPECT_FALSE(run.sidebar->actions().renamingID().has_value());

    QTest::keyClick(run.tree, Qt::Key_Delete);
    EXPECT_EQ(run.requestNames(run.api), (QStringList {u"a"_s, u"b"_s}));
}

TEST(Sidebar, historyRowsReopenAndSaveIntoACollection)
{
    SidebarRun run;
    auto* list = child<QListView>(run.sidebar, u"historyList"_s);
    QWidget* empty = child<QWidget>(run.sidebar, u"noHistoryState"_s);
    EXPECT_TRUE(empty->isVisible());
    run.state.addHistoryItem(
        APIRequest {.name = u"h"_s, .url = u"https://h.test/users"_s}, 201, 0.25);
    run.state.addHistoryItem(APIRequest {.url = u"https://h.test/orders"_s}, 500, 0.5);
    EXPECT_TRUE(list->isVisible());
    auto* search = child<QLineEdit>(run.sidebar, u"historySearchField"_s);
    QTest::keyClicks(search, u"nothing"_s);
    EXPECT_TRUE(child<QWidget>(run.sidebar, u"noMatchesState"_s)->isVisible());
    search->setText(u"USERS"_s);
    ASSERT_EQ(list->model()->rowCount(), 1);

    clickRow(list, 0);
    ASSERT_TRUE(run.state.openRequest().has_value());
    EXPECT_EQ(run.state.openRequest()->url, u"https://h.test/users"_s);
    EXPECT_EQ(run.state.openRequestOrigin(), RequestOrigin::history());

    std::unique_ptr<QMenu> menu(run.sidebar->historyView().menuFor(0, &run.window));
    QMenu* save = menu->findChild<QMenu*>(u"saveToCollectionMenu"_s);
    ASSERT_EQ(save->actions().size(), 2);
    save->actions()[1]->trigger();
    EXPECT_EQ(run.collection(run.other).requests.last().id, run.state.history()[1].request.id);

    // "Recent" offers to clear the history.
    auto* recent = child<QToolButton>(run.sidebar, u"recentRow"_s);
    Q_EMIT recent->customContextMenuRequested(recent->rect().center());
    auto* clear = run.sidebar->findChild<QAction*>(u"clearHistoryAction"_s);
    ASSERT_TRUE(clear);
    clear->trigger();
    EXPECT_TRUE(run.state.history().isEmpty());
    EXPECT_TRUE(empty->isVisible());
}

// The pointer stays where the user pressed it: the release must land on the same request, and
// the tree must not move between the two.
TEST(Sidebar, oneClickOnARequestOpensItWhileTheHistoryIsShown)
{
    SidebarRun run;
    run.state.addHistoryItem(APIRequest {.url = u"https://h.test/"_s}, 200, 0.1);
    QWidget* history = child<QWidget>(run.sidebar, u"historyView"_s);
    ASSERT_TRUE(history->isVisible());
    const QModelIndex row = run.row(run.c.id, run.api);
    run.tree->scrollTo(row);
    const QPoint pointer = run.tree->viewport()->mapToGlobal(run.tree->visualRect(row).center());

    QTest::mousePress(
        run.tree->viewport(), Qt::LeftButton, {}, run.tree->viewport()->mapFromGlobal(pointer));
    // Whatever the press changed is laid out before the button comes up again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
    const QPoint releaseAt = run.tree->viewport()->mapFromGlobal(pointer);
    EXPECT_EQ(run.tree->indexAt(releaseAt), row);
    QTest::mouseRelease(run.tree->viewport(), Qt::LeftButton, {}, releaseAt);

    ASSERT_TRUE(run.state.openRequest().has_value());
    EXPECT_EQ(run.state.openRequest()->id, run.c.id);
    EXPECT_TRUE(history->isVisible());
    EXPECT_EQ(run.state.selectedSidebarItem(), AppState::SidebarItem::history());
}

// The search field leads on from the keyboard: Down into what it shows, Escape first clears it
// and then goes back to the collections.
TEST(Sidebar, downAndEscapeLeadOnFromTheSearchField)
{
    SidebarRun run;
    run.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&run.window));
    auto* search = child<QLineEdit>(run.sidebar, u"sidebarSearchField"_s);
    auto* results = child<QAbstractItemView>(run.sidebar, u"searchResultsList"_s);
    search->setFocus();
    QTest::keyClicks(search, u"a"_s);
    ASSERT_TRUE(results->isVisible());
    QTest::keyClick(search, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), results);
    EXPECT_EQ(results->currentIndex().row(), 0);

    search->setFocus();
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_TRUE(search->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), search);
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), run.tree);
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), run.tree);
}
