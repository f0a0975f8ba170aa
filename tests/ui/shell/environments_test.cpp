#include "interchange/foldercollection.h"
#include "ui/editor/keyvaluemodel.h"
#include "ui/shell/environmenteditorsheet.h"
#include "ui/shell/environmentselector.h"
#include "windowtesting.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

const APIEnvironment kDev {.name = u"Dev"_s, .isActive = true};
const APIEnvironment kProd {.name = u"Prod"_s};

struct EnvironmentsRun : StateRun {
    EnvironmentsRun()
        : StateRun({.files = {{kEnvironmentsFile, encodeRecords(QList {kDev, kProd})}}})
    {
        window.showNow();
    }

    QStringList environmentNames() const
    {
        QStringList names;
        for (const APIEnvironment& environment : state.environments())
            names.append(environment.name);
        return names;
    }

    TestWindow window;
    EnvironmentSelector* selector = new EnvironmentSelector(state, &window);
    QComboBox* picker = child<QComboBox>(selector, u"environmentPicker"_s);
};

} // namespace

TEST(EnvironmentSelector, showsTheActiveEnvironmentAndChoosingOneActivatesIt)
{
    EnvironmentsRun run;
    EXPECT_EQ(
        rowTexts(run.picker->view()), (QStringList {u"No Environment"_s, u"Dev"_s, u"Prod"_s}));
    EXPECT_EQ(run.picker->currentText(), u"Dev"_s);
    EXPECT_EQ(run.picker->width(), EnvironmentSelector::kPickerWidth);

    run.state.setActiveEnvironment(kProd.id);
    EXPECT_EQ(run.picker->currentText(), u"Prod"_s);
    run.state.renameEnvironment(kProd.id, u"Production"_s);
    EXPECT_EQ(run.picker->currentText(), u"Production"_s);

    QTest::keyClick(run.picker, Qt::Key_Home);
    EXPECT_FALSE(run.state.activeEnvironment().has_value());
    QTest::keyClick(run.picker, Qt::Key_Down);
    EXPECT_EQ(run.state.activeEnvironment()->id, kDev.id);

    // The active one goes: nothing is active, and the picker says so.
    run.state.deleteEnvironment(kDev.id);
    EXPECT_EQ(run.picker->currentText(), u"No Environment"_s);
    EXPECT_FALSE(run.state.activeEnvironment().has_value());
}

TEST(EnvironmentEditorSheet, editsEnvironmentsAndDeletingTheSelectedOneClearsTheSelection)
{
    EnvironmentsRun run;
    click(child<QAbstractButton>(run.selector, u"manageEnvironmentsButton"_s));
    auto* sheet = run.window.findChild<EnvironmentEditorSheet*>();
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowTitle(), u"Environments"_s);
    auto* list = child<QListView>(sheet, u"environmentList"_s);
    auto* placeholder = child<QLabel>(sheet, u"noEnvironmentLabel"_s);
    auto* remove = child<QAbstractButton>(sheet, u"removeEnvironmentButton"_s);
    EXPECT_TRUE(placeholder->isVisible());
    EXPECT_EQ(placeholder->text(), u"Select an environment to edit"_s);

    // A new environment is selected with its name ready to be typed over.
    click(child<QAbstractButton>(sheet, u"addEnvironmentButton"_s));
    EXPECT_EQ(run.environmentNames(), (QStringList {u"Dev"_s, u"Prod"_s, u"New Environment"_s}));
    EXPECT_EQ(
        list->selectionModel()->selectedIndexes(), QModelIndexList {list->model()->index(2, 0)});
    EXPECT_TRUE(remove->isEnabled());
    auto* name = child<QLineEdit>(sheet, u"environmentNameField"_s);
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(sheet->focusWidget(), name);
    EXPECT_EQ(name->selectedText(), u"New Environment"_s);

    clickRow(list, 1);
    EXPECT_FALSE(placeholder->isVisible());
    EXPECT_EQ(name->text(), u"Prod"_s);
    QTest::keyClicks(name, u"uction"_s);
    EXPECT_EQ(run.state.environments()[1].name, u"Production"_s);
    EXPECT_EQ(run.picker->itemText(2), u"Production"_s);
    auto* variables = child<QWidget>(sheet, u"environmentVariablesEditor"_s);
    EXPECT_EQ(child<QTableView>(variables, u"rowsTable"_s)->model()->rowCount(), 1);
    click(child<QAbstractButton>(variables, u"addRowButton"_s));
    EXPECT_EQ(run.state.environments()[1].variables.size(), 2);

    click(remove);
    EXPECT_EQ(run.environmentNames(), (QStringList {u"Dev"_s, u"New Environment"_s}));
    EXPECT_FALSE(list->selectionModel()->hasSelection());
    EXPECT_TRUE(placeholder->isVisible());
    EXPECT_FALSE(remove->isEnabled());

    click(child<QAbstractButton>(sheet, u"doneButton"_s));
    EXPECT_FALSE(sheet->isVisible());
    QStringList stored;
    for (const APIEnvironment& environment : run.stored<APIEnvironment>(kEnvironmentsFile))
        stored.append(environment.name);
    EXPECT_EQ(stored, (QStringList {u"Dev"_s, u"New Environment"_s}));
}

