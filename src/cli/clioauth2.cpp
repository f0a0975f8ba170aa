#include "cli/clioauth2.h"

#include "cli/console.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako::cli {

CliOAuth2::CliOAuth2(NetworkService& service, Console& console)
    : m_vault(std::make_unique<NoSecretStore>())
    , m_tokens(m_vault, service)
{
    m_tokens.setBrowser([&console](const QUrl& url) {
        console.warn(u"Open this address in a browser to authorize mako-cli:\n  "_s
            + url.toString(QUrl::FullyEncoded) + u'\n');
    });
}

void CliOAuth2::addSecrets(const QList<std::pair<QString, QString>>& secrets)
{
    for (const auto& [key, secret] : secrets)
        m_vault.setValue(key, secret);
}

void CliOAuth2::useVariables(
    const QList<APIRequest>& requests, const QList<KeyValuePair>& variables)
{
    const auto defined = [&variables](const QString& name) {
        return std::ranges::any_of(variables,
            [&name](const KeyValuePair& row) { return row.isApplicable() && row.key == name; });
    };
    for (const APIRequest& request : requests) {
        if (request.authType != AuthType::oauth2)
            continue;
        for (const QString& what : {u"clientSecret"_s, u"password"_s}) {
            const QString key = oauth2SecretKey(request.oauth2, what);
            // Put in at the send, like every other variable of the settings.
            if (m_vault.value(key).isEmpty() && defined(what))
                m_vault.setValue(key, u"{{"_s + what + u"}}"_s);
        }
    }
}

} // namespace mako::cli
