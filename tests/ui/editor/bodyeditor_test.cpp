#include "editorpieces.h"
#include "model/prettyjson.h"
#include "ui/editor/bodyeditor.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThreadPool>
#include <QToolButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct BodyRun : PieceRun {
    explicit BodyRun(const APIRequest& request = {.bodyType = RequestBodyType::json})
        : PieceRun(request)
        , body(show(new BodyEditor(model, settings, &noVariables)))
    { }
    QPlainTextEdit* text() const { return child<QPlainTextEdit>(body, u"bodyText"_s); }
    QLabel* error() const { return child<QLabel>(body, u"bodyError"_s); }
    /// The message shown under the text, empty for none.
    QString shownError() const { return error()->isVisible() ? error()->text() : QString(); }
    void type(const QString& typed) const
    {
        text()->clear();
        QTest::keyClicks(text(), typed);
    }

    BodyEditor* body;
};

} // namespace

TEST(BodyEditor, checksTheJSONAtEveryChange)
{
    const struct {
        QString text;
        QString error;
    } cases[] {
        {u"[1, 2]"_s, {}},
        {u"{\"a\": {}}"_s, {}},
        {u"\"just a string\""_s, BodyEditor::kInvalidJSON},
        {u"42"_s, BodyEditor::kInvalidJSON},
        {u"{\"a\": "_s, BodyEditor::kInvalidJSON},
        {u""_s, {}},
    };
    BodyRun run;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        run.type(c.text);
        EXPECT_EQ(run.model.request().body, c.text);
        EXPECT_EQ(run.shownError(), c.error);
    }
    // Another kind of body is not JSON: the message goes with the next edit at the latest.
    run.type(u"\"quoted\""_s);
    click(child<QToolButton>(run.body, u"bodyTypeRaw"_s));
    QTest::keyClicks(run.text(), u"!"_s);
    EXPECT_EQ(run.shownError(), QString());
    EXPECT_EQ(run.model.request().bodyType, RequestBodyType::raw);
    EXPECT_FALSE(child<QWidget>(run.body, u"formatButton"_s)->isVisible());
    click(child<QToolButton>(run.body, u"bodyTypeNone"_s));
    EXPECT_FALSE(run.text()->isVisible());
    EXPECT_TRUE(child<QWidget>(run.body, u"noBodyPage"_s)->isVisible());
}

TEST(BodyEditor, formatSortsTheKeysOrSaysWhyItCannot)
{
    BodyRun run;
    auto* format = child<QPushButton>(run.body, u"formatButton"_s);
    run.type(u"{\"b\":\"http://host/x\",\"a\":{\"c\":2}}"_s);
    click(format);
    const QString pretty = u"{\n  \"a\" : {\n    \"c\" : 2\n  },\n  \"b\" : \"http://host/x\"\n}"_s;
    EXPECT_EVENTUALLY_EQ(run.text()->toPlainText(), pretty);
    EXPECT_EQ(run.model.request().body, pretty);
    EXPECT_EQ(run.shownError(), QString());

    run.type(u"{\"b\":"_s);
    click(format);
    EXPECT_EVENTUALLY_EQ(run.shownError(), BodyEditor::kCannotFormat);
    EXPECT_EQ(run.text()->toPlainText(), u"{\"b\":"_s);
}

namespace {

// A short body is put in place through the field's cursor, a long one as a document of its own.
struct FormatCase {
    const char* what;
    QString body;
};

QList<FormatCase> formatCases()
{
    const QString item = u"{\"b\":\"%1\",\"a\":[1,2]},"_s.arg(QString(40, u'x'));
    return {{"short", u"{\"b\":1,\"a\":[true]}"_s},
        {"long", u"["_s + item.repeated(BodyEditor::kLiveLimit / item.size() + 1) + u"0]"_s}};
}

QPushButton* formatButton(const BodyRun& run)
{
    return child<QPushButton>(run.body, u"formatButton"_s);
}

} // namespace

TEST(BodyEditor, formatRunsBesideTheFieldAndAnEditMadeMeanwhileWins)
{
    for (const FormatCase& c : formatCases()) {
        SCOPED_TRACE(c.what);
        BodyRun run(APIRequest {.bodyType = RequestBodyType::json, .body = c.body});
        QTextDocument* document = run.text()->document();
        click(formatButton(run));
        EXPECT_TRUE(run.body->isFormatting());
        EXPECT_EQ(run.model.request().body, c.body);
        run.text()->moveCursor(QTextCursor::End);
        QTest::keyClicks(run.text(), u" "_s);
        EXPECT_FALSE(run.body->isFormatting());
        // The formatted text would arrive now: it must not.
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        EXPECT_EQ(run.text()->document(), document);
        EXPECT_EQ(run.text()->toPlainText(), c.body + u" "_s);
        // A long text reaches the request when typing pauses.
        EXPECT_EVENTUALLY_EQ(run.model.request().body, c.body + u" "_s);
    }
}

