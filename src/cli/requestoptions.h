#pragma once

#include "execution/networksettings.h"
#include "model/apienvironment.h"
#include "model/keyvaluepair.h"
#include "model/result.h"
#include "scripting/variablescopes.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

#include <optional>

namespace mako {
class CookieJar;
}

namespace mako::cli {

struct Console;

/// What the sending commands (send, run) take from the command line: the engine's options and
/// the variables.
struct RequestOptions {
    NetworkSettings settings;
    /// --var rows, in the order given; they act as the global variables.
    QList<KeyValuePair> globals;
    /// The --environment file, made the active environment.
    std::optional<APIEnvironment> environment;
    /// The --cookie-jar file, and the cookies it held when the command started (none when it
    /// did not exist yet).
    std::optional<QString> cookieJar;
    QByteArray cookieJarText;

    /// Fills `jar` with the cookies of the --cookie-jar file.
    void loadCookies(CookieJar& jar) const;
    /// Writes `jar`, session cookies included as curl's -c does, to the --cookie-jar file;
    /// a failure is reported as a warning of `command`.
    void saveCookies(Console& console, const QString& command, const CookieJar& jar) const;

    /// The variable set to send with: the --var rows, the environment's rows, then `extraRows`
    /// (a collection's own variables, which both of the others override).
    std::optional<APIEnvironment> mergedEnvironment(
        const QList<KeyValuePair>& extraRows = {}) const;
    /// The same by scope, for a run with scripts: the --var rows go ahead of the environment
    /// file's, in the environment that the scripts read and change.
    VariableScopes scopes(const QList<KeyValuePair>& collectionVariables = {}) const;
};

/// The -e/--environment, --var, -k/--insecure, --timeout, --cookie-jar and curl's certificate
/// options.
class RequestOptionSet {
public:
    void addTo(QCommandLineParser& parser) const;
    /// The options themselves, for a command that sorts its words before parsing them.
    QList<QCommandLineOption> options() const
    {
        return {m_environment, m_var, m_insecure, m_timeout, m_cookieJar, m_cert, m_key, m_certType,
            m_cacert, m_pass};
    }
    /// Reads the options back; an error is a usage error (bad value, unreadable environment).
    /// An --environment that names no file is looked up by name in `kept` (a folder
    /// collection's environments), then in the data folder's environments.
    Result<RequestOptions> read(Console& console, const QCommandLineParser& parser,
        const QList<APIEnvironment>& kept = {}) const;

    static constexpr auto kHelp = R"(  -e, --environment FILE|NAME
                          A Mako environment record or a Postman environment file, used as
                          the active environment; or the name of an environment of the
                          folder collection, else of the data folder (where the window keeps
                          them).
  --var KEY=VALUE         A variable (repeatable); it wins over the environment's row of the
                          same name.
  -k, --insecure          Accept any server certificate.
  --timeout SECONDS       Give up on a request after SECONDS (default: 30 without traffic,
                          300 in all).
  --cookie-jar FILE       Read cookies from FILE (curl's Netscape cookie file) before the
                          first request when it exists, and write every cookie there at the end.
  -E, --cert FILE[:PASSPHRASE]
                          Show the client certificate in FILE to every server ("\:" for a
                          colon in the file name).
  --key FILE              The private key of a PEM --cert, when FILE does not hold it.
  --cert-type PEM|P12     What --cert holds: a PEM certificate (the default) or a PKCS #12 file.
  --pass PASSPHRASE       Opens the key or the PKCS #12 file; never printed.
  --cacert FILE           Trust the PEM certificate authorities in FILE as well as the system's.
)";

private:
    QCommandLineOption m_environment {
        {QStringLiteral("e"), QStringLiteral("environment")}, {}, QStringLiteral("FILE")};
    QCommandLineOption m_var {QStringLiteral("var"), {}, QStringLiteral("KEY=VALUE")};
    QCommandLineOption m_insecure {{QStringLiteral("k"), QStringLiteral("insecure")}};
    QCommandLineOption m_timeout {QStringLiteral("timeout"), {}, QStringLiteral("SECONDS")};
    QCommandLineOption m_cookieJar {QStringLiteral("cookie-jar"), {}, QStringLiteral("FILE")};
    QCommandLineOption m_cert {
        {QStringLiteral("E"), QStringLiteral("cert")}, {}, QStringLiteral("FILE[:PASSPHRASE]")};
    QCommandLineOption m_key {QStringLiteral("key"), {}, QStringLiteral("FILE")};
    QCommandLineOption m_certType {QStringLiteral("cert-type"), {}, QStringLiteral("TYPE")};
    QCommandLineOption m_cacert {QStringLiteral("cacert"), {}, QStringLiteral("FILE")};
    QCommandLineOption m_pass {QStringLiteral("pass"), {}, QStringLiteral("PASSPHRASE")};

    /// The entry the certificate options make, for every host; none without them.
    Result<std::optional<HostCertificate>> certificate(const QCommandLineParser& parser) const;
};

/// Reads a Mako environment record or a Postman environment export.
Result<APIEnvironment> parseEnvironment(const QByteArray& bytes);

} // namespace mako::cli
