#include "ui/common/colors.h"
#include "ui/response/bodydocument.h"
#include "ui/response/bodyhighlighter.h"
#include "ui/response/bodypane.h"
#include "ui/response/bodyview.h"
#include "windowtesting.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QThreadPool>
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

    QLineEdit* openFind(const QString& query) const
    {
        pane->view()->setFocus();
        QTest::keyClick(pane->view(), Qt::Key_F, Qt::ControlModifier);
        auto* field = child<QLineEdit>(pane, u"responseFindField"_s);
        field->clear();
        QTest::keyClicks(field, query);
        return field;
    }
    QString status() const { return child<QLabel>(pane, u"responseFindStatus"_s)->text(); }
    QImage rowPixels(qint64 row) const
    {
        const int top = int(row - pane->view()->firstVisibleRow()) * BodyView::kRowHeight;
        return pane->view()->viewport()->grab().toImage().copy(
            0, top, pane->view()->viewport()->width(), BodyView::kRowHeight);
    }

    TestWindow window;
    BodyPane* pane = new BodyPane;
    APIResponse response {.headers = {{u"Content-Type"_s, u"text/plain"_s}}};
};

// The first and last pixel column in which two pictures of a row differ; {-1, -1} when none.
std::pair<int, int> changedColumns(const QImage& a, const QImage& b)
{
    std::pair<int, int> span {-1, -1};
    for (int x = 0; x < a.width(); ++x) {
        for (int y = 0; y < a.height(); ++y) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                span = {span.first < 0 ? x : span.first, x};
                break;
            }
        }
    }
    return span;
}

} // namespace

TEST(BodyFind, highlightSitsOnTheMatchAfterEscapesTabsAndWideCharacters)
{
    // Each body's last "name" is the one looked at: found by pressing Return `presses` times.
    const struct {
        QByteArray body;
        QString type;
        int presses;
    } cases[] = {
        {R"({"note":"a\nb\"c\nd\"e","name":1,"k":"\"\"\n\n","nick":"age","x":"name"})",
            u"text/plain"_s, 2},
        {"\tkey\t\tname\tvalue\t\tname", u"text/plain"_s, 2},
        {"\u540d\u524d \uff4e\uff41 \u5168\u89d2\u6587\u5b57 caf\u00e9 name", u"text/plain"_s, 1},
        {R"({"a":"x\ty\n\"z\"\u00e9\u540d name"})", u"application/json"_s, 1},
    };
    for (const auto& c : cases) {
        FindRun run;
        run.pane->setHighlighting(true);
        run.response.headers = {{u"Content-Type"_s, c.type}};
        run.show(c.body);
        run.openFind(u"name"_s);
        BodyPosition end;
        for (int i = 0; i < c.presses; ++i)
            end = run.next();
        const QImage selected = run.rowPixels(end.row);
        // A click leaves nothing selected.
        QTest::mouseClick(run.pane->view()->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        const QImage plain = run.rowPixels(end.row);
        QByteArray blanked = c.body;
        blanked.replace(blanked.lastIndexOf("name"), 4, "    ");
        run.response.id = QUuid::createUuid();
        run.show(blanked);
        const QImage without = run.rowPixels(end.row);

        const auto [highlightLeft, highlightRight] = changedColumns(selected, plain);
        const auto [inkLeft, inkRight] = changedColumns(plain, without);
        ASSERT_GE(inkLeft, 0) << c.body.toStdString();
        // The letters' ink lies inside the highlight, which starts and ends within a
        // character's width of it.
        const int width = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::FixedFont))
                              .horizontalAdvance(u'M');
        EXPECT_LE(highlightLeft, inkLeft) << c.body.toStdString();
        EXPECT_GE(highlightRight, inkRight) << c.body.toStdString();
        EXPECT_LT(inkLeft - highlightLeft, width) << c.body.toStdString();
        EXPECT_LT(highlightRight - inkRight, width) << c.body.toStdString();
    }
}

TEST(BodyFind, findAlwaysAnswersAndStaysInTheFormItStartedIn)
{
    FindRun run;
    run.show({});
    run.openFind(u"x"_s);
    QTest::keyClick(child<QLineEdit>(run.pane, u"responseFindField"_s), Qt::Key_Return);
    EXPECT_EVENTUALLY_EQ(run.status(), u"No matches"_s);
    QTest::keyClick(run.openFind({}), Qt::Key_Return);
    EXPECT_EQ(run.status(), QString());

    // A search started in Pretty is dropped when Raw is switched on before it answers.
    run.response.headers = {{u"Content-Type"_s, u"application/json"_s}};
    run.response.id = QUuid::createUuid();
    run.show(R"({"b":"needle","a":1})");
    run.pane->setRaw(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !run.pane->document()->isBusy(); }, 20000));
    run.pane->setRaw(false);
    QTest::keyClick(run.openFind(u"needle"_s), Qt::Key_Return);
    run.pane->setRaw(true);
    EXPECT_NE(run.status(), u"Finding..."_s);
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_FALSE(run.pane->view()->hasSelection());
}

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
