#include "interchange/foldercollection.h"
#include "shellrun.h"
#include "ui/sidebar/collectioncommands.h"
#include "ui/sidebar/collectiontreemodel.h"
#include "ui/sidebar/sidebar.h"
#include "windowtesting.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>

#include <memory>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

const APIRequest kCreate {.name = u"Create user"_s,
    .url = u"https://api.test/users"_s,
    .method = HTTPMethod::post,
    .bodyType = RequestBodyType::json,
    .body = u"{\"name\": \"a\"}"_s};

// A team's folder with one request, written as a clone of its repository holds it.
struct TeamFolder {
    TeamFolder()
    {
        contents.collection = Collection {.name = u"Team API"_s, .requests = {kCreate}};
        files = FolderCollection::encode(contents);
        EXPECT_TRUE(FolderCollection::write(path, files, {}));
    }
    // As a `git pull` does: the files that differ are written over in place.
    void changeBody(const QString& body)
    {
        contents.collection.requests[0].body = body;
        const FolderCollection::Files next = FolderCollection::encode(contents);
        for (auto file = next.cbegin(); file != next.cend(); ++file) {
            if (files.value(file.key()) == file.value())
                continue;
            QFile written(QDir(path).filePath(file.key()));
            ASSERT_TRUE(written.open(QIODevice::WriteOnly | QIODevice::Truncate));
            written.write(file.value());
        }
        files = next;
    }

    QTemporaryDir root;
    QString path = root.filePath(u"team-api"_s);
    FolderCollection::Contents contents;
    FolderCollection::Files files;
};

QUuid openFromFileMenu(ShellRun& run, const QString& path)
{
    QSignalSpy finished(&run.state(), &AppState::fileOperationFinished);
    run.dialogs->answer = path;
    run.action(u"openFolderCollectionAction"_s)->trigger();
    if (!finished.wait(20000) || !finished.first().first().toBool())
        return {};
    return run.state().collections().last().id;
}

std::unique_ptr<QMenu> collectionMenu(ShellRun& run, const QUuid& id)
{
    auto* sidebar = run.find<Sidebar>(u"sidebar"_s);
    auto* tree = run.find<QTreeView>(u"collectionTree"_s);
    if (!sidebar || !tree)
        return nullptr;
    const auto* model = static_cast<const CollectionTreeModel*>(tree->model());
    return std::unique_ptr<QMenu>(
        sidebar->commands().menuFor(model->collectionIndex(id), &run.window()));
}

} // namespace

// "Open Folder as Collection..." in the File menu: the collection shows with its folder's badge
// and path; a folder without a collection says so.
TEST(FolderCollectionWindow, theFileMenuOpensAFolderWhichTheSidebarMarks)
{
    ShellRun run;
    QTemporaryDir empty;
    EXPECT_TRUE(openFromFileMenu(run, empty.path()).isNull());
    auto* alert = qobject_cast<QMessageBox*>(visibleDialog(u"errorAlert"_s));
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), u"This folder holds no collection.json."_s);
    click(alert->button(QMessageBox::Ok));

    TeamFolder team;
    const QUuid id = openFromFileMenu(run, team.path);
    ASSERT_FALSE(id.isNull());
    auto* tree = run.find<QTreeView>(u"collectionTree"_s);
    ASSERT_NE(tree, nullptr);
    const QModelIndex row
        = static_cast<const CollectionTreeModel*>(tree->model())->collectionIndex(id);
    EXPECT_EQ(row.data().toString(), u"Team API"_s);
    EXPECT_TRUE(row.data(Qt::ToolTipRole).toString().contains(team.path));
    EXPECT_FALSE(row.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_TRUE(row.data(Qt::AccessibleTextRole).toString().contains(u"folder"_s));
    EXPECT_EQ(visibleDialog(u"errorAlert"_s), nullptr);
}

// The collection menu moves a collection into a folder; deleting it then says the folder stays,
// and it does.
TEST(FolderCollectionWindow, theCollectionMenuSavesToAFolderAndDeletingLeavesTheFolder)
{
    ShellRun run;
    run.state().appendCollection(Collection {.name = u"API"_s, .requests = {kCreate}});
    const QUuid id = run.state().collections().last().id;
    QTemporaryDir root;
    const QString target = root.filePath(u"api"_s);
    QSignalSpy finished(&run.state(), &AppState::fileOperationFinished);
    run.dialogs->answer = target;
    auto menu = collectionMenu(run, id);
    ASSERT_TRUE(menu);
    auto* save = menu->findChild<QAction*>(u"saveToFolderAction"_s);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), u"Save Collection to Folder..."_s);
    save->trigger();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(QFile::exists(QDir(target).filePath(u"collection.json"_s)));
    const FolderCollection::Files written = FolderCollection::read(target).value();

    collectionMenu(run, id)->findChild<QAction*>(u"deleteCollectionAction"_s)->trigger();
    auto* box = qobject_cast<QMessageBox*>(visibleDialog(u"deleteConfirmation"_s));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->informativeText().contains(target)) << box->informativeText().toStdString();
    click(box->findChild<QPushButton*>(u"confirmDeleteButton"_s));
    EXPECT_TRUE(run.state().collections().isEmpty());
    run.state().flushPendingSaves();
    EXPECT_EQ(FolderCollection::read(target).value(), written);
}

// A request changed on disk while its tab holds edits: the alert asks, and each button does
// what it says.
TEST(FolderCollectionWindow, aChangeOnDiskUnderUnsavedEditsAsksWhichToKeep)
{
    for (const bool useFile : {false, true}) {
        SCOPED_TRACE(useFile ? "use the file's version" : "keep my edits");
        ShellRun run;
        TeamFolder team;
        const QUuid id = openFromFileMenu(run, team.path);
        ASSERT_FALSE(id.isNull());
        run.state().openFromCollection(run.state().collections().last().requests[0], id);
        APIRequest mine = *run.state().openRequest();
        mine.body = u"mine"_s;
        run.state().setOpenRequest(mine);

        team.changeBody(u"theirs"_s);
        QMessageBox* box = nullptr;
        EXPECT_EVENTUALLY(
            (box = qobject_cast<QMessageBox*>(visibleDialog(u"changedOnDiskAlert"_s))) != nullptr);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), u"\u201cCreate user\u201d changed on disk"_s);
        EXPECT_EQ(box->windowModality(), Qt::WindowModal);
        auto* keep = box->findChild<QPushButton*>(u"keepMyEditsButton"_s);
        auto* useFileButton = box->findChild<QPushButton*>(u"useFileVersionButton"_s);
        ASSERT_TRUE(keep && useFileButton);
        EXPECT_EQ(keep->text(), u"Keep My Edits"_s);
        EXPECT_EQ(useFileButton->text(), u"Use the File's Version"_s);
        click(useFile ? useFileButton : keep);
        EXPECT_EQ(run.state().openRequest()->body, useFile ? u"theirs"_s : u"mine"_s);
        EXPECT_EVENTUALLY(visibleDialog(u"changedOnDiskAlert"_s) == nullptr);
    }
}
