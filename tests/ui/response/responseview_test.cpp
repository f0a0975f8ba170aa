#include "shellrun.h"
#include "ui/common/metricpill.h"
#include "ui/response/bodydocument.h"
#include "ui/response/bodypane.h"
#include "ui/response/bodyview.h"
#include "ui/response/responseview.h"
#include "ui/response/timingchart.h"
#include "windowtesting.h"

#include <QAccessible>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

APIResponse reply(
    int code, const QByteArray& body, QMap<QString, QString> headers = {}, double duration = 0.2349)
{
    return {.statusCode = code,
        .headers = std::move(headers),
        .body = body,
        .duration = duration,
        .size = body.size()};
}

const QMap<QString, QString> kPlain {{u"Content-Type"_s, u"text/plain"_s}};

struct ResponseRun : StateRun {
    ResponseRun()
        : view(new ResponseView(state, &settings, &dialogs))
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(view);
        window.showNow();
        state.openNewRequest();
    }

    void receive(const APIResponse& response)
    {
        state.updateActiveTabResponse(response, std::nullopt, false);
    }
    template <typename T = QWidget> T* find(const QString& name) const
    {
        return child<T>(view, name);
    }
    QWidget* statePage() const
    {
        return find<QStackedWidget>(u"responseStates"_s)->currentWidget();
    }
    BodyView* body() const { return view->bodyPane()->view(); }
    /// What the body shows once the work on it has ended: number, text and background.
    QList<BodyView::RowLook> rows() const
    {
        BodyDocument* document = body()->document();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !document->isBusy(); }, 20000));
        QList<BodyView::RowLook> looks;
        for (qint64 row = 0; row < document->rowCount(); ++row)
            looks.append(body()->rowLook(row));
        return looks;
    }
    void search(const QString& text) const
    {
        find<QLineEdit>(u"responseSearchField"_s)->setText(text);
    }

    ScriptedFileDialogs dialogs;
    TestWindow window;
    ResponseView* view;
};

QStringList texts(const QList<BodyView::RowLook>& rows)
{
    QStringList shown;
    for (const auto& row : rows)
        shown.append(row.number + u' ' + row.text);
    return shown;
}

QList<BodyView::Background> backgrounds(const QList<BodyView::RowLook>& rows)
{
    QList<BodyView::Background> shown;
    for (const auto& row : rows)
        shown.append(row.background);
    return shown;
}

} // namespace

TEST(ResponseView, showsSendingThenErrorThenResponseThenTheHint)
{
    ResponseRun run;
    EXPECT_EQ(run.statePage()->objectName(), u"responseEmpty"_s);
    EXPECT_EQ(run.find<QLabel>(u"responseEmptyText"_s)->text(), u"Response"_s);
    run.state.updateActiveTabResponse(std::nullopt, std::nullopt, true);
    EXPECT_EQ(run.statePage()->objectName(), u"responseSending"_s);
    EXPECT_EQ(run.find<QLabel>(u"responseSendingText"_s)->text(), u"Sending..."_s);
    run.state.updateActiveTabResponse(std::nullopt, u"Could not connect to the server."_s, false);
    EXPECT_EQ(run.statePage()->objectName(), u"responseError"_s);
    EXPECT_EQ(
        run.find<QLabel>(u"responseErrorText"_s)->text(), u"Could not connect to the server."_s);
    run.receive(reply(404, "gone", kPlain));
    EXPECT_EQ(run.statePage()->objectName(), u"responseContent"_s);
    EXPECT_EQ(run.find<QLabel>(u"responseStatusCode"_s)->text(), u"404"_s);
    EXPECT_EQ(run.find<QLabel>(u"responseReason"_s)->text(), u"Not Found"_s);
    EXPECT_EQ(run.find<MetricPill>(u"responseDuration"_s)->value(), u"234ms"_s);
    EXPECT_EQ(run.find<MetricPill>(u"responseSize"_s)->value(), byteCountText(4));
    run.state.openNewRequest();
    EXPECT_EQ(run.statePage()->objectName(), u"responseEmpty"_s);
}

