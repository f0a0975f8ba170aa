#include "editorpieces.h"
#include "interchange/codegenerator.h"
#include "ui/editor/codegeneratorview.h"
#include "ui/editor/syntaxhighlight.h"
#include "ui/editor/urlbar.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QToolButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// One letter per character: k pink, s green, c grey, u cyan, . none.
QString colorCodes(const QString& line, const QString& language)
{
    QString codes;
    for (const std::optional<SystemColor>& color : syntaxColors(line, language)) {
        if (!color)
            codes += u'.';
        else if (*color == SystemColor::pink)
            codes += u'k';
        else if (*color == SystemColor::green)
            codes += u's';
        else if (*color == SystemColor::grey)
            codes += u'c';
        else if (*color == SystemColor::cyan)
            codes += u'u';
        else
            codes += u'?';
    }
    return codes;
}

} // namespace

TEST(SyntaxHighlight, laterColouringsWinOverEarlierOnes)
{
    const struct {
        QString language;
        QString line;
        QString codes;
    } cases[] {
        // No word boundaries: "end" colours the tail of "append".
        {u"Ruby"_s, u"append"_s, u"...kkk"_s},
        // A keyword inside quotes ends up green.
        {u"Swift"_s, u"x = \"as!\""_s, u"....sssss"_s},
        {u"Swift"_s, u"let a"_s, u"kkk.."_s},
        // The URL is cyan; its "//" runs grey to the end, over the closing quote.
        {u"cURL"_s, u"\"http://a.b/c\" x"_s, u"suuuuuuuuuuuuccc"_s},
        // Languages are matched by their exact label.
        {u"swift"_s, u"let a"_s, u"....."_s},
        {u"PHP"_s, u"echo 'a' # b"_s, u"kkkk.sss.ccc"_s},
        {u"Go"_s, u"func main"_s, u"kkkk.kkkk"_s},
        {u"k6"_s, u"export default function"_s, u"kkkkkk.kkkkkkk.kkkkkkkk"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.language + u": "_s + c.line).toStdString());
        EXPECT_EQ(colorCodes(c.line, c.language), c.codes);
    }
}

TEST(CodeGeneratorView, followsTheRequestAndTheChosenLanguage)
{
    PieceRun run(APIRequest {.url = u"https://api.example.test/a"_s});
    auto* view = run.show(new CodeGeneratorView(run.model));
    auto* code = child<QPlainTextEdit>(view, u"codeArea"_s);
    EXPECT_EQ(code->toPlainText(), CodeGenerator::generateCurl(run.model.request()));
    // 12 pixels, as the response body is.
    EXPECT_EQ(code->font().pixelSize(), 12);

    click(child<QToolButton>(view, u"languagePython"_s));
    EXPECT_EQ(view->selectedLanguage(), 3);
    APIRequest changed = run.model.request();
    changed.method = HTTPMethod::patch;
    run.model.setRequest(changed);
    EXPECT_EVENTUALLY_EQ(code->toPlainText(), CodeGenerator::generatePython(changed));
    EXPECT_TRUE(code->toPlainText().contains(u"requests.patch("_s));

    QApplication::clipboard()->setText(u"old"_s);
    click(child<QAbstractButton>(view, u"copyCodeButton"_s));
    EXPECT_EQ(QApplication::clipboard()->text(), CodeGenerator::generatePython(changed));

    click(child<QToolButton>(view, u"languagek6"_s));
    EXPECT_EQ(code->toPlainText(), CodeGenerator::generateK6(changed));
    EXPECT_TRUE(code->toPlainText().contains(u"http.request(\"PATCH\""_s));
}

TEST(CodeGeneratorView, aBurstOfTypingRegeneratesTheSnippetOnceItPauses)
{
    PieceRun run(APIRequest {.url = u"https://api.example.test/"_s});
    auto* box = new QWidget;
    auto* bar = new UrlBar(run.model, &PieceRun::noVariables);
    auto* view = new CodeGeneratorView(run.model);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(bar);
    layout->addWidget(view);
    run.show(box);
    auto* code = child<QPlainTextEdit>(view, u"codeArea"_s);
    QSignalSpy shown(view, &CodeGeneratorView::codeShown);

    QTest::keyClicks(bar->urlField(), u"items"_s);
    EXPECT_EQ(shown.count(), 0);
    EXPECT_EVENTUALLY_EQ(shown.count(), 1);
    EXPECT_EQ(code->toPlainText(), CodeGenerator::generateCurl(run.model.request()));
    EXPECT_TRUE(code->toPlainText().contains(u"/items"_s));

    // Out of view nothing is generated; back in view the snippet is current at once.
    view->hide();
    QTest::keyClicks(bar->urlField(), u"/1"_s);
    view->show();
    EXPECT_EQ(shown.count(), 2);
    EXPECT_EQ(code->toPlainText(), CodeGenerator::generateCurl(run.model.request()));
}
