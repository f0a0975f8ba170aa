#include "focuswalk.h"
#include "preferences/preferencesrun.h"
#include "shell/sheets.h"
#include "shellrun.h"
#include "windowtesting.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDialog>
#include <QTabWidget>

#include <algorithm>
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

// Every screen of the main window: Tab from the search field passes every control once; on
// the other protocols' screens with their headers and authentication folded and unfolded. The
// Body tab with a JSON body and the Scripts tab hold multi-line editors that Tab leaves like any
// other field.
TEST(FocusWalk, mainWindowWithEachProtocolsScreen)
{
    const struct {
        QString action;
        QStringList then; // buttons clicked after it
    } cases[] {
        {u"quickActionHTTP"_s, {}},
        {u"quickActionHTTP"_s, {u"bodyTab"_s, u"bodyTypeJSON"_s}},
        {u"quickActionHTTP"_s, {u"scriptsTab"_s}},
        {u"quickActionGraphQL"_s, {}},
        {u"quickActionGraphQL"_s, {u"headersAuthToggle"_s}},
        {u"quickActionGraphQL"_s, {u"scriptsToggle"_s}},
        {u"quickActionWebSocket"_s, {}},
        {u"quickActionWebSocket"_s, {u"headersAuthToggle"_s}},
        {u"quickActionSSE"_s, {}},
        {u"quickActionSSE"_s, {u"headersAuthToggle"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.action + u' ' + c.then.join(u' ')).toStdString());
        ShellRun run;
        ASSERT_TRUE(run.activate());
        QTest::mouseClick(run.find(c.action), Qt::LeftButton);
        for (const QString& button : c.then)
            click(run.find<QAbstractButton>(button));
        expectFocusCycle(&run.window(), run.find(u"sidebarSearchField"_s));
    }
}

// Tab goes as a reader does: the toolbar left to right, the sidebar, the tab bar, then the
// request from its URL down to the response.
TEST(FocusWalk, mainWindowGoesInReadingOrder)
{
    ShellRun run;
    ASSERT_TRUE(run.activate());
    QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
    const QStringList order {u"sidebarToggleButton"_s, u"protocolPicker"_s, u"environmentPicker"_s,
        u"manageEnvironmentsButton"_s, u"sidebarSearchField"_s, u"tabBar"_s, u"methodButton"_s,
        u"urlField"_s, u"sendButton"_s, u"paramsTab"_s, u"paramsEditor"_s, u"resizeDivider"_s};
    QWidget* start = run.find(order.first());
    ASSERT_TRUE(start);
    start->setFocus(Qt::TabFocusReason);
    const QList<QWidget*> forward = walkFocus(start, true, 200);
    SCOPED_TRACE("Tab visits: " + describeAll(forward).join(u" -> "_s).toStdString());
    ASSERT_FALSE(forward.contains(nullptr));
    // Where each part is first reached: a control of that name or inside it.
    QList<qsizetype> reached;
    for (const QString& name : order) {
        const auto at = std::find_if(forward.cbegin(), forward.cend(), [&name](QWidget* widget) {
            for (QWidget* part = widget; part; part = part->parentWidget()) {
                if (part->objectName() == name)
                    return true;
            }
            return false;
        });
        EXPECT_NE(at, forward.cend()) << "never reached " << name.toStdString();
        reached.append(at - forward.cbegin());
    }
    EXPECT_TRUE(std::is_sorted(reached.cbegin(), reached.cend()))
        << "first reached at " << ::testing::PrintToString(reached);
    // Backwards from the toolbar: the divider above the response comes last (the empty
    // response has no control), so it is the first stop back.
    start->setFocus(Qt::BacktabFocusReason);
    QTest::keyClick(start, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), run.find(u"resizeDivider"_s))
        << describeFocus(QApplication::focusWidget()).toStdString();
}

// The sheets, each opened as a user opens it, from its own first control.
TEST(FocusWalk, eachSheet)
{
    for (const SheetOpener& c : everySheet()) {
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

namespace {

QWidget* visibleChild(const ShellRun& run, const QString& objectName)
{
    for (QWidget* widget : run.window().findChildren<QWidget*>(objectName)) {
        if (widget->isVisible())
            return widget;
    }
    ADD_FAILURE() << "no visible " << objectName.toStdString();
    return nullptr;
}

} // namespace

// Closing a sheet, by Escape, puts the focus back on the control it was opened from.
TEST(FocusReturn, closingASheetReturnsTheFocusToWhereItWas)
{
    const struct {
        QString opener;
        QString command; // empty: the opener is pressed with Space
        QString sheet;
    } cases[] {
        {u"urlField"_s, u"saveToCollectionAction"_s, u"saveToCollectionSheet"_s},
        {u"sendButton"_s, u"importCurlAction"_s, u"curlImportSheet"_s},
        {u"manageEnvironmentsButton"_s, {}, u"environmentEditorSheet"_s},
        {u"sidebarSearchField"_s, u"fromTemplateAction"_s, u"templateSheet"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sheet.toStdString());
        ShellRun run;
        ASSERT_TRUE(run.activate());
        QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
        // The new tab's empty URL takes the focus first, a moment after it opens.
        EXPECT_EVENTUALLY(QApplication::focusWidget()
            && QApplication::focusWidget()->objectName() == u"urlField"_s);
        QWidget* opener = visibleChild(run, c.opener);
        ASSERT_TRUE(opener);
        opener->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), opener);
        if (c.command.isEmpty())
            QTest::keyClick(opener, Qt::Key_Space);
        else
            run.find<QAction>(c.command)->trigger();
        QWidget* sheet = activeDialog(c.sheet);
        ASSERT_TRUE(sheet);
        // The sheet takes the focus on an event of its own after it is shown.
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return QApplication::focusWidget() && sheet->isAncestorOf(QApplication::focusWidget());
        }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_EVENTUALLY(!visibleDialog(c.sheet));
        EXPECT_EVENTUALLY_EQ(QApplication::focusWidget(), opener);
    }
}
