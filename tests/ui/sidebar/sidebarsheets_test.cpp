#include "scripting/collectionrunnersheetmodel.h"
#include "sidebartesting.h"
#include "support/httptestserver.h"
#include "ui/sidebar/runnersheet.h"
#include "ui/sidebar/runresultmodel.h"

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

RunnerSheet* openRunner(SidebarRun& run, const QUuid& collectionID)
{
    run.sidebar->showRunner(collectionID);
    return run.window.findChild<RunnerSheet*>(u"collectionRunnerSheet"_s);
}

QString text(const QWidget* root, const QString& name)
{
    const auto* label = child<QLabel>(root, name);
    return label ? label->text() : QString();
}

} // namespace

TEST(SidebarSheets, runnerListsResultsCountsAndSummary)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest& request) {
        return ScriptedResponse {.status = request.target == "/missing" ? 404 : 302};
    });
    SidebarRun run;
    const QUuid id = run.addCollection(u"Run"_s,
        {APIRequest {.name = u"moved"_s, .url = server.baseUrl() + u"/moved"_s},
            APIRequest {.name = u"missing"_s, .url = server.baseUrl() + u"/missing"_s},
            APIRequest {.name = u"nowhere"_s, .url = u"http://127.0.0.1:1/"_s}});
    RunnerSheet* sheet = openRunner(run, id);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(text(sheet, u"runnerEmptyText"_s), u"Click 'Run All' to execute 3 requests"_s);
    EXPECT_FALSE(child<QWidget>(sheet, u"runnerPassed"_s)->isVisible());

    auto* runAll = child<QPushButton>(sheet, u"runAllButton"_s);
    click(runAll);
    EXPECT_EQ(runAll->text(), u"Running..."_s);
    EXPECT_FALSE(runAll->isEnabled());
    EXPECT_TRUE(child<QProgressBar>(sheet, u"runnerProgress"_s)->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !sheet->runner().isRunning(); }, 20000));

    auto* results = child<QListView>(sheet, u"runnerResults"_s);
    EXPECT_EQ(rowTexts(results), (QStringList {u"moved"_s, u"missing"_s, u"nowhere"_s}));
    EXPECT_EQ(results->model()->index(0, 0).data(Qt::AccessibleTextRole).toString(),
        u"GET moved: passed"_s);
    EXPECT_FALSE(
        results->model()->index(2, 0).data(RunResultModel::ErrorRole).toString().isEmpty());
    EXPECT_EQ(text(sheet, u"runnerPassed"_s), u"1 passed"_s);
    EXPECT_EQ(text(sheet, u"runnerFailed"_s), u"2 failed"_s);
    EXPECT_TRUE(text(sheet, u"runnerTotalTime"_s).startsWith(u"Total: "_s));
    EXPECT_EQ(runAll->text(), u"Run All"_s);
    EXPECT_TRUE(runAll->isEnabled());
    EXPECT_FALSE(child<QProgressBar>(sheet, u"runnerProgress"_s)->isVisible());
    EXPECT_EQ(server.requests().size(), 2);

    click(child<QPushButton>(sheet, u"doneButton"_s));
    EXPECT_FALSE(sheet->isVisible());
}

