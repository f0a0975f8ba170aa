#include "execution/networkservice.h"
#include "scripting/scriptedrunner.h"
#include "state/oauth2tokens.h"
#include "state/requestviewmodel.h"
#include "state/secretstore.h"
#include "state/sendsequence.h"
#include "staterun.h"
#include "support/oauth2testserver.h"
#include "support/waitfor.h"

#include <QDirIterator>
#include <QUrlQuery>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

const QString kClientId = QString::fromLatin1(OAuth2TestServer::kClientId);
const QString kClientSecret = QString::fromLatin1(OAuth2TestServer::kClientSecret);

// A token keeper over a vault of this run only, whose "browser" follows the authorization
// server's redirect to the loopback callback itself.
struct TokenRun {
    TokenRun()
    {
        tokens.setBrowser([this](const QUrl& url) { browser.open(url); });
    }

    OAuth2Settings settings(OAuth2Grant grant, OAuth2ClientAuth clientAuth)
    {
        OAuth2Settings made {.grant = grant,
            .authUrl = server.authUrl(),
            .tokenUrl = u"{{base}}/token"_s,
            .clientId = kClientId,
            .scope = u"{{scope}}"_s,
            .clientAuth = clientAuth,
            .username = QString::fromLatin1(OAuth2TestServer::kUsername)};
        tokens.setClientSecret(made, kClientSecret);
        tokens.setPassword(made, QString::fromLatin1(OAuth2TestServer::kPassword));
        return made;
    }

    QString resolve(const QString& text) const
    {
        return QString(text)
            .replace(u"{{base}}"_s, server.http().baseUrl())
            .replace(u"{{scope}}"_s, u"read write"_s);
    }

    Result<OAuth2Token> get(const OAuth2Settings& settings, bool forSend)
    {
        std::optional<Result<OAuth2Token>> got;
        const auto resolver = [this](const QString& text) { return resolve(text); };
        const auto done = [&got](const Result<OAuth2Token>& result) { got = result; };
        if (forSend)
            tokens.tokenForSend(settings, resolver, done);
        else
            tokens.fetchNew(settings, resolver, done);
        EXPECT_TRUE(waitFor([&] { return got.has_value(); }));
        return got.value_or(Error {u"no answer"_s});
    }

    OAuth2TestServer server;
    NetworkService network;
    SecretVault vault {std::make_unique<NoSecretStore>()};
    OAuth2Tokens tokens {vault, network};
    LoopbackBrowser browser;
};

} // namespace

// Each grant with each client authentication reaches a server that checks the client, the
// grant's parameters and, for the code, the PKCE verifier against the challenge it was given.
TEST(OAuth2Tokens, everyGrantGetsAndKeepsATokenWithEitherClientAuthentication)
{
    for (const OAuth2Grant grant :
        {OAuth2Grant::clientCredentials, OAuth2Grant::password, OAuth2Grant::authorizationCode}) {
        for (const OAuth2ClientAuth clientAuth :
            {OAuth2ClientAuth::basicHeader, OAuth2ClientAuth::body}) {
            SCOPED_TRACE(grantTypeName(grant).toStdString() + " "
                + clientAuthName(clientAuth).toStdString());
            TokenRun run;
            const OAuth2Settings settings = run.settings(grant, clientAuth);
            const Result<OAuth2Token> token = run.get(settings, false);
            ASSERT_TRUE(token.ok()) << token.errorMessage().toStdString();
            EXPECT_EQ(token->accessToken, run.server.lastIssuedToken());
            EXPECT_EQ(token->tokenType, u"Bearer"_s);
            EXPECT_TRUE(token->expiresAt.isValid());
            EXPECT_EQ(run.tokens.kept(settings), *token);
            EXPECT_EQ(run.server.grantCount(grantTypeName(grant)), 1);
            EXPECT_EQ(run.server.lastUsedBasic(), clientAuth == OAuth2ClientAuth::basicHeader);
            EXPECT_EQ(run.browser.opened(), grant == OAuth2Grant::authorizationCode ? 1 : 0);
            if (grant != OAuth2Grant::authorizationCode) {
                EXPECT_EQ(token->scope, u"read write"_s);
            }
        }
    }
}

