#include "../preferences/preferencesrun.h"
#include "execution/hostcertificate.h"
#include "state/oauth2tokens.h"
#include "support/fakesecretstore.h"
#include "support/httptestserver.h"
#include "support/oauth2testserver.h"

#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// Everything under `root`, as one text, for looking for what must not be there.
QByteArray everyFileUnder(const QString& root)
{
    QByteArray all;
    QDirIterator files(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly))
            all += file.readAll();
    }
    return all;
}

bool finishFileOperation(AppState& state, const std::function<void()>& start)
{
    QSignalSpy finished(&state, &AppState::fileOperationFinished);
    start();
    return (!finished.isEmpty() || finished.wait(20000)) && finished.first().first().toBool();
}

} // namespace

// Each feature that takes a secret is used once in one run: the proxy password, a client
// certificate's passphrase, OAuth 2.0 client secrets, a password-grant password and the tokens
// they earn, the secrets of an imported Postman collection, a secret environment variable and a
// secret global (sent, and changed by a script) and a secret of an imported Postman
// environment. Afterwards the secret store holds them, and not one of them is in a data file,
// the preference file, a collection export or a backup, which says which secrets it left out.
TEST(Secrets, noSecretReachesADataFileAnExportOrABackup)
{
    QHash<QString, QString> held;
    PreferencesRun run({{u"proxyAuth"_s, true}}, std::make_unique<FakeSecretStore>(&held));
    AppState& state = run.state();
    OAuth2TestServer oauth;
    QTemporaryDir elsewhere;

    // The proxy password, typed in Preferences (the proxy itself stays off).
    auto* proxyPassword = run.control<QLineEdit>(u"proxyPasswordField"_s);
    QTest::keyClicks(proxyPassword, u"proxy-pw-2718"_s);
    QTest::keyClick(proxyPassword, Qt::Key_Return);

    // A certificate passphrase, as a pasted curl command brings one.
    state.addHostCertificate(HostCertificate {.host = u"mtls.example"_s,
        .type = HostCertificate::Type::pkcs12,
        .certificateFile = elsewhere.filePath(u"client.p12"_s),
        .passphrase = u"cert-pass-1618"_s});

    // A collection whose requests inherit its client-credentials grant, and a request with a
    // password grant of its own, both sent from the window.
    const OAuth2Settings clientGrant {.grant = OAuth2Grant::clientCredentials,
        .tokenUrl = oauth.tokenUrl(),
        .clientId = QString::fromLatin1(OAuth2TestServer::kClientId)};
    OAuth2Settings passwordGrant = clientGrant;
    passwordGrant.grant = OAuth2Grant::password;
    passwordGrant.username = QString::fromLatin1(OAuth2TestServer::kUsername);
    Collection api {.name = u"API"_s,
        .requests
        = {{.name = u"Inherits"_s, .url = oauth.resourceUrl(), .authType = AuthType::inherit},
            {.name = u"Own"_s,
                .url = oauth.resourceUrl(),
                .authType = AuthType::oauth2,
                .oauth2 = passwordGrant}}};
    api.authType = AuthType::oauth2;
    api.oauth2 = clientGrant;
    state.appendCollection(api);
    state.oauth2Tokens().setClientSecret(
        clientGrant, QString::fromLatin1(OAuth2TestServer::kClientSecret));
    state.oauth2Tokens().setPassword(
        passwordGrant, QString::fromLatin1(OAuth2TestServer::kPassword));
    QStringList tokens;
    for (const APIRequest& request : api.requests) {
        state.openFromCollection(request, api.id);
        const qsizetype before = oauth.resourceRequests().size();
        ASSERT_TRUE(run.activate());
        QTest::keyClick(&run.window(), Qt::Key_Return, Qt::ControlModifier);
        EXPECT_EVENTUALLY(oauth.resourceRequests().size() == before + 1);
        tokens.append(oauth.lastIssuedToken());
    }
    EXPECT_EQ(oauth.grantCount(u"client_credentials"_s), 1);
    EXPECT_EQ(oauth.grantCount(u"password"_s), 1);

    // A secret environment variable and a secret global go out with a request whose
    // pre-request script changes the first.
    HttpTestServer server;
    state.addEnvironment(u"Staging"_s);
    const QUuid staging = state.environments().last().id;
    state.setEnvironmentVariables(staging,
        {KeyValuePair {.key = u"envToken"_s, .value = u"env-secret-9001"_s, .isSecret = true}});
    state.setActiveEnvironment(staging);
    state.setGlobalVariables(
        {KeyValuePair {.key = u"globalKey"_s, .value = u"global-secret-7007"_s, .isSecret = true}});
    APIRequest usesSecrets {.name = u"Uses secrets"_s,
        .url = server.baseUrl() + u"/v?k={{globalKey}}"_s,
        .headers = {KeyValuePair {.key = u"X-Env"_s, .value = u"{{envToken}}"_s}}};
    usesSecrets.preRequestScript
        = u"pm.environment.set('envToken', pm.environment.get('envToken') + '-rotated');"_s;
    const Collection vars {.name = u"Vars"_s, .requests = {usesSecrets}};
    state.appendCollection(vars);
    state.openFromCollection(usesSecrets, vars.id);
    ASSERT_TRUE(run.activate());
    QTest::keyClick(&run.window(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EVENTUALLY(!server.requests().isEmpty());
    ASSERT_FALSE(server.requests().isEmpty());
    EXPECT_EQ(server.requests().last().target, "/v?k=global-secret-7007");
    EXPECT_EQ(server.requests().last().header("X-Env"), "env-secret-9001-rotated");
    EXPECT_EVENTUALLY(
        state.environments().last().variables.first().value == u"env-secret-9001-rotated"_s);
    EXPECT_TRUE(state.environments().last().variables.first().isSecret);

    // A Postman environment's secret row stays secret.
    const QString postmanEnvironment = elsewhere.filePath(u"team.postman_environment.json"_s);
    QFile environmentFile(postmanEnvironment);
    ASSERT_TRUE(environmentFile.open(QIODevice::WriteOnly));
    environmentFile.write(R"({"name": "Team Env", "values": [
        {"key": "pmSecret", "value": "pm-env-secret-3141", "type": "secret", "enabled": true}]})");
    environmentFile.close();
    ASSERT_TRUE(
        finishFileOperation(state, [&] { state.importPostmanEnvironment(postmanEnvironment); }));

    // A Postman collection with an OAuth 2.0 client secret and a token of its own.
    const QString postman = elsewhere.filePath(u"team.postman_collection.json"_s);
    QFile file(postman);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"info": {"name": "Team", "schema":
        "https://schema.getpostman.com/json/collection/v2.1.0/collection.json"},
      "auth": {"type": "oauth2", "oauth2": [
        {"key": "grant_type", "value": "client_credentials"},
        {"key": "accessTokenUrl", "value": "http://127.0.0.1:9/token"},
        {"key": "clientId", "value": "team-app"},
        {"key": "clientSecret", "value": "postman-secret-1414"},
        {"key": "accessToken", "value": "postman-token-1732"}]},
      "item": [{"name": "Me", "request": {"method": "GET", "url": "http://127.0.0.1:9/me"}}]})");
    file.close();
    ASSERT_TRUE(finishFileOperation(state, [&] { state.importPostmanCollection(postman); }));

    const QString exported = elsewhere.filePath(u"export"_s);
    ASSERT_TRUE(QDir().mkpath(exported));
    for (const Collection& collection : state.collections()) {
        ASSERT_TRUE(finishFileOperation(state, [&] {
            state.exportCollection(collection.id, exported + u'/' + collection.name + u".json"_s);
        }));
        ASSERT_TRUE(finishFileOperation(state, [&] {
            state.exportPostmanCollection(
                collection.id, exported + u'/' + collection.name + u".postman.json"_s);
        }));
    }
    state.saveCollections();
    state.saveHistory();
    state.saveCurrentTabState();
    QStringList alerts;
    QObject::connect(&state, &AppState::alertMessageChanged, &state,
        [&] { alerts.append(state.alertMessage().value_or(QString())); });
    ASSERT_TRUE(
        finishFileOperation(state, [&] { state.exportAllData(exported + u"/backup.json"_s); }));
    EXPECT_TRUE(alerts.contains(u"3 secret values left out: globalKey, envToken, pmSecret"_s))
        << alerts.join(u'|').toStdString();

    const QStringList secrets
        = QStringList {u"proxy-pw-2718"_s, u"cert-pass-1618"_s,
              QString::fromLatin1(OAuth2TestServer::kClientSecret),
              QString::fromLatin1(OAuth2TestServer::kPassword), u"postman-secret-1414"_s,
              u"postman-token-1732"_s, u"env-secret-9001"_s, u"global-secret-7007"_s,
              u"pm-env-secret-3141"_s}
        + tokens;
    for (const QString& secret : secrets) {
        SCOPED_TRACE(secret.toStdString());
        EXPECT_EVENTUALLY(std::any_of(held.cbegin(), held.cend(),
            [&](const QString& value) { return value.contains(secret); }));
    }
    // What was written holds the work itself, so the search below looks in the right place.
    // The preference file sits beside the data folder.
    const QByteArray written
        = everyFileUnder(QFileInfo(run.folder.settingsFile()).path()) + everyFileUnder(exported);
    EXPECT_TRUE(written.contains("team-app") && written.contains("Inherits"));
    EXPECT_TRUE(written.contains("envToken") && written.contains("globalKey")
        && written.contains("pmSecret"));
    EXPECT_TRUE(written.contains("mtls.example"));
    for (const QString& secret : secrets)
        EXPECT_FALSE(written.contains(secret.toUtf8())) << secret.toStdString();
}
