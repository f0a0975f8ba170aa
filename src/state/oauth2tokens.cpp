#include "state/oauth2tokens.h"

#include "execution/networkservice.h"
#include "execution/variables.h"
#include "state/secretstore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QOAuth2AuthorizationCodeFlow>
#include <QOAuthHttpServerReplyHandler>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QString kToken = u"token"_s;
const QString kClientSecret = u"clientSecret"_s;
const QString kPassword = u"password"_s;

/// A token about to run out is renewed before a send rather than have the send refused.
constexpr qint64 kRenewAheadSeconds = 60;

QString tokenText(const OAuth2Token& token)
{
    QJsonObject o {{u"access_token"_s, token.accessToken}, {u"token_type"_s, token.tokenType}};
    if (!token.scope.isEmpty())
        o.insert(u"scope"_s, token.scope);
    if (!token.refreshToken.isEmpty())
        o.insert(u"refresh_token"_s, token.refreshToken);
    if (token.expiresAt.isValid())
        o.insert(u"expires_at"_s, token.expiresAt.toSecsSinceEpoch());
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

std::optional<OAuth2Token> tokenFromText(const QString& text)
{
    const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
    const QString access = o[u"access_token"_s].toString();
    if (access.isEmpty())
        return std::nullopt;
    OAuth2Token token {.accessToken = access,
        .tokenType = o[u"token_type"_s].toString(u"Bearer"_s),
        .scope = o[u"scope"_s].toString(),
        .refreshToken = o[u"refresh_token"_s].toString(),
        .expiresAt = {}};
    if (o.contains(u"expires_at"_s))
        token.expiresAt = QDateTime::fromSecsSinceEpoch(o[u"expires_at"_s].toInteger(), Qt::UTC);
    return token;
}

bool needsRenewal(const OAuth2Token& token)
{
    return token.expiresAt.isValid()
        && QDateTime::currentDateTimeUtc().secsTo(token.expiresAt) < kRenewAheadSeconds;
}

/// An error response's `error` and `error_description`, else what the status says.
QString tokenErrorMessage(const APIResponse& response, const QJsonObject& body)
{
    const QString error = body[u"error"_s].toString();
    const QString description = body[u"error_description"_s].toString();
    if (!error.isEmpty() && !description.isEmpty())
        return OAuth2Tokens::tr("OAuth 2.0: %1 — %2").arg(error, description);
    if (!error.isEmpty())
        return OAuth2Tokens::tr("OAuth 2.0: %1").arg(error);
    if (response.statusCode >= 200 && response.statusCode < 300)
        return OAuth2Tokens::tr("OAuth 2.0: the token endpoint's answer holds no access token");
    return OAuth2Tokens::tr("OAuth 2.0: the token endpoint answered with status %1")
        .arg(response.statusCode);
}

Result<OAuth2Token> tokenFromResponse(const APIResponse& response)
{
    const QJsonObject body = QJsonDocument::fromJson(response.body).object();
    const QString access = body[u"access_token"_s].toString();
    if (response.statusCode < 200 || response.statusCode >= 300 || access.isEmpty())
        return Error {tokenErrorMessage(response, body)};
    OAuth2Token token {.accessToken = access,
        .tokenType = body[u"token_type"_s].toString(u"Bearer"_s),
        .scope = body[u"scope"_s].toString(),
        .refreshToken = body[u"refresh_token"_s].toString(),
        .expiresAt = {}};
    // Some servers send the lifetime as a string.
    const QJsonValue expiresIn = body[u"expires_in"_s];
    bool ok = expiresIn.isDouble();
    qint64 seconds = expiresIn.toInteger();
    if (expiresIn.isString())
        seconds = expiresIn.toString().toLongLong(&ok);
    // Whole seconds, as kept: the token a grant answers with is the one read back later.
    if (ok)
        token.expiresAt
            = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + seconds, Qt::UTC);
    return token;
}

/// The form body of a token request: each name and value percent-encoded, so a '+' or '&' in a
/// secret arrives as itself (QUrlQuery leaves '+' alone, which a server reads as a space).
QByteArray formBody(const QList<std::pair<QString, QString>>& fields)
{
    QByteArray body;
    for (const auto& [name, value] : fields) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    return body;
}

