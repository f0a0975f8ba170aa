#include "focuswalk.h"
#include "preferences/preferencesrun.h"
#include "shellrun.h"
#include "ui/sidebar/sidebar.h"
#include "windowtesting.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDialog>
#include <QTabWidget>

#include <functional>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

/// Opens `sheet` as it shows on screen, active, and answers it.
QWidget* activeDialog(const QString& objectName)
{
    QWidget* sheet = nullptr;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (sheet = visibleDialog(objectName)) != nullptr; }));
    if (!sheet)
        return nullptr;
    EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet));
    sheet->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == sheet; }));
    return sheet;
}

} // namespace

// Every screen of the main window: Tab from the search field passes every control once.
TEST(FocusWalk, mainWindowWithEachProtocolsScreen)
{
    for (const QString& action : {u"quickActionHTTP"_s, u"quickActionGraphQL"_s,
             u"quickActionWebSocket"_s, u"quickActionSSE"_s}) {
        SCOPED_TRACE(action.toStdString());
        ShellRun run;
        ASSERT_TRUE(run.activate());
        QTest::mouseClick(run.find(action), Qt::LeftButton);
        expectFocusCycle(&run.window(), run.find(u"sidebarSearchField"_s));
    }
}

// The sheets, each opened as a user opens it, from its own first control.
TEST(FocusWalk, eachSheet)
{
    const struct {
        QString sheet;
        std::function<void(ShellRun&)> open;
    } cases[] {
        {u"saveToCollectionSheet"_s,
            [](ShellRun& run) {
                run.state().addCollection(u"API"_s);
                QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
                run.action(u"saveToCollectionAction"_s)->trigger();
            }},
        {u"curlImportSheet"_s, [](ShellRun& run) { run.action(u"importCurlAction"_s)->trigger(); }},
        {u"environmentEditorSheet"_s,
            [](ShellRun& run) { click(run.find<QAbstractButton>(u"manageEnvironmentsButton"_s)); }},
        // With an environment chosen: its name and its variables' table.
        {u"environmentEditorSheet"_s,
            [](ShellRun& run) {
                run.state().addEnvironment(u"Dev"_s);
                click(run.find<QAbstractButton>(u"manageEnvironmentsButton"_s));
                QWidget* sheet = visibleDialog(u"environmentEditorSheet"_s);
                ASSERT_TRUE(sheet);
                auto* list = child<QAbstractItemView>(sheet, u"environmentList"_s);
                list->setCurrentIndex(list->model()->index(0, 0));
                click(child<QAbstractButton>(sheet, u"addVariableButton"_s));
            }},
        {u"collectionRunnerSheet"_s,
            [](ShellRun& run) {
                run.state().addCollection(u"API"_s);
                run.find<Sidebar>(u"sidebar"_s)->showRunner(run.state().collections()[0].id);
            }},
        {u"templateSheet"_s,
            [](ShellRun& run) { run.find<QAction>(u"fromTemplateAction"_s)->trigger(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sheet.toStdString());
        ShellRun run;
        ASSERT_TRUE(run.activate());
        c.open(run);
        QWidget* sheet = activeDialog(c.sheet);
        ASSERT_TRUE(sheet);
        ASSERT_TRUE(QApplication::focusWidget());
        expectFocusCycle(sheet, QApplication::focusWidget());
    }
}

TEST(FocusWalk, eachPreferencesTab)
{
    PreferencesRun run;
    QWidget* window = activeDialog(u"preferencesWindow"_s);
    ASSERT_TRUE(window);
    QTabWidget* tabs = run.preferencesWindow()->tabs();
    for (int index = 0; index < tabs->count(); ++index) {
        SCOPED_TRACE(tabs->tabText(index).toStdString());
        tabs->setCurrentIndex(index);
        expectFocusCycle(window, tabs->tabBar());
    }
}