// A browser that never comes back leaves the grant waiting until it is cancelled; an answer
// whose state is not the one sent is refused.
TEST(OAuth2Tokens, aWaitingGrantEndsByCancelOrByAForgedAnswer)
{
    TokenRun waiting;
    std::optional<QUrl> opened;
    waiting.tokens.setBrowser([&opened](const QUrl& url) { opened = url; });
    std::optional<Result<OAuth2Token>> got;
    waiting.tokens.fetchNew(
        waiting.settings(OAuth2Grant::authorizationCode, OAuth2ClientAuth::body),
        [&waiting](const QString& text) { return waiting.resolve(text); },
        [&got](const Result<OAuth2Token>& result) { got = result; });
    ASSERT_TRUE(waitFor([&] { return opened.has_value(); }));
    const QUrlQuery asked(*opened);
    EXPECT_EQ(asked.queryItemValue(u"code_challenge_method"_s), u"S256"_s);
    EXPECT_TRUE(asked.queryItemValue(u"redirect_uri"_s, QUrl::FullyDecoded)
                    .startsWith(u"http://127.0.0.1:"_s));
    EXPECT_FALSE(got.has_value());
    waiting.tokens.cancel();
    ASSERT_TRUE(waitFor([&] { return got.has_value(); }));
    EXPECT_EQ(got->errorMessage(), u"OAuth 2.0: cancelled before the browser returned"_s);

    TokenRun run;
    run.server.setForgeState(true);
    const OAuth2Settings settings
        = run.settings(OAuth2Grant::authorizationCode, OAuth2ClientAuth::basicHeader);
    const Result<OAuth2Token> token = run.get(settings, false);
    ASSERT_FALSE(token.ok());
    EXPECT_TRUE(token.errorMessage().contains(u"state"_s)) << token.errorMessage().toStdString();
    EXPECT_EQ(run.server.tokenRequests().size(), 0);
    EXPECT_FALSE(run.tokens.kept(settings).has_value());
}

// A send takes the kept token while it lasts, renews it by its refresh token when it runs out
// within the minute, and gets one by the grant when there is none, but never opens a browser.
TEST(OAuth2Tokens, aSendTakesTheKeptTokenAndRenewsOneAboutToExpire)
{
    TokenRun run;
    const OAuth2Settings credentials
        = run.settings(OAuth2Grant::clientCredentials, OAuth2ClientAuth::body);
    const Result<OAuth2Token> first = run.get(credentials, true);
    ASSERT_TRUE(first.ok()) << first.errorMessage().toStdString();
    EXPECT_EQ(run.get(credentials, true)->accessToken, first->accessToken);
    EXPECT_EQ(run.server.grantCount(u"client_credentials"_s), 1);

    for (const OAuth2Grant grant :
        {OAuth2Grant::clientCredentials, OAuth2Grant::authorizationCode}) {
        SCOPED_TRACE(grantTypeName(grant).toStdString());
        TokenRun shortLived;
        shortLived.server.setExpiresIn(30);
        const OAuth2Settings settings = shortLived.settings(grant, OAuth2ClientAuth::basicHeader);
        const Result<OAuth2Token> old = shortLived.get(settings, false);
        ASSERT_TRUE(old.ok()) << old.errorMessage().toStdString();
        const Result<OAuth2Token> renewed = shortLived.get(settings, true);
        ASSERT_TRUE(renewed.ok()) << renewed.errorMessage().toStdString();
        EXPECT_NE(renewed->accessToken, old->accessToken);
        EXPECT_EQ(renewed->accessToken, shortLived.server.lastIssuedToken());
        EXPECT_EQ(shortLived.server.grantCount(u"refresh_token"_s), 1);
        EXPECT_EQ(shortLived.tokens.kept(settings), *renewed);
    }

    TokenRun code;
    const Result<OAuth2Token> none = code.get(
        code.settings(OAuth2Grant::authorizationCode, OAuth2ClientAuth::basicHeader), true);
    ASSERT_FALSE(none.ok());
    EXPECT_TRUE(none.errorMessage().contains(u"Get New Access Token"_s));
    EXPECT_EQ(code.browser.opened(), 0);
}

TEST(OAuth2Tokens, theServersRefusalBecomesTheMessage)
{
    const struct {
        QString tokenUrl;
        QString secret;
        QString password;
        QString message;
    } cases[] = {
        {u"{{base}}/token"_s, u"wrong"_s, {},
            u"OAuth 2.0: invalid_client — Client authentication failed"_s},
        {u"{{base}}/token"_s, {}, u"wrong"_s,
            u"OAuth 2.0: invalid_grant — Wrong username or password"_s},
        {u"{{base}}/resource"_s, {}, {},
            u"OAuth 2.0: the token endpoint answered with status 401"_s},
        {u"token"_s, {}, {}, u"OAuth 2.0: the token URL “token” is not an http or https address"_s},
    };
    for (const auto& refusal : cases) {
        SCOPED_TRACE(refusal.message.toStdString());
        TokenRun run;
        OAuth2Settings settings
            = run.settings(OAuth2Grant::password, OAuth2ClientAuth::basicHeader);
        settings.tokenUrl = refusal.tokenUrl;
        run.tokens.setClientSecret(
            settings, refusal.secret.isNull() ? kClientSecret : refusal.secret);
        run.tokens.setPassword(settings,
            refusal.password.isNull() ? QString::fromLatin1(OAuth2TestServer::kPassword)
                                      : refusal.password);
        const Result<OAuth2Token> token = run.get(settings, false);
        ASSERT_FALSE(token.ok());
        EXPECT_EQ(token.errorMessage(), refusal.message);
        EXPECT_FALSE(run.tokens.kept(settings).has_value());
    }
}

