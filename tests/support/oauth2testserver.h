#pragma once

#include "model/oauth2settings.h"
#include "support/httptestserver.h"

#include <QHash>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>

namespace mako::test {

/// An OAuth 2.0 authorization server on 127.0.0.1 that checks what a client sends as a strict
/// server would. "/token" serves the client credentials, password, authorization code and
/// refresh token grants; "/authorize" redirects to the client's loopback address with a code
/// and the state; any other path is a resource that answers 200 for a token it issued and 401
/// otherwise. Token requests are refused with an OAuth error body when the client
/// authentication, the grant's parameters or the PKCE verifier are wrong.
class OAuth2TestServer {
public:
    static constexpr auto kClientId = "mako client";
    /// With characters that the form encoding of the Basic header must carry unchanged.
    static constexpr auto kClientSecret = "s3cret+&:=%";
    static constexpr auto kUsername = "ada";
    static constexpr auto kPassword = "p@ss word";

    OAuth2TestServer();

    QString tokenUrl() const;
    QString authUrl() const;
    QString resourceUrl() const;
    /// Settings of this server's client for `grant`.
    OAuth2Settings settings(
        OAuth2Grant grant, OAuth2ClientAuth clientAuth = OAuth2ClientAuth::basicHeader) const
    {
        return {.grant = grant,
            .authUrl = authUrl(),
            .tokenUrl = tokenUrl(),
            .clientId = QString::fromLatin1(kClientId),
            .clientAuth = clientAuth};
    }

    /// The lifetime of the tokens issued from now on, in seconds.
    void setExpiresIn(int seconds);
    /// The redirect carries a state other than the one received.
    void setForgeState(bool forge);

    /// Requests to "/token" in arrival order, and how many asked for `grantType`.
    QList<RecordedRequest> tokenRequests() const;
    int grantCount(const QString& grantType) const;
    /// Whether the last token request authenticated the client with a Basic header.
    bool lastUsedBasic() const;
    QString lastIssuedToken() const;
    /// Requests to the resource path.
    QList<RecordedRequest> resourceRequests() const;

    const HttpTestServer& http() const { return m_http; }

private:
    ScriptedResponse answer(const RecordedRequest& request);
    ScriptedResponse token(const RecordedRequest& request);
    ScriptedResponse authorize(const RecordedRequest& request);
    ScriptedResponse issue(const QString& scope);

    struct Code {
        QString challenge;
        QString redirectUri;
    };

    mutable QMutex m_mutex;
    int m_expiresIn = 3600;
    bool m_forgeState = false;
    bool m_lastUsedBasic = false;
    int m_issued = 0;
    int m_codeCount = 0;
    QString m_lastToken;
    QHash<QString, Code> m_codes;
    QStringList m_accessTokens;
    QStringList m_refreshTokens;
    HttpTestServer m_http;
};

/// Stands in for the desktop's browser: asks for the authorization page, then follows its
/// redirect to the loopback callback itself.
class LoopbackBrowser {
public:
    void open(const QUrl& url);
    /// How many pages it was asked to open.
    int opened() const { return m_opened; }

private:
    QNetworkAccessManager m_network;
    int m_opened = 0;
};

} // namespace mako::test
