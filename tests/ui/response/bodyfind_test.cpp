#include "ui/common/colors.h"
#include "ui/response/bodydocument.h"
#include "ui/response/bodyhighlighter.h"
#include "ui/response/bodypane.h"
#include "ui/response/bodyview.h"
#include "windowtesting.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct FindRun {
    FindRun()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(pane);
        window.showNow();
    }
    void show(const QByteArray& body, const QString& filter = {})
    {
        response.body = body;
        response.size = body.size();
        pane->showResponse(&response);
        pane->setQuery(filter);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !pane->document()->isBusy(); }, 20000));
    }
    // Presses Return in the find field and waits for the view to select the match.
    BodyPosition next() const
    {
        auto* field = child<QLineEdit>(pane, u"responseFindField"_s);
        const BodyPosition before = pane->view()->selectionEnd();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pane->view()->selectionEnd() != before; }, 20000));
        return pane->view()->selectionEnd();
    }

    TestWindow window;
    BodyPane* pane = new BodyPane;
    APIResponse response {.headers = {{u"Content-Type"_s, u"text/plain"_s}}};
};

} // namespace

TEST(BodyFind, ctrlFFindsMatchesInTurnAndGoesRoundWithoutFiltering)
{
    FindRun run;
    run.show("a\nneedle one\nb\nthe NEEDLE two");
    BodyView* view = run.pane->view();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
    auto* field = child<QLineEdit>(run.pane, u"responseFindField"_s);
    ASSERT_TRUE(field->isVisible());
    QTest::keyClicks(field, u"needle"_s);
    EXPECT_EQ(run.next(), (BodyPosition {1, 6}));
    EXPECT_EQ(run.next(), (BodyPosition {3, 10}));
    EXPECT_EQ(run.next(), (BodyPosition {1, 6}));
    EXPECT_EQ(view->document()->rowCount(), 4);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EVENTUALLY_EQ(QGuiApplication::clipboard()->text(), u"needle"_s);
}

TEST(BodyFind, findsWithinTheFilteredRowsAndNumbersThemAsShown)
{
    FindRun run;
    run.show("x\nkey 1\ny\nkey zwei\nkey drei", u"key"_s);
    run.pane->view()->setFocus();
    QTest::keyClick(run.pane->view(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(child<QLineEdit>(run.pane, u"responseFindField"_s), u"DREI"_s);
    EXPECT_EQ(run.next(), (BodyPosition {2, 8}));
}

TEST(BodyHighlighter, coloursKeysStringsNumbersLiteralsAndTags)
{
    const QPalette palette;
    struct Case {
        QString row;
        QList<std::pair<QString, SystemColor>> runs;
        bool markup;
    };
    const Case cases[] = {
        {u"  \"id\" : -12.5e3,"_s,
            {{u"\"id\""_s, SystemColor::blue}, {u"-12.5e3"_s, SystemColor::orange}}, false},
        {u"  \"s\" : \"a:\\\"b\","_s,
            {{u"\"s\""_s, SystemColor::blue}, {u"\"a:\\\"b\""_s, SystemColor::green}}, false},
        {u"  true, null, false"_s,
            {{u"true"_s, SystemColor::purple}, {u"null"_s, SystemColor::purple},
                {u"false"_s, SystemColor::purple}},
            false},
        {u"<a href=\"x\">t</a>"_s,
            {{u"<a"_s, SystemColor::pink}, {u"href"_s, SystemColor::teal},
                {u"\"x\""_s, SystemColor::green}, {u"</a"_s, SystemColor::pink}},
            true},
        {u"<!-- note -->"_s, {{u"<!-- note -->"_s, SystemColor::grey}}, true},
    };
    for (const Case& c : cases) {
        const QList<BodyView::Run> runs
            = c.markup ? highlightMarkupRow(c.row, palette) : highlightJsonRow(c.row, palette);
        QList<std::pair<QString, SystemColor>> seen;
        for (const BodyView::Run& run : runs) {
            for (SystemColor color :
                {SystemColor::blue, SystemColor::orange, SystemColor::green, SystemColor::purple,
                    SystemColor::pink, SystemColor::teal, SystemColor::grey}) {
                if (systemColor(color, palette) == run.color)
                    seen.append({c.row.mid(run.start, run.length), color});
            }
        }
        EXPECT_EQ(seen, c.runs) << c.row.toStdString();
    }
}