namespace {

// The window's send path and a run, with the state's own token keeper.
struct OAuth2SendRun : StateRun {
    OAuth2SendRun()
        : urls(folder.settingsFile())
        , model(APIRequest {}, &network)
        , sequence(&state, &model, &urls)
    { }

    APIRequest request(const QString& name) const
    {
        return APIRequest {.name = name,
            .url = server.resourceUrl(),
            .authType = AuthType::oauth2,
            .oauth2 = server.settings(OAuth2Grant::clientCredentials)};
    }

    /// Every file the state wrote, read as text.
    QString everyFile()
    {
        state.flushPendingSaves();
        EXPECT_TRUE(waitUntilIdle(persistence));
        QString all;
        QDirIterator files(folder.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            all += QString::fromUtf8(
                folder.read(QDir(folder.path()).relativeFilePath(files.next())));
        return all;
    }

    OAuth2TestServer server;
    NetworkService network;
    URLHistory urls;
    RequestViewModel model;
    SendSequence sequence;
};

} // namespace

// A send of an OAuth 2.0 request goes with the Bearer token got once for its client; neither
// the token nor the client secret reaches a data file.
TEST(OAuth2Send, theWindowsSendsAndARunCarryTheTokenGotOnce)
{
    OAuth2SendRun run;
    const APIRequest stored = run.request(u"Me"_s);
    run.state.oauth2Tokens().setClientSecret(stored.oauth2, kClientSecret);
    const QUuid collection = run.addCollection(u"API"_s, {stored, run.request(u"Again"_s)});
    run.state.openFromCollection(stored, collection);
    const QUuid tabID = *run.state.activeTabID();
    for (int send = 0; send < 2; ++send) {
        run.sequence.send();
        ASSERT_TRUE(waitFor([&] {
            const auto tabs = run.state.tabs();
            return std::ranges::none_of(
                tabs, [&](const RequestTab& tab) { return tab.id == tabID && tab.isLoading; });
        }));
    }
    std::optional<QList<RunResult>> results;
    auto handle = ScriptedRunner::run(
        run.collection(collection), {}, &run.model, {}, {},
        [&results](const QList<RunResult>& done, const VariableScopes&) { results = done; },
        run.network, {}, run.state.scriptSettings());
    ASSERT_TRUE(waitFor([&] { return results.has_value(); }));

    const QString token = run.server.lastIssuedToken();
    ASSERT_FALSE(token.isEmpty());
    EXPECT_EQ(run.server.grantCount(u"client_credentials"_s), 1);
    const QList<RecordedRequest> sent = run.server.resourceRequests();
    ASSERT_EQ(sent.size(), 4);
    for (const RecordedRequest& request : sent)
        EXPECT_EQ(request.header("Authorization"), "Bearer " + token.toUtf8());
    for (const RunResult& result : *results)
        EXPECT_EQ(result.statusCode, 200);
    ASSERT_EQ(run.state.history().size(), 2);

    const QString files = run.everyFile();
    EXPECT_FALSE(files.isEmpty());
    EXPECT_FALSE(files.contains(token));
    EXPECT_FALSE(files.contains(kClientSecret));

    // Without a token and with a secret the server refuses, the send fails with its message and
    // nothing reaches the resource.
    run.state.oauth2Tokens().forget(stored.oauth2);
    run.state.oauth2Tokens().setClientSecret(stored.oauth2, u"wrong"_s);
    run.sequence.send();
    ASSERT_TRUE(waitFor([&] {
        return std::ranges::none_of(run.state.tabs(),
            [&](const RequestTab& tab) { return tab.id == tabID && tab.isLoading; });
    }));
    const auto tabs = run.state.tabs();
    const auto failed = std::ranges::find(tabs, tabID, &RequestTab::id);
    ASSERT_NE(failed, tabs.end());
    EXPECT_EQ(failed->error,
        u"Network error: OAuth 2.0: invalid_client — Client authentication failed"_s);
    EXPECT_EQ(run.server.resourceRequests().size(), 4);
}
