#include "support/oauth2testserver.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace mako::test {

namespace {

/// A form body's fields, '+' read as a space as form decoding does.
QUrlQuery formFields(QByteArray body)
{
    return QUrlQuery(QString::fromUtf8(body.replace('+', "%20")));
}

QString field(const QUrlQuery& form, const QString& name)
{
    return form.queryItemValue(name, QUrl::FullyDecoded);
}

ScriptedResponse oauthError(int status, const QString& error, const QString& description)
{
    return {.status = status,
        .headers = {{"Content-Type", "application/json"}},
        .body
        = QJsonDocument(QJsonObject {{u"error"_s, error}, {u"error_description"_s, description}})
              .toJson(QJsonDocument::Compact)};
}

} // namespace

OAuth2TestServer::OAuth2TestServer()
{
    m_http.setHandler([this](const RecordedRequest& request) { return answer(request); });
}

QString OAuth2TestServer::tokenUrl() const
{
    return m_http.baseUrl() + u"/token"_s;
}
QString OAuth2TestServer::authUrl() const
{
    return m_http.baseUrl() + u"/authorize"_s;
}
QString OAuth2TestServer::resourceUrl() const
{
    return m_http.baseUrl() + u"/resource"_s;
}

void OAuth2TestServer::setExpiresIn(int seconds)
{
    QMutexLocker lock(&m_mutex);
    m_expiresIn = seconds;
}

void OAuth2TestServer::setForgeState(bool forge)
{
    QMutexLocker lock(&m_mutex);
    m_forgeState = forge;
}

QList<RecordedRequest> OAuth2TestServer::tokenRequests() const
{
    QList<RecordedRequest> found;
    for (const RecordedRequest& request : m_http.requests()) {
        if (request.target == "/token")
            found.append(request);
    }
    return found;
}

int OAuth2TestServer::grantCount(const QString& grantType) const
{
    int count = 0;
    for (const RecordedRequest& request : tokenRequests())
        count += field(formFields(request.body), u"grant_type"_s) == grantType ? 1 : 0;
    return count;
}

bool OAuth2TestServer::lastUsedBasic() const
{
    QMutexLocker lock(&m_mutex);
    return m_lastUsedBasic;
}

QString OAuth2TestServer::lastIssuedToken() const
{
    QMutexLocker lock(&m_mutex);
    return m_lastToken;
}

QList<RecordedRequest> OAuth2TestServer::resourceRequests() const
{
    QList<RecordedRequest> found;
    for (const RecordedRequest& request : m_http.requests()) {
        if (request.target.startsWith("/resource"))
            found.append(request);
    }
    return found;
}

ScriptedResponse OAuth2TestServer::answer(const RecordedRequest& request)
{
    QMutexLocker lock(&m_mutex);
    if (request.target == "/token")
        return request.method == "POST" ? token(request)
                                        : oauthError(405, u"invalid_request"_s, u"POST only"_s);
    if (request.target.startsWith("/authorize"))
        return authorize(request);
    const QByteArray bearer = request.header("Authorization");
    const bool known
        = bearer.startsWith("Bearer ") && m_accessTokens.contains(QString::fromUtf8(bearer.mid(7)));
    return {.status = known ? 200 : 401, .body = known ? "granted" : "no valid token"};
}

