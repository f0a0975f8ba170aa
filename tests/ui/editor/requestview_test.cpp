#include "shellrun.h"
#include "state/requestviewmodel.h"
#include "support/httptestserver.h"
#include "ui/common/colors.h"
#include "ui/common/metricpill.h"
#include "ui/editor/requestview.h"
#include "windowtesting.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QToolTip>
#include <QUrlQuery>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct EditorRun : ShellRun {
    EditorRun()
    {
        EXPECT_TRUE(activate());
        state().openNewRequest();
    }
    RequestView* view() const { return ShellRun::find<RequestView>(u"httpScreen"_s); }
    // Within the editor: the other protocols' screens have fields of the same names.
    template <typename T = QWidget> T* find(const QString& objectName) const
    {
        return child<T>(view(), objectName);
    }
    QLineEdit* url() const { return find<QLineEdit>(u"urlField"_s); }
    QPushButton* sendButton() const { return find<QPushButton>(u"sendButton"_s); }
    QWidget* tab(const QString& name) const { return find(name); }
    /// Opens the cell for typing and types `text` into it.
    void typeIntoCell(QTableView* table, int row, int column, const QString& text)
    {
        const QModelIndex index = table->model()->index(row, column);
        // Making the cell current opens it, as a click or the Tab key does.
        table->setCurrentIndex(index);
        QWidget* editor = table->indexWidget(index);
        ASSERT_TRUE(editor);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EVENTUALLY_EQ(index.data().toString(), text);
    }
};

} // namespace

TEST(RequestView, whatIsTypedGoesOutOnControlReturnAndIntoTheHistory)
{
    HttpTestServer server;
    EditorRun run;
    QTest::keyClicks(run.url(), server.baseUrl() + u"/items?x=1"_s);
    auto* method = run.find<QToolButton>(u"methodButton"_s);
    method->menu()->findChild<QAction*>(u"methodPOST"_s)->trigger();
    EXPECT_EQ(method->text(), u"POST"_s);

    QTest::mouseClick(run.find<QToolButton>(u"headersTab"_s), Qt::LeftButton);
    auto* headers = child<QTableView>(run.find(u"headersEditor"_s), u"rowsTable"_s);
    run.typeIntoCell(headers, 0, 1, u"X-Trace"_s);
    run.typeIntoCell(headers, 0, 2, u"t-1"_s);
    QTest::mouseClick(run.find<QToolButton>(u"bodyTab"_s), Qt::LeftButton);
    QTest::mouseClick(run.find<QToolButton>(u"bodyTypeJSON"_s), Qt::LeftButton);
    auto* body = run.find<QPlainTextEdit>(u"bodyText"_s);
    QTest::keyClicks(body, u"{\"a\": [1, 2]}"_s);

    QTest::keyClick(body, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(server.waitForRequests(1));
    const RecordedRequest received = server.requests().first();
    EXPECT_EQ(received.method, "POST");
    EXPECT_EQ(received.target, "/items?x=1");
    EXPECT_EQ(received.header("X-Trace"), "t-1");
    EXPECT_EQ(received.header("Content-Type"), "application/json");
    EXPECT_EQ(received.body, "{\"a\": [1, 2]}");
    EXPECT_EVENTUALLY_EQ(run.state().history().size(), 1);
    EXPECT_EQ(run.state().history().first().request.url, server.baseUrl() + u"/items?x=1"_s);
    EXPECT_EQ(run.state().history().first().statusCode, 200);
    // The URL is offered again as the field's completion.
    EXPECT_EVENTUALLY_EQ(run.url()->completer()->model()->rowCount(), 1);
    EXPECT_EQ(run.url()->completer()->model()->index(0, 0).data().toString(),
        server.baseUrl() + u"/items?x=1"_s);
    EXPECT_EVENTUALLY(run.find<QWidget>(u"responseSummary"_s)->isVisible());
    // The peer speaks HTTP/1.1 only, and the status row says so.
    auto* version = run.find<MetricPill>(u"responseHttpVersion"_s);
    EXPECT_TRUE(version->isVisible());
    EXPECT_EQ(version->value(), u"HTTP/1.1"_s);
    EXPECT_EQ(version->accessibleName(), u"HTTP/1.1"_s);
    // Choosing it takes it into the request, as typing would.
    run.url()->setFocus();
    EXPECT_EVENTUALLY(run.url()->hasFocus());
    run.url()->clear();
    QTest::keyClicks(run.url(), u"items"_s);
    QAbstractItemView* popup = run.url()->completer()->popup();
    EXPECT_EVENTUALLY(popup->isVisible());
    clickRow(popup, 0);
    EXPECT_EQ(run.state().openRequest()->url, server.baseUrl() + u"/items?x=1"_s);
    EXPECT_TRUE(run.find<QLabel>(u"responseSummary"_s)->text().endsWith(u"application/json"_s));
}

TEST(RequestView, sendTurnsIntoCancelWhileTheRequestIsOnItsWay)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest& request) {
        ScriptedResponse response = echoResponse(request);
        response.delayMs = 1500;
        return response;
    });
    EditorRun run;
    QTest::keyClicks(run.url(), server.baseUrl() + u"/slow"_s);
    QTest::keyClick(run.url(), Qt::Key_Return);
    EXPECT_FALSE(run.url()->hasFocus());
    EXPECT_EQ(run.sendButton()->text(), u"Cancel"_s);
    ASSERT_TRUE(server.waitForRequests(1));
    click(run.sendButton());
    EXPECT_EVENTUALLY_EQ(run.sendButton()->text(), u"Send"_s);
    EXPECT_EVENTUALLY(run.state().activeTab()->error.has_value());
    EXPECT_FALSE(run.state().activeTab()->response.has_value());
    EXPECT_TRUE(run.state().history().isEmpty());
    // The user's own cancel is a state, not a failure: grey, without the warning.
    auto* states = run.ShellRun::find<QStackedWidget>(u"responseStates"_s);
    ASSERT_TRUE(states);
    EXPECT_EVENTUALLY_EQ(states->currentWidget()->objectName(), u"responseCancelled"_s);
    EXPECT_EQ(child<QLabel>(states, u"responseCancelledText"_s)->text(), u"Request cancelled"_s);
}

