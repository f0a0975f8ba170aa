#include "cli/cli.h"
#include "cli/clioauth2.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/requestoptions.h"
#include "cli/runinput.h"
#include "cli/runreport.h"
#include "execution/collectionrunner.h"
#include "execution/cookiejar.h"
#include "execution/networkservice.h"
#include "interchange/curlparser.h"
#include "model/reasonphrase.h"
#include "model/recordjson.h"
#include "scripting/scriptedrunner.h"
#include "scripting/scriptedsend.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

const char kSendUsage[] = R"(Usage: mako-cli send [options] URL [curl options]
       mako-cli send [options] FILE
       mako-cli send [options] --curl 'curl ...'

Sends one request and prints the response: status, time, size, headers and the pretty body.
URL goes out with the curl options that a cURL import understands (-X, -H, -d and the other
--data options, --json, -F, -u, -G, -I, -A, -b, ...), read as curl reads them; text without
"://" is sent as https://. Files named by -d @FILE, -F name=<FILE and the like are read from
the current folder, and @- reads standard input. What the request cannot hold as curl would
send it (a file upload with -F name=@FILE, digest authentication, -T, ...) is refused rather
than sent differently.
FILE holds the request in Mako's stored JSON form: an existing file, a path starting with
"/", "./" or "../", or "-" for standard input. Its pre-request and test scripts run around the
send; their console output and tests are listed on standard error (in the JSON as "tests"),
and a request with tests passes by them. An OAuth 2.0 request gets its access token just
before it goes; give its client secret and password as the variables clientSecret and
password (--var clientSecret=...). The Authorization Code grant prints the address to open
in a browser on standard error and waits for the browser to return.
A request file of a folder collection (its collection.json beside it or one folder up) is
sent as a run of that one request would send it: with the collection's auth where the request
inherits it, the collection's variables, and the scripts of the collection and of its folder
around its own; --environment NAME picks one of the folder's environments/.

The options below are mako-cli's own wherever they stand, also where curl has an option of
the same name: --json prints JSON (curl's --json sends a JSON body) and -e names an
environment (curl's -e is --referer). Every word after "--" is curl's, so
  mako-cli send --json https://api.test/items -- --json '{"name":"a"}'
prints JSON and sends a JSON body. Inside --curl every word is curl's too.

Options:
  --curl COMMAND          Send the request of a curl command line.
  --raw                   Print the body as received instead of pretty-printed.
  --json                  Print one JSON object: statusCode, headers, body (or bodyBase64 when
                          the body is not UTF-8), duration in seconds and size in bytes; or
                          {"error": TEXT} when the request could not be sent.
)"
                          R"(%1
Exit status: 0 for a response below 400 (with tests: every test passed), 1 for a status of 400
or above, a failed test or script, or a failed send, 2 for bad usage or a request that cannot
be read or sent as given.
)";

NetworkResult sendAndWait(NetworkService& service, const APIRequest& request,
    const std::optional<APIEnvironment>& environment)
{
    QEventLoop loop;
    std::optional<NetworkResult> outcome;
    service.execute(request, environment, &loop, [&](const NetworkResult& result) {
        outcome = result;
        loop.quit();
    });
    if (!outcome)
        loop.exec();
    return *outcome;
}

// Sends with the request's own scripts around it; `outcome` receives what they reported.
NetworkResult sendWithScripts(NetworkService& service, const APIRequest& request,
    const SendScripts& scripts, std::optional<ScriptOutcome>& outcome)
{
    QEventLoop loop;
    std::optional<NetworkResult> ended;
    ScriptedSend::start(service, request, scripts, &loop,
        [&](const NetworkResult& result, const ScriptOutcome& reported, const VariableScopes&) {
            ended = result;
            outcome = reported;
            loop.quit();
        });
    if (!ended)
        loop.exec();
    return *ended;
}

QJsonArray testsJson(const ScriptOutcome& outcome)
{
    QJsonArray tests;
    for (const TestResult& test : outcome.tests) {
        QJsonObject json {{u"name"_s, test.name}, {u"passed"_s, test.passed}};
        if (!test.error.isEmpty())
            json.insert(u"error"_s, test.error);
        tests.append(json);
    }
    return tests;
}

