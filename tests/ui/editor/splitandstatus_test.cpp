#include "shellrun.h"
#include "state/requestviewmodel.h"
#include "ui/editor/requestview.h"
#include "ui/editor/resizedivider.h"
#include "windowtesting.h"

#include <QLabel>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

TEST(ResizeDivider, theResponseShareStaysWithinTwoAndEightTenths)
{
    const struct {
        double y;
        double fraction;
    } cases[] {{0, 0.8}, {-50, 0.8}, {100, 0.8}, {500, 0.5}, {700, 0.3}, {1000, 0.2}, {1400, 0.2}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(SplitArea::fractionForDrag(c.y, 1000), c.fraction) << c.y;
}

TEST(ResizeDivider, draggingSharesTheHeightAndTheShareSurvivesTabSwitches)
{
    ShellRun run;
    run.state().openNewRequest();
    auto* split = run.find<SplitArea>(u"editorSplit"_s);
    auto* divider = run.find<ResizeDivider>(u"resizeDivider"_s);
    ASSERT_TRUE(split && divider);
    const auto dragTo = [&](int y) {
        const QPoint start = divider->rect().center();
        QTest::mousePress(divider, Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start.x(), y - divider->y()),
            divider->mapToGlobal(QPointF(start.x(), y - divider->y())), Qt::NoButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(divider, &move);
        QTest::mouseRelease(divider, Qt::LeftButton, {}, start);
    };
    dragTo(0);
    EXPECT_DOUBLE_EQ(split->responseFraction(), 0.8);
    EXPECT_NEAR(split->bottom()->height(), split->height() * 0.8, ResizeDivider::kThickness);
    dragTo(split->height());
    EXPECT_DOUBLE_EQ(split->responseFraction(), 0.2);
    EXPECT_NEAR(split->bottom()->height(), split->height() * 0.2, ResizeDivider::kThickness);

    run.state().openNewRequest();
    EXPECT_DOUBLE_EQ(split->responseFraction(), 0.2);

    // A pane put in later takes the place of the one before.
    auto* pane = new QLabel(u"pane"_s);
    run.find<RequestView>(u"httpScreen"_s)->setResponsePane(pane);
    EXPECT_EQ(split->bottom(), pane);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(run.find<RequestView>(u"httpScreen"_s)->findChild<QWidget*>(u"responsePlaceholder"_s),
        nullptr);
}

TEST(RequestStatusBar, namesWhereTheOpenRequestComesFrom)
{
    ShellRun run;
    AppState& state = run.state();
    auto origin = [&] { return run.find<QLabel>(u"originLabel"_s)->text(); };
    state.openNewRequest();
    EXPECT_EQ(origin(), u"Unsaved"_s);
    const APIRequest stored {.name = u"Stored"_s};
    state.appendCollection(Collection {.name = u"Billing"_s, .requests = {stored}});
    state.openFromCollection(stored, state.collections().first().id);
    EXPECT_EQ(origin(), u"Billing"_s);
    state.renameCollection(state.collections().first().id, u"Invoices"_s);
    EXPECT_EQ(origin(), u"Invoices"_s);
    state.openFromHistory(APIRequest {.name = u"Old"_s});
    EXPECT_EQ(origin(), u"From History (unsaved)"_s);
    EXPECT_FALSE(run.find<QLabel>(u"responseSummary"_s)->isVisible());
}

TEST(RequestStatusBar, aLongBodyIsSearchedForPlaceholdersAgainOnceItChanges)
{
    ShellRun run;
    AppState& state = run.state();
    state.openNewRequest();
    auto* undefined = run.find<QLabel>(u"undefinedVariables"_s);
    const QString filler(1 << 17, u'a');
    const auto setBody = [&](const QString& body) {
        APIRequest request = *state.openRequest();
        request.bodyType = RequestBodyType::raw;
        request.body = body;
        state.setOpenRequest(request);
    };
    // The same long text again, and then one that differs only in its last characters.
    for (const QString& body : {filler, filler, QString(filler + u"{{later}}"_s), filler}) {
        setBody(body);
        const bool named = body.contains(u"{{"_s);
        EXPECT_EQ(undefined->isVisibleTo(&run.window()), named);
        if (named) {
            EXPECT_EQ(undefined->text(), u"1 undefined variable, sent as typed: {{later}}"_s);
        }
    }
}
