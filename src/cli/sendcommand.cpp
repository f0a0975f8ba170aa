#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/reasonphrase.h"
#include "cli/requestoptions.h"
#include "execution/collectionrunner.h"
#include "execution/networkservice.h"
#include "interchange/curlparser.h"
#include "model/recordjson.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

const char kSendUsage[] = R"(Usage: mako-cli send [options] FILE
       mako-cli send [options] --curl 'curl ...'

Sends one request and prints the response: status, time, size, headers and the pretty body.
FILE holds the request in Mako's stored JSON form ("-" reads standard input).

Options:
  --curl COMMAND          Send the request of a curl command line instead of FILE.
  --raw                   Print the body as received instead of pretty-printed.
  --json                  Print one JSON object: statusCode, headers, body (or bodyBase64 when
                          the body is not UTF-8), duration in seconds and size in bytes; or
                          {"error": TEXT} when the request could not be sent.
)"
                          R"(%1
Exit status: 0 for a response below 400, 1 for a status of 400 or above or a failed send,
2 for bad usage or an unreadable request.
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

} // namespace

int sendCommand(const QStringList& arguments, Console& console)
{
    const QString command = u"send"_s;
    QCommandLineParser parser;
    const QCommandLineOption curl(u"curl"_s, {}, u"COMMAND"_s);
    const QCommandLineOption raw(u"raw"_s);
    const QCommandLineOption json(u"json"_s);
    const RequestOptionSet requestOptions;
    parser.addOptions({curl, raw, json});
    requestOptions.addTo(parser);
    const QByteArray usage
        = QString::fromUtf8(kSendUsage).arg(QString::fromUtf8(RequestOptionSet::kHelp)).toUtf8();
    if (auto done = parseArguments(parser, arguments, console, command, usage.constData()))
        return *done;

    const QStringList files = parser.positionalArguments();
    if (files.size() != (parser.isSet(curl) ? 0 : 1))
        return usageError(console, command, u"expected one FILE or --curl"_s);
    std::optional<APIRequest> request;
    if (parser.isSet(curl)) {
        request = CurlParser::parse(parser.value(curl));
        if (!request)
            return usageError(console, command, u"Could not parse cURL command."_s);
    } else {
        auto loaded = readRequestFile(console, files.first());
        if (!loaded)
            return usageError(console, command, loaded.errorMessage());
        request = std::move(loaded).value();
    }
    const auto options = requestOptions.read(console, parser);
    if (!options)
        return usageError(console, command, options.errorMessage());

    NetworkService service(options->settings);
    // A stored GraphQL request goes out in its HTTP form, as the GraphQL screen sends it.
    const NetworkResult result = sendAndWait(
        service, CollectionRunner::preparedRequest(*request), options->mergedEnvironment());
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
    if (parser.isSet(json))
        console.print(QJsonDocument(responseJson(response)).toJson(QJsonDocument::Compact) + '\n');
    else
        printResponse(console, response, parser.isSet(raw));
    return response.statusCode < 400 ? kSuccess : kFailure;
}

} // namespace mako::cli
