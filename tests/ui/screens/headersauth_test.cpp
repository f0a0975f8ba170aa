#include "screenrun.h"
#include "support/httptestserver.h"
#include "support/websockettestpeer.h"
#include "ui/screens/graphqlscreen.h"
#include "ui/screens/headersauthsection.h"
#include "ui/screens/ssescreen.h"
#include "ui/screens/websocketscreen.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// What the server saw of the one request or handshake that reached it.
using Received = std::function<QByteArray(const QByteArray& name)>;

/// Expands the section with the keyboard, adds the header `X-Team: {{team}}` and picks the
/// auth kind `downs` steps below "None" with the credential `{{secret}}`, all through the
/// section's own editors, with an active environment that has both variables.
template <typename Run> void fillHeadersAndAuth(Run& run, int downs)
{
    AppState& state = run.state;
    state.addEnvironment(u"Dev"_s);
    const QUuid dev = state.environments().constLast().id;
    state.setEnvironmentVariables(
        dev, {{.key = u"team"_s, .value = u"core"_s}, {.key = u"secret"_s, .value = u"s3cret"_s}});
    state.setActiveEnvironment(dev);

    auto* section = child<HeadersAuthSection>(run.screen, u"headersAuthSection"_s);
    QToolButton* toggle = section->toggleButton();
    ASSERT_FALSE(section->isExpanded());
    toggle->setFocus(Qt::TabFocusReason);
    QTest::keyClick(toggle, Qt::Key_Space);
    ASSERT_TRUE(section->isExpanded());

    auto* headers = child<QWidget>(section, u"headersEditor"_s);
    click(child<QAbstractButton>(headers, u"addRowButton"_s));
    auto* table = child<QTableView>(headers, u"rowsTable"_s);
    const int row = table->model()->rowCount() - 1;
    EXPECT_EVENTUALLY(QApplication::focusWidget()
        && QApplication::focusWidget()->objectName() == u"rowKeyField"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"X-Team"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    table->setCurrentIndex(table->model()->index(row, 2));
    EXPECT_EVENTUALLY(table->indexWidget(table->model()->index(row, 2)));
    QWidget* value = table->indexWidget(table->model()->index(row, 2));
    ASSERT_TRUE(value);
    value->setFocus();
    QTest::keyClicks(value, u"{{team}}"_s);
    QTest::keyClick(value, Qt::Key_Return);

    auto* type = child<QComboBox>(section, u"authType"_s);
    type->setFocus();
    for (int step = 0; step < downs; ++step)
        QTest::keyClick(type, Qt::Key_Down);
    QTest::keyClicks(child<QLineEdit>(section, u"authToken"_s), u"{{secret}}"_s);

    EXPECT_EVENTUALLY(!state.openRequest()->headers.isEmpty()
        && state.openRequest()->headers.constLast().value == u"{{team}}"_s);
    EXPECT_EQ(state.openRequest()->authToken, u"{{secret}}"_s);
}

const struct {
    const char* name;
    int downs;
    QByteArray authorization;
} kAuths[] = {
    {"bearer", 1, "Bearer s3cret"},
    {"basic", 2, "Basic " + QByteArray("s3cret").toBase64()},
};

// The header `name` of the first request `server` received; empty before one arrives.
Received firstRequest(const HttpTestServer& server)
{
    return [&server](const QByteArray& name) {
        return server.requests().isEmpty() ? QByteArray()
                                           : server.requests().constFirst().header(name);
    };
}

template <typename Run>
void expectSent(Run& run, const Received& received, int downs, const QByteArray& authorization,
    const std::function<void()>& send)
{
    fillHeadersAndAuth(run, downs);
    send();
    EXPECT_EVENTUALLY_EQ(received("Authorization"), authorization);
    EXPECT_EQ(received("X-Team"), QByteArray("core"));
}

} // namespace

// The section's editors are the request's: what they set goes out with the query, the
// handshake and the stream, with the environment's variables and the auth encoded as on HTTP.
TEST(HeadersAuthSection, headersAndAuthGoOutOnEveryScreen)
{
    for (const auto& auth : kAuths) {
        SCOPED_TRACE(auth.name);
        {
            SCOPED_TRACE("GraphQL");
            ScreenRun<GraphQLScreen> run;
            HttpTestServer server;
            run.open(APIRequest {.url = server.baseUrl() + u"/graphql"_s,
                .requestProtocol = RequestProtocol::graphql,
                .graphqlQuery = u"{ me }"_s});
            expectSent(run, firstRequest(server), auth.downs, auth.authorization,
                [&] { click(run.find<QPushButton>(u"sendQueryButton"_s)); });
        }
        {
            SCOPED_TRACE("WebSocket");
            ScreenRun<WebSocketScreen> run;
            WebSocketTestPeer peer;
            run.open(APIRequest {.url = peer.url(), .requestProtocol = RequestProtocol::websocket});
            const Received received = [&](const QByteArray& name) {
                return peer.connectionCount() == 0 ? QByteArray() : peer.handshakeHeader(name);
            };
            expectSent(run, received, auth.downs, auth.authorization,
                [&] { click(run.find<QPushButton>(u"connectButton"_s)); });
        }
        {
            SCOPED_TRACE("SSE");
            ScreenRun<SSEScreen> run;
            HttpTestServer server;
            server.setHandler([](const RecordedRequest&) {
                return ScriptedResponse {
                    .headers = {{"Content-Type", "text/event-stream"}}, .chunks = {"data: hi\n\n"}};
            });
            run.open(APIRequest {
                .url = server.baseUrl() + u"/events"_s, .requestProtocol = RequestProtocol::sse});
            expectSent(run, firstRequest(server), auth.downs, auth.authorization,
                [&] { click(run.find<QPushButton>(u"connectButton"_s)); });
        }
    }
}