/// 32 bytes from the system's CSPRNG, base64url without padding: a PKCE verifier or a state.
QString randomToken()
{
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString pkceChallenge(const QString& verifier)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(verifier.toLatin1(), QCryptographicHash::Sha256)
            .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

/// The flow builds the authorization address (client, redirect, scope, state) and owns the
/// loopback callback, but stops there: Qt Network Auth 6.4 would post the code with its own
/// network manager and only in the body, while every other token request of ours goes through the
/// engine with the user's proxy and TLS preferences and either client authentication.
class AuthorizationAddressFlow : public QOAuth2AuthorizationCodeFlow {
public:
    using QOAuth2AuthorizationCodeFlow::QOAuth2AuthorizationCodeFlow;
    QUrl authorizationAddress() { return buildAuthenticateUrl(); }
};

} // namespace

/// The settings' texts with the variables put in, and the secrets from the vault.
struct ResolvedOAuth2 {
    OAuth2Settings settings;
    QString clientSecret;
    QString password;
};

struct OAuth2Tokens::Impl {
    OAuth2Tokens* self;
    SecretVault& vault;
    NetworkService& network;
    std::function<void(const QUrl&)> browser;

    /// The Authorization Code grant waiting for the browser's return.
    struct Waiting {
        std::unique_ptr<AuthorizationAddressFlow> flow;
        std::unique_ptr<QOAuthHttpServerReplyHandler> callback;
        ResolvedOAuth2 resolved;
        /// As sent for the code: the token request repeats it once the listener is closed.
        QString redirectUri;
        QString verifier;
        Done done;
    };
    std::unique_ptr<Waiting> waiting;
    /// Sends that wait for a token already on its way, by token key: one request serves them.
    QHash<QString, QList<Done>> pending;

    ResolvedOAuth2 resolved(const OAuth2Settings& settings, const Resolve& resolve) const;
    void keep(const OAuth2Settings& settings, const OAuth2Token& token);
    void runGrant(const ResolvedOAuth2& r, Done done);
    void refresh(const ResolvedOAuth2& r, const OAuth2Token& old, Done done);
    void postToken(const ResolvedOAuth2& r, QList<std::pair<QString, QString>> fields,
        bool withGrantExtras, Done done);
    void startAuthorization(const ResolvedOAuth2& r, Done done);
    void onCallback(const QVariantMap& values);
    void failWaiting(const QString& message);
};

ResolvedOAuth2 OAuth2Tokens::Impl::resolved(
    const OAuth2Settings& settings, const Resolve& resolve) const
{
    const auto put = [&resolve](const QString& text) { return resolve ? resolve(text) : text; };
    ResolvedOAuth2 r {settings, put(vault.value(oauth2SecretKey(settings, kClientSecret))),
        put(vault.value(oauth2SecretKey(settings, kPassword)))};
    for (QString* text :
        {&r.settings.authUrl, &r.settings.tokenUrl, &r.settings.clientId, &r.settings.scope,
            &r.settings.audience, &r.settings.extraParams, &r.settings.username})
        *text = put(*text);
    return r;
}

void OAuth2Tokens::Impl::keep(const OAuth2Settings& settings, const OAuth2Token& token)
{
    vault.setValue(oauth2SecretKey(settings, kToken), tokenText(token));
    Q_EMIT self->tokenChanged(settings);
}

void OAuth2Tokens::Impl::runGrant(const ResolvedOAuth2& r, Done done)
{
    switch (r.settings.grant) {
    case OAuth2Grant::clientCredentials:
        postToken(r, {{u"grant_type"_s, u"client_credentials"_s}}, true, std::move(done));
        return;
    case OAuth2Grant::password:
        postToken(r,
            {{u"grant_type"_s, u"password"_s}, {u"username"_s, r.settings.username},
                {u"password"_s, r.password}},
            true, std::move(done));
        return;
    case OAuth2Grant::authorizationCode:
        startAuthorization(r, std::move(done));
        return;
    }
}

void OAuth2Tokens::Impl::refresh(const ResolvedOAuth2& r, const OAuth2Token& old, Done done)
{
    postToken(r, {{u"grant_type"_s, u"refresh_token"_s}, {u"refresh_token"_s, old.refreshToken}},
        false, [done, old](const Result<OAuth2Token>& result) {
            // A server may keep the refresh token and not send it again.
            if (result.ok() && result->refreshToken.isEmpty()) {
                OAuth2Token renewed = result.value();
                renewed.refreshToken = old.refreshToken;
                done(renewed);
                return;
            }
            done(result);
        });
}