// Results whose scripts ran: each row counts its tests and spells out what failed below it and
// in its tooltip, and the summary counts the tests beside the requests.
TEST(SidebarSheets, runnerShowsEachRequestsTestsAndCountsThem)
{
    SidebarRun run;
    const APIRequest list {.name = u"list"_s};
    const APIRequest login {.name = u"login"_s, .method = HTTPMethod::post};
    const APIRequest gone {.name = u"gone"_s};
    RunnerSheet* sheet = openRunner(run, run.addCollection(u"Scripts"_s, {list, login, gone}));
    ASSERT_TRUE(sheet);
    auto* results = child<QListView>(sheet, u"runnerResults"_s);
    const auto row = [&](int at) { return results->model()->index(at, 0); };

    sheet->runner().addResult(RunResult {.request = list, .statusCode = 200, .passed = true});
    EXPECT_EVENTUALLY(results->isVisible());
    EXPECT_FALSE(row(0).data(RunResultModel::TestsRole).isValid());
    EXPECT_FALSE(child<QLabel>(sheet, u"runnerTestsPassed"_s)->isVisible());

    sheet->runner().addResult(RunResult {.request = login,
        .statusCode = 200,
        .scripts = {.tests = {{.name = u"status is 200"_s, .passed = true},
                        {.name = u"has a token"_s, .error = u"expected undefined to exist"_s},
                        {.name = u"legacy check"_s}},
            .error = u"Tests: ReferenceError: user is not defined (line 3)"_s}});
    sheet->runner().addResult(RunResult {.request = gone, .error = u"Network error: refused"_s});
    ASSERT_EQ(results->model()->rowCount(), 3);
    EXPECT_EQ(row(1).data(RunResultModel::TestsRole).toString(), u"1/3 tests"_s);
    EXPECT_EQ(row(1).data(Qt::AccessibleTextRole).toString(),
        u"POST login: failed, 1 of 3 tests passed"_s);
    const QString failures = u"Tests: ReferenceError: user is not defined (line 3)\n"
                             "has a token: expected undefined to exist\n"
                             "legacy check"_s;
    EXPECT_EQ(row(1).data(Qt::AccessibleDescriptionRole).toString(), failures);
    // Each failure has a line of its own under the request.
    const int plain = results->visualRect(row(0)).height();
    const int oneLine = results->visualRect(row(2)).height() - plain;
    EXPECT_GT(oneLine, 0);
    EXPECT_EQ(results->visualRect(row(1)).height(), plain + 3 * oneLine);

    const QPoint at = results->visualRect(row(1)).center();
    QHelpEvent hover(QEvent::ToolTip, at, results->viewport()->mapToGlobal(at));
    QApplication::sendEvent(results->viewport(), &hover);
    EXPECT_EVENTUALLY_EQ(QToolTip::text(),
        u"✓ status is 200\n✗ has a token: expected undefined to exist\n✗ legacy check\n"
        "! Tests: ReferenceError: user is not defined (line 3)"_s);

    EXPECT_EQ(text(sheet, u"runnerPassed"_s), u"1 passed"_s);
    EXPECT_EQ(text(sheet, u"runnerFailed"_s), u"2 failed"_s);
    EXPECT_TRUE(child<QLabel>(sheet, u"runnerTestsPassed"_s)->isVisible());
    EXPECT_EQ(text(sheet, u"runnerTestsPassed"_s), u"1 test passed"_s);
    EXPECT_EQ(text(sheet, u"runnerTestsFailed"_s), u"2 tests failed"_s);
}

TEST(SidebarSheets, closingTheRunnerStopsTheRun)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest&) { return ScriptedResponse {.delayMs = 150}; });
    SidebarRun run;
    QList<APIRequest> requests;
    for (int i = 0; i < 6; ++i)
        requests.append(APIRequest {.name = QString::number(i), .url = server.baseUrl()});
    RunnerSheet* sheet = openRunner(run, run.addCollection(u"Slow"_s, requests));
    ASSERT_TRUE(sheet);
    click(child<QPushButton>(sheet, u"runAllButton"_s));
    ASSERT_TRUE(server.waitForRequests(1));
    click(child<QPushButton>(sheet, u"doneButton"_s));
    QPointer<RunnerSheet> closed(sheet);
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed.isNull(); }, 5000));
    // Long enough for the whole run, had it gone on.
    QTest::qWait(6 * 150 + 500);
    EXPECT_LE(server.requests().size(), 2);
}

TEST(SidebarSheets, anEmptyCollectionCannotRun)
{
    SidebarRun run;
    RunnerSheet* sheet = openRunner(run, run.addCollection(u"Empty"_s));
    ASSERT_TRUE(sheet);
    EXPECT_FALSE(child<QPushButton>(sheet, u"runAllButton"_s)->isEnabled());
    EXPECT_EQ(text(sheet, u"runnerEmptyText"_s), u"Click 'Run All' to execute 0 requests"_s);
}