// Folded unless the request has headers or auth; the user's choice holds until another request
// is shown; folded, a line says what is set.
TEST(HeadersAuthSection, foldedUnlessTheRequestHasHeadersOrAuth)
{
    ScreenRun<SSEScreen> run;
    auto* section = child<HeadersAuthSection>(run.screen, u"headersAuthSection"_s);
    auto* editors = child<QWidget>(section, u"headersAuthEditors"_s);
    auto* summary = child<QLabel>(section, u"headersAuthSummary"_s);
    const auto request = [](QList<KeyValuePair> headers, AuthType auth) {
        return APIRequest {.url = u"http://127.0.0.1:1/a"_s,
            .headers = std::move(headers),
            .authType = auth,
            .requestProtocol = RequestProtocol::sse};
    };
    const APIRequest plain = request({KeyValuePair {}}, AuthType::none);
    const APIRequest withHeader
        = request({{.key = u"X-One"_s, .value = u"1"_s}, {.key = u"X-Two"_s, .value = u"2"_s}},
            AuthType::none);
    const APIRequest withAuth = request({}, AuthType::bearer);

    const QUuid plainTab = run.open(plain);
    EXPECT_FALSE(section->isExpanded());
    EXPECT_FALSE(editors->isVisible());
    EXPECT_EQ(section->toggleButton()->accessibleName(), u"Headers and Auth"_s);
    click(section->toggleButton());
    EXPECT_TRUE(editors->isVisible());

    run.open(withHeader);
    EXPECT_TRUE(section->isExpanded());
    EXPECT_EQ(child<QTableView>(editors, u"rowsTable"_s)->model()->rowCount(), 2);
    click(section->toggleButton());
    EXPECT_FALSE(editors->isVisible());
    EXPECT_EQ(summary->text(), u"2 headers"_s);

    run.open(withAuth);
    EXPECT_TRUE(section->isExpanded());
    EXPECT_EQ(child<QComboBox>(editors, u"authType"_s)->currentText(), u"Bearer Token"_s);
    // Back to a request shown before: folded again, as a request without either starts.
    run.state.switchToTab(plainTab);
    EXPECT_FALSE(section->isExpanded());
}

// A WebSocket or event-stream connection carries headers alone: its picker offers only the
// kinds that are a header, while a GraphQL query is sent like any HTTP request.
TEST(HeadersAuthSection, streamsOfferOnlyTheKindsThatAreAHeader)
{
    const auto kinds = [](QWidget* screen) {
        QStringList texts;
        auto* type = child<QComboBox>(screen, u"authType"_s);
        for (int i = 0; i < type->count(); ++i)
            texts.append(type->itemText(i));
        return texts.join(u", "_s);
    };
    // Every kind that goes as a header, with inheriting from the collection first.
    const QString headerKinds
        = u"Inherit from collection, None, Bearer Token, Basic Auth, API Key, OAuth 2.0"_s;
    {
        ScreenRun<GraphQLScreen> run;
        EXPECT_EQ(
            kinds(run.screen), headerKinds + u", Digest Auth, NTLM, Negotiate, AWS Signature"_s);
        // The kind with the most fields keeps them at full height in the section's one height.
        run.open(APIRequest {
            .authType = AuthType::awsSigV4, .requestProtocol = RequestProtocol::graphql});
        for (const QString& name : {u"authUsername"_s, u"authPassword"_s, u"awsRegion"_s,
                 u"awsService"_s, u"awsSessionToken"_s}) {
            auto* field = child<QLineEdit>(run.screen, name);
            EXPECT_EVENTUALLY(field->isVisible() && field->height() >= field->sizeHint().height());
        }
    }
    {
        ScreenRun<WebSocketScreen> run;
        EXPECT_EQ(kinds(run.screen), headerKinds);
    }
    {
        ScreenRun<SSEScreen> run;
        EXPECT_EQ(kinds(run.screen), headerKinds);
    }
}

namespace {

/// The object names Tab passes from the name field on, `steps` of them.
QStringList tabWalk(QWidget* screen, int steps)
{
    screen->window()->activateWindow();
    EXPECT_EVENTUALLY(QApplication::activeWindow() == screen->window());
    QWidget* start = child<QWidget>(screen, u"requestNameField"_s);
    start->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int step = 0; step < steps; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names.append(QApplication::focusWidget()->objectName());
    }
    return names;
}

} // namespace

// Tab reads each screen as it is drawn: the header's row, the section, then what is below it.
TEST(HeadersAuthSection, tabFollowsTheScreenAsDrawn)
{
    const QStringList header {u"urlField"_s, u"connectButton"_s, u"saveButton"_s,
        u"headersAuthToggle"_s, u"addRowButton"_s, u"rowsTable"_s, u"authType"_s, u"authToken"_s};
    {
        ScreenRun<WebSocketScreen> run;
        run.open(APIRequest {.authType = AuthType::bearer,
            .requestProtocol = RequestProtocol::websocket,
            .wsMessages = {u"hello"_s}});
        const QStringList below {u"transcriptFilter"_s, u"transcriptClearButton"_s,
            u"transcriptView"_s, u"savedMessagesButton"_s, u"messageField"_s};
        EXPECT_EQ(tabWalk(run.screen, 13), header + below);
    }
    {
        ScreenRun<GraphQLScreen> run;
        run.open(
            APIRequest {.authType = AuthType::bearer, .requestProtocol = RequestProtocol::graphql});
        QStringList expected = header;
        expected.replace(1, u"sendQueryButton"_s);
        expected.insert(2, u"schemaButton"_s);
        expected += QStringList {u"operationField"_s, u"queryEditor"_s};
        EXPECT_EQ(tabWalk(run.screen, 11), expected);
    }
}