TEST(BodyEditor, oneUndoTakesAFormatBack)
{
    for (const FormatCase& c : formatCases()) {
        SCOPED_TRACE(c.what);
        BodyRun run(APIRequest {.bodyType = RequestBodyType::json, .body = c.body});
        const QString pretty = QString::fromUtf8(
            prettyPrintJson(c.body.toUtf8(), {}, JsonSlash::plain).value_or(QByteArray()));
        click(formatButton(run));
        EXPECT_EVENTUALLY(!run.body->isFormatting());
        EXPECT_EQ(run.text()->toPlainText(), pretty);
        EXPECT_EQ(run.model.request().body, pretty);

        QTest::keyClick(run.text(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(run.text()->toPlainText(), c.body);
        EXPECT_EQ(run.model.request().body, c.body);
        // The field goes on as before: what is typed is formatted with the rest.
        QTest::keyClicks(run.text(), u" "_s);
        click(formatButton(run));
        EXPECT_EVENTUALLY_EQ(run.model.request().body, pretty);
    }
}

TEST(BodyEditor, theStoredFontSizeIsClampedAndTheOtherPreferencesApply)
{
    // In pixels, as the response body beside it is.
    const struct {
        QVariant stored;
        int pixels;
    } cases[] {{30, 20}, {0, 12}, {5, 9}, {-3, 12}, {14.4, 14}, {QVariant(), 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toString().toStdString());
        BodyRun run;
        if (c.stored.isValid())
            run.settings.setValue(SettingKeys::editorFontSize, c.stored.toDouble());
        EXPECT_EQ(run.text()->font().pixelSize(), c.pixels);
    }
    BodyRun run;
    run.settings.setValue(SettingKeys::editorWordWrap, true);
    run.settings.setValue(SettingKeys::editorTabSize, 4);
    EXPECT_EQ(run.text()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    run.type(u"["_s);
    // The tab size is what Ctrl+] indents by; Tab itself moves on to the next control.
    QTest::keyClick(run.text(), Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(run.model.request().body, u"    ["_s);
    QTest::keyClick(run.text(), Qt::Key_End);
    QTest::keyClick(run.text(), Qt::Key_Return);
    EXPECT_EQ(run.model.request().body, u"    [\n    "_s);
    run.text()->setFocus();
    QTest::keyClick(run.text(), Qt::Key_Tab);
    EXPECT_EQ(run.model.request().body, u"    [\n    "_s);
    EXPECT_NE(QApplication::focusWidget(), run.text());
}

TEST(BodyEditor, pastedJSONIsFormattedOnceWhenAskedTo)
{
    BodyRun run;
    const auto paste = [&run](const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(run.text(), Qt::Key_V, Qt::ControlModifier);
    };
    paste(u"{\"z\":1,\"y\":2}"_s);
    EXPECT_EQ(run.model.request().body, u"{\"z\":1,\"y\":2}"_s);

    run.settings.setValue(SettingKeys::autoFormatJSON, true);
    run.type(QString());
    paste(u"{\"z\":1,\"y\":2}"_s);
    EXPECT_EVENTUALLY_EQ(run.model.request().body, u"{\n  \"y\" : 2,\n  \"z\" : 1\n}"_s);
    // Typing never reformats, nor does pasting what is not a whole document.
    QTest::keyClicks(run.text(), u" "_s);
    paste(u"[3,1"_s);
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(run.model.request().body.endsWith(u"} [3,1"_s));
}

TEST(BodyEditor, aLargeBodyReachesTheRequestBeforeAnythingCanReadIt)
{
    // Over the limit, in lines as a JSON body usually comes.
    const QString line = u"\"%1\",\n"_s.arg(QString(60, u'a'));
    const QString large = u"["_s + line.repeated(BodyEditor::kLiveLimit / line.size()) + u"0]"_s;
    BodyRun run(APIRequest {.bodyType = RequestBodyType::json, .body = large});
    EXPECT_EQ(run.shownError(), QString());
    run.text()->moveCursor(QTextCursor::End);
    QTest::keyClicks(run.text(), u"x"_s);
    // Any click elsewhere (a send button, a tab) first hands the text over.
    QTest::mousePress(child<QToolButton>(run.body, u"bodyTypeJSON"_s), Qt::LeftButton);
    EXPECT_EQ(run.model.request().body, large + u"x"_s);
    // Checked off the UI thread, when a core is free; the verdict arrives.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return run.shownError() == BodyEditor::kInvalidJSON; }, 60000));
}

TEST(BodyEditor, everyKindOfEditReachesTheRequestAsTheFieldShowsIt)
{
    BodyRun run(APIRequest {.bodyType = RequestBodyType::raw, .body = u"ab\ncd"_s});
    QPlainTextEdit* text = run.text();
    const auto moveTo = [text](QTextCursor::MoveOperation where) { text->moveCursor(where); };
    const struct {
        const char* what;
        std::function<void()> edit;
    } edits[] {
        {"type at the end",
            [&] {
                moveTo(QTextCursor::End);
                QTest::keyClicks(text, u"ef"_s);
            }},
        {"new line", [&] { QTest::keyClick(text, Qt::Key_Return); }},
        {"correct a typo",
            [&] {
                QTest::keyClicks(text, u"tpy"_s);
                QTest::keyClick(text, Qt::Key_Backspace);
                QTest::keyClick(text, Qt::Key_Backspace);
                QTest::keyClicks(text, u"yp"_s);
            }},
        {"backspace at the start",
            [&] {
                moveTo(QTextCursor::Start);
                QTest::keyClick(text, Qt::Key_Backspace);
            }},
        {"delete a line break",
            [&] {
                moveTo(QTextCursor::EndOfLine);
                QTest::keyClick(text, Qt::Key_Delete);
            }},
        {"replace a selection",
            [&] {
                text->selectAll();
                QTest::keyClicks(text, u"x"_s);
            }},
        {"paste lines", [&] { text->insertPlainText(u"1\n2\r\n3\n"_s); }},
        {"no-break space", [&] { text->insertPlainText(QString(QChar::Nbsp)); }},
        {"undo", [&] { text->undo(); }},
        {"undo again", [&] { text->undo(); }},
        {"redo", [&] { text->redo(); }},
        {"delete at the end",
            [&] {
                moveTo(QTextCursor::End);
                QTest::keyClick(text, Qt::Key_Backspace);
            }},
        {"clear", [&] { text->clear(); }},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.what);
        e.edit();
        EXPECT_EQ(run.model.request().body, text->toPlainText());
    }
}