TEST(SidebarSheets, aTemplateOpensAsANewTab)
{
    SidebarRun run;
    run.sidebar->findChild<QAction*>(u"fromTemplateAction"_s)->trigger();
    auto* sheet = run.window.findChild<QDialog*>(u"templateSheet"_s);
    ASSERT_TRUE(sheet && sheet->isVisible());
    auto* list = child<QTreeWidget>(sheet, u"templateList"_s);
    QStringList sections;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        sections.append(list->topLevelItem(i)->text(0) + u':'
            + QString::number(list->topLevelItem(i)->childCount()));
    }
    EXPECT_EQ(sections,
        (QStringList {u"HTTP:6"_s, u"GraphQL:3"_s, u"WebSocket:2"_s, u"Server-Sent Events:2"_s}));

    QTreeWidgetItem* postJSON = list->topLevelItem(0)->child(1);
    QTest::mouseClick(
        list->viewport(), Qt::LeftButton, {}, list->visualItemRect(postJSON).center());
    ASSERT_EQ(run.state.tabs().size(), 1);
    ASSERT_TRUE(run.state.openRequest().has_value());
    EXPECT_EQ(run.state.openRequest()->name, u"POST JSON"_s);
    EXPECT_EQ(run.state.openRequest()->bodyType, RequestBodyType::json);
    EXPECT_EQ(run.state.tabs()[0].request.name, u"POST JSON"_s);
    EXPECT_FALSE(sheet->isVisible());
}

TEST(SidebarSheets, exportWritesTheFileOrReportsTheFailure)
{
    SidebarRun run;
    QSignalSpy finished(&run.state, &AppState::fileOperationFinished);
    const auto exportAPI = [&](const QString& path) {
        run.dialogs.answer = path;
        run.menu(run.api, run.api)->findChild<QAction*>(u"exportCollectionAction"_s)->trigger();
        EXPECT_TRUE(finished.wait(10000));
    };
    exportAPI(run.folder.path() + u"/API.json"_s);
    EXPECT_EQ(run.dialogs.suggestedNames, QStringList {u"API.json"_s});
    EXPECT_TRUE(run.folder.read(u"API.json"_s).contains("\"name\" : \"API\""));
    EXPECT_FALSE(run.state.alertMessage().has_value());

    // A folder where the file should go cannot be written.
    exportAPI(run.folder.path());
    EXPECT_TRUE(run.alert().startsWith(u"Export failed: "_s)) << run.alert().toStdString();
}

// The collection menu's k6 entry writes one script: the requests in order, the folder's as a
// group.
TEST(SidebarSheets, exportAsK6ScriptWritesTheCollectionsScript)
{
    SidebarRun run;
    QSignalSpy finished(&run.state, &AppState::fileOperationFinished);
    run.dialogs.answer = run.folder.path() + u"/API.k6.js"_s;
    const auto menu = run.menu(run.api, run.api);
    QAction* action = menu->findChild<QAction*>(u"exportK6ScriptAction"_s);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), u"Export as k6 Script..."_s);
    action->trigger();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(run.dialogs.suggestedNames, QStringList {u"API.k6.js"_s});
    const QString script = QString::fromUtf8(run.folder.read(u"API.k6.js"_s));
    const qsizetype a = script.indexOf(u"\"https://a.test/a\""_s);
    const qsizetype group = script.indexOf(u"group(\"F\""_s);
    const qsizetype b = script.indexOf(u"\"https://a.test/b\""_s);
    const qsizetype c = script.indexOf(u"\"https://a.test/c\""_s);
    EXPECT_TRUE(a > 0 && a < group && group < b && b < c) << script.toStdString();
    EXPECT_FALSE(script.contains(u"o.test"_s));
    EXPECT_FALSE(run.state.alertMessage().has_value());
}