QJsonObject responseJson(const APIResponse& response)
{
    QJsonObject headers;
    for (auto it = response.headers.cbegin(); it != response.headers.cend(); ++it)
        headers.insert(it.key(), it.value());
    QJsonObject json {
        {u"statusCode"_s, response.statusCode},
        {u"headers"_s, headers},
        {u"duration"_s, response.duration},
        {u"size"_s, response.size},
    };
    if (QUtf8StringView(response.body).isValidUtf8())
        json.insert(u"body"_s, QString::fromUtf8(response.body));
    else
        json.insert(u"bodyBase64"_s, QString::fromLatin1(response.body.toBase64()));
    return json;
}

void printResponse(Console& console, const APIResponse& response, bool raw)
{
    const QString status
        = QString::number(response.statusCode) + u' ' + reasonPhrase(response.statusCode);
    console.print(console.paint(status.trimmed(), statusColour(response.statusCode)) + u"   "_s
        + milliseconds(response.duration) + u"   "_s
        + QLocale::c().formattedDataSize(response.size, 1, QLocale::DataSizeSIFormat) + u"\n\n"_s);
    for (auto it = response.headers.cbegin(); it != response.headers.cend(); ++it)
        console.print(
            console.paint(it.key(), Console::Colour::bold) + u": "_s + it.value() + u'\n');
    console.print(QByteArray("\n"));
    QByteArray body = raw ? response.body : response.prettyBody();
    if (!body.isEmpty() && !body.endsWith('\n'))
        body += '\n';
    console.print(body);
}

// The words of the command line, sorted: mako-cli's own options (with their values) and
// curl's words. A curl option's value stays with it even where it looks like one of ours.
struct SendWords {
    QStringList own;
    QStringList curl;
};

SendWords sortWords(const QStringList& arguments, const QList<QCommandLineOption>& own)
{
    const auto ownOption = [&](const QString& word) -> const QCommandLineOption* {
        const QString name = word.startsWith(u"--"_s)   ? word.mid(2).section(u'=', 0, 0)
            : word.size() == 2 && word.startsWith(u'-') ? word.mid(1)
                                                        : QString();
        for (const QCommandLineOption& option : own) {
            if (!name.isEmpty() && option.names().contains(name))
                return &option;
        }
        return nullptr;
    };
    SendWords words;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (word == u"--"_s) {
            words.curl += arguments.mid(i + 1);
            break;
        }
        const QCommandLineOption* option = ownOption(word);
        QStringList& list = option ? words.own : words.curl;
        list.append(word);
        const bool takesValue = option ? !option->valueName().isEmpty() && !word.contains(u'=')
                                       : CurlParser::needsValue(word);
        if (takesValue && i + 1 < arguments.size())
            list.append(arguments[++i]);
    }
    return words;
}

// A path rather than an address: standard input, an existing file, or a word that starts the
// way only a path does.
bool namesRequestFile(const QString& word)
{
    return word == u"-"_s || QFileInfo(word).isFile() || word.startsWith(u'/')
        || word.startsWith(u"./"_s) || word.startsWith(u"../"_s);
}

// The request of a --curl command, of a stored request FILE, or of a URL and curl's options.
// A --curl command's certificate options come back in `certificate`.
Result<APIRequest> requestToSend(Console& console, const std::optional<QString>& curlCommand,
    const QStringList& words, std::optional<HostCertificate>& certificate,
    std::optional<RunInput>& folder)
{
    const CurlParser::ParseOptions options {.folder = QDir::currentPath(),
        .standardInput = [&console] { return console.in.readAll(); },
        .strict = true};
    if (curlCommand && !words.isEmpty())
        return Error {u"--curl holds the whole command; give no URL or FILE beside it"_s};
    if (!curlCommand && words.isEmpty())
        return Error {u"expected a URL, a FILE or --curl"_s};
    if (!curlCommand && namesRequestFile(words.first())) {
        if (words.size() > 1)
            return Error {u"a request FILE takes no curl options"_s};
        QUuid id;
        folder = folderOfRequestFile(words.first(), id);
        if (folder) {
            const auto found = std::ranges::find(folder->collection.requests, id, &APIRequest::id);
            return *found;
        }
        return readRequestFile(console, words.first());
    }
    auto parsed = curlCommand ? CurlParser::parse(*curlCommand, options)
                              : CurlParser::parseArguments(words, options);
    if (!parsed) {
        const bool noUrl = parsed.errorMessage() == QLatin1StringView(CurlParser::kNotACurlCommand);
        return !curlCommand && noUrl ? Error {u"expected a URL, a FILE or --curl"_s}
                                     : parsed.error();
    }
    certificate = parsed->certificate;
    return std::move(parsed).value().request;
}

} // namespace