TEST(RequestView, followsTheActiveTabAndWritesEveryEditBack)
{
    EditorRun run;
    AppState& state = run.state();
    const QUuid first = *state.activeTabID();
    QTest::keyClicks(run.url(), u"example.test/one"_s);
    EXPECT_EQ(state.openRequest()->url, u"example.test/one"_s);
    // No echo: the field keeps its cursor where the typing left it.
    EXPECT_EQ(run.url()->cursorPosition(), run.url()->text().size());

    state.openFromCollection(
        APIRequest {.name = u"Stored"_s, .url = u"example.test/two"_s}, QUuid::createUuid());
    EXPECT_EQ(run.url()->text(), u"example.test/two"_s);
    EXPECT_EQ(run.view()->viewModel().request().name, u"Stored"_s);
    state.switchToTab(first);
    EXPECT_EQ(run.url()->text(), u"example.test/one"_s);
    EXPECT_EQ(state.tabs().first().request.url, u"example.test/one"_s);

    // A rename elsewhere of the same request reaches the editor too.
    APIRequest renamed = *state.openRequest();
    renamed.name = u"Renamed"_s;
    state.setOpenRequest(renamed);
    EXPECT_EQ(run.view()->viewModel().request().name, u"Renamed"_s);
}

TEST(RequestView, eachTabKeepsItsBodyDocumentWithCursorAndHistory)
{
    EditorRun run;
    AppState& state = run.state();
    const QUuid firstTab = *state.activeTabID();
    QTest::mouseClick(run.find<QToolButton>(u"bodyTab"_s), Qt::LeftButton);
    QTest::mouseClick(run.find<QToolButton>(u"bodyTypeRaw"_s), Qt::LeftButton);
    auto* body = run.find<QPlainTextEdit>(u"bodyText"_s);
    QTest::keyClicks(body, u"one"_s);
    QTest::keyClick(body, Qt::Key_Return);
    QTest::keyClicks(body, u"two"_s);
    body->moveCursor(QTextCursor::Start);
    QTest::keyClick(body, Qt::Key_Right);
    QTextDocument* first = body->document();

    state.openNewRequest();
    const QUuid secondTab = *state.activeTabID();
    EXPECT_NE(body->document(), first);
    EXPECT_EQ(body->toPlainText(), QString());
    QTest::mouseClick(run.find<QToolButton>(u"bodyTypeRaw"_s), Qt::LeftButton);
    QTest::keyClicks(body, u"other"_s);
    const QPointer<QTextDocument> second = body->document();

    state.switchToTab(firstTab);
    EXPECT_EQ(body->document(), first);
    EXPECT_EQ(body->toPlainText(), u"one\ntwo"_s);
    EXPECT_EQ(body->textCursor().position(), 1);
    // The history is this tab's: undoing takes back this tab's typing, and the request follows.
    ASSERT_TRUE(first->isUndoAvailable());
    QTest::keyClick(body, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(body->toPlainText(), u"one\ntwo"_s);
    EXPECT_EQ(state.openRequest()->body, body->toPlainText());

    state.switchToTab(secondTab);
    EXPECT_EQ(body->document(), second.data());
    EXPECT_EQ(body->toPlainText(), u"other"_s);
    // A closed tab's document goes with it.
    state.switchToTab(firstTab);
    state.closeTab(secondTab);
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(body->document(), first);

    // A long text brings the scroll bar along, a short one takes it away again.
    state.openNewRequest();
    APIRequest tall = *state.openRequest();
    tall.bodyType = RequestBodyType::raw;
    tall.body = u"line\n"_s.repeated(400);
    state.setOpenRequest(tall);
    const QUuid tallTab = *state.activeTabID();
    state.switchToTab(firstTab);
    EXPECT_EVENTUALLY(!body->verticalScrollBar()->isVisible());
    state.switchToTab(tallTab);
    EXPECT_EQ(body->toPlainText(), tall.body);
    EXPECT_EVENTUALLY(body->verticalScrollBar()->isVisible());
    EXPECT_EQ(body->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

// "Custom..." at the end of the method menu asks for any method by name: a name HTTP does not
// allow is refused in the sheet, one of the seven in other letters is that one, any other is
// shown on the button and goes out as typed.
TEST(RequestView, aCustomMethodIsAskedForByNameAndGoesOut)
{
    HttpTestServer server;
    EditorRun run;
    QTest::keyClicks(run.url(), server.baseUrl() + u"/cache"_s);
    auto* method = run.find<QToolButton>(u"methodButton"_s);
    QMenu* menu = method->menu();
    const auto typeCustom = [&](const QString& typed) {
        menu->popup(method->mapToGlobal(QPoint(0, method->height())));
        EXPECT_EVENTUALLY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_Up); // round to the last entry
        EXPECT_EQ(menu->activeAction()->objectName(), u"methodCustom"_s);
        QTest::keyClick(menu, Qt::Key_Return);
        auto* sheet = visibleDialog(u"customMethodSheet"_s);
        EXPECT_TRUE(sheet);
        if (!sheet)
            return sheet;
        auto* field = child<QLineEdit>(sheet, u"customMethodField"_s);
        field->selectAll();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        return visibleDialog(u"customMethodSheet"_s);
    };

    QWidget* refused = typeCustom(u"PUR GE"_s);
    ASSERT_TRUE(refused);
    auto* problem = child<QLabel>(refused, u"customMethodProblem"_s);
    EXPECT_TRUE(problem->isVisible());
    EXPECT_TRUE(problem->text().startsWith(u"\"PUR GE\" cannot be a method"_s));
    QTest::keyClick(child<QLineEdit>(refused, u"customMethodField"_s), Qt::Key_Escape);
    EXPECT_EVENTUALLY(!visibleDialog(u"customMethodSheet"_s));
    EXPECT_EQ(method->text(), u"GET"_s);

    EXPECT_FALSE(typeCustom(u"delete"_s));
    EXPECT_EQ(run.state().openRequest()->method, HTTPMethod::delete_);
    EXPECT_EQ(method->text(), u"DELETE"_s);

    EXPECT_FALSE(typeCustom(u"PURGE"_s));
    EXPECT_EQ(method->text(), u"PURGE"_s);
    EXPECT_TRUE(menu->findChild<QAction*>(u"methodCustom"_s)->isChecked());
    EXPECT_FALSE(menu->findChild<QAction*>(u"methodDELETE"_s)->isChecked());
    QTest::keyClick(run.url(), Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(server.waitForRequests(1));
    EXPECT_EQ(server.requests().first().method, "PURGE");
    EXPECT_EVENTUALLY_EQ(run.state().history().size(), 1);
    EXPECT_EQ(methodName(run.state().history().first().request), u"PURGE"_s);
}

TEST(RequestView, anEmptyURLGetsTheFocusAndIsRefusedOnSend)
{
    EditorRun run;
    EXPECT_EVENTUALLY(run.url()->hasFocus());
    run.action(u"sendRequestAction"_s)->trigger();
    EXPECT_EQ(run.view()->viewModel().error(), RequestViewModel::kEmptyURLMessage);
    EXPECT_TRUE(run.state().history().isEmpty());
}

TEST(RequestView, pastingACurlCommandIntoTheURLOpensItAsARequest)
{
    EditorRun run;
    QApplication::clipboard()->setText(
        u"curl -X DELETE https://api.example.test/items/3 -H 'Accept: text/plain'"_s);
    run.url()->setFocus();
    QTest::keyClick(run.url(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(run.state().tabs().size(), 2);
    EXPECT_TRUE(run.state().tabs().first().request.url.isEmpty());
    EXPECT_EQ(run.state().openRequest()->method, HTTPMethod::delete_);
    EXPECT_EQ(run.url()->text(), u"https://api.example.test/items/3"_s);

    // Other text is pasted as it is.
    QApplication::clipboard()->setText(u"curling.example.test"_s);
    run.url()->clear();
    QTest::keyClick(run.url(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(run.url()->text(), u"curling.example.test"_s);
    EXPECT_EQ(run.state().tabs().size(), 2);
}

TEST(RequestView, theLineUnderTheURLShowsItAsItWillGoOut)
{
    EditorRun run;
    run.state().setGlobalVariables({{.key = u"host"_s, .value = u"api.example.test"_s},
        {.key = u"key"_s, .value = u"s3cr3t/x y"_s, .isSecret = true}});
    APIRequest request = *run.state().openRequest();
    request.queryParams
        = {{.key = u"q"_s, .value = u"a&b c"_s}, {.key = u"off"_s, .isEnabled = false}};
    run.state().setOpenRequest(request);
    auto* preview = run.find<QLabel>(u"urlPreview"_s);
    const struct {
        QString typed;
        RequestBodyType body;
        QString shown;
    } cases[] {
        {u"http://{{host}}/a?x=1"_s, RequestBodyType::none,
            u"http://api.example.test/a?x=1&q=a%26b%20c"_s},
        {u"{{host}}/a"_s, RequestBodyType::json, u"https://api.example.test/a?q=a%26b%20c"_s},
        // A form's rows are its body, not the URL's query.
        {u"{{host}}/a"_s, RequestBodyType::formData, u"https://api.example.test/a"_s},
        // Characters that may not stand raw in a URL show encoded, as they are sent.
        {u"{{host}}/p/{id}?q=\"me\" <x>"_s, RequestBodyType::none,
            u"https://api.example.test/p/%7Bid%7D?q=%22me%22%20%3Cx%3E&q=a%26b%20c"_s},
        // A secret shows where it goes, never what it is.
        {u"{{host}}/{{key}}?k={{key}}"_s, RequestBodyType::formData,
            u"https://api.example.test/\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022?k="
            "\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        request = *run.state().openRequest();
        request.bodyType = c.body;
        run.state().setOpenRequest(request);
        run.url()->clear();
        QTest::keyClicks(run.url(), c.typed);
        EXPECT_EQ(preview->toolTip(), c.shown);
    }
    // What cannot go out says why, as the send would.
    run.url()->clear();
    QTest::keyClicks(run.url(), u"https://{{host}}/{{id}}"_s);
    EXPECT_TRUE(preview->toolTip().contains(u"{{id}}"_s)) << preview->toolTip().toStdString();
}

TEST(RequestView, dynamicVariablesAreNotUndefinedAndCompleteAfterTheEnvironmentsNames)
{
    HttpTestServer server;
    EditorRun run;
    run.state().setGlobalVariables(
        {{.key = u"base"_s, .value = server.baseUrl()}, {.key = u"region"_s, .value = u"eu"_s}});
    QTest::keyClicks(run.url(), u"{{base}}/t?at={{$timestamp}}&id={{"_s);
    EXPECT_FALSE(run.find<QLabel>(u"undefinedVariables"_s)->isVisible());
    auto* completer = child<QCompleter>(run.url(), u"variableCompleter"_s);
    ASSERT_TRUE(completer);
    EXPECT_EVENTUALLY(completer->popup()->isVisible());
    QStringList listed;
    for (int row = 0; row < 3; ++row)
        listed.append(completer->completionModel()->index(row, 0).data().toString());
    EXPECT_EQ(listed, (QStringList {u"base"_s, u"region"_s, u"$guid"_s}));

    QTest::keyClicks(run.url(), u"$gu"_s);
    EXPECT_EQ(completer->completionCount(), 1);
    // Return takes the name; it does not also send.
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    EXPECT_EQ(run.url()->text(), u"{{base}}/t?at={{$timestamp}}&id={{$guid}}"_s);
    EXPECT_FALSE(completer->popup()->isVisible());

    click(run.sendButton());
    ASSERT_TRUE(server.waitForRequests(1));
    const QUrlQuery query(QUrl(QString::fromLatin1(server.requests().first().target)));
    EXPECT_FALSE(QUuid::fromString(query.queryItemValue(u"id"_s)).isNull());
    EXPECT_GT(query.queryItemValue(u"at"_s).toLongLong(), 1'700'000'000);
    EXPECT_EQ(server.requests().size(), 1);
}

TEST(RequestView, aNewEditorShowsTheRequestAlreadyOpen)
{
    ShellRun run;
    run.state().openNewRequest();
    APIRequest open = *run.state().openRequest();
    open.url = u"https://api.example.test/open"_s;
    open.method = HTTPMethod::put;
    run.state().setOpenRequest(open);
    RequestView view(run.state(), run.app->commands(), run.app->settings());
    EXPECT_EQ(view.viewModel().request(), open);
    EXPECT_EQ(child<QLineEdit>(&view, u"urlField"_s)->text(), open.url);
    EXPECT_EQ(child<QToolButton>(&view, u"methodButton"_s)->text(), u"PUT"_s);
}

TEST(RequestView, undefinedPlaceholdersAreColouredAndNamedBeforeTheSendThatKeepsThem)
{
    HttpTestServer server;
    EditorRun run;
    run.state().setGlobalVariables({{.key = u"base"_s, .value = server.baseUrl()}});
    QTest::keyClicks(run.url(), u"{{base}}/items"_s);
    auto* undefined = run.find<QLabel>(u"undefinedVariables"_s);
    ASSERT_TRUE(undefined);
    EXPECT_FALSE(undefined->isVisible());

    QTest::mouseClick(run.find<QToolButton>(u"headersTab"_s), Qt::LeftButton);
    auto* headers = child<QTableView>(run.find(u"headersEditor"_s), u"rowsTable"_s);
    run.typeIntoCell(headers, 0, 1, u"X-Token"_s);
    run.typeIntoCell(headers, 0, 2, u"{{token}}"_s);
    QTest::mouseClick(run.find<QToolButton>(u"bodyTab"_s), Qt::LeftButton);
    QTest::mouseClick(run.find<QToolButton>(u"bodyTypeJSON"_s), Qt::LeftButton);
    auto* body = run.find<QPlainTextEdit>(u"bodyText"_s);
    QTest::keyClicks(body, u"{\"tenant\": \"{{tenant}}\"}"_s);
    QTest::mouseClick(run.find<QToolButton>(u"authTab"_s), Qt::LeftButton);
    auto* authType = run.find<QComboBox>(u"authType"_s);
    authType->setCurrentIndex(authType->findText(u"Bearer Token"_s));
    Q_EMIT authType->activated(authType->currentIndex());
    auto* token = run.find<QLineEdit>(u"authToken"_s);
    QTest::keyClicks(token, u"{{secret}}"_s);
    EXPECT_EQ(undefined->text(),
        u"3 undefined variables, sent as typed: {{token}}, {{tenant}}, {{secret}}"_s);
    EXPECT_TRUE(undefined->isVisible());

    // The body colours its placeholder red, as the URL field does.
    EXPECT_EVENTUALLY_EQ(body->extraSelections().size(), 1);
    const QTextEdit::ExtraSelection coloured = body->extraSelections().value(0);
    EXPECT_EQ(coloured.cursor.selectedText(), u"{{tenant}}"_s);
    EXPECT_EQ(coloured.format.foreground().color(), systemColor(SystemColor::red, body->palette()));
    // The credential explains its placeholder under the pointer.
    token->setCursorPosition(4);
    const QPoint inside = token->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QHelpEvent help(QEvent::ToolTip, inside, token->mapToGlobal(inside));
    QApplication::sendEvent(token, &help);
    EXPECT_EQ(QToolTip::text(), u"secret is not defined in the active environment or globals"_s);

    // Defining one takes it off the list at once; the one left is counted as one.
    run.state().setGlobalVariables({{.key = u"base"_s, .value = server.baseUrl()},
        {.key = u"token"_s, .value = u"t-1"_s}, {.key = u"tenant"_s, .value = u"acme"_s}});
    EXPECT_EQ(undefined->text(), u"1 undefined variable, sent as typed: {{secret}}"_s);
    EXPECT_EVENTUALLY_EQ(body->extraSelections().value(0).format.foreground().color(),
        body->palette().color(QPalette::Link));

    // The send still goes ahead, with the placeholder as typed.
    click(run.sendButton());
    ASSERT_TRUE(server.waitForRequests(1));
    EXPECT_EQ(server.requests().first().header("Authorization"), "Bearer {{secret}}");
    EXPECT_EQ(server.requests().first().header("X-Token"), "t-1");
}

// The kinds with more than one field show them in the order Tab walks, secrets masked; the
// name and secret stay when the kind changes, and a send signs with what was typed.
TEST(RequestView, challengeAndSignatureKindsShowTheirFieldsAndSend)
{
    HttpTestServer server;
    EditorRun run;
    QTest::keyClicks(run.url(), server.baseUrl() + u"/bucket"_s);
    QTest::mouseClick(run.find<QToolButton>(u"authTab"_s), Qt::LeftButton);
    auto* type = run.find<QComboBox>(u"authType"_s);
    type->window()->activateWindow();
    EXPECT_EVENTUALLY(QApplication::activeWindow() == type->window());
    type->setFocus();
    QTest::keyClick(type, Qt::Key_End);
    ASSERT_EQ(type->currentText(), u"AWS Signature"_s);
    EXPECT_FALSE(run.find(u"authToken"_s)->isVisible());
    EXPECT_FALSE(run.find(u"authDomain"_s)->isVisible());

    const struct {
        QString objectName;
        QString accessibleName;
        QString typed;
        bool masked;
    } fields[] {
        {u"authUsername"_s, u"Access Key"_s, u"AKIDEXAMPLE"_s, false},
        {u"authPassword"_s, u"Secret Key"_s, u"{{secret}}"_s, true},
        {u"awsRegion"_s, u"Region"_s, u"eu-west-1"_s, false},
        {u"awsService"_s, u"Service"_s, u"s3"_s, false},
        {u"awsSessionToken"_s, u"Session Token"_s, u"tok-1"_s, true},
    };
    for (const auto& field : fields) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_TRUE(edit) << field.objectName.toStdString() << " expected after Tab";
        EXPECT_EQ(edit->objectName(), field.objectName);
        EXPECT_EQ(edit->accessibleName(), field.accessibleName);
        EXPECT_EQ(edit->echoMode() == QLineEdit::Password, field.masked);
        QTest::keyClicks(edit, field.typed);
    }
    run.state().setGlobalVariables({{.key = u"secret"_s, .value = u"SK/1"_s}});
    EXPECT_EVENTUALLY_EQ(run.state().openRequest()->authToken, u"AKIDEXAMPLE:{{secret}}"_s);
    const APIRequest typed = *run.state().openRequest();
    EXPECT_EQ(QStringList({typed.awsRegion, typed.awsService, typed.awsSessionToken}),
        QStringList({u"eu-west-1"_s, u"s3"_s, u"tok-1"_s}));

    click(run.sendButton());
    ASSERT_TRUE(server.waitForRequests(1));
    const RecordedRequest sent = server.requests().first();
    EXPECT_TRUE(sent.header("Authorization").startsWith("AWS4-HMAC-SHA256 Credential=AKIDEXAMPLE/"))
        << sent.header("Authorization").toStdString();
    EXPECT_TRUE(sent.header("Authorization").contains("/eu-west-1/s3/aws4_request"));
    EXPECT_EQ(sent.header("x-amz-security-token"), "tok-1");

    // NTLM: the same name and secret, now with a domain and without the AWS fields.
    type->setFocus();
    QTest::keyClick(type, Qt::Key_Up);
    QTest::keyClick(type, Qt::Key_Up);
    ASSERT_EQ(type->currentText(), u"NTLM"_s);
    auto* user = run.find<QLineEdit>(u"authUsername"_s);
    EXPECT_EQ(user->text(), u"AKIDEXAMPLE"_s);
    EXPECT_EQ(user->accessibleName(), u"Username"_s);
    EXPECT_TRUE(run.find(u"authDomain"_s)->isVisible());
    EXPECT_FALSE(run.find(u"awsRegion"_s)->isVisible());
    EXPECT_EVENTUALLY_EQ(run.state().openRequest()->authType, AuthType::ntlm);
}
