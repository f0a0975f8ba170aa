#pragma once

#include "scripting/scriptengine.h"
#include "state/oauth2tokens.h"
#include "state/secretstore.h"

#include <QList>
#include <QString>

#include <utility>

namespace mako::cli {

struct Console;

/// The OAuth 2.0 tokens of one mako-cli command. Its secrets last for the command only: those a
/// Postman collection brought, else the variables `clientSecret` and `password` (`--var`). The
/// Authorization Code grant prints the authorization address on standard error and waits for
/// the browser's return on the loopback address.
class CliOAuth2 {
public:
    CliOAuth2(NetworkService& service, Console& console);

    void addSecrets(const QList<std::pair<QString, QString>>& secrets);
    /// For each OAuth 2.0 request, the variables `clientSecret` and `password` stand for the
    /// secrets no import gave.
    void useVariables(const QList<APIRequest>& requests, const QList<KeyValuePair>& variables);
    ScriptSettings::Authorize authorizer() { return m_tokens.sendAuthorizer(); }

private:
    SecretVault m_vault;
    OAuth2Tokens m_tokens;
};

} // namespace mako::cli
