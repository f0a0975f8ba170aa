#include "editorpieces.h"
#include "model/recordjson.h"
#include "shellrun.h"
#include "state/oauth2tokens.h"
#include "state/secretstore.h"
#include "support/httptestserver.h"
#include "ui/editor/oauth2pane.h"
#include "ui/editor/requestview.h"
#include "ui/sidebar/sidebar.h"
#include "windowtesting.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// A secret store in a hash the test reads, answering later as the desktop's does.
struct HashSecretStore : SecretStore {
    explicit HashSecretStore(QHash<QString, QString>* values)
        : values(values)
    { }
    void read(const QString& key, ReadDone done) override
    {
        QTimer::singleShot(0, [this, key, done] { done(values->value(key), true); });
    }
    void write(const QString& key, const QString& secret, WriteDone done) override
    {
        if (secret.isEmpty())
            values->remove(key);
        else
            values->insert(key, secret);
        QTimer::singleShot(0, [done] {
            if (done)
                done(true);
        });
    }
    QHash<QString, QString>* values;
};

// Picks `text` in a focused combo box with the arrow keys, as a user does.
void chooseByKeys(QComboBox* combo, const QString& text)
{
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int step = 0; step < combo->count() && combo->currentText() != text; ++step)
        QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(combo->currentText(), text);
}

// Every data file of the run, as one text, for looking for what must not be there.
QByteArray everyFile(const TempAppFolder& folder)
{
    QByteArray all;
    for (const QString& name : folder.fileNames())
        all += folder.read(name);
    return all;
}

} // namespace

