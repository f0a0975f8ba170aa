#include "editorpieces.h"
#include "shellrun.h"
#include "ui/editor/requestdetailtabs.h"
#include "ui/editor/scripteditor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTabBar>
#include <QTextBlock>
#include <QTextLayout>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// One letter per character: k keyword, l literal, n number, s text, c comment, space for none.
QString letters(const QList<std::optional<SystemColor>>& colors)
{
    QString shown;
    for (const std::optional<SystemColor>& color : colors) {
        if (!color)
            shown.append(u' ');
        else if (*color == SystemColor::pink)
            shown.append(u'k');
        else if (*color == SystemColor::purple)
            shown.append(u'l');
        else if (*color == SystemColor::orange)
            shown.append(u'n');
        else if (*color == SystemColor::green)
            shown.append(u's');
        else if (*color == SystemColor::grey)
            shown.append(u'c');
        else
            shown.append(u'?');
    }
    return shown;
}

struct ScriptsRun : PieceRun {
    explicit ScriptsRun(const APIRequest& request = {})
        : PieceRun(request)
        , scripts(show(new ScriptsEditor(model, settings)))
    { }
    ScriptTextEdit* preRequest() const { return scripts->preRequestField(); }
    ScriptTextEdit* test() const { return scripts->testField(); }

    ScriptsEditor* scripts;
};

} // namespace

// Texts and comments are single tokens, so what looks like code or a comment inside them keeps
// their colour; comments and template texts carry over to the next line; a name after a dot is
// a property, never a keyword.
TEST(ScriptEditor, javaScriptIsColouredTokenByToken)
{
    using State = ScriptLineState;
    const struct {
        QString line;
        State start;
        QString colors;
        State end;
    } cases[] {
        {u"const a = \"if // no\";"_s, State::code, u"kkkkk     ssssssssss "_s, State::code},
        {u"x.delete(true)"_s, State::code, u"         llll "_s, State::code},
        {u"let n = 1.5e+3 + 0x1F;"_s, State::code, u"kkk     nnnnnn   nnnn "_s, State::code},
        {u"a /* open"_s, State::code, u"  ccccccc"_s, State::blockComment},
        {u"still */ return"_s, State::blockComment, u"cccccccc kkkkkk"_s, State::code},
        {u"no end"_s, State::blockComment, u"cccccc"_s, State::blockComment},
        {u"`a ${b}"_s, State::code, u"sssssss"_s, State::templateText},
        {u"x` + 'y'"_s, State::templateText, u"ss   sss"_s, State::code},
        {u"'abc"_s, State::code, u"ssss"_s, State::code},
        {u"\"a\\\"b\" + c"_s, State::code, u"ssssss    "_s, State::code},
        {u"if (a) // if"_s, State::code, u"kk     ccccc"_s, State::code},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const ScriptLineColors colors = javaScriptLineColors(c.line, c.start);
        EXPECT_EQ(letters(colors.colors), c.colors);
        EXPECT_EQ(colors.end, c.end);
    }
}

