#include "state/oauth2tokens.h"

#include "state/secretstore.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QString kToken = u"token"_s;
const QString kClientSecret = u"clientSecret"_s;
const QString kPassword = u"password"_s;

[[maybe_unused]] QString tokenText(const OAuth2Token& token)
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
        token.expiresAt = QDateTime::fromSecsSinceEpoch(o[u"expires_at"_s].toInteger());
    return token;
}

} // namespace

struct OAuth2Tokens::Impl {
    SecretVault& vault;
    NetworkService& network;
    std::function<void(const QUrl&)> browser;
};

OAuth2Tokens::OAuth2Tokens(SecretVault& vault, NetworkService& network, QObject* parent)
    : QObject(parent)
    , m_impl(std::make_unique<Impl>(Impl {vault, network, {}}))
{ }

OAuth2Tokens::~OAuth2Tokens() = default;

void OAuth2Tokens::setBrowser(std::function<void(const QUrl&)> open)
{
    m_impl->browser = std::move(open);
}

// The grants themselves come next; until then a send says plainly that it has no token.
void OAuth2Tokens::fetchNew(const OAuth2Settings&, Resolve, Done done)
{
    QTimer::singleShot(0, this, [done] {
        done(Error {QCoreApplication::translate(
            "mako::OAuth2Tokens", "Getting an OAuth 2.0 token is not available in this build")});
    });
}

void OAuth2Tokens::tokenForSend(const OAuth2Settings& settings, Resolve resolve, Done done)
{
    if (const auto token = kept(settings)) {
        QTimer::singleShot(0, this, [done, token = *token] { done(token); });
        return;
    }
    fetchNew(settings, std::move(resolve), std::move(done));
}

void OAuth2Tokens::cancel() { }

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
