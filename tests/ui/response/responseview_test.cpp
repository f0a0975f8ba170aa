#include "shellrun.h"
#include "support/httptestserver.h"
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
#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrlQuery>
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

TEST(ResponseView, headersSortCaseSensitivelyAndNamesFitTheirColumn)
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
    // A long name is shown whole; one longer than the room there is ends in an ellipsis and
    // is told whole by its tooltip.
    const QString longName = u"X-Content-Security-Policy-Report-Only"_s;
    const QString huge = QString(u"X-Very-Long-Name-"_s).repeated(12);
    ResponseRun run;
    run.receive(reply(200, {}, {{longName, u"v"_s}, {huge, u"w"_s}}));
    auto* list = run.find<QTreeWidget>(u"responseHeaders"_s);
    QTreeWidgetItem* item = list->topLevelItem(0);
    ASSERT_EQ(item->text(0), longName);
    const int shown = list->header()->sectionSize(0);
    EXPECT_GE(shown, QFontMetrics(item->font(0)).horizontalAdvance(longName));
    EXPECT_LT(shown, QFontMetrics(item->font(0)).horizontalAdvance(huge));
    EXPECT_EQ(list->textElideMode(), Qt::ElideRight);
    EXPECT_EQ(list->topLevelItem(1)->toolTip(0), huge);
}

TEST(ResponseView, cookiesTabListsEveryCookieOfTheExchangeAsEachHopSetIt)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest& request) {
        if (request.target.startsWith("/cookies/set"))
            return ScriptedResponse {.status = 302,
                .headers = {{"Location", "/cookies"}, {"Set-Cookie", "x=1; Path=/; HttpOnly"}}};
        if (request.target.startsWith("/response-headers"))
            return ScriptedResponse {.headers = {{"set-cookie", "theme=dark; Path=/"}}};
        return ScriptedResponse {.headers
            = {{"Set-Cookie", "y=2; Path=/app; Secure; Expires=Wed, 21 Oct 2037 07:28:00 GMT"}}};
    });
    ShellRun run;
    ASSERT_TRUE(run.activate());
    run.state().openNewRequest();
    QWidget* screen = run.find(u"httpScreen"_s);
    auto* url = child<QLineEdit>(screen, u"urlField"_s);
    qsizetype sent = 0;
    const auto cookieRows = [&](const QString& path) {
        url->selectAll();
        QTest::keyClicks(url, server.baseUrl() + path);
        QTest::keyClick(url, Qt::Key_Return, Qt::ControlModifier);
        auto* list = child<QTreeWidget>(screen, u"responseCookieList"_s);
        ++sent;
        EXPECT_EVENTUALLY_EQ(run.state().tabStore().activeTab()->responseHistory.size(), sent);
        click(child<QToolButton>(screen, u"responseTabCookies"_s));
        QList<QStringList> rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList texts;
            for (int column = 0; column < list->columnCount(); ++column)
                texts.append(list->topLevelItem(i)->text(column));
            rows.append(texts);
        }
        return rows;
    };
    const QString expires = QLocale().toString(
        QDateTime(QDate(2037, 10, 21), QTime(7, 28), Qt::UTC).toLocalTime(), QLocale::ShortFormat);
    EXPECT_EQ(cookieRows(u"/cookies/set?x=1"_s),
        QList<QStringList>({{u"x"_s, u"1"_s, u"127.0.0.1"_s, u"/"_s, u"Session"_s, u"HttpOnly"_s},
            {u"y"_s, u"2"_s, u"127.0.0.1"_s, u"/app"_s, expires, u"Secure"_s}}));
    // "%20" reads as a space once decoded; the URL requested is what counts.
    EXPECT_EQ(cookieRows(u"/response-headers?Set-Cookie=theme=dark;%20Path=/"_s),
        QList<QStringList>({{u"theme"_s, u"dark"_s, u"127.0.0.1"_s, u"/"_s, u"Session"_s, {}}}));
}

TEST(ResponseView, anySpellingOfContentTypeIsReadAndPrettyPrinted)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest& request) {
        const QUrlQuery query(QUrl(QString::fromLatin1(request.target)));
        return ScriptedResponse {
            .headers = {{query.queryItemValue(u"name"_s).toLatin1(),
                query.queryItemValue(u"type"_s, QUrl::FullyDecoded).toLatin1()}},
            .body
            = R"({"b":)" + query.queryItemValue(u"n"_s).toLatin1() + R"(,"a":"http:\/\/host\/x"})"};
    });
    ShellRun run;
    ASSERT_TRUE(run.activate());
    const std::pair<QString, QString> cases[]
        = {{u"content-type"_s, u"application/json"_s}, {u"Content-type"_s, u"application/json"_s},
            {u"CONTENT-TYPE"_s, u"Application/JSON; charset=UTF-8"_s}};
    int n = 0;
    for (const auto& [name, type] : cases) {
        run.state().openNewRequest();
        QWidget* screen = run.find(u"httpScreen"_s);
        auto* url = child<QLineEdit>(screen, u"urlField"_s);
        auto* summary = child<QLabel>(screen, u"responseSummary"_s);
        auto* body = child<BodyView>(screen, u"responseBodyView"_s);
        QTest::keyClicks(url,
            server.baseUrl() + u"/json?n="_s + QString::number(++n) + u"&name="_s + name
                + u"&type="_s + QString::fromLatin1(QUrl::toPercentEncoding(type)));
        QTest::keyClick(url, Qt::Key_Return, Qt::ControlModifier);
        EXPECT_EVENTUALLY(summary->isVisible() && summary->text().endsWith(type));
        EXPECT_EVENTUALLY(body->document()->rowCount() == 4 && !body->document()->isBusy()
            && body->rowLook(2).text == u"  \"b\" : "_s + QString::number(n));
        EXPECT_EQ(body->rowLook(1).text, u"  \"a\" : \"http://host/x\","_s) << name.toStdString();
    }
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

