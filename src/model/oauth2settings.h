#pragma once

#include <QString>

#include <optional>

namespace mako {

/// How an OAuth 2.0 access token is obtained. A refresh token, where the server gave one, renews
/// the token of any of them.
enum class OAuth2Grant { authorizationCode, clientCredentials, password };

/// Where the client id and secret go on a token request: an "Authorization: Basic" header, or
/// the form body.
enum class OAuth2ClientAuth { basicHeader, body };

/// OAuth's own names for the grants ("authorization_code", "client_credentials", "password"), as
/// stored and as sent in `grant_type`.
inline QString grantTypeName(OAuth2Grant grant)
{
    switch (grant) {
    case OAuth2Grant::authorizationCode:
        return QStringLiteral("authorization_code");
    case OAuth2Grant::clientCredentials:
        return QStringLiteral("client_credentials");
    case OAuth2Grant::password:
        return QStringLiteral("password");
    }
    return QString();
}

inline std::optional<OAuth2Grant> grantFromTypeName(const QString& name)
{
    for (const auto grant :
        {OAuth2Grant::authorizationCode, OAuth2Grant::clientCredentials, OAuth2Grant::password}) {
        if (grantTypeName(grant) == name)
            return grant;
    }
    return std::nullopt;
}

/// As stored: "header" or "body".
inline QString clientAuthName(OAuth2ClientAuth clientAuth)
{
    return clientAuth == OAuth2ClientAuth::body ? QStringLiteral("body") : QStringLiteral("header");
}

/// What a request (or its collection) needs to get an OAuth 2.0 token. The secrets are not here:
/// the client secret, the password-grant password and the tokens live in the secret service,
/// found by `oauth2SecretKey`, so no data file, export or backup ever holds them.
struct OAuth2Settings {
    OAuth2Grant grant = OAuth2Grant::authorizationCode;
    QString authUrl;
    QString tokenUrl;
    QString clientId;
    QString scope;
    QString audience;
    /// More form parameters for the authorization and token requests, "name=value&name=value".
    QString extraParams;
    OAuth2ClientAuth clientAuth = OAuth2ClientAuth::basicHeader;
    /// For the password grant.
    QString username;
    /// The loopback port the browser returns to; 0 takes any free one. Some servers accept only
    /// the redirect address they were told about, port included.
    int redirectPort = 0;

    bool operator==(const OAuth2Settings&) const = default;
};

/// The secret-service entry of one of the settings' secrets ("clientSecret", "password",
/// "token"). Keyed by the client rather than by the request, so every request of one client
/// shares its secret and its token, and a copied request keeps them.
inline QString oauth2SecretKey(const OAuth2Settings& settings, const QString& what)
{
    QString key
        = QStringLiteral("oauth2|") + what + u'|' + settings.tokenUrl + u'|' + settings.clientId;
    if (what == QLatin1String("token"))
        key += u'|' + grantTypeName(settings.grant) + u'|' + settings.username + u'|'
            + settings.scope;
    return key;
}

} // namespace mako
