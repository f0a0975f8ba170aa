#include "screenrun.h"
#include "support/httptestserver.h"
#include "ui/common/statusbadge.h"
#include "ui/screens/completingtextedit.h"
#include "ui/screens/graphqlschemanames.h"
#include "ui/screens/graphqlscreen.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>

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

    QWidget* shownPage() const { return find<QStackedWidget>(u"responsePanel"_s)->currentWidget(); }
    bool waitForReply() const
    {
        return waitFor([&] {
            return !find<QPlainTextEdit>(u"responseBody"_s)->toPlainText().isEmpty()
                || shownPage()->findChild<QLabel*>(u"responseError"_s);
        });
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
    EXPECT_EQ(run.find<StatusBadge>(u"responseStatus"_s)->statusCode(), 200);
    EXPECT_TRUE(QRegularExpression(u"^\\d+ms$"_s)
                    .match(run.find<QLabel>(u"responseDuration"_s)->text())
                    .hasMatch());
    // The echo, pretty-printed with sorted keys.
    EXPECT_TRUE(run.find<QPlainTextEdit>(u"responseBody"_s)
                    ->toPlainText()
                    .startsWith(u"{\n  \"body\" : "_s));
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
    EXPECT_FALSE(run.find<QLabel>(u"responseError"_s)->text().isEmpty());
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