// A collection as a Postman collection from its menu, the history as HAR from "Recent"'s.
TEST(SidebarSheets, postmanAndHarExportsWriteTheirFiles)
{
    SidebarRun run;
    run.state.addHistoryItem(APIRequest {.url = u"https://h.test/sent"_s}, 200, 0.1);
    QSignalSpy finished(&run.state, &AppState::fileOperationFinished);
    run.dialogs.answer = run.folder.path() + u"/API.postman_collection.json"_s;
    const std::unique_ptr<QMenu> menu = run.menu(run.api, run.api);
    auto* exportPostman = menu->findChild<QAction*>(u"exportPostmanAction"_s);
    ASSERT_TRUE(exportPostman);
    exportPostman->trigger();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(
        run.folder.read(u"API.postman_collection.json"_s)
            .contains("https://schema.getpostman.com/json/collection/v2.1.0/collection.json"));

    run.dialogs.answer = run.folder.path() + u"/history.har"_s;
    auto* recent = child<QToolButton>(run.sidebar, u"recentRow"_s);
    Q_EMIT recent->customContextMenuRequested(recent->rect().center());
    auto* exportHar = run.sidebar->findChild<QAction*>(u"exportHistoryHarAction"_s);
    ASSERT_TRUE(exportHar);
    exportHar->trigger();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(run.folder.read(u"history.har"_s).contains("https://h.test/sent"));
    EXPECT_EQ(run.dialogs.suggestedNames,
        (QStringList {u"API.postman_collection.json"_s, u"mako-history.har"_s}));
    EXPECT_FALSE(run.state.alertMessage().has_value());
}

// "Scripts..." of a collection and of a folder opens their two scripts; Save stores what was
// typed at that level alone, Cancel nothing.
TEST(SidebarSheets, scriptsSheetEditsACollectionsOrFoldersScripts)
{
    const struct {
        bool folder;
        bool save;
    } cases[] {{false, true}, {true, true}, {true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.folder) + " " + std::to_string(c.save));
        SidebarRun run;
        run.state.setScripts(run.api, std::nullopt, u"collection()"_s, u"collectionTest()"_s);
        run.state.setScripts(run.api, run.folderID, u"folder()"_s, QString());
        const QUuid row = c.folder ? run.folderID : run.api;
        run.menu(row, run.api)
            ->findChild<QAction*>(
                c.folder ? u"folderScriptsAction"_s : u"collectionScriptsAction"_s)
            ->trigger();
        QWidget* sheet = nullptr;
        EXPECT_EVENTUALLY((sheet = visibleDialog(u"scriptsSheet"_s)) != nullptr);
        ASSERT_TRUE(sheet);
        auto* preRequest = child<QPlainTextEdit>(sheet, u"preRequestScriptField"_s);
        auto* test = child<QPlainTextEdit>(sheet, u"testScriptField"_s);
        EXPECT_EQ(preRequest->toPlainText(), c.folder ? u"folder()"_s : u"collection()"_s);
        EXPECT_EQ(test->toPlainText(), c.folder ? QString() : u"collectionTest()"_s);

        preRequest->moveCursor(QTextCursor::End);
        QTest::keyClicks(preRequest, u";"_s);
        test->moveCursor(QTextCursor::End);
        QTest::keyClicks(test, u"pm.test('x', () => {});"_s);
        if (c.save)
            click(child<QPushButton>(sheet, u"saveScriptsButton"_s));
        else
            QTest::keyClick(test, Qt::Key_Escape);
        EXPECT_EVENTUALLY(visibleDialog(u"scriptsSheet"_s) == nullptr);

        run.state.saveCollections();
        const QList<Collection> stored = run.storedCollections();
        ASSERT_FALSE(stored.isEmpty());
        const Collection& api = stored[0];
        const bool collectionChanged = c.save && !c.folder;
        const bool folderChanged = c.save && c.folder;
        EXPECT_EQ(api.preRequestScript, collectionChanged ? u"collection();"_s : u"collection()"_s);
        EXPECT_EQ(api.testScript,
            collectionChanged ? u"collectionTest()pm.test('x', () => {});"_s
                              : u"collectionTest()"_s);
        ASSERT_EQ(api.folders.size(), 1);
        EXPECT_EQ(api.folders[0].preRequestScript, folderChanged ? u"folder();"_s : u"folder()"_s);
        EXPECT_EQ(
            api.folders[0].testScript, folderChanged ? u"pm.test('x', () => {});"_s : QString());
    }

    // A folder deleted while its scripts are open takes the sheet along.
    SidebarRun run;
    run.sidebar->showScripts(run.api, run.folderID);
    EXPECT_EVENTUALLY(visibleDialog(u"scriptsSheet"_s) != nullptr);
    run.state.deleteFolder(run.folderID, run.api);
    EXPECT_EVENTUALLY(visibleDialog(u"scriptsSheet"_s) == nullptr);
}