// Each field writes its script into the request as it is typed and undoes into it; a script
// changed elsewhere is shown; the preferences set the type, wrapping, indentation and colouring;
// Tab moves on instead of inserting.
TEST(ScriptEditor, fieldsEditTheRequestsScriptsByThePreferences)
{
    ScriptsRun run(APIRequest {.testScript = u"old()"_s});
    EXPECT_EQ(run.test()->toPlainText(), u"old()"_s);
    QTest::keyClicks(run.preRequest(), u"pm.environment.set('a', 1);"_s);
    run.test()->moveCursor(QTextCursor::End);
    QTest::keyClicks(run.test(), u" // new"_s);
    EXPECT_EQ(run.model.request().preRequestScript, u"pm.environment.set('a', 1);"_s);
    EXPECT_EQ(run.model.request().testScript, u"old() // new"_s);
    QTest::keyClick(run.test(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(run.model.request().testScript, u"old()"_s);

    APIRequest changed = run.model.request();
    changed.preRequestScript = u"reloaded(true)"_s;
    run.model.setRequest(changed);
    EXPECT_EQ(run.preRequest()->toPlainText(), u"reloaded(true)"_s);

    // Coloured while highlighting is on, plain once it is off.
    const auto formats
        = [&run] { return run.preRequest()->document()->firstBlock().layout()->formats().size(); };
    EXPECT_EVENTUALLY(formats() > 0);
    run.settings.setValue(SettingKeys::syntaxHighlighting, false);
    EXPECT_EQ(formats(), 0);

    run.settings.setValue(SettingKeys::editorFontSize, 16.0);
    run.settings.setValue(SettingKeys::editorWordWrap, true);
    run.settings.setValue(SettingKeys::editorTabSize, 4);
    for (ScriptTextEdit* field : {run.preRequest(), run.test()}) {
        EXPECT_EQ(field->font().pixelSize(), 16);
        EXPECT_EQ(field->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }
    run.test()->moveCursor(QTextCursor::Start);
    QTest::keyClick(run.test(), Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(run.model.request().testScript, u"    old()"_s);
    run.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&run.window));
    run.preRequest()->setFocus();
    QTest::keyClick(run.preRequest(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), run.test());
    QTest::keyClick(run.test(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), run.test());
    EXPECT_EQ(run.model.request().testScript, u"    old()"_s);
}

// Every open tab of the view model keeps its own scripts' documents, so switching back finds
// the text with its undo history.
TEST(ScriptEditor, eachTabKeepsItsScriptsUndoHistory)
{
    ScriptsRun run;
    const QUuid first = QUuid::createUuid(), second = QUuid::createUuid();
    const APIRequest one {.name = u"one"_s};
    const APIRequest two {.name = u"two"_s, .testScript = u"two()"_s};
    run.model.showTab(first);
    run.model.setRequest(one);
    QTest::keyClicks(run.test(), u"one()"_s);
    const APIRequest typed = run.model.request();

    run.model.showTab(second);
    run.model.setRequest(two);
    EXPECT_EQ(run.test()->toPlainText(), u"two()"_s);
    EXPECT_FALSE(run.test()->document()->isUndoAvailable());

    run.model.showTab(first);
    run.model.setRequest(typed);
    EXPECT_EQ(run.test()->toPlainText(), u"one()"_s);
    QTest::keyClick(run.test(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(run.model.request().testScript, u"one()"_s);
    EXPECT_EQ(run.model.request().testScript, run.test()->toPlainText());
    QTest::keyClicks(run.test(), u"again()"_s);

    // Closed while shown, a tab keeps its text in the fields; once another tab is shown its
    // documents go.
    run.scripts->keepTabs({second});
    const QPointer<QTextDocument> closed = run.test()->document();
    EXPECT_EQ(run.test()->toPlainText(), run.model.request().testScript);
    EXPECT_TRUE(closed->isUndoAvailable());
    run.model.showTab(second);
    run.model.setRequest(two);
    EXPECT_EQ(run.test()->toPlainText(), u"two()"_s);
    EXPECT_TRUE(closed.isNull());
}

// The Scripts tab shows a dot while either script holds more than blanks.
TEST(ScriptEditor, scriptsTabIsMarkedWhileTheRequestHasAScript)
{
    const struct {
        QString preRequest;
        QString test;
        bool marked;
    } cases[] {
        {{}, {}, false},
        {u"  \n\t"_s, {}, false},
        {u"setup()"_s, {}, true},
        {{}, u"pm.test('ok', () => {});"_s, true},
    };
    PieceRun run(APIRequest {});
    auto* tabs = run.show(new RequestDetailTabs(run.model, run.settings, &PieceRun::noVariables));
    click(child<QAbstractButton>(tabs, u"scriptsTab"_s));
    EXPECT_EQ(tabs->selectedTab(), RequestDetailTabs::ScriptsTab);
    EXPECT_TRUE(child<QWidget>(tabs, u"testScriptField"_s)->isVisible());
    for (const auto& c : cases) {
        SCOPED_TRACE((c.preRequest + u'|' + c.test).toStdString());
        APIRequest request = run.model.request();
        request.preRequestScript = c.preRequest;
        request.testScript = c.test;
        run.model.setRequest(request);
        EXPECT_EQ(child<QWidget>(tabs, u"scriptsTabMarker"_s)->isVisible(), c.marked);
    }
}

// In the window: a script typed into a stored request is an unsaved change of its tab, and
// saving stores the script with the request.
TEST(ScriptEditor, aTypedScriptIsAnUnsavedChangeUntilSaved)
{
    ShellRun run;
    const APIRequest stored {.name = u"Users"_s, .url = u"http://127.0.0.1:1/users"_s};
    const Collection api {.name = u"API"_s, .requests = {stored}};
    run.state().appendCollection(api);
    run.state().openFromCollection(stored, api.id);
    auto* tabs = run.find<QTabBar>(u"requestTabs"_s);
    const auto unsavedMark = [tabs] {
        return !tabs->tabButton(tabs->currentIndex(), QTabBar::LeftSide)
                    ->findChild<QLabel*>(u"tabUnsavedMark"_s)
                    ->isHidden();
    };
    ASSERT_FALSE(unsavedMark());
    click(run.find<QAbstractButton>(u"scriptsTab"_s));
    auto* test = run.find<ScriptTextEdit>(u"testScriptField"_s);
    ASSERT_TRUE(test && test->isVisible());
    QTest::keyClicks(test, u"pm.test('ok', () => {});"_s);
    EXPECT_EQ(run.state().openRequest()->testScript, u"pm.test('ok', () => {});"_s);
    EXPECT_TRUE(unsavedMark());

    run.action(u"saveToCollectionAction"_s)->trigger();
    EXPECT_EVENTUALLY(!unsavedMark());
    EXPECT_EQ(run.state().collections()[0].requests[0].testScript, u"pm.test('ok', () => {});"_s);
}
