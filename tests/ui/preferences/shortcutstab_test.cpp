#include "preferencesrun.h"
#include "state/settings.h"
#include "ui/commands/shortcutmap.h"
#include "ui/shell/commandpalette.h"
#include "ui/shell/commandpalettemodel.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

// A failing comparison shows the keys, not their bytes.
static void PrintTo(const QKeySequence& key, std::ostream* os)
{
    *os << '"' << key.toString().toStdString() << '"';
}

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

const QKeySequence kNewRequest {u"Ctrl+N"_s};
const QKeySequence kSave {u"Ctrl+S"_s};
const QKeySequence kChosen {u"Ctrl+Shift+U"_s};

struct ShortcutsRun : PreferencesRun {
    ShortcutsRun()
    {
        showTab(u"shortcutsTab"_s);
        table = control<QTreeWidget>(u"shortcutsTable"_s);
    }

    /// Walks to the row of `title` with the arrow keys and presses Return, as a keyboard user
    /// would, so that the next keys pressed are the command's new keys.
    void capture(const QString& title) const
    {
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Home);
        for (int step = 0; step < 40 && table->currentItem()->text(0) != title; ++step)
            QTest::keyClick(table, Qt::Key_Down);
        ASSERT_EQ(table->currentItem()->text(0), title);
        QTest::keyClick(table, Qt::Key_Return);
    }
    void press(const QKeySequence& key) const
    {
        QTest::keyClick(table, key[0].key(), key[0].keyboardModifiers());
    }
    /// The key text the table shows for `title`.
    QString shown(const QString& title) const
    {
        const QList<QTreeWidgetItem*> rows
            = table->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
        return rows.size() == 1 ? rows[0]->text(1) : u"(no single row)"_s;
    }
    QKeySequence menuKey(const QString& action) const { return this->action(action)->shortcut(); }

    QTreeWidget* table = nullptr;
};

} // namespace

