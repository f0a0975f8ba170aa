#include "preferences/preferencesrun.h"
#include "shellrun.h"
#include "sidebar/sidebartesting.h"
#include "ui/shell/environmenteditorsheet.h"
#include "ui/sidebar/runnersheet.h"
#include "windowtesting.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QListView>
#include <QMetaEnum>
#include <QTabWidget>

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

} // namespace

TEST(Accessibility, everyControlOfEachProtocolScreenHasAName)
{
    const struct {
        QString protocol;
        QStringList tabs;
    } screens[] = {
        {u"protocolHTTP"_s,
            {u"paramsTab"_s, u"headersTab"_s, u"bodyTab"_s, u"authTab"_s, u"codeTab"_s}},
        // Unfolded, the request's headers and authentication.
        {u"protocolGraphQL"_s, {u"headersAuthToggle"_s}},
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
