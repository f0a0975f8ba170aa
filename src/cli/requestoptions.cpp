#include "cli/requestoptions.h"

#include "cli/console.h"
#include "cli/datafolder.h"
#include "execution/cookiejar.h"
#include "interchange/curlparser.h"
#include "interchange/foldernames.h"
#include "interchange/postmanimporter.h"
#include "model/recordjson.h"
#include "state/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

#include <functional>

using namespace Qt::StringLiterals;

namespace mako::cli {

std::optional<APIEnvironment> RequestOptions::mergedEnvironment(
    const QList<KeyValuePair>& extraRows) const
{
    return scopes(extraRows).resolved();
}

VariableScopes RequestOptions::scopes(const QList<KeyValuePair>& collectionVariables) const
{
    VariableScopes scopes {.collection = collectionVariables};
    if (environment || !globals.isEmpty()) {
        scopes.environment = environment.value_or(APIEnvironment {.variables = {}});
        scopes.environment->variables = globals + scopes.environment->variables;
    }
    return scopes;
}

void RequestOptions::loadCookies(CookieJar& jar) const
{
    if (!cookieJarText.isEmpty())
        jar.addNetscape(cookieJarText);
}

void RequestOptions::saveCookies(
    Console& console, const QString& command, const CookieJar& jar) const
{
    if (!cookieJar)
        return;
    if (const auto written = writeOutput(*cookieJar, jar.toNetscape(true)); !written)
        console.warn(u"mako-cli %1: %2\n"_s.arg(command, written.errorMessage()));
}

namespace {

// An environment by its name as the user types it: exact, then in any letter case, then as its
// file is named ("staging" for "Staging", "us-east" for "US East").
const APIEnvironment* named(const QList<APIEnvironment>& environments, const QString& name)
{
    const std::initializer_list<std::function<bool(const APIEnvironment&)>> rules {
        [&](const APIEnvironment& e) { return e.name == name; },
        [&](const APIEnvironment& e) { return e.name.compare(name, Qt::CaseInsensitive) == 0; },
        [&](const APIEnvironment& e) {
            return FolderNames::stem(e.name, {}).compare(name, Qt::CaseInsensitive) == 0;
        },
    };
    for (const auto& rule : rules) {
        const auto found = std::ranges::find_if(environments, rule);
        if (found != environments.end())
            return &*found;
    }
    return nullptr;
}

Result<APIEnvironment> environmentNamed(const QString& name, const QList<APIEnvironment>& kept)
{
    if (const APIEnvironment* found = named(kept, name))
        return *found;
    // Only looked into when it is there: a lookup makes no data folder.
    const QString directory = PersistenceService::standardAppDirectory();
    QList<APIEnvironment> saved;
    if (QFileInfo::exists(QDir(directory).filePath(PersistenceService::kEnvironmentsFile))) {
        auto loaded
            = DataFolder(directory).load<APIEnvironment>(PersistenceService::kEnvironmentsFile);
        if (!loaded)
            return loaded.error();
        saved = std::move(loaded).value();
    }
    if (const APIEnvironment* found = named(saved, name))
        return *found;
    QStringList names;
    for (const APIEnvironment& environment : kept + saved)
        names.append(u'"' + environment.name + u'"');
    return Error {u"no environment file or environment named \"%1\" (%2)"_s.arg(
        name, names.isEmpty() ? u"there are none"_s : u"there are "_s + names.join(u", "_s))};
}

} // namespace

void RequestOptionSet::addTo(QCommandLineParser& parser) const
{
    parser.addOptions(options());
}

Result<RequestOptions> RequestOptionSet::read(
    Console& console, const QCommandLineParser& parser, const QList<APIEnvironment>& kept) const
{
    RequestOptions options;
    // The command line sends as the window does: the user's Network preferences apply (the
    // User-Agent, a proxy they need, redirects), and the options below override them.
    options.settings = Settings::createStandard()->networkSettings();
    for (const QString& assignment : parser.values(m_var)) {
        const qsizetype equals = assignment.indexOf(u'=');
        if (equals <= 0)
            return Error {u"--var expects KEY=VALUE, got \"%1\""_s.arg(assignment)};
        options.globals.append(
            KeyValuePair {.key = assignment.left(equals), .value = assignment.mid(equals + 1)});
    }
    if (parser.isSet(m_timeout)) {
        bool ok = false;
        const double seconds = parser.value(m_timeout).toDouble(&ok);
        if (!ok || !(seconds > 0))
            return Error {u"--timeout expects a number of seconds above 0"_s};
        // One limit for the user: the whole exchange, and the quiet time within it.
        options.settings.requestTimeout = seconds;
        options.settings.resourceTimeout = seconds;
    }
    if (parser.isSet(m_insecure))
        options.settings.verifySSL = false;
    const auto certificate = this->certificate(parser);
    if (!certificate)
        return certificate.error();
    // Ahead of the preferences' entries, which it overrides for every host.
    if (*certificate)
        options.settings.certificates.prepend(**certificate);
    const QString environmentName = parser.value(m_environment);
    // A word that looks like a path stays a file, so a mistyped one is reported as unreadable.
    const bool isName = environmentName != u"-"_s && !QFileInfo(environmentName).isFile()
        && !environmentName.contains(u'/') && !environmentName.endsWith(u".json"_s);
    if (parser.isSet(m_environment) && isName) {
        auto environment = environmentNamed(environmentName, kept);
        if (!environment)
            return environment.error();
        options.environment = std::move(environment).value();
    } else if (parser.isSet(m_environment)) {
        const auto bytes = readInput(console, parser.value(m_environment));
        if (!bytes)
            return bytes.error();
        auto environment = parseEnvironment(bytes.value());
        if (!environment)
            return Error {u"%1: %2"_s.arg(parser.value(m_environment), environment.errorMessage())};
        options.environment = std::move(environment).value();
    }
    if (parser.isSet(m_cookieJar)) {
        // Like curl's -b and -c on one file: a jar that does not exist yet is made at the end.
        options.cookieJar = parser.value(m_cookieJar);
        if (QFileInfo::exists(*options.cookieJar)) {
            const auto bytes = readInput(console, *options.cookieJar);
            if (!bytes)
                return bytes.error();
            options.cookieJarText = bytes.value();
        }
    }
    return options;
}

Result<std::optional<HostCertificate>> RequestOptionSet::certificate(
    const QCommandLineParser& parser) const
{
    if (!parser.isSet(m_cert) && !parser.isSet(m_cacert)) {
        if (parser.isSet(m_key) || parser.isSet(m_pass) || parser.isSet(m_certType))
            return Error {u"--key, --pass and --cert-type go with --cert"_s};
        return std::optional<HostCertificate>();
    }
    // Relative names are kept: the engine opens them from the current folder, as curl does.
    HostCertificate entry {.host = u"*"_s, .caBundleFile = parser.value(m_cacert)};
    if (parser.isSet(m_cert)) {
        std::tie(entry.certificateFile, entry.passphrase)
            = CurlParser::splitCertificateArgument(parser.value(m_cert));
        if (entry.certificateFile.isEmpty())
            return Error {u"--cert expects FILE[:PASSPHRASE]"_s};
    } else if (parser.isSet(m_key) || parser.isSet(m_pass) || parser.isSet(m_certType)) {
        return Error {u"--key, --pass and --cert-type go with --cert"_s};
    }
    if (parser.isSet(m_pass))
        entry.passphrase = parser.value(m_pass);
    const QString type = parser.value(m_certType).toUpper();
    if (type == u"P12"_s)
        entry.type = HostCertificate::Type::pkcs12;
    else if (!type.isEmpty() && type != u"PEM"_s)
        return Error {u"--cert-type expects PEM or P12"_s};
    if (parser.isSet(m_key)) {
        if (entry.type == HostCertificate::Type::pkcs12)
            return Error {u"--key goes with a PEM certificate; a P12 file holds its key"_s};
        entry.keyFile = parser.value(m_key);
    }
    return std::optional(entry);
}

Result<APIEnvironment> parseEnvironment(const QByteArray& bytes)
{
    const auto parsed = parseJson(bytes);
    if (!parsed)
        return parsed.error();
    // A Postman export lists its variables under "values"; Mako's record under "variables".
    if (parsed->toObject().contains(u"values"_s))
        return PostmanImporter::importEnvironment(bytes);
    auto environment = fromJson<APIEnvironment>(parsed.value());
    if (!environment)
        return Error {u"not a Mako environment or a Postman environment file ("_s
            + environment.errorMessage() + u')'};
    return environment;
}

} // namespace mako::cli
