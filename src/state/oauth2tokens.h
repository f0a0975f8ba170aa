#pragma once

#include "model/oauth2settings.h"
#include "model/result.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

namespace mako {

class NetworkService;
class SecretVault;

/// An OAuth 2.0 access token as the token endpoint gave it.
struct OAuth2Token {
    QString accessToken;
    /// "Bearer" unless the server said otherwise.
    QString tokenType;
    /// The scope granted, which may differ from the one asked for.
    QString scope;
    QString refreshToken;
    /// Invalid when the server gave no lifetime.
    QDateTime expiresAt;

    bool operator==(const OAuth2Token&) const = default;
};

/// Gets, keeps and renews OAuth 2.0 tokens. Settings are passed as the user wrote them (they
/// find the client's secrets and token in the vault) together with `resolve`, which puts the
/// variables into any of their texts before they go out. Everything answers later, on the
/// calling (main) thread.
class OAuth2Tokens : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const Result<OAuth2Token>&)>;
    using Resolve = std::function<QString(const QString&)>;

    OAuth2Tokens(SecretVault& vault, NetworkService& network, QObject* parent = nullptr);
    ~OAuth2Tokens() override;

    /// How the Authorization Code grant shows the authorization page: the window opens the
    /// desktop's browser; mako-cli prints the address.
    void setBrowser(std::function<void(const QUrl&)> open);

    /// "Get New Access Token": runs the grant anew, then keeps the token.
    void fetchNew(const OAuth2Settings& settings, Resolve resolve, Done done);
    /// The token a send goes with: the kept one, renewed first when it expires within a minute
    /// (by its refresh token, or by the grant again where that needs no user). Without a kept
    /// token, the grants that need no user fetch one; the Authorization Code grant fails with a
    /// message that says to get one.
    void tokenForSend(const OAuth2Settings& settings, Resolve resolve, Done done);
    /// Stops waiting for the browser; the waiting call fails.
    void cancel();

    /// The kept token (read from the secret service at the first `load`).
    std::optional<OAuth2Token> kept(const OAuth2Settings& settings) const;
    void forget(const OAuth2Settings& settings);
    /// Reads the settings' client secret, password and token from the secret service once.
    void load(const OAuth2Settings& settings, std::function<void()> done);

    QString clientSecret(const OAuth2Settings& settings) const;
    void setClientSecret(const OAuth2Settings& settings, const QString& secret);
    /// The password of the password grant.
    QString password(const OAuth2Settings& settings) const;
    void setPassword(const OAuth2Settings& settings, const QString& password);

Q_SIGNALS:
    /// A token was got, renewed or forgotten for the client of `settings`.
    void tokenChanged(const OAuth2Settings& settings);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace mako
