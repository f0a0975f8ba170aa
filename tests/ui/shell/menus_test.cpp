#include "interchange/collectionexporter.h"
#include "model/recordjson.h"
#include "shellrun.h"
#include "ui/commands/commands.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// Records the web addresses the application asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    UrlRecorder() { QDesktopServices::setUrlHandler(u"https"_s, this, "record"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(u"https"_s); }
    QList<QUrl> urls;

public Q_SLOTS:
    void record(const QUrl& url) { urls.append(url); }
};

} // namespace

TEST(MainMenu, everyCommandIsInTheMenusWithItsShortcut)
{
    const struct {
        QString action;
        QString text;
        QKeySequence shortcut;
    } cases[] {
        {u"newRequestAction"_s, u"New Request"_s, QKeySequence(u"Ctrl+N"_s)},
        {u"importPostmanCollectionAction"_s, u"Import Postman Collection..."_s,
            QKeySequence(u"Ctrl+Shift+I"_s)},
        {u"importPostmanEnvironmentAction"_s, u"Import Postman Environment..."_s, {}},
        {u"exportCollectionAction"_s, u"Export Collection..."_s, {}},
        {u"importMakoCollectionAction"_s, u"Import Mako Collection..."_s, {}},
        {u"importCurlAction"_s, u"Import from cURL..."_s, QKeySequence(u"Ctrl+Alt+I"_s)},
        {u"sendRequestAction"_s, u"Send Request"_s, QKeySequence(u"Ctrl+Return"_s)},
        {u"saveToCollectionAction"_s, u"Save to Collection"_s, QKeySequence(u"Ctrl+S"_s)},
        {u"duplicateRequestAction"_s, u"Duplicate Request"_s, QKeySequence(u"Ctrl+D"_s)},
        {u"toggleSidebarAction"_s, u"Toggle Sidebar"_s, QKeySequence(u"Ctrl+0"_s)},
        {u"quickOpenAction"_s, u"Quick Open"_s, QKeySequence(u"Ctrl+P"_s)},
        {u"preferencesAction"_s, u"Preferences..."_s, QKeySequence(u"Ctrl+,"_s)},
        {u"closeTabAction"_s, u"Close Tab"_s, QKeySequence(u"Ctrl+W"_s)},
        {u"closeWindowAction"_s, u"Close Window"_s, QKeySequence(u"Ctrl+Shift+W"_s)},
        {u"cookiesAction"_s, u"Cookies..."_s, {}},
        {u"minimizeAction"_s, u"Minimize"_s, QKeySequence(u"Ctrl+M"_s)},
        {u"quitAction"_s, u"Quit"_s, QKeySequence(u"Ctrl+Q"_s)},
        {u"websiteAction"_s, u"Mako Website"_s, {}},
        {u"keyboardShortcutsAction"_s, u"Keyboard Shortcuts"_s, {}},
        {u"supportAction"_s, u"♥ Support Mako"_s, {}},
    };
    ShellRun run;
    QList<QAction*> inMenus;
    for (QAction* menu : run.window().menuBar()->actions())
        inMenus += menu->menu()->actions();
    QSet<QKeySequence> taken;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action.toStdString());
        QAction* action = run.action(c.action);
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(inMenus.contains(action));
        EXPECT_EQ(action->text(), c.text);
        EXPECT_EQ(action->shortcut(), c.shortcut);
        EXPECT_FALSE(!c.shortcut.isEmpty() && taken.contains(c.shortcut)) << "shortcut used twice";
        taken.insert(c.shortcut);
    }
}