ScriptedResponse OAuth2TestServer::token(const RecordedRequest& request)
{
    const QUrlQuery form = formFields(request.body);
    if (request.header("Content-Type") != "application/x-www-form-urlencoded")
        return oauthError(400, u"invalid_request"_s, u"not a form"_s);

    // The client authenticates with a Basic header or in the body, never both (RFC 6749 2.3.1).
    QString clientId = field(form, u"client_id"_s);
    QString secret = field(form, u"client_secret"_s);
    const QByteArray authorization = request.header("Authorization");
    m_lastUsedBasic = authorization.startsWith("Basic ");
    if (m_lastUsedBasic) {
        if (form.hasQueryItem(u"client_secret"_s))
            return oauthError(400, u"invalid_request"_s, u"two client authentications"_s);
        const QByteArray pair = QByteArray::fromBase64(authorization.mid(6));
        const qsizetype colon = pair.indexOf(':');
        clientId = QUrl::fromPercentEncoding(pair.left(colon).replace('+', ' '));
        secret = QUrl::fromPercentEncoding(pair.mid(colon + 1).replace('+', ' '));
    }
    if (clientId != QLatin1String(kClientId) || secret != QLatin1String(kClientSecret))
        return oauthError(401, u"invalid_client"_s, u"Client authentication failed"_s);

    const QString grant = field(form, u"grant_type"_s);
    if (grant == u"client_credentials"_s)
        return issue(field(form, u"scope"_s));
    if (grant == u"password"_s) {
        if (field(form, u"username"_s) != QLatin1String(kUsername)
            || field(form, u"password"_s) != QLatin1String(kPassword))
            return oauthError(400, u"invalid_grant"_s, u"Wrong username or password"_s);
        return issue(field(form, u"scope"_s));
    }
    if (grant == u"refresh_token"_s) {
        if (!m_refreshTokens.removeOne(field(form, u"refresh_token"_s)))
            return oauthError(400, u"invalid_grant"_s, u"Unknown refresh token"_s);
        return issue({});
    }
    if (grant == u"authorization_code"_s) {
        // A code is good for one exchange only.
        const std::optional<Code> code = m_codes.contains(field(form, u"code"_s))
            ? std::optional(m_codes.take(field(form, u"code"_s)))
            : std::nullopt;
        if (!code)
            return oauthError(400, u"invalid_grant"_s, u"Unknown code"_s);
        if (field(form, u"redirect_uri"_s) != code->redirectUri)
            return oauthError(400, u"invalid_grant"_s,
                u"Another redirect_uri: "_s + field(form, u"redirect_uri"_s) + u" for "_s
                    + code->redirectUri);
        const QByteArray verifier = field(form, u"code_verifier"_s).toLatin1();
        const QString challenge = QString::fromLatin1(
            QCryptographicHash::hash(verifier, QCryptographicHash::Sha256)
                .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
        if (verifier.size() < 43 || challenge != code->challenge)
            return oauthError(400, u"invalid_grant"_s, u"PKCE verification failed"_s);
        return issue({});
    }
    return oauthError(400, u"unsupported_grant_type"_s, grant);
}

ScriptedResponse OAuth2TestServer::authorize(const RecordedRequest& request)
{
    const QUrlQuery query(QUrl(QString::fromUtf8(request.target)).query());
    const QString redirect = query.queryItemValue(u"redirect_uri"_s, QUrl::FullyDecoded);
    QUrl back(redirect);
    QUrlQuery answer;
    if (query.queryItemValue(u"response_type"_s) != u"code"_s
        || query.queryItemValue(u"client_id"_s, QUrl::FullyDecoded) != QLatin1String(kClientId)
        || query.queryItemValue(u"code_challenge_method"_s) != u"S256"_s
        || query.queryItemValue(u"code_challenge"_s).size() != 43) {
        answer.addQueryItem(u"error"_s, u"invalid_request"_s);
    } else {
        const QString code = u"code-%1"_s.arg(++m_codeCount);
        m_codes.insert(code, {query.queryItemValue(u"code_challenge"_s), redirect});
        answer.addQueryItem(u"code"_s, code);
    }
    answer.addQueryItem(u"state"_s,
        m_forgeState ? u"forged"_s : query.queryItemValue(u"state"_s, QUrl::FullyDecoded));
    back.setQuery(answer);
    return {.status = 302, .headers = {{"Location", back.toEncoded()}}, .body = {}};
}

ScriptedResponse OAuth2TestServer::issue(const QString& scope)
{
    ++m_issued;
    const QString access = u"access-%1"_s.arg(m_issued);
    const QString refresh = u"refresh-%1"_s.arg(m_issued);
    m_accessTokens.append(access);
    m_refreshTokens.append(refresh);
    m_lastToken = access;
    QJsonObject body {{u"access_token"_s, access}, {u"token_type"_s, u"Bearer"_s},
        {u"expires_in"_s, m_expiresIn}, {u"refresh_token"_s, refresh}};
    if (!scope.isEmpty())
        body.insert(u"scope"_s, scope);
    return {.status = 200,
        .headers = {{"Content-Type", "application/json"}, {"Cache-Control", "no-store"}},
        .body = QJsonDocument(body).toJson(QJsonDocument::Compact)};
}

void LoopbackBrowser::open(const QUrl& url)
{
    ++m_opened;
    m_network.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* page = m_network.get(QNetworkRequest(url));
    QObject::connect(page, &QNetworkReply::finished, page, [this, page] {
        page->deleteLater();
        const QUrl next = page->header(QNetworkRequest::LocationHeader).toUrl();
        if (next.isValid()) {
            QNetworkReply* back = m_network.get(QNetworkRequest(next));
            QObject::connect(back, &QNetworkReply::finished, back, &QObject::deleteLater);
        }
    });
}

} // namespace mako::test