// Qt Network Auth 6.4 has a class for the Authorization Code grant only; the other grants are one
// form POST each, sent here through the engine like every request of the user, so the proxy, TLS
// and time-out preferences apply to token requests too.
void OAuth2Tokens::Impl::postToken(const ResolvedOAuth2& r,
    QList<std::pair<QString, QString>> fields, bool withGrantExtras, Done done)
{
    const auto fail = [this, done](const QString& message) {
        QTimer::singleShot(0, self, [done, message] { done(Error {message}); });
    };
    const QUrl url(r.settings.tokenUrl, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"http"_s && url.scheme() != u"https"_s)) {
        fail(OAuth2Tokens::tr("OAuth 2.0: the token URL “%1” is not an http or https address")
                 .arg(r.settings.tokenUrl));
        return;
    }
    if (withGrantExtras) {
        if (!r.settings.scope.isEmpty())
            fields.append({u"scope"_s, r.settings.scope});
        if (!r.settings.audience.isEmpty())
            fields.append({u"audience"_s, r.settings.audience});
    }
    for (const auto& [name, value] :
        QUrlQuery(r.settings.extraParams).queryItems(QUrl::FullyDecoded))
        fields.append({name, value});

    HttpTransferRequest transfer {.url = url.toEncoded(),
        .method = "POST",
        .headers
        = {{"Content-Type", "application/x-www-form-urlencoded"}, {"Accept", "application/json"}},
        .body = {},
        .settings = network.settings(),
        .auth = {}};
    // A client without a secret is a public one: it names itself in the body whatever the
    // setting says. Otherwise the id and secret go form-encoded into a Basic header (RFC 6749
    // 2.3.1) or as two more fields.
    if (r.settings.clientAuth == OAuth2ClientAuth::basicHeader && !r.clientSecret.isEmpty()) {
        const QByteArray pair = QUrl::toPercentEncoding(r.settings.clientId) + ':'
            + QUrl::toPercentEncoding(r.clientSecret);
        transfer.headers.append({"Authorization", "Basic " + pair.toBase64()});
    } else {
        fields.append({u"client_id"_s, r.settings.clientId});
        if (!r.clientSecret.isEmpty())
            fields.append({u"client_secret"_s, r.clientSecret});
    }
    transfer.body = formBody(fields);
    // A token request always ends, whatever the settings allow a stream.
    NetworkSettings& limits = transfer.settings;
    limits.requestTimeout = limits.requestTimeout > 0
        ? std::min(limits.requestTimeout, NetworkService::kPerRequestTimeout)
        : NetworkService::kPerRequestTimeout;
    if (!(limits.resourceTimeout > 0))
        limits.resourceTimeout = NetworkSettings {}.resourceTimeout;

    network.engine().start(std::move(transfer), self,
        TransferCallbacks {
            .onResponse = {}, .onData = {}, .onFinished = [done](const NetworkResult& result) {
                if (const auto* error = std::get_if<NetworkError>(&result)) {
                    done(Error {OAuth2Tokens::tr("OAuth 2.0: %1").arg(error->errorDescription())});
                    return;
                }
                done(tokenFromResponse(std::get<APIResponse>(result)));
            }});
}

void OAuth2Tokens::Impl::startAuthorization(const ResolvedOAuth2& r, Done done)
{
    const auto fail = [this, done](const QString& message) {
        QTimer::singleShot(0, self, [done, message] { done(Error {message}); });
    };
    const QUrl authUrl(r.settings.authUrl, QUrl::StrictMode);
    if (!authUrl.isValid() || (authUrl.scheme() != u"http"_s && authUrl.scheme() != u"https"_s)) {
        fail(OAuth2Tokens::tr(
            "OAuth 2.0: the authorization URL “%1” is not an http or https address")
                 .arg(r.settings.authUrl));
        return;
    }
    if (!browser) {
        fail(OAuth2Tokens::tr("OAuth 2.0: there is no browser to open the authorization page in"));
        return;
    }
    failWaiting(OAuth2Tokens::tr("OAuth 2.0: a newer authorization replaced this one"));

    auto w = std::make_unique<Waiting>();
    // Loopback only (RFC 8252): the code must not be reachable from another machine.
    const auto port = static_cast<quint16>(std::clamp(r.settings.redirectPort, 0, 65535));
    w->callback = std::make_unique<QOAuthHttpServerReplyHandler>(QHostAddress::LocalHost, port);
    if (!w->callback->isListening()) {
        fail(OAuth2Tokens::tr("OAuth 2.0: cannot listen on port %1 for the browser's return")
                 .arg(port));
        return;
    }
    w->callback->setCallbackPath(u"callback"_s);
    w->redirectUri = w->callback->callback();
    w->callback->setCallbackText(OAuth2Tokens::tr(
        "Mako has the authorization. You can close this page and return to Mako."));
    w->resolved = r;
    w->verifier = randomToken();
    w->done = std::move(done);

    w->flow = std::make_unique<AuthorizationAddressFlow>();
    w->flow->setAuthorizationUrl(authUrl);
    w->flow->setAccessTokenUrl(QUrl(r.settings.tokenUrl));
    w->flow->setClientIdentifier(r.settings.clientId);
    w->flow->setScope(r.settings.scope);
    w->flow->setReplyHandler(w->callback.get());
    w->flow->setState(randomToken());
    // 6.4 knows nothing of PKCE: the S256 challenge goes in with the other parameters.
    w->flow->setModifyParametersFunction(
        [challenge = pkceChallenge(w->verifier), settings = r.settings](
            QAbstractOAuth::Stage stage, QMultiMap<QString, QVariant>* parameters) {
            if (stage != QAbstractOAuth::Stage::RequestingAuthorization)
                return;
            if (settings.scope.isEmpty())
                parameters->remove(u"scope"_s);
            parameters->insert(u"code_challenge"_s, challenge);
            parameters->insert(u"code_challenge_method"_s, u"S256"_s);
            if (!settings.audience.isEmpty())
                parameters->insert(u"audience"_s, settings.audience);
            for (const auto& [name, value] :
                QUrlQuery(settings.extraParams).queryItems(QUrl::FullyDecoded))
                parameters->insert(name, value);
        });
    QObject::connect(w->callback.get(), &QAbstractOAuthReplyHandler::callbackReceived, self,
        [this](const QVariantMap& values) { onCallback(values); });

    const QUrl address = w->flow->authorizationAddress();
    waiting = std::move(w);
    browser(address);
}