// Ctrl+N opens a tab in front; Ctrl+W closes the active one, never the window (which would end
// Mako and every tab with it), not even with no tab left.
TEST(MainMenu, ctrlNOpensATabAndCtrlWClosesTheActiveOneAndNothingElse)
{
    ShellRun run;
    ASSERT_TRUE(run.activate());
    QTest::keyClick(&run.window(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(run.window().isVisible());
    for (int tab = 0; tab < 2; ++tab)
        QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(run.state().tabs().size(), 2);
    EXPECT_EQ(run.state().activeTabID(), run.state().tabs()[1].id);
    EXPECT_EQ(run.state().openRequest()->name, u"New Request"_s);
    const QUuid first = run.state().tabs()[0].id;
    QTest::keyClick(&run.window(), Qt::Key_W, Qt::ControlModifier);
    ASSERT_EQ(run.state().tabs().size(), 1);
    EXPECT_EQ(run.state().tabs()[0].id, first);
    QTest::keyClick(&run.window(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(run.state().tabs().isEmpty());
    EXPECT_TRUE(run.window().isVisible());
}

TEST(MainMenu, requestCommandsAnnounceTheirNotificationOnlyWithARequestOpen)
{
    ShellRun run;
    Commands& commands = run.app->commands();
    const struct {
        QString action;
        void (Commands::*signal)();
    } cases[] {
        {u"sendRequestAction"_s, &Commands::sendRequest},
        {u"saveToCollectionAction"_s, &Commands::saveToCollection},
        {u"duplicateRequestAction"_s, &Commands::duplicateRequest},
        {u"quickOpenAction"_s, &Commands::commandPalette},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action.toStdString());
        QSignalSpy announced(&commands, c.signal);
        run.action(c.action)->trigger();
        // The palette opens at any time; the others need a request to act on.
        EXPECT_EQ(announced.size(), c.signal == &Commands::commandPalette ? 1 : 0);
        run.state().openNewRequest();
        run.action(c.action)->trigger();
        EXPECT_EQ(announced.size(), c.signal == &Commands::commandPalette ? 2 : 1);
        run.state().closeTab(run.state().tabs().constFirst().id);
    }
}

TEST(MainMenu, importCommandsReadTheFileChosenInThePanel)
{
    QTemporaryDir dir;
    const QString makoFile = dir.filePath(u"billing.json"_s);
    {
        QFile file(makoFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(CollectionExporter::exportCollection(Collection {.name = u"Billing"_s}));
    }
    const struct {
        QString action;
        QString file;
        qsizetype collections;
        qsizetype environments;
        QString dialog; // the one that shows, if any
    } cases[] {
        // Every collection import ends with a report of what came in.
        {u"importPostmanCollectionAction"_s,
            testDataFile(u"postman/legacy-v20.postman_collection.json"_s), 1, 0, u"importReport"_s},
        // Its variables come as an environment, and what it leaves out is told in the report.
        {u"importPostmanCollectionAction"_s,
            testDataFile(u"postman/shop-api.postman_collection.json"_s), 1, 1, u"importReport"_s},
        {u"importPostmanEnvironmentAction"_s,
            testDataFile(u"postman/staging.postman_environment.json"_s), 0, 1, {}},
        {u"importMakoCollectionAction"_s, makoFile, 1, 0, {}},
        {u"importMakoCollectionAction"_s, dir.filePath(u"missing.json"_s), 0, 0, u"errorAlert"_s},
        // Cancelled in the panel.
        {u"importPostmanCollectionAction"_s, QString(), 0, 0, {}},
        // The welcome screen's import button runs the same import.
        {u"quickActionImport"_s, testDataFile(u"postman/shop-api.postman_collection.json"_s), 1, 1,
            u"importReport"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.action + u' ' + c.file).toStdString());
        ShellRun run;
        run.dialogs->answer = c.file;
        QSignalSpy finished(&run.state(), &AppState::fileOperationFinished);
        if (QAction* action = run.action(c.action))
            action->trigger();
        else
            QTest::mouseClick(run.find(c.action), Qt::LeftButton);
        EXPECT_EQ(run.dialogs->titles.size(), 1);
        if (!c.file.isEmpty()) {
            ASSERT_TRUE(finished.wait(20000));
        }
        EXPECT_EQ(run.state().collections().size(), c.collections);
        EXPECT_EQ(run.state().environments().size(), c.environments);
        for (const QString& dialog : {u"errorAlert"_s, u"importReport"_s})
            EXPECT_EQ(visibleDialog(dialog) != nullptr, dialog == c.dialog) << dialog.toStdString();
    }
}

TEST(MainMenu, exportWritesTheSelectedCollectionOrAsksWhichOne)
{
    const Collection first {.name = u"First"_s};
    const Collection second {.name = u"Second"_s};
    QTemporaryDir dir;
    ShellRun run({{PersistenceService::kCollectionsFile, encodeRecords(QList {first, second})}});
    ASSERT_EQ(run.state().collections().size(), 2);
    const auto exportedID = [&](const QString& path) {
        QFile file(path);
        const auto imported = file.open(QIODevice::ReadOnly)
            ? CollectionExporter::importCollection(file.readAll())
            : Result<Collection>(Error {u"missing"_s});
        return imported ? imported->id : QUuid();
    };

    run.state().setSelectedSidebarItem(AppState::SidebarItem::collection(second.id));
    run.dialogs->answer = dir.filePath(u"selected.json"_s);
    QSignalSpy finished(&run.state(), &AppState::fileOperationFinished);
    run.action(u"exportCollectionAction"_s)->trigger();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(run.dialogs->suggestedNames, QStringList {u"Second.json"_s});
    EXPECT_EQ(exportedID(run.dialogs->answer), second.id);

    // With the history selected the user picks the collection first.
    run.state().setSelectedSidebarItem(AppState::SidebarItem::history());
    run.dialogs->answer = dir.filePath(u"picked.json"_s);
    run.action(u"exportCollectionAction"_s)->trigger();
    QWidget* picker = visibleDialog(u"collectionPickerSheet"_s);
    ASSERT_NE(picker, nullptr);
    picker->findChild<QComboBox*>(u"collectionCombo"_s)->setCurrentIndex(0);
    QTest::mouseClick(picker->findChild<QPushButton*>(u"exportButton"_s), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(exportedID(run.dialogs->answer), first.id);
}

TEST(MainMenu, helpItemsOpenTheProductsOwnPages)
{
    ShellRun run;
    UrlRecorder recorder;
    for (const QString& action :
        {u"websiteAction"_s, u"keyboardShortcutsAction"_s, u"supportAction"_s})
        run.action(action)->trigger();
    ASSERT_EQ(recorder.urls.size(), 3);
    for (const QUrl& url : recorder.urls)
        EXPECT_EQ(url.host(), u"mako.quorin.com"_s) << url.toString().toStdString();
    EXPECT_EQ(QSet<QUrl>(recorder.urls.begin(), recorder.urls.end()).size(), 3);
}

TEST(MainMenu, toggleSidebarHidesAndShowsTheColumn)
{
    ShellRun run;
    QWidget* sidebar = run.find(u"sidebar"_s);
    ASSERT_TRUE(sidebar->isVisible());
    run.action(u"toggleSidebarAction"_s)->trigger();
    EXPECT_FALSE(sidebar->isVisible());
    run.action(u"toggleSidebarAction"_s)->trigger();
    EXPECT_TRUE(sidebar->isVisible());
}

#include "menus_test.moc"
