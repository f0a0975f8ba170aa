#include "editorpieces.h"
#include "ui/editor/requestdetailtabs.h"

#include <QApplication>
#include <QLabel>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct TabsRun : PieceRun {
    explicit TabsRun(const APIRequest& request)
        : PieceRun(request)
        , tabs(show(new RequestDetailTabs(model, settings, &noVariables)))
    { }
    QLabel* badge(const QString& name) const { return child<QLabel>(tabs, name); }
    QTableView* table(const QString& editor) const
    {
        return child<QTableView>(child<QWidget>(tabs, editor), u"rowsTable"_s);
    }

    RequestDetailTabs* tabs;
};

} // namespace

TEST(RequestDetailTabs, badgesCountTheEnabledRowsWithAKey)
{
    const struct {
        QList<KeyValuePair> rows;
        QString badge; // empty: none shown
    } cases[] {
        {{{.key = u"Accept"_s}, {.key = u"X-Off"_s, .isEnabled = false}, {.value = u"v"_s}},
            u"1"_s},
        {{}, {}},
        {{{.key = u"a"_s}, {.key = u"b"_s}}, u"2"_s},
    };
    TabsRun run(APIRequest {});
    for (const auto& c : cases) {
        APIRequest request = run.model.request();
        request.headers = c.rows;
        request.queryParams = c.rows;
        run.model.setRequest(request);
        for (const QString& name : {u"headersTabBadge"_s, u"paramsTabBadge"_s}) {
            SCOPED_TRACE(name.toStdString() + " " + c.badge.toStdString());
            QLabel* badge = run.badge(name);
            EXPECT_EQ(badge->isVisible(), !c.badge.isEmpty());
            if (!c.badge.isEmpty()) {
                EXPECT_EQ(badge->text(), c.badge);
                // Sized in pixels, as the rest of the window is.
                EXPECT_EQ(badge->font().pixelSize(), 9);
            }
        }
    }
}

TEST(RequestDetailTabs, addAppendsEnabledEmptyRowsAndPutsTheCursorInTheNewKey)
{
    TabsRun run(APIRequest {.headers = {}});
    EXPECT_EQ(run.tabs->selectedTab(), RequestDetailTabs::ParamsTab);
    click(child<QToolButton>(run.tabs, u"headersTab"_s));
    QWidget* headers = child<QWidget>(run.tabs, u"headersEditor"_s);
    auto* add = child<QAbstractButton>(headers, u"addRowButton"_s);
    click(add);
    click(add);
    const QList<KeyValuePair>& rows = run.model.request().headers;
    ASSERT_EQ(rows.size(), 2);
    for (const KeyValuePair& row : rows) {
        EXPECT_TRUE(row.isEnabled);
        EXPECT_TRUE(row.key.isEmpty() && row.value.isEmpty());
    }
    EXPECT_NE(rows[0].id, rows[1].id);
    QTableView* table = run.table(u"headersEditor"_s);
    EXPECT_EVENTUALLY_EQ(table->currentIndex(), table->model()->index(1, KeyValueModel::KeyColumn));
    QWidget* newKey = table->indexWidget(table->model()->index(1, KeyValueModel::KeyColumn));
    ASSERT_TRUE(newKey);
    EXPECT_EQ(newKey->objectName(), u"rowKeyField"_s);
    EXPECT_EVENTUALLY_EQ(QApplication::focusWidget(), newKey);

    // The row's own controls: the check box and the remove button.
    QTest::keyClicks(QApplication::focusWidget(), u"X-New"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The cell hands its text over once the key has been handled.
    EXPECT_EVENTUALLY_EQ(run.model.request().headers[1].key, u"X-New"_s);
    table->model()->setData(
        table->model()->index(1, KeyValueModel::EnabledColumn), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(run.model.request().headers[1].isEnabled);
    const QRect remove = table->visualRect(table->model()->index(0, KeyValueModel::RemoveColumn));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, remove.center());
    ASSERT_EQ(run.model.request().headers.size(), 1);
    EXPECT_EQ(run.model.request().headers[0].key, u"X-New"_s);
}

TEST(RequestDetailTabs, aFormBodyIsEditedAsTheRowsItSends)
{
    TabsRun run(APIRequest {.queryParams = {{.key = u"name"_s, .value = u"ann"_s}}});
    auto* note = child<QLabel>(child<QWidget>(run.tabs, u"paramsEditor"_s), u"rowsNote"_s);
    EXPECT_FALSE(note->isVisible());
    click(child<QToolButton>(run.tabs, u"bodyTab"_s));
    click(child<QToolButton>(run.tabs, u"bodyTypeFormData"_s));
    EXPECT_EQ(run.model.request().bodyType, RequestBodyType::formData);
    // No text field for a body text that would not be sent; the form's rows instead.
    EXPECT_FALSE(child<QWidget>(run.tabs, u"bodyText"_s)->isVisible());
    QTableView* form = run.table(u"formFieldsEditor"_s);
    ASSERT_TRUE(form->isVisible());
    EXPECT_EQ(form->model()->index(0, KeyValueModel::ValueColumn).data().toString(), u"ann"_s);
    form->model()->setData(form->model()->index(0, KeyValueModel::ValueColumn), u"bo"_s);
    EXPECT_EQ(run.model.request().queryParams[0].value, u"bo"_s);
    // The Params tab shows the same rows and says where they go.
    click(child<QToolButton>(run.tabs, u"paramsTab"_s));
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(run.table(u"paramsEditor"_s)->model()->index(0, 2).data().toString(), u"bo"_s);
}

// Tab passes through the rows like any control: in an open cell it commits and moves to the
// value, past the value out of the table; on the table itself it leaves at once, both ways.
TEST(RequestDetailTabs, tabCommitsCellsAndLeavesTheRows)
{
    TabsRun run(APIRequest {.queryParams = {{.key = u"a"_s}, {.key = u"b"_s}}});
    run.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&run.window));
    QTableView* table = run.table(u"paramsEditor"_s);
    const auto outside = [table] {
        QWidget* focused = QApplication::focusWidget();
        return focused && focused != table && !table->isAncestorOf(focused);
    };
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };

    click(child<QAbstractButton>(child<QWidget>(run.tabs, u"paramsEditor"_s), u"addRowButton"_s));
    EXPECT_EVENTUALLY_EQ(
        QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(),
        u"rowKeyField"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"k"_s);
    press(Qt::Key_Tab);
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), u"rowValueField"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"v"_s);
    press(Qt::Key_Tab);
    EXPECT_TRUE(outside());
    EXPECT_EVENTUALLY_EQ(run.model.request().queryParams.size(), 3);
    EXPECT_EQ(run.model.request().queryParams[2].key, u"k"_s);
    EXPECT_EQ(run.model.request().queryParams[2].value, u"v"_s);

    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), table);
    press(Qt::Key_Tab);
    EXPECT_TRUE(outside());
    press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), table);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(outside());
    // Arrow keys still move between the cells.
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, KeyValueModel::EnabledColumn));
    press(Qt::Key_Down);
    EXPECT_EQ(table->currentIndex().row(), 1);
}