void OAuth2Tokens::Impl::onCallback(const QVariantMap& values)
{
    if (!waiting)
        return;
    const auto text = [&values](const QString& name) {
        return QUrl::fromPercentEncoding(values.value(name).toString().toUtf8());
    };
    const QString error = text(u"error"_s);
    if (!error.isEmpty()) {
        const QString description = text(u"error_description"_s);
        failWaiting(description.isEmpty()
                ? OAuth2Tokens::tr("OAuth 2.0: %1").arg(error)
                : OAuth2Tokens::tr("OAuth 2.0: %1 — %2").arg(error, description));
        return;
    }
    // An answer whose state is not ours was not asked for by this grant: a forged return.
    if (text(u"state"_s) != waiting->flow->state()) {
        failWaiting(
            OAuth2Tokens::tr("OAuth 2.0: the authorization answer was refused: its state does not "
                             "match the one sent"));
        return;
    }
    const QString code = text(u"code"_s);
    if (code.isEmpty()) {
        failWaiting(OAuth2Tokens::tr("OAuth 2.0: the authorization answer holds no code"));
        return;
    }
    std::unique_ptr<Waiting> w = std::move(waiting);
    w->callback->close();
    const QList<std::pair<QString, QString>> fields {{u"grant_type"_s, u"authorization_code"_s},
        {u"code"_s, code}, {u"redirect_uri"_s, w->redirectUri}, {u"code_verifier"_s, w->verifier}};
    // The handler still answers the browser once this returns: it goes only after the token.
    auto held = std::shared_ptr<Waiting>(std::move(w));
    postToken(held->resolved, fields, false, [held](const Result<OAuth2Token>& result) {
        held->flow.release()->deleteLater();
        held->callback.release()->deleteLater();
        held->done(result);
    });
}

void OAuth2Tokens::Impl::failWaiting(const QString& message)
{
    if (!waiting)
        return;
    std::unique_ptr<Waiting> w = std::move(waiting);
    w->callback->close();
    // Called while the handler may be inside its own signal: it goes on the next turn.
    w->flow.release()->deleteLater();
    w->callback.release()->deleteLater();
    QTimer::singleShot(0, self, [done = std::move(w->done), message] { done(Error {message}); });
}

OAuth2Tokens::OAuth2Tokens(SecretVault& vault, NetworkService& network, QObject* parent)
    : QObject(parent)
    , m_impl(std::make_unique<Impl>(Impl {this, vault, network, {}, {}, {}}))
{ }

OAuth2Tokens::~OAuth2Tokens() = default;

void OAuth2Tokens::setBrowser(std::function<void(const QUrl&)> open)
{
    m_impl->browser = std::move(open);
}