TEST(ResponseView, filterKeepsMatchingLinesNumberedFromOneOrShowsAllWhenNothingMatches)
{
    ResponseRun run;
    run.receive(reply(200, "alpha\n\"ID\": 1\nbeta\ngamma\nuser ID 2\nomega", kPlain));
    run.search(u"id"_s);
    EXPECT_EQ(texts(run.rows()), QStringList({u"1 \"ID\": 1"_s, u"2 user ID 2"_s}));
    using B = BodyView::Background;
    EXPECT_EQ(backgrounds(run.rows()), QList<B>({B::match, B::match}));

    run.search(u"nothing like it"_s);
    EXPECT_EQ(run.rows().size(), 6);
    EXPECT_EQ(backgrounds(run.rows()),
        QList<B>({B::none, B::stripe, B::none, B::stripe, B::none, B::stripe}));
    EXPECT_EQ(run.rows().last().number, u"6"_s);

    // The editor's line-number preference takes the gutter away, and brings it back.
    EXPECT_GT(run.body()->gutterWidth(), 0);
    run.settings.setValue(SettingKeys::editorShowLineNumbers, false);
    EXPECT_EQ(run.body()->gutterWidth(), 0);
    run.settings.setValue(SettingKeys::editorShowLineNumbers, true);
    EXPECT_GT(run.body()->gutterWidth(), 0);
}

TEST(ResponseView, searchAndRawSwitchSurviveTabChangesAndShowOnlyOnTheBodyTab)
{
    ResponseRun run;
    run.receive(reply(200, "{\"b\":1,\"a\":[1,2]}", {{u"Content-Type"_s, u"application/json"_s}}));
    EXPECT_EQ(texts(run.rows()).first(2), QStringList({u"1 {"_s, u"2   \"a\" : ["_s}));
    run.search(u"a"_s);
    auto* raw = run.find<QCheckBox>(u"responseRawSwitch"_s);
    click(raw);
    EXPECT_EQ(texts(run.rows()), QStringList({u"1 {\"b\":1,\"a\":[1,2]}"_s}));
    click(run.find<QToolButton>(u"responseTabHeaders"_s));
    EXPECT_FALSE(run.find<QLineEdit>(u"responseSearchField"_s)->isVisible());
    EXPECT_EQ(
        run.find<QStackedWidget>(u"responseTabs"_s)->currentIndex(), ResponseView::headersTab);
    click(run.find<QToolButton>(u"responseTabBody"_s));
    EXPECT_TRUE(run.find<QLineEdit>(u"responseSearchField"_s)->isVisible());
    EXPECT_EQ(run.find<QLineEdit>(u"responseSearchField"_s)->text(), u"a"_s);
    EXPECT_TRUE(raw->isChecked());
}

TEST(ResponseView, copyButtonTakesTheRawBodyWhateverIsShown)
{
    const std::pair<QByteArray, QString> cases[] = {{"{\"b\":1,\"a\":2}", u"{\"b\":1,\"a\":2}"_s},
        {"caf\xc3\xa9 \xff\xfe", u"Unable to decode response"_s}};
    for (const auto& [body, copied] : cases) {
        ResponseRun run;
        run.receive(reply(200, body, {{u"Content-Type"_s, u"application/json"_s}}));
        run.search(u"a"_s);
        run.rows();
        QGuiApplication::clipboard()->setText(u"before"_s);
        click(run.find<QToolButton>(u"responseCopyButton"_s));
        EXPECT_EVENTUALLY_EQ(QGuiApplication::clipboard()->text(), copied);
    }
}

TEST(ResponseView, bodyThatIsNotUtf8ShowsTheNoticeInRawMode)
{
    ResponseRun run;
    run.receive(reply(200, "ok\n\xc3\x28\n", kPlain));
    click(run.find<QCheckBox>(u"responseRawSwitch"_s));
    EXPECT_EQ(texts(run.rows()), QStringList({u"1 Unable to decode response"_s}));
}