int sendCommand(const QStringList& arguments, Console& console)
{
    const QString command = u"send"_s;
    QCommandLineParser parser;
    const QCommandLineOption curl(u"curl"_s, {}, u"COMMAND"_s);
    const QCommandLineOption raw(u"raw"_s);
    const QCommandLineOption json(u"json"_s);
    const QCommandLineOption help(QStringList {u"h"_s, u"help"_s});
    const RequestOptionSet requestOptions;
    parser.addOptions({curl, raw, json});
    requestOptions.addTo(parser);
    const QByteArray usage
        = QString::fromUtf8(kSendUsage).arg(QString::fromUtf8(RequestOptionSet::kHelp)).toUtf8();
    const SendWords words
        = sortWords(arguments, QList {curl, raw, json, help} + requestOptions.options());
    if (auto done = parseArguments(parser, words.own, console, command, usage.constData()))
        return *done;

    std::optional<HostCertificate> curlCertificate;
    std::optional<RunInput> folder;
    const auto request = requestToSend(console,
        parser.isSet(curl) ? std::optional(parser.value(curl)) : std::nullopt, words.curl,
        curlCertificate, folder);
    if (!request)
        return usageError(console, command, request.errorMessage());
    if (folder) {
        for (const QString& warning : folder->warnings)
            console.warn(u"mako-cli send: %1\n"_s.arg(warning));
    }
    const Collection* collection = folder ? &folder->collection : nullptr;
    const QList<KeyValuePair> collectionVariables
        = collection ? collection->variables : QList<KeyValuePair> {};
    const auto options = requestOptions.read(
        console, parser, folder ? folder->environments : QList<APIEnvironment> {});
    if (!options)
        return usageError(console, command, options.errorMessage());
    NetworkSettings settings = options->settings;
    if (curlCertificate)
        settings.certificates.prepend(*curlCertificate);

    NetworkService service(settings);
    options->loadCookies(service.engine().cookies());
    // A stored GraphQL request goes out in its HTTP form, as the GraphQL screen sends it. A lone
    // request file has no collection: one that inherits goes without auth.
    const APIRequest prepared
        = CollectionRunner::preparedRequest(withInheritedAuth(*request, collection));
    CliOAuth2 oauth2(service, console);
    const std::optional<APIEnvironment> variables = options->mergedEnvironment(collectionVariables);
    oauth2.useVariables({prepared}, variables ? variables->variables : QList<KeyValuePair> {});
    const SendScripts scripts {.preRequest = collection
            ? ScriptedRunner::scriptsAround(*collection, *request, false)
            : QStringList {request->preRequestScript},
        .tests = collection ? ScriptedRunner::scriptsAround(*collection, *request, true)
                            : QStringList {request->testScript},
        .scopes = options->scopes(collectionVariables),
        .settings = {.timeoutMilliseconds = ScriptSettings {}.timeoutMilliseconds,
            .moduleFolders = {},
            .authorize = oauth2.authorizer()}};
    std::optional<ScriptOutcome> outcome;
    // An OAuth 2.0 request gets its token on the scripted way, just before it goes.
    const NetworkResult result = ScriptEngine::hasCode(scripts.preRequest + scripts.tests)
            || prepared.authType == AuthType::oauth2
        ? sendWithScripts(service, prepared, scripts, outcome)
        : sendAndWait(service, prepared, variables);
    options->saveCookies(console, command, service.engine().cookies());
    // The response goes to standard output as ever; what the scripts said goes beside it.
    if (outcome && !parser.isSet(json))
        console.warn(scriptLines(console, *outcome));
    if (const auto* error = std::get_if<NetworkError>(&result)) {
        if (parser.isSet(json))
            console.print(QJsonDocument(QJsonObject {{u"error"_s, error->errorDescription()}})
                              .toJson(QJsonDocument::Compact)
                + '\n');
        else
            console.warn(u"mako-cli send: "_s + error->errorDescription() + u'\n');
        return kFailure;
    }
    const auto& response = std::get<APIResponse>(result);
    if (parser.isSet(json)) {
        QJsonObject report = responseJson(response);
        if (outcome)
            report.insert(u"tests"_s, testsJson(*outcome));
        console.print(QJsonDocument(report).toJson(QJsonDocument::Compact) + '\n');
    } else {
        printResponse(console, response, parser.isSet(raw));
    }
    // Tests decide where there are any, as in a run.
    if (outcome && !outcome->tests.isEmpty())
        return outcome->passed() ? kSuccess : kFailure;
    return response.statusCode < 400 && !(outcome && outcome->error) ? kSuccess : kFailure;
}

} // namespace mako::cli