TEST(ResponseView, timingPhasesStayWholeInAShortPane)
{
    ResponseRun run;
    // About what the response pane gets at the editor's first split on a small screen.
    run.window.resize(900, 280);
    APIResponse timed = reply(200, {}, {});
    timed.timingPhases = {0.001, 0.002, 0.003, 0.004, 0.005, 0.006};
    run.receive(timed);
    click(run.find<QToolButton>(u"responseTabTiming"_s));
    auto* waterfall = run.find<PhaseWaterfall>(u"responsePhaseWaterfall"_s);
    ASSERT_EQ(waterfall->phases().size(), 6);
    EXPECT_EVENTUALLY(
        waterfall->isVisible() && waterfall->height() >= waterfall->sizeHint().height());
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

TEST(ResponseView, aSaveThatFailsIsReportedWithTheFileAndTheReason)
{
    // A folder that is a regular file: no account, not even root, can write beneath it.
    QTemporaryDir folder;
    QFile blocker(folder.filePath(u"not-a-folder"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ResponseRun run;
    run.dialogs.answer = blocker.fileName() + u"/reply.json"_s;
    run.receive(reply(200, "{}", kPlain));
    click(run.find<QToolButton>(u"responseSaveButton"_s));
    EXPECT_EVENTUALLY(run.state.alertMessage().has_value());
    const QString message = run.state.alertMessage().value_or(QString());
    EXPECT_TRUE(message.contains(run.dialogs.answer)) << message.toStdString();
    EXPECT_GT(message.size(), run.dialogs.answer.size() + 30) << message.toStdString();
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

// The Tests tab lists each test with a word beside its colour, the failure's message, a script's
// own error and the console; its title counts the passed tests. A new send starts it afresh, and
// a request without scripts says where tests are written.
TEST(ResponseView, testsTabListsVerdictsErrorAndConsoleAndCountsInItsTitle)
{
    ResponseRun run;
    auto* tab = run.find<QToolButton>(u"responseTabTests"_s);
    auto* list = run.find<QTreeWidget>(u"responseTestList"_s);
    const QUuid tabID = *run.state.activeTabID();
    run.receive(reply(200, "{}"));
    click(tab);
    EXPECT_EQ(tab->text(), u"Tests"_s);
    EXPECT_TRUE(run.find(u"responseNoTests"_s)->isVisible());
    EXPECT_TRUE(run.find<QLabel>(u"responseNoTestsText"_s)->text().contains(u"Scripts tab"_s));

    const struct {
        ScriptOutcome outcome;
        QString title;
        QList<QStringList> rows;
        QString error; // empty: no error shown
        QString console; // empty: no console shown
    } cases[] {
        {{.tests = {{.name = u"status is 200"_s, .passed = true},
              {.name = u"has an id"_s, .error = u"expected undefined to exist"_s},
              {.name = u"is JSON"_s, .passed = true}, {.name = u"fast"_s, .passed = true}},
             .console = {u"token abc"_s, u"warn: slow"_s}},
            u"Tests 3/4"_s,
            {{u"Passed"_s, u"status is 200"_s, u""_s},
                {u"Failed"_s, u"has an id"_s, u"expected undefined to exist"_s},
                {u"Passed"_s, u"is JSON"_s, u""_s}, {u"Passed"_s, u"fast"_s, u""_s}},
            {}, u"token abc\nwarn: slow"_s},
        {{.tests = {{.name = u"first"_s, .error = u"boom"_s}},
             .error = u"Tests: ReferenceError: token is not defined (line 3)"_s},
            u"Tests 0/1"_s, {{u"Failed"_s, u"first"_s, u"boom"_s}},
            u"Tests: ReferenceError: token is not defined (line 3)"_s, {}},
        // Only a console: no list, no count.
        {{.console = {u"hello"_s}}, u"Tests"_s, {}, {}, u"hello"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        run.state.updateTabScripts(tabID, c.outcome);
        EXPECT_EQ(tab->text(), c.title);
        EXPECT_FALSE(run.find(u"responseNoTests"_s)->isVisible());
        EXPECT_EQ(list->isVisible(), !c.rows.isEmpty());
        QList<QStringList> rows;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            rows.append({item->text(0), item->text(1), item->text(2)});
            EXPECT_FALSE(item->icon(0).isNull());
        }
        EXPECT_EQ(rows, c.rows);
        auto* error = run.find<QLabel>(u"responseScriptError"_s);
        EXPECT_EQ(error->isVisible() ? error->text() : QString(), c.error);
        auto* console = run.find<QPlainTextEdit>(u"responseConsole"_s);
        EXPECT_EQ(console->isVisible() ? console->toPlainText() : QString(), c.console);
        EXPECT_TRUE(console->isReadOnly());
    }

    // The next send of the tab starts without the last one's results.
    run.state.updateActiveTabResponse(std::nullopt, std::nullopt, true);
    run.receive(reply(200, "{}"));
    click(tab);
    EXPECT_EQ(tab->text(), u"Tests"_s);
    EXPECT_TRUE(run.find(u"responseNoTests"_s)->isVisible());
}