// "Inherit from collection" says what the collection gives, follows it, sends it and shows it
// in the code; outside a collection it sends nothing.
TEST(AuthPanes, anInheritingRequestSaysWhatItGoesWithAndSendsIt)
{
    HttpTestServer server;
    ShellRun run;
    ASSERT_TRUE(run.activate());
    const APIRequest stored {
        .name = u"Inherits"_s, .url = server.baseUrl() + u"/a"_s, .authType = AuthType::inherit};
    Collection shop {.name = u"Shop"_s, .requests = {stored}};
    shop.authType = AuthType::bearer;
    shop.authToken = u"from-shop"_s;
    run.state().appendCollection(shop);
    run.state().openFromCollection(stored, shop.id);
    auto* view = run.find<RequestView>(u"httpScreen"_s);
    QTest::mouseClick(child<QToolButton>(view, u"authTab"_s), Qt::LeftButton);
    auto* type = child<QComboBox>(view, u"authType"_s);
    auto* note = child<QLabel>(view, u"authNote"_s);
    EXPECT_EQ(type->currentText(), u"Inherit from collection"_s);
    EXPECT_EQ(note->text(), u"Uses the collection's Bearer Token, from “Shop”"_s);
    EXPECT_FALSE(child<QWidget>(view, u"authToken"_s)->isVisible());

    run.state().setCollectionAuth(
        shop.id, APIRequest {.authType = AuthType::apiKey, .authToken = u"shop-key"_s});
    EXPECT_EVENTUALLY_EQ(note->text(), u"Uses the collection's API Key, from “Shop”"_s);
    click(child<QPushButton>(view, u"sendButton"_s));
    ASSERT_TRUE(server.waitForRequests(1));
    EXPECT_EQ(server.requests()[0].header("X-API-Key"), "shop-key");
    EXPECT_EQ(run.state().openRequest()->authType, AuthType::inherit);
    // The Code tab shows what goes, and follows the collection while it is in view.
    QTest::mouseClick(child<QToolButton>(view, u"codeTab"_s), Qt::LeftButton);
    auto* code = child<QPlainTextEdit>(view, u"codeArea"_s);
    EXPECT_EVENTUALLY(code->toPlainText().contains(u"X-API-Key: shop-key"_s));
    run.state().setCollectionAuth(
        shop.id, APIRequest {.authType = AuthType::bearer, .authToken = u"later"_s});
    EXPECT_EVENTUALLY(code->toPlainText().contains(u"Authorization: Bearer later"_s));

    // A request of no collection chosen to inherit goes without.
    QTest::keyClick(&run.window(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClicks(child<QLineEdit>(view, u"urlField"_s), server.baseUrl() + u"/b"_s);
    QTest::mouseClick(child<QToolButton>(view, u"authTab"_s), Qt::LeftButton);
    chooseByKeys(type, u"Inherit from collection"_s);
    EXPECT_EVENTUALLY_EQ(run.state().openRequest()->authType, AuthType::inherit);
    EXPECT_EQ(note->text(), u"Not in a collection: the request goes without auth"_s);
    click(child<QPushButton>(view, u"sendButton"_s));
    ASSERT_TRUE(server.waitForRequests(2));
    EXPECT_TRUE(server.requests()[1].header("X-API-Key").isEmpty());
    EXPECT_TRUE(server.requests()[1].header("Authorization").isEmpty());
}

// Each grant shows its own fields; the kept token shows its type, scope and expiry, copies
// whole and is forgotten; typed secrets go to the vault and never into the request.
TEST(AuthPanes, theOAuthPaneShowsTheGrantsFieldsTheKeptTokenAndKeepsSecretsInTheVault)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest&) {
        return ScriptedResponse {.status = 401, .body = R"({"error": "invalid_client"})"};
    });
    const OAuth2Settings settings {.grant = OAuth2Grant::clientCredentials,
        .tokenUrl = server.baseUrl() + u"/token"_s,
        .clientId = u"app"_s};
    const QString tokenKey = oauth2SecretKey(settings, u"token"_s);
    const QString secretKey = oauth2SecretKey(settings, u"clientSecret"_s);
    QHash<QString, QString> stored {{secretKey, u"stored-secret"_s},
        {tokenKey,
            uR"({"access_token": "abcdefghijklmnopqrstuvwxyz0123", "token_type": "Bearer",
                "scope": "read write", "expires_at": %1})"_s.arg(
                QDateTime::currentSecsSinceEpoch() + 3500)}};
    APIRequest request {.authType = AuthType::oauth2};
    request.oauth2 = settings;
    PieceRun run(request);
    SecretVault vault(std::make_unique<HashSecretStore>(&stored));
    OAuth2Tokens tokens(vault, NetworkService::shared());
    auto* pane = run.show(new OAuth2Pane(run.model, tokens, PieceRun::noVariables));
    auto* tokenState = child<QLabel>(pane, u"oauth2TokenState"_s);
    auto* secret = child<QLineEdit>(pane, u"oauth2ClientSecret"_s);
    EXPECT_EVENTUALLY_EQ(tokenState->text(), u"Bearer · Scope: read write · Expires in 59 min"_s);
    EXPECT_EQ(child<QLabel>(pane, u"oauth2TokenText"_s)->text(), u"abcdef…yz0123"_s);
    EXPECT_EQ(secret->text(), u"stored-secret"_s);
    EXPECT_EQ(secret->echoMode(), QLineEdit::Password);
    click(child<QPushButton>(pane, u"oauth2CopyToken"_s));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"abcdefghijklmnopqrstuvwxyz0123"_s);

    auto* grant = child<QComboBox>(pane, u"oauth2Grant"_s);
    const struct {
        QString grant;
        OAuth2Grant stored;
        QStringList shown; // of the fields that only some grants have
    } grants[] {
        {u"Authorization Code (PKCE)"_s, OAuth2Grant::authorizationCode,
            {u"oauth2AuthUrl"_s, u"oauth2RedirectPort"_s}},
        {u"Password"_s, OAuth2Grant::password, {u"oauth2Username"_s, u"oauth2Password"_s}},
        {u"Client Credentials"_s, OAuth2Grant::clientCredentials, {}},
    };
    for (const auto& g : grants) {
        SCOPED_TRACE(g.grant.toStdString());
        chooseByKeys(grant, g.grant);
        EXPECT_EQ(run.model.request().oauth2.grant, g.stored);
        QStringList shown;
        for (const QString& name : {u"oauth2AuthUrl"_s, u"oauth2RedirectPort"_s,
                 u"oauth2Username"_s, u"oauth2Password"_s}) {
            if (child<QWidget>(pane, name)->isVisible())
                shown.append(name);
        }
        EXPECT_EQ(shown, g.shown);
    }

    secret->setFocus();
    secret->selectAll();
    QTest::keyClicks(secret, u"typed-secret"_s);
    EXPECT_EQ(tokens.clientSecret(run.model.request().oauth2), u"typed-secret"_s);
    EXPECT_EVENTUALLY_EQ(stored.value(secretKey), u"typed-secret"_s);
    EXPECT_FALSE(encodeRecords(QList {run.model.request()}).contains("typed-secret"));

    click(child<QPushButton>(pane, u"oauth2ForgetToken"_s));
    EXPECT_EQ(tokenState->text(), u"No token yet"_s);
    EXPECT_FALSE(child<QWidget>(pane, u"oauth2CopyToken"_s)->isVisible());
    EXPECT_EVENTUALLY(!stored.contains(tokenKey));

    // A fetch is busy until it ends (its end cannot come before the event loop runs): Cancel
    // ends it at once, with nothing to say; a refused one says why in the pane.
    auto* getToken = child<QPushButton>(pane, u"oauth2GetToken"_s);
    auto* cancel = child<QPushButton>(pane, u"oauth2CancelToken"_s);
    auto* error = child<QLabel>(pane, u"oauth2Error"_s);
    click(getToken);
    EXPECT_FALSE(getToken->isEnabled());
    EXPECT_TRUE(cancel->isVisible());
    click(cancel);
    EXPECT_TRUE(getToken->isEnabled());
    EXPECT_FALSE(cancel->isVisible());
    click(getToken);
    EXPECT_EVENTUALLY(error->isVisible() && getToken->isEnabled());
    EXPECT_FALSE(error->text().isEmpty());
    EXPECT_FALSE(cancel->isVisible());
}