void OAuth2Tokens::fetchNew(const OAuth2Settings& settings, Resolve resolve, Done done)
{
    load(settings, [self = QPointer(this), settings, resolve, done] {
        if (!self)
            return;
        self->m_impl->runGrant(self->m_impl->resolved(settings, resolve),
            [self, settings, done](const Result<OAuth2Token>& result) {
                if (self && result.ok())
                    self->m_impl->keep(settings, result.value());
                done(result);
            });
    });
}

void OAuth2Tokens::tokenForSend(const OAuth2Settings& settings, Resolve resolve, Done done)
{
    load(settings, [self = QPointer(this), settings, resolve, done] {
        if (!self)
            return;
        Impl& d = *self->m_impl;
        const std::optional<OAuth2Token> token = self->kept(settings);
        if (token && !needsRenewal(*token)) {
            done(*token);
            return;
        }
        const QString key = oauth2SecretKey(settings, kToken);
        if (d.pending.contains(key)) {
            d.pending[key].append(done);
            return;
        }
        d.pending.insert(key, {done});
        const auto finish = [self, settings, key](const Result<OAuth2Token>& result) {
            if (!self)
                return;
            if (result.ok())
                self->m_impl->keep(settings, result.value());
            for (const Done& waiter : self->m_impl->pending.take(key))
                waiter(result);
        };
        const ResolvedOAuth2 r = d.resolved(settings, resolve);
        const bool needsUser = settings.grant == OAuth2Grant::authorizationCode;
        if (token && !token->refreshToken.isEmpty()) {
            d.refresh(r, *token, [self, r, needsUser, finish](const Result<OAuth2Token>& result) {
                if (result.ok() || needsUser || !self)
                    finish(result);
                else
                    self->m_impl->runGrant(r, finish);
            });
        } else if (needsUser) {
            const QString message = token
                ? OAuth2Tokens::tr(
                    "OAuth 2.0: the access token has expired; get a new one with “Get New "
                    "Access Token”")
                : OAuth2Tokens::tr(
                    "OAuth 2.0: there is no access token yet; get one with “Get New Access "
                    "Token”");
            QTimer::singleShot(0, self, [finish, message] { finish(Error {message}); });
        } else {
            d.runGrant(r, finish);
        }
    });
}

ScriptSettings::Authorize OAuth2Tokens::sendAuthorizer()
{
    return [self = QPointer(this)](const APIRequest& request, const VariableScopes& scopes,
               std::function<void(const Result<APIRequest>&)> done) {
        if (request.authType != AuthType::oauth2 || !self) {
            done(request);
            return;
        }
        const std::optional<APIEnvironment> variables = scopes.resolved();
        self->tokenForSend(
            request.oauth2,
            [variables](const QString& text) { return substituteVariables(text, variables); },
            [request, done](const Result<OAuth2Token>& token) {
                if (!token) {
                    done(token.error());
                    return;
                }
                APIRequest withToken = request;
                withToken.authToken = token->accessToken;
                done(withToken);
            });
    };
}

void OAuth2Tokens::cancel()
{
    m_impl->failWaiting(OAuth2Tokens::tr("OAuth 2.0: cancelled before the browser returned"));
}

std::optional<OAuth2Token> OAuth2Tokens::kept(const OAuth2Settings& settings) const
{
    return tokenFromText(m_impl->vault.value(oauth2SecretKey(settings, kToken)));
}

void OAuth2Tokens::forget(const OAuth2Settings& settings)
{
    m_impl->vault.setValue(oauth2SecretKey(settings, kToken), {});
    Q_EMIT tokenChanged(settings);
}

void OAuth2Tokens::load(const OAuth2Settings& settings, std::function<void()> done)
{
    // Three reads, one answer: `done` runs after the last of them.
    auto left = std::make_shared<int>(3);
    for (const QString& what : {kToken, kClientSecret, kPassword}) {
        m_impl->vault.load(oauth2SecretKey(settings, what), [left, done](const QString&) {
            if (--*left == 0 && done)
                done();
        });
    }
}

QString OAuth2Tokens::clientSecret(const OAuth2Settings& settings) const
{
    return m_impl->vault.value(oauth2SecretKey(settings, kClientSecret));
}

void OAuth2Tokens::setClientSecret(const OAuth2Settings& settings, const QString& secret)
{
    m_impl->vault.setValue(oauth2SecretKey(settings, kClientSecret), secret);
}

QString OAuth2Tokens::password(const OAuth2Settings& settings) const
{
    return m_impl->vault.value(oauth2SecretKey(settings, kPassword));
}

void OAuth2Tokens::setPassword(const OAuth2Settings& settings, const QString& password)
{
    m_impl->vault.setValue(oauth2SecretKey(settings, kPassword), password);
}

} // namespace mako