// Keys pressed in the tab reach every place that names or runs the command, at once and after
// a restart; the old keys stop working.
TEST(ShortcutsTab, newKeysReachTheMenusPaletteHintsAndSurviveARestart)
{
    auto run = std::make_unique<ShortcutsRun>();
    run->capture(u"New Request"_s);
    EXPECT_EQ(run->shown(u"New Request"_s), u"Press keys…"_s);
    run->press(kChosen);
    EXPECT_EQ(run->shown(u"New Request"_s), u"Ctrl+Shift+U"_s);
    EXPECT_EQ(run->menuKey(u"newRequestAction"_s), kChosen);
    EXPECT_TRUE(run->control<QPushButton>(u"restoreDefaultShortcutsButton"_s)->isEnabled());
    EXPECT_EQ(run->find<QWidget>(u"quickActionHTTP"_s)->accessibleDescription(), u"Ctrl+Shift+U"_s);
    EXPECT_EQ(run->find<QToolButton>(u"sidebarNewRequestButton"_s)->toolTip(),
        u"New Request (Ctrl+Shift+U)"_s);

    ASSERT_TRUE(run->activate());
    run->action(u"quickOpenAction"_s)->trigger();
    auto* palette = run->find<CommandPalette>(u"commandPalette"_s);
    ASSERT_TRUE(palette);
    QTest::keyClicks(child<QLineEdit>(palette, u"paletteQuery"_s), u"New Request"_s);
    const QAbstractItemModel* found = child<QListView>(palette, u"paletteResults"_s)->model();
    ASSERT_EQ(found->rowCount(), 1);
    EXPECT_EQ(
        found->index(0, 0).data(CommandPaletteModel::DetailRole).toString(), u"Ctrl+Shift+U"_s);
    palette->toggle();

    QTest::keyClick(&run->window(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(run->state().tabs().isEmpty());
    QTest::keyClick(&run->window(), Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EVENTUALLY_EQ(run->state().tabs().size(), 1);

    run->app.reset();
    ShellRun restarted({}, {}, &run->folder);
    EXPECT_EQ(restarted.action(u"newRequestAction"_s)->shortcut(), kChosen);
    EXPECT_EQ(restarted.action(u"saveToCollectionAction"_s)->shortcut(), kSave);
}

// A key another command has is only moved after asking, naming that command; Return moves it,
// Escape leaves both commands as they were.
TEST(ShortcutsTab, aKeyInUseIsMovedOnlyWhenTheUserSaysSo)
{
    const struct {
        Qt::Key answer;
        QKeySequence newRequest;
        QKeySequence save;
    } cases[] {{Qt::Key_Return, kSave, {}}, {Qt::Key_Escape, kNewRequest, kSave}};
    for (const auto& c : cases) {
        SCOPED_TRACE(QKeySequence(c.answer).toString().toStdString());
        ShortcutsRun run;
        run.capture(u"New Request"_s);
        run.press(kSave);
        auto* alert = qobject_cast<QMessageBox*>(visibleDialog(u"shortcutConflictAlert"_s));
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->text(),
            u"“Ctrl+S” is already used by “Save Request”. Use it here and remove it there?"_s);
        QTest::keyClick(alert, c.answer);
        EXPECT_EVENTUALLY(!visibleDialog(u"shortcutConflictAlert"_s));
        EXPECT_EQ(run.menuKey(u"newRequestAction"_s), c.newRequest);
        EXPECT_EQ(run.menuKey(u"saveToCollectionAction"_s), c.save);
        EXPECT_EQ(run.shown(u"Save Request"_s), c.save.toString(QKeySequence::NativeText));
        EXPECT_TRUE(run.preferencesWindow()->isVisible());
    }
}

// Escape cancels without closing the window, a plain letter is not taken, Backspace leaves the
// command without a key, and Restore Defaults brings back every built-in key.
TEST(ShortcutsTab, escapeCancelsBackspaceClearsAndRestoreDefaultsResets)
{
    ShortcutsRun run;
    auto* restore = run.control<QPushButton>(u"restoreDefaultShortcutsButton"_s);
    EXPECT_FALSE(restore->isEnabled());

    run.capture(u"Send Request"_s);
    QTest::keyClick(run.table, Qt::Key_K);
    EXPECT_EQ(run.control<QLabel>(u"shortcutsHint"_s)->text(),
        u"Hold Ctrl or Alt with the key, or use a function key."_s);
    QTest::keyClick(run.table, Qt::Key_Escape);
    EXPECT_TRUE(run.preferencesWindow()->isVisible());
    EXPECT_EQ(run.shown(u"Send Request"_s), u"Ctrl+Return"_s);
    EXPECT_EQ(run.menuKey(u"sendRequestAction"_s), QKeySequence(u"Ctrl+Return"_s));

    run.capture(u"Send Request"_s);
    QTest::keyClick(run.table, Qt::Key_Backspace);
    EXPECT_EQ(run.shown(u"Send Request"_s), QString());
    EXPECT_TRUE(run.menuKey(u"sendRequestAction"_s).isEmpty());
    // The welcome screen no longer tells of a key that is gone.
    for (const QLabel* label : run.window().findChildren<QLabel*>())
        EXPECT_FALSE(label->isVisibleTo(&run.window()) && label->text().endsWith(u" to send"_s));
    run.capture(u"Export Collection"_s);
    QTest::keyClick(run.table, Qt::Key_F6);
    EXPECT_EQ(run.menuKey(u"exportCollectionAction"_s), QKeySequence(Qt::Key_F6));

    click(restore);
    EXPECT_EQ(run.menuKey(u"sendRequestAction"_s), QKeySequence(u"Ctrl+Return"_s));
    EXPECT_TRUE(run.menuKey(u"exportCollectionAction"_s).isEmpty());
    EXPECT_EQ(run.shown(u"Send Request"_s), u"Ctrl+Return"_s);
    EXPECT_FALSE(restore->isEnabled());
    EXPECT_TRUE(run.settings().shortcutOverrides().isEmpty());
}

// A settings file from before keys could be changed gives every built-in key; a hand-edited one
// gives its keys, and a text no version can read leaves the built-in key.
TEST(ShortcutMap, readsTheUsersChangesOverTheBuiltInKeys)
{
    TempAppFolder folder;
    {
        QSettings file(folder.settingsFile(), QSettings::IniFormat);
        file.setValue(u"appearance"_s, u"dark"_s);
    }
    Settings settings(folder.settingsFile());
    ShortcutMap older(settings);
    for (const shortcuts::Default& entry : shortcuts::kDefaults)
        EXPECT_EQ(older.key(entry.command), entry.key) << entry.id;

    {
        QSettings file(folder.settingsFile(), QSettings::IniFormat);
        file.setValue(u"shortcuts/quit"_s, QString());
        file.setValue(u"shortcuts/search"_s, u"Alt+F3"_s);
        file.setValue(u"shortcuts/minimize"_s, u"Hyper+Wobble"_s);
    }
    Settings edited(folder.settingsFile());
    const ShortcutMap map(edited);
    EXPECT_TRUE(map.key(Shortcut::quit).isEmpty());
    EXPECT_EQ(map.key(Shortcut::search), QKeySequence(Qt::ALT | Qt::Key_F3));
    EXPECT_EQ(map.key(Shortcut::minimize), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(map.key(Shortcut::newRequest), kNewRequest);
}