TEST(ResponseView, selectAllAndCopyTakeTheRowsShown)
{
    ResponseRun run;
    run.receive(reply(200, "x1\nid a\nx2\nID b\nx3", kPlain));
    run.search(u"id"_s);
    run.rows();
    // Screen readers see the rows the view paints.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(run.body());
    ASSERT_TRUE(accessible);
    EXPECT_EQ(accessible->text(QAccessible::Value), u"id a\nID b"_s);
    run.body()->setFocus();
    QTest::keyClick(run.body(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(run.body(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EVENTUALLY_EQ(QGuiApplication::clipboard()->text(), u"id a\nID b"_s);
    run.search({});
    run.rows();
    QTest::keyClick(run.body(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(run.body(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EVENTUALLY_EQ(QGuiApplication::clipboard()->text(), u"x1\nid a\nx2\nID b\nx3"_s);
}

TEST(ResponseView, headersSortCaseSensitivelyAndCookiesComeFromTheRequestUrl)
{
    const std::pair<QStringList, QStringList> orders[]
        = {{{u"b"_s, u"A"_s}, {u"A"_s, u"b"_s}}, {{u"a"_s, u"B"_s}, {u"B"_s, u"a"_s}}};
    for (const auto& [names, listed] : orders) {
        ResponseRun run;
        QMap<QString, QString> headers;
        for (const QString& name : names)
            headers.insert(name, u"v"_s);
        run.receive(reply(200, {}, headers));
        auto* list = run.find<QTreeWidget>(u"responseHeaders"_s);
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(
            QStringList({list->topLevelItem(0)->text(0), list->topLevelItem(1)->text(0)}), listed);
        auto* cookies = run.find<QStackedWidget>(u"responseCookies"_s);
        EXPECT_EQ(cookies->currentWidget()->objectName(), u"responseNoCookies"_s);
    }
    ResponseRun run;
    APIRequest request = *run.state.openRequest();
    request.url = u"127.0.0.1:8080/login"_s;
    run.state.setOpenRequest(request);
    run.state.saveCurrentTabState();
    run.receive(reply(200, {}, {{u"Set-Cookie"_s, u"session=abc; Path=/"_s}}));
    auto* list = run.find<QTreeWidget>(u"responseCookieList"_s);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), u"session"_s);
    EXPECT_EQ(list->topLevelItem(0)->text(1), u"abc"_s);
}

TEST(ResponseView, timingChartsTheLastThirtyAndListsAllNewestFirst)
{
    ResponseRun run;
    EXPECT_EQ(run.find<QLabel>(u"responseTimingEmptyText"_s)->text(),
        u"Send requests to see timing data"_s);
    run.receive(reply(200, {}, {}, 0));
    auto* chart = run.find<TimingChart>(u"responseTimingChart"_s);
    ASSERT_EQ(chart->bars().size(), 1);
    EXPECT_EQ(chart->bars().first().height, 4);
    EXPECT_EQ(chart->bars().first().label, u"0"_s);
    for (int i = 2; i <= 35; ++i)
        run.receive(reply(i == 20 ? 500 : 200, {}, {}, i / 100.0));
    ASSERT_EQ(chart->bars().size(), 30);
    EXPECT_EQ(chart->bars().first().label, u"60"_s);
    EXPECT_EQ(chart->bars().last().height, 80);
    EXPECT_DOUBLE_EQ(chart->bars().first().height, 6.0 / 35 * 80);
    EXPECT_EQ(chart->bars()[14].statusCode, 500);
    auto* list = run.find<QTreeView>(u"responseTimingList"_s);
    ASSERT_EQ(list->model()->rowCount(), 35);
    EXPECT_EQ(list->model()->index(0, 1).data().toString(), u"350ms"_s);
    EXPECT_EQ(list->model()->index(34, 1).data().toString(), u"0ms"_s);
}

TEST(ResponseView, largeBodyIsPreparedAwayFromTheWindowAndSaysItIsWorking)
{
    ResponseRun run;
    QByteArray body;
    body.reserve(20 << 20);
    body += "[";
    while (body.size() < (20 << 20))
        body += "{\"id\":12345,\"name\":\"row\",\"tags\":[\"a\",\"b\"]},";
    body += "{}]";
    run.receive(reply(200, body, {{u"Content-Type"_s, u"application/json"_s}}));
    // The reply was taken in without preparing the text: that happens on the pool.
    EXPECT_TRUE(run.body()->document()->isBusy());
    EXPECT_TRUE(run.find<QLabel>(u"responseBodyWorking"_s)->isVisible());
    BodyDocument* document = run.body()->document();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !document->isBusy(); }, 60000));
    EXPECT_GT(document->rowCount(), 1000000);
    EXPECT_EQ(run.body()->rowLook(1).text, u"  {"_s);
    EXPECT_FALSE(run.find<QLabel>(u"responseBodyWorking"_s)->isVisible());
}

TEST(ResponseView, imageRepliesShowThePictureAndRawShowsTheBytes)
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    ResponseRun run;
    run.receive(reply(200, png, {{u"Content-Type"_s, u"image/png"_s}}));
    auto* label = run.find<QLabel>(u"responseImage"_s);
    EXPECT_EVENTUALLY(label->isVisible());
    EXPECT_EQ(label->pixmap().size(), QSize(8, 4));
    click(run.find<QCheckBox>(u"responseRawSwitch"_s));
    EXPECT_TRUE(run.body()->isVisible());
    EXPECT_EQ(texts(run.rows()), QStringList({u"1 Unable to decode response"_s}));
}

TEST(ResponseView, saveWritesTheRawBodyToTheChosenFile)
{
    QTemporaryDir folder;
    ResponseRun run;
    run.dialogs.answer = folder.filePath(u"reply.bin"_s);
    run.receive(reply(200, "raw \xff bytes", kPlain));
    click(run.find<QToolButton>(u"responseSaveButton"_s));
    QFile file(run.dialogs.answer);
    EXPECT_EVENTUALLY(file.exists());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("raw \xff bytes"));
}
