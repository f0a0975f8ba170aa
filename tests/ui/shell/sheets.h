#pragma once

#include "shellrun.h"
#include "ui/preferences/preferenceswindow.h"
#include "ui/sidebar/sidebar.h"
#include "windowtesting.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QTabWidget>

#include <functional>

namespace mako::test {

/// A sheet of the main window and how a user opens it.
struct SheetOpener {
    QString sheet;
    std::function<void(ShellRun&)> open;
};

/// Every sheet of the main window, in the states worth walking, for the tests that go over each
/// one: a new sheet added here is walked by all of them.
inline QList<SheetOpener> everySheet()
{
    using namespace Qt::StringLiterals;
    const auto openEnvironments
        = [](ShellRun& run) { click(run.find<QAbstractButton>(u"manageEnvironmentsButton"_s)); };
    return {
        {u"saveToCollectionSheet"_s,
            [](ShellRun& run) {
                run.state().addCollection(u"API"_s);
                QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
                run.action(u"saveToCollectionAction"_s)->trigger();
            }},
        {u"newCollectionSheet"_s,
            [](ShellRun& run) { run.find<QAction>(u"newCollectionAction"_s)->trigger(); }},
        {u"templateSheet"_s,
            [](ShellRun& run) { run.find<QAction>(u"fromTemplateAction"_s)->trigger(); }},
        {u"curlImportSheet"_s, [](ShellRun& run) { run.action(u"importCurlAction"_s)->trigger(); }},
        {u"customMethodSheet"_s,
            [](ShellRun& run) {
                QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
                run.find<QAction>(u"methodCustom"_s)->trigger();
            }},
        {u"collectionPickerSheet"_s,
            [](ShellRun& run) {
                run.state().addCollection(u"API"_s);
                run.state().addCollection(u"Other"_s);
                run.state().setSelectedSidebarItem(AppState::SidebarItem::history());
                run.action(u"exportCollectionAction"_s)->trigger();
            }},
        {u"errorAlert"_s,
            [](ShellRun& run) { run.state().setAlertMessage(u"Something went wrong"_s); }},
        {u"environmentEditorSheet"_s, openEnvironments},
        // With an environment chosen: its name and its variables' table.
        {u"environmentEditorSheet"_s,
            [openEnvironments](ShellRun& run) {
                run.state().addEnvironment(u"Dev"_s);
                openEnvironments(run);
                QWidget* sheet = nullptr;
                EXPECT_EVENTUALLY((sheet = visibleDialog(u"environmentEditorSheet"_s)) != nullptr);
                if (!sheet)
                    return;
                auto* list = child<QAbstractItemView>(sheet, u"environmentList"_s);
                list->setCurrentIndex(list->model()->index(0, 0));
                click(child<QAbstractButton>(sheet, u"addRowButton"_s));
            }},
        // The global variables' tab, in the same key/value editor.
        {u"environmentEditorSheet"_s,
            [openEnvironments](ShellRun& run) {
                run.state().setGlobalVariables({KeyValuePair {.key = u"host"_s}});
                openEnvironments(run);
                QWidget* sheet = nullptr;
                EXPECT_EVENTUALLY((sheet = visibleDialog(u"environmentEditorSheet"_s)) != nullptr);
                if (sheet)
                    child<QTabWidget>(sheet, u"environmentEditorTabs"_s)->setCurrentIndex(1);
            }},
        {u"certificateSheet"_s,
            [](ShellRun& run) {
                run.app->openPreferences();
                auto* window
                    = qobject_cast<PreferencesWindow*>(visibleDialog(u"preferencesWindow"_s));
                if (!window)
                    return;
                QWidget* tab = child<QWidget>(window, u"certificatesTab"_s);
                for (int index = 0; index < window->tabs()->count(); ++index) {
                    if (window->tabs()->widget(index)->isAncestorOf(tab))
                        window->tabs()->setCurrentIndex(index);
                }
                click(child<QAbstractButton>(window, u"certificateAddButton"_s));
            }},
        {u"cookiesSheet"_s, [](ShellRun& run) { run.action(u"cookiesAction"_s)->trigger(); }},
        {u"cookieEditorSheet"_s,
            [](ShellRun& run) {
                run.action(u"cookiesAction"_s)->trigger();
                QWidget* sheet = nullptr;
                EXPECT_EVENTUALLY((sheet = visibleDialog(u"cookiesSheet"_s)) != nullptr);
                if (sheet)
                    click(child<QAbstractButton>(sheet, u"addCookieButton"_s));
            }},
        {u"collectionRunnerSheet"_s,
            [](ShellRun& run) {
                run.state().addCollection(u"API"_s);
                run.find<Sidebar>(u"sidebar"_s)->showRunner(run.state().collections()[0].id);
            }},
        {u"scriptsSheet"_s,
            [](ShellRun& run) {
                run.state().addCollection(u"API"_s);
                run.find<Sidebar>(u"sidebar"_s)
                    ->showScripts(run.state().collections()[0].id, std::nullopt);
            }},
        // A folder's: the same fields, with the folder's scripts.
        {u"scriptsSheet"_s,
            [](ShellRun& run) {
                run.state().addCollection(u"API"_s);
                const QUuid api = run.state().collections()[0].id;
                run.state().addFolder(u"F"_s, api);
                run.find<Sidebar>(u"sidebar"_s)
                    ->showScripts(api, run.state().collections()[0].folders[0].id);
            }},
        {u"collectionAuthSheet"_s,
            [](ShellRun& run) {
                run.state().addCollection(u"API"_s);
                run.find<Sidebar>(u"sidebar"_s)
                    ->showCollectionAuth(run.state().collections()[0].id);
            }},
        // With OAuth 2.0: its settings, the token and the button that gets one.
        {u"collectionAuthSheet"_s,
            [](ShellRun& run) {
                run.state().addCollection(u"API"_s);
                const QUuid api = run.state().collections()[0].id;
                run.state().setCollectionAuth(api, APIRequest {.authType = AuthType::oauth2});
                run.find<Sidebar>(u"sidebar"_s)->showCollectionAuth(api);
            }},
    };
}

} // namespace mako::test