TEST(EnvironmentEditorSheet, globalVariablesTabEditsTheGlobalsAndEscapeCloses)
{
    EnvironmentsRun run;
    auto* sheet = run.selector->openEditor();
    child<QTabWidget>(sheet, u"environmentEditorTabs"_s)->setCurrentIndex(1);
    EXPECT_EQ(child<QLabel>(sheet, u"globalVariablesText"_s)->text(),
        u"Global variables are available in all environments. Local environment variables "
        "override globals with the same key."_s);
    auto* globals = child<QWidget>(sheet, u"globalVariablesEditor"_s);
    auto* add = child<QAbstractButton>(globals, u"addRowButton"_s);
    click(add);
    auto* table = child<QTableView>(globals, u"rowsTable"_s);
    // The same editor as a request's rows: the new key is open for typing.
    EXPECT_EVENTUALLY(QApplication::focusWidget()
        && QApplication::focusWidget()->objectName() == u"rowKeyField"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"host"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EVENTUALLY(
        !run.state.globalVariables().isEmpty() && run.state.globalVariables()[0].key == u"host"_s);
    click(add);
    ASSERT_EQ(run.state.globalVariables().size(), 2);
    EXPECT_EQ(table->model()->index(1, KeyValueModel::RemoveColumn).data(Qt::AccessibleTextRole),
        u"Remove"_s);

    // Each row's own remove button.
    const QRect remove = table->visualRect(table->model()->index(1, KeyValueModel::RemoveColumn));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, remove.center());
    ASSERT_EQ(run.state.globalVariables().size(), 1);
    EXPECT_EQ(run.state.globalVariables()[0].key, u"host"_s);

    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet->isVisible());
}

// A secret's value is masked, to the eye and to assistive tools, until "Show Value"; it is
// edited unseen or seen, and a row is made secret from the keyboard: the toggle follows the
// value, and Space flips it.
TEST(EnvironmentEditorSheet, secretValuesAreMaskedUntilShownAndMarkedFromTheKeyboard)
{
    EnvironmentsRun run;
    run.state.setGlobalVariables({KeyValuePair {.key = u"host"_s, .value = u"api.test"_s},
        KeyValuePair {.key = u"token"_s, .value = u"tok-1"_s, .isSecret = true}});
    auto* sheet = run.selector->openEditor();
    child<QTabWidget>(sheet, u"environmentEditorTabs"_s)->setCurrentIndex(1);
    auto* globals = child<QWidget>(sheet, u"globalVariablesEditor"_s);
    auto* table = child<QTableView>(globals, u"rowsTable"_s);
    auto* reveal = child<QAbstractButton>(globals, u"revealValuesButton"_s);
    const auto value = [table](int row, int role = Qt::DisplayRole) {
        return table->model()->index(row, KeyValueModel::ValueColumn).data(role).toString();
    };
    const QString mask = u"\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022"_s;
    EXPECT_EQ(value(0), u"api.test"_s);
    EXPECT_EQ(value(1), mask);
    EXPECT_EQ(value(1, Qt::AccessibleTextRole), mask);
    EXPECT_EQ(table->model()->index(1, KeyValueModel::KeyColumn).data(Qt::AccessibleTextRole),
        u"token"_s);
    EXPECT_EQ(reveal->accessibleName(), u"Show Value"_s);
    // This run has no secret service, which the editor says as soon as it knows.
    auto* note = child<QLabel>(globals, u"rowsNote"_s);
    EXPECT_EVENTUALLY(note->isVisible());
    EXPECT_EQ(note->text(),
        u"No secret service is available: secret values are kept only until Mako quits."_s);

    // Typed unseen while masked, seen once shown.
    const auto editToken = [&](const QString& typed) {
        table->setFocus();
        table->setCurrentIndex(table->model()->index(1, KeyValueModel::ValueColumn));
        EXPECT_EVENTUALLY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_TRUE(field && field->objectName() == u"rowValueField"_s);
        if (!field)
            return QLineEdit::Normal;
        const QLineEdit::EchoMode echo = field->echoMode();
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        table->setCurrentIndex({});
        return echo;
    };
    EXPECT_EQ(editToken(u"2"_s), QLineEdit::Password);
    EXPECT_EQ(run.state.globalVariables()[1].value, u"tok-12"_s);
    click(reveal);
    EXPECT_EQ(reveal->accessibleName(), u"Hide Value"_s);
    EXPECT_EQ(value(1), u"tok-12"_s);
    EXPECT_EQ(editToken(u"3"_s), QLineEdit::Normal);
    EXPECT_EQ(run.state.globalVariables()[1].value, u"tok-123"_s);
    click(reveal);
    EXPECT_EQ(value(1), mask);

    // From the remove button one step left is the row's toggle.
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, KeyValueModel::RemoveColumn));
    QTest::keyClick(table, Qt::Key_Left);
    EXPECT_EQ(table->currentIndex().data(Qt::AccessibleTextRole), u"Secret"_s);
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_TRUE(run.state.globalVariables()[0].isSecret);
    EXPECT_EQ(value(0), mask);
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_FALSE(run.state.globalVariables()[0].isSecret);
    EXPECT_EQ(value(0), u"api.test"_s);
    run.state.removeVariables(std::nullopt, 1, 1);
    EXPECT_FALSE(note->isVisible());
}

