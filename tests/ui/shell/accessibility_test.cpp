#include "focuswalk.h"
#include "preferences/preferencesrun.h"
#include "shell/sheets.h"
#include "shellrun.h"
#include "sidebar/sidebartesting.h"
#include "support/httptestserver.h"
#include "ui/shell/environmenteditorsheet.h"
#include "ui/sidebar/runnersheet.h"
#include "windowtesting.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMetaEnum>
#include <QTabWidget>
#include <QToolButton>

#include <functional>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// The roles a screen reader announces as something to operate; each needs a name.
bool isInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Link:
    case QAccessible::PageTab:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
        return true;
    default:
        return false;
    }
}

QString describe(QAccessibleInterface* element)
{
    const QObject* object = element->object();
    QString name = object ? object->objectName() : QString();
    for (const QObject* up = object; name.isEmpty() && up; up = up->parent())
        name = up->objectName().isEmpty() ? QString() : u"in "_s + up->objectName();
    return u"%1 (%2)"_s.arg(name,
        QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(element->role())));
}

// Every shown interactive element under `root` that has no name.
void collectUnnamed(QAccessibleInterface* element, QStringList& unnamed, int depth = 0)
{
    if (!element || !element->isValid() || element->state().invisible || depth > 64)
        return;
    if (isInteractive(element->role()) && element->text(QAccessible::Name).trimmed().isEmpty())
        unnamed.append(describe(element));
    // The cells of a table or list are named by their contents.
    if (element->role() == QAccessible::Table || element->role() == QAccessible::List
        || element->role() == QAccessible::Tree)
        return;
    for (int i = 0; i < element->childCount(); ++i)
        collectUnnamed(element->child(i), unnamed, depth + 1);
}

QStringList unnamedIn(QWidget* window)
{
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
    return unnamed;
}

QString descriptionOf(QWidget* widget)
{
    QAccessibleInterface* element = QAccessible::queryAccessibleInterface(widget);
    return element ? element->text(QAccessible::Description).trimmed() : QString();
}

// The shown buttons under `root` with a symbol and no words, that tell nothing more than a
// name: each needs a description (its tooltip is one).
QStringList undescribedSymbolButtons(QWidget* root)
{
    QStringList undescribed;
    for (QToolButton* button : root->findChildren<QToolButton*>()) {
        if (button->isVisible() && button->toolButtonStyle() == Qt::ToolButtonIconOnly
            && !button->icon().isNull() && descriptionOf(button).isEmpty())
            undescribed.append(describeFocus(button));
    }
    return undescribed;
}

} // namespace

TEST(Accessibility, everyControlOfEachProtocolScreenHasAName)
{
    const struct {
        QString protocol;
        QStringList tabs;
    } screens[] = {
        {u"protocolHTTP"_s,
            {u"paramsTab"_s, u"headersTab"_s, u"bodyTab"_s, u"authTab"_s, u"scriptsTab"_s,
                u"codeTab"_s}},
        // Unfolded, the request's headers and authentication.
        {u"protocolGraphQL"_s, {u"headersAuthToggle"_s, u"scriptsToggle"_s}},
        {u"protocolWebSocket"_s, {u"headersAuthToggle"_s}},
        {u"protocolSSE"_s, {u"headersAuthToggle"_s}},
    };
    for (const auto& screen : screens) {
        SCOPED_TRACE(screen.protocol.toStdString());
        ShellRun run;
        run.window().show();
        // The welcome screen, before any request is open.
        EXPECT_EQ(unnamedIn(&run.window()), QStringList {});
        QTest::mouseClick(run.find(screen.protocol), Qt::LeftButton);
        EXPECT_EQ(unnamedIn(&run.window()), QStringList {});
        for (const QString& tab : screen.tabs) {
            SCOPED_TRACE(tab.toStdString());
            QTest::mouseClick(run.find(tab), Qt::LeftButton);
            EXPECT_EQ(unnamedIn(&run.window()), QStringList {});
        }
    }
}