// The collection's own Auth sheet has no inherit choice; OAuth 2.0 set there and in a request's
// Auth tab keeps the typed secrets in the vault and out of every data file.
TEST(AuthPanes, oauthSecretsTypedForACollectionOrARequestReachNoFile)
{
    ShellRun run;
    ASSERT_TRUE(run.activate());
    const APIRequest stored {.name = u"R"_s, .url = u"http://127.0.0.1:1/r"_s};
    const Collection api {.name = u"API"_s, .requests = {stored}};
    run.state().appendCollection(api);
    run.find<Sidebar>(u"sidebar"_s)->showCollectionAuth(api.id);
    QWidget* sheet = nullptr;
    EXPECT_EVENTUALLY((sheet = visibleDialog(u"collectionAuthSheet"_s)) != nullptr);
    ASSERT_TRUE(sheet);
    auto* type = child<QComboBox>(sheet, u"authType"_s);
    EXPECT_EQ(type->findText(u"Inherit from collection"_s), -1);
    chooseByKeys(type, u"OAuth 2.0"_s);
    QTest::keyClicks(child<QLineEdit>(sheet, u"oauth2TokenUrl"_s), u"http://127.0.0.1:1/t"_s);
    QTest::keyClicks(child<QLineEdit>(sheet, u"oauth2ClientId"_s), u"collection-app"_s);
    QTest::keyClicks(child<QLineEdit>(sheet, u"oauth2ClientSecret"_s), u"collection-secret"_s);
    click(child<QPushButton>(sheet, u"saveCollectionAuthButton"_s));
    EXPECT_EVENTUALLY(visibleDialog(u"collectionAuthSheet"_s) == nullptr);
    const Collection saved = *run.state().collectionStore().collection(api.id);
    EXPECT_EQ(saved.authType, AuthType::oauth2);
    EXPECT_EQ(saved.oauth2.clientId, u"collection-app"_s);
    EXPECT_EQ(run.state().oauth2Tokens().clientSecret(saved.oauth2), u"collection-secret"_s);

    // The request's own, typed in its Auth tab; the secret typed before the id follows it.
    run.state().openFromCollection(stored, api.id);
    auto* view = run.find<RequestView>(u"httpScreen"_s);
    QTest::mouseClick(child<QToolButton>(view, u"authTab"_s), Qt::LeftButton);
    chooseByKeys(child<QComboBox>(view, u"authType"_s), u"OAuth 2.0"_s);
    QTest::keyClicks(child<QLineEdit>(view, u"oauth2TokenUrl"_s), u"http://127.0.0.1:1/t"_s);
    QTest::keyClicks(child<QLineEdit>(view, u"oauth2ClientSecret"_s), u"request-secret"_s);
    QTest::keyClicks(child<QLineEdit>(view, u"oauth2ClientId"_s), u"request-app"_s);
    EXPECT_EVENTUALLY_EQ(run.state().openRequest()->oauth2.clientId, u"request-app"_s);
    EXPECT_EQ(run.state().oauth2Tokens().clientSecret(run.state().openRequest()->oauth2),
        u"request-secret"_s);
    // Only the client finally named holds it, not each one named on the way there.
    OAuth2Settings halfway = run.state().openRequest()->oauth2;
    halfway.clientId.chop(1);
    EXPECT_EQ(run.state().oauth2Tokens().clientSecret(halfway), u""_s);
    QTest::keyClick(&run.window(), Qt::Key_S, Qt::ControlModifier);

    run.state().saveCollections();
    run.state().saveHistory();
    EXPECT_EVENTUALLY(everyFile(run.folder).contains("request-app"));
    const QByteArray files = everyFile(run.folder);
    EXPECT_TRUE(files.contains("collection-app"));
    EXPECT_FALSE(files.contains("collection-secret"));
    EXPECT_FALSE(files.contains("request-secret"));
}