// "Kept in:" shares the selected environment with a folder collection and takes it back, from
// the keyboard: the folder gains or loses its file, the data folder's file the reverse; the
// picker follows a move made elsewhere, and offers no collection that is not a folder.
TEST(EnvironmentEditorSheet, keptInMovesTheEnvironmentIntoAFolderCollectionAndBack)
{
    EnvironmentsRun run;
    QTemporaryDir root;
    const QString teamPath = root.filePath(u"team-api"_s);
    ASSERT_TRUE(FolderCollection::write(teamPath,
        FolderCollection::encode({.collection = Collection {.name = u"Team API"_s}}), {}));
    QSignalSpy opened(&run.state, &AppState::fileOperationFinished);
    run.state.openFolderCollection(teamPath);
    ASSERT_TRUE(opened.wait(10000));
    const QUuid teamID = run.state.collections().last().id;
    run.addCollection(u"Plain"_s);
    const QString devFile = QDir(teamPath).filePath(u"environments/dev.json"_s);
    const auto storedNames = [&] {
        QStringList names;
        for (const APIEnvironment& environment : run.stored<APIEnvironment>(kEnvironmentsFile))
            names.append(environment.name);
        return names;
    };

    auto* sheet = run.selector->openEditor();
    clickRow(child<QListView>(sheet, u"environmentList"_s), 0);
    auto* place = child<QComboBox>(sheet, u"environmentPlacePicker"_s);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->accessibleName(), u"Kept in:"_s);
    EXPECT_EQ(rowTexts(place->view()), (QStringList {u"This Computer"_s, u"Team API (folder)"_s}));
    EXPECT_EQ(place->currentText(), u"This Computer"_s);

    auto* name = child<QLineEdit>(sheet, u"environmentNameField"_s);
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    name->setFocus(Qt::TabFocusReason);
    QTest::keyClick(name, Qt::Key_Tab);
    EXPECT_EVENTUALLY_EQ(QApplication::focusWidget(), place);
    QTest::keyClick(place, Qt::Key_Down);
    EXPECT_EQ(run.state.environments()[0].collectionID, teamID);
    EXPECT_EVENTUALLY(QFileInfo::exists(devFile));
    EXPECT_EQ(storedNames(), QStringList {u"Prod"_s});

    QTest::keyClick(place, Qt::Key_Up);
    EXPECT_TRUE(run.state.environments()[0].collectionID.isNull());
    EXPECT_EVENTUALLY(!QFileInfo::exists(devFile));
    EXPECT_EQ(storedNames(), (QStringList {u"Dev"_s, u"Prod"_s}));

    ASSERT_TRUE(run.state.setEnvironmentCollection(kDev.id, teamID));
    EXPECT_EQ(place->currentText(), u"Team API (folder)"_s);
    // The collection goes, and with it its environments and its place in the picker.
    clickRow(child<QListView>(sheet, u"environmentList"_s), 1);
    EXPECT_EQ(name->text(), u"Prod"_s);
    run.state.deleteCollection(teamID);
    EXPECT_EQ(run.environmentNames(), QStringList {u"Prod"_s});
    EXPECT_EQ(place->currentText(), u"This Computer"_s);
    EXPECT_EQ(rowTexts(place->view()), QStringList {u"This Computer"_s});
}