TEST(Accessibility, everyControlOfTheSheetsHasAName)
{
    ShellRun run;
    run.window().show();
    click(run.find<QAbstractButton>(u"manageEnvironmentsButton"_s));
    auto* environments = run.window().findChild<EnvironmentEditorSheet*>();
    ASSERT_TRUE(environments);
    click(child<QAbstractButton>(environments, u"addEnvironmentButton"_s));
    clickRow(child<QListView>(environments, u"environmentList"_s), 0);
    auto* tabs = child<QTabWidget>(environments, u"environmentEditorTabs"_s);
    for (int index = 0; index < tabs->count(); ++index) {
        SCOPED_TRACE(tabs->tabText(index).toStdString());
        tabs->setCurrentIndex(index);
        EXPECT_EQ(unnamedIn(environments), QStringList {});
    }
    environments->close();

    SidebarRun sidebar;
    sidebar.sidebar->showRunner(sidebar.addCollection(
        u"Run"_s, {APIRequest {.name = u"one"_s, .url = u"http://127.0.0.1:1/"_s}}));
    auto* runner = sidebar.window.findChild<RunnerSheet*>(u"collectionRunnerSheet"_s);
    ASSERT_TRUE(runner);
    EXPECT_EQ(unnamedIn(runner), QStringList {});
}

TEST(Accessibility, everyControlOfEachPreferencesTabHasAName)
{
    PreferencesRun run;
    ASSERT_TRUE(run.preferencesWindow());
    QTabWidget* tabs = run.preferencesWindow()->tabs();
    for (int index = 0; index < tabs->count(); ++index) {
        SCOPED_TRACE(tabs->tabText(index).toStdString());
        tabs->setCurrentIndex(index);
        EXPECT_EQ(unnamedIn(run.preferencesWindow()), QStringList {});
    }
}

// With a reply shown: the status, the metrics and every tab of the response.
TEST(Accessibility, theResponseWithAReplyIsNamedAndItsLessObviousPartsDescribed)
{
    HttpTestServer server;
    ShellRun run;
    run.window().show();
    QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
    auto* url = run.find<QLineEdit>(u"urlField"_s);
    ASSERT_TRUE(url);
    QTest::keyClicks(url, server.baseUrl() + u"/items"_s);
    click(run.find<QAbstractButton>(u"sendButton"_s));
    auto* status = run.find<QLabel>(u"responseStatusCode"_s);
    EXPECT_EVENTUALLY(status->isVisible() && status->text() == u"200"_s);
    // With text in the search field, its clear button shows.
    QTest::keyClicks(run.find(u"responseSearchField"_s), u"method"_s);
    for (const QString& tab : {u"responseTabBody"_s, u"responseTabHeaders"_s,
             u"responseTabCookies"_s, u"responseTabTiming"_s, u"responseTabTests"_s}) {
        SCOPED_TRACE(tab.toStdString());
        click(run.find<QAbstractButton>(tab));
        EXPECT_EQ(unnamedIn(&run.window()), QStringList {});
    }

    // What a name alone does not make clear: what a control does, or what a value measures.
    for (const QString& name :
        {u"resizeDivider"_s, u"responseStatusCode"_s, u"responseDuration"_s, u"responseSize"_s,
            u"responseHttpVersion"_s, u"environmentPicker"_s, u"manageEnvironmentsButton"_s,
            u"methodButton"_s, u"protocolPicker"_s, u"sidebarToggleButton"_s}) {
        SCOPED_TRACE(name.toStdString());
        QWidget* widget = run.find(name);
        ASSERT_TRUE(widget);
        const QString description = descriptionOf(widget);
        EXPECT_FALSE(description.isEmpty());
        EXPECT_NE(description, widget->accessibleName());
    }
    EXPECT_EQ(undescribedSymbolButtons(&run.window()), QStringList {});
}

// The smaller sheets, the alert and the command palette, each opened as a user opens it.
TEST(Accessibility, everyControlOfTheSmallerSheetsAndThePaletteHasAName)
{
    for (const SheetOpener& c : everySheet()) {
        SCOPED_TRACE(c.sheet.toStdString());
        ShellRun run;
        run.window().show();
        c.open(run);
        QWidget* sheet = nullptr;
        EXPECT_EVENTUALLY((sheet = visibleDialog(c.sheet)) != nullptr);
        if (!sheet)
            continue;
        EXPECT_EQ(unnamedIn(sheet), QStringList {});
        EXPECT_EQ(undescribedSymbolButtons(sheet), QStringList {});
    }

    ShellRun run;
    run.window().show();
    QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
    run.action(u"quickOpenAction"_s)->trigger();
    QWidget* palette = run.find(u"commandPalette"_s);
    ASSERT_TRUE(palette);
    EXPECT_EVENTUALLY(palette->isVisible());
    // Typed text lists matching commands, each named.
    QTest::keyClicks(QApplication::focusWidget(), u"new"_s);
    EXPECT_EQ(unnamedIn(palette), QStringList {});
}
