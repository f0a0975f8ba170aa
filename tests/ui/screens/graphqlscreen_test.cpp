#include "screenrun.h"
#include "support/httptestserver.h"
#include "ui/common/metricpill.h"
#include "ui/response/bodydocument.h"
#include "ui/response/bodypane.h"
#include "ui/response/bodyview.h"
#include "ui/response/responseview.h"
#include "ui/screens/completingtextedit.h"
#include "ui/screens/graphqlschemanames.h"
#include "ui/screens/graphqlscreen.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kSchema = R"({"data": {"__schema": {"queryType": {"name": "Query"}, "types": [
    {"name": "Query", "kind": "OBJECT", "fields": [
        {"name": "user", "args": [{"name": "userId"}]}, {"name": "__type", "args": []}]},
    {"name": "User", "kind": "OBJECT", "fields": [{"name": "username", "args": []}]},
    {"name": "__Schema", "kind": "OBJECT", "fields": null},
    {"name": "String", "kind": "SCALAR", "fields": null}]}}})";

struct GraphQLRun : ScreenRun<GraphQLScreen> {
    explicit GraphQLRun(APIRequest request = {})
    {
        request.requestProtocol = RequestProtocol::graphql;
        if (request.url.isEmpty())
            request.url = server.baseUrl() + u"/graphql"_s;
        open(request);
    }

    QString shownPage() const
    {
        return find<QStackedWidget>(u"responseStates"_s)->currentWidget()->objectName();
    }
    bool waitForReply() const
    {
        return waitFor([&] {
            return shownPage() == u"responseContent"_s || shownPage() == u"responseError"_s;
        });
    }
    /// The body as the response viewer shows it, once it has been made.
    QStringList bodyRows() const
    {
        BodyView* view = screen->responseView()->bodyPane()->view();
        EXPECT_TRUE(waitFor([&] { return !view->document()->isBusy(); }));
        QStringList rows;
        for (qint64 row = 0; row < view->document()->rowCount(); ++row)
            rows.append(view->rowLook(row).text);
        return rows;
    }
    QList<QByteArray> contentTypes(const RecordedRequest& request) const
    {
        QList<QByteArray> values;
        for (const auto& [name, value] : request.headers) {
            if (name.toLower() == "content-type")
                values.append(value);
        }
        return values;
    }

    HttpTestServer server;
};

} // namespace

TEST(GraphQLScreen, sendsTheQueryAsTypedAndShowsTheReply)
{
    GraphQLRun run(APIRequest {.name = u"Users"_s});
    QTest::keyClicks(run.find<QLineEdit>(u"operationField"_s), u"GetUser"_s);
    QTest::keyClicks(run.find<QPlainTextEdit>(u"queryEditor"_s), u"query GetUser { me }"_s);
    QTest::keyClicks(run.find<QPlainTextEdit>(u"variablesEditor"_s), u"{\"id\": 7}"_s);
    EXPECT_EQ(run.state.openRequest()->graphqlQuery, u"query GetUser { me }"_s);
    // The menu's send command sends the query as the button does.
    Q_EMIT run.commands.sendRequest();
    ASSERT_TRUE(run.waitForReply());

    const RecordedRequest sent = run.server.requests().constFirst();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(QJsonDocument::fromJson(sent.body).object(),
        (QJsonObject {{u"query"_s, u"query GetUser { me }"_s}, {u"operationName"_s, u"GetUser"_s},
            {u"variables"_s, QJsonObject {{u"id"_s, 7}}}}));
    // In the response viewer of the HTTP screen: status, time, size and the body.
    EXPECT_EQ(run.find<QLabel>(u"responseStatusCode"_s)->text(), u"200"_s);
    EXPECT_TRUE(run.find<MetricPill>(u"responseDuration"_s)->value().endsWith(u"ms"_s));
    EXPECT_FALSE(run.find<MetricPill>(u"responseSize"_s)->value().isEmpty());
    // The echo, pretty-printed with sorted keys.
    const QStringList body = run.bodyRows();
    ASSERT_GE(body.size(), 2);
    EXPECT_EQ(body[0], u"{"_s);
    EXPECT_TRUE(body[1].startsWith(u"  \"body\" : "_s)) << body[1].toStdString();
    EXPECT_EQ(run.find<QLabel>(u"statusNote"_s)->text(), u"application/json"_s);
    // The history keeps the GraphQL request itself, so that it reopens here.
    ASSERT_EQ(run.state.history().size(), 1);
    EXPECT_EQ(run.state.history()[0].request.requestProtocol, RequestProtocol::graphql);
    EXPECT_EQ(run.state.history()[0].statusCode, 200);
}

TEST(GraphQLScreen, sendsOneContentTypeAndSchemaSendsNoOtherHeader)
{
    const struct {
        const char* name;
        QList<KeyValuePair> headers;
        bool schema;
        QList<QByteArray> contentTypes;
        qsizetype historyEntries;
    } cases[] = {
        {"capitals kept",
            {KeyValuePair {.key = u"X-Team"_s, .value = u"core"_s},
                KeyValuePair {.key = u"CONTENT-TYPE"_s, .value = u"application/graphql+json"_s}},
            false, {"application/graphql+json"}, 1},
        {"schema",
            {KeyValuePair {.key = u"X-Team"_s, .value = u"core"_s},
                KeyValuePair {.key = u"content-type"_s, .value = u"text/plain"_s}},
            true, {"application/json"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GraphQLRun run(APIRequest {.headers = c.headers,
            .authType = AuthType::bearer,
            .authToken = u"secret"_s,
            .graphqlQuery = u"{ me }"_s});
        click(run.find<QPushButton>(c.schema ? u"schemaButton"_s : u"sendQueryButton"_s));
        ASSERT_TRUE(run.waitForReply());
        const RecordedRequest sent = run.server.requests().constFirst();
        EXPECT_EQ(run.contentTypes(sent), c.contentTypes);
        EXPECT_EQ(sent.header("Authorization").isEmpty(), c.schema);
        EXPECT_EQ(sent.header("X-Team").isEmpty(), c.schema);
        EXPECT_EQ(sent.body.contains("IntrospectionQuery"), c.schema);
        EXPECT_EQ(run.state.history().size(), c.historyEntries);
    }
}

TEST(GraphQLScreen, aFailureShowsItsDescriptionAndIsNotRecorded)
{
    quint16 closedPort = 0;
    {
        HttpTestServer gone;
        closedPort = gone.port();
    }
    GraphQLRun run(APIRequest {.url = u"http://127.0.0.1:%1/graphql"_s.arg(closedPort)});
    click(run.find<QPushButton>(u"sendQueryButton"_s));
    ASSERT_TRUE(run.waitForReply());
    EXPECT_EQ(run.shownPage(), u"responseError"_s);
    EXPECT_FALSE(run.find<QLabel>(u"responseErrorText"_s)->text().isEmpty());
    EXPECT_TRUE(run.state.history().isEmpty());
}

TEST(GraphQLScreen, offersTheSchemasNamesAsCompletions)
{
    GraphQLRun run;
    run.server.setHandler([](const RecordedRequest&) {
        return ScriptedResponse {
            .headers = {{"Content-Type", "application/json"}}, .body = kSchema};
    });
    auto* query = run.find<CompletingTextEdit>(u"queryEditor"_s);
    click(run.find<QPushButton>(u"schemaButton"_s));
    ASSERT_TRUE(run.waitForReply());
    ASSERT_TRUE(waitFor([&] { return query->completer()->model()->rowCount() > 0; }));

    query->setFocus();
    QTest::keyClicks(query, u"{ us"_s);
    QAbstractItemView* popup = query->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(rowTexts(popup), (QStringList {u"User"_s, u"user"_s, u"userId"_s, u"username"_s}));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(run.state.openRequest()->graphqlQuery, u"{ User"_s);
}

TEST(GraphQLSchemaNames, listsTypesFieldsAndArgumentsOnceWithoutTheSchemasOwn)
{
    EXPECT_EQ(graphQLSchemaNames(kSchema),
        (QStringList {u"Query"_s, u"String"_s, u"User"_s, u"user"_s, u"userId"_s, u"username"_s}));
    for (const QByteArray& other : {QByteArray("not json"), QByteArray(R"({"data": {"me": 1}})"),
             QByteArray(R"({"errors": [{"message": "no"}]})")})
        EXPECT_TRUE(graphQLSchemaNames(other).isEmpty()) << other.constData();
}

// Each tab's reply is its own, shown in the response viewer with its filter and find.
TEST(GraphQLScreen, eachTabShowsItsOwnReplyInTheResponseViewer)
{
    GraphQLRun run(APIRequest {.graphqlQuery = u"{ first }"_s});
    run.server.setHandler([](const RecordedRequest& request) {
        return ScriptedResponse {.headers = {{"Content-Type", "application/json"}},
            .body = request.body.contains("first") ? R"({"data":{"alpha":1,"apple":2}})"
                                                   : R"({"data":{"beta":3}})"};
    });
    const QUuid first = *run.state.activeTabID();
    click(run.find<QPushButton>(u"sendQueryButton"_s));
    ASSERT_TRUE(run.waitForReply());
    const QStringList firstRows {u"{"_s, u"  \"data\" : {"_s, u"    \"alpha\" : 1,"_s,
        u"    \"apple\" : 2"_s, u"  }"_s, u"}"_s};
    EXPECT_EQ(run.bodyRows(), firstRows);

    const QUuid second = run.open(APIRequest {.url = run.server.baseUrl() + u"/graphql"_s,
        .requestProtocol = RequestProtocol::graphql,
        .graphqlQuery = u"{ second }"_s});
    // A tab that has sent nothing shows no reply, not the other tab's.
    EXPECT_EQ(run.shownPage(), u"responseEmpty"_s);
    click(run.find<QPushButton>(u"sendQueryButton"_s));
    ASSERT_TRUE(run.waitForReply());
    EXPECT_EQ(run.bodyRows(),
        (QStringList {u"{"_s, u"  \"data\" : {"_s, u"    \"beta\" : 3"_s, u"  }"_s, u"}"_s}));

    run.state.switchToTab(first);
    EXPECT_EQ(run.shownPage(), u"responseContent"_s);
    EXPECT_EQ(run.bodyRows(), firstRows);
    QTest::keyClicks(run.find<QLineEdit>(u"responseSearchField"_s), u"apple"_s);
    EXPECT_EQ(run.bodyRows(), QStringList {u"    \"apple\" : 2"_s});
    run.find<QLineEdit>(u"responseSearchField"_s)->clear();

    BodyView* view = run.screen->responseView()->bodyPane()->view();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
    auto* find = run.find<QLineEdit>(u"responseFindField"_s);
    ASSERT_TRUE(find->isVisible());
    QTest::keyClicks(find, u"apple"_s);
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EVENTUALLY_EQ(view->selectionEnd(), (BodyPosition {3, 10}));

    run.state.switchToTab(second);
    EXPECT_EQ(run.bodyRows().value(2), u"    \"beta\" : 3"_s);
}

// The viewer out of sight (the HTTP screen is shown) makes nothing of a reply until it shows.
TEST(GraphQLScreen, aHiddenViewerCatchesUpWhenShown)
{
    GraphQLRun run;
    BodyDocument* document = run.screen->responseView()->bodyPane()->document();
    run.screen->hide();
    run.state.updateActiveTabResponse(
        APIResponse {
            .statusCode = 201, .headers = {{u"Content-Type"_s, u"text/plain"_s}}, .body = "made"},
        std::nullopt, false);
    EXPECT_TRUE(run.find<QLabel>(u"responseStatusCode"_s)->text().isEmpty());
    EXPECT_FALSE(document->isBusy());
    EXPECT_EQ(document->rowCount(), 0);
    run.screen->show();
    EXPECT_EQ(run.shownPage(), u"responseContent"_s);
    EXPECT_EQ(run.find<QLabel>(u"responseStatusCode"_s)->text(), u"201"_s);
    EXPECT_EQ(run.bodyRows(), QStringList {u"made"_s});
}

// With the preferences the screen holds the request's scripts under a "Scripts" button, folded
// for a request without scripts and unfolded for one with; what is typed reaches the request.
TEST(GraphQLScreen, scriptsFoldAwayAndEditTheOpenRequest)
{
    StateRun run;
    Commands commands;
    TestWindow window;
    auto* screen = new GraphQLScreen(run.state, commands, &run.settings, nullptr, &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(screen);
    window.showNow();
    const QUuid collection = QUuid::createUuid();
    run.state.openFromCollection(
        APIRequest {.name = u"plain"_s, .requestProtocol = RequestProtocol::graphql}, collection);
    auto* toggle = child<QToolButton>(screen, u"scriptsToggle"_s);
    auto* test = child<QPlainTextEdit>(screen, u"testScriptField"_s);
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(test->isVisible());
    click(toggle);
    ASSERT_TRUE(test->isVisible());
    QTest::keyClicks(test, u"pm.test('ok', () => {});"_s);
    EXPECT_EQ(run.state.openRequest()->testScript, u"pm.test('ok', () => {});"_s);

    run.state.openFromCollection(APIRequest {.name = u"scripted"_s,
                                     .requestProtocol = RequestProtocol::graphql,
                                     .preRequestScript = u"setup()"_s},
        collection);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(
        child<QPlainTextEdit>(screen, u"preRequestScriptField"_s)->toPlainText(), u"setup()"_s);
    EXPECT_EQ(test->toPlainText(), QString());
}

// A query that inherits its auth goes with its collection's.
TEST(GraphQLScreen, anInheritingQueryGoesWithItsCollectionsAuth)
{
    GraphQLRun run;
    const APIRequest query {.url = run.server.baseUrl() + u"/graphql"_s,
        .authType = AuthType::inherit,
        .requestProtocol = RequestProtocol::graphql,
        .graphqlQuery = u"{ me }"_s};
    Collection api {.name = u"API"_s, .requests = {query}};
    api.authType = AuthType::bearer;
    api.authToken = u"graph-token"_s;
    run.state.appendCollection(api);
    run.state.openFromCollection(query, api.id);
    Q_EMIT run.commands.sendRequest();
    ASSERT_TRUE(run.waitForReply());
    ASSERT_EQ(run.server.requests().size(), 1);
    EXPECT_EQ(run.server.requests()[0].header("Authorization"), "Bearer graph-token");
}
