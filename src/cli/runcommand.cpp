#include "cli/cli.h"
#include "cli/clioauth2.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/requestoptions.h"
#include "cli/runinput.h"
#include "cli/runreport.h"
#include "execution/cookiejar.h"
#include "interchange/iterationdata.h"
#include "scripting/scriptedrunner.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

const char kRunUsage[] = R"(Usage: mako-cli run [options] FILE|FOLDER

Sends every request of a collection in turn, running the pre-request and test scripts of the
collection, its folders and the request around it, and reports whether each passed: a request
with tests passes when every test passes and no script failed, one without tests by its status
(below 400). FILE is a Mako collection file, a Mako backup or collections data file
(--collection picks one of its collections), or a Postman collection, whose own variables take
part after the environment's rows; what such a collection cannot bring along (a request whose
method cannot be sent, a dropped authorisation, file or script) is named on standard error.
OAuth 2.0 requests get their access token before they go, once for each client: with the
secrets a Postman collection brought, else the variables clientSecret and password
(--var clientSecret=...).
FOLDER is a collection kept as a folder (its collection.json, a file per request, a folder per
folder, environments/), as the window saves one for a team to share through git; a file in it
that does not load is named on standard error and left out, and the rest runs. --environment
NAME picks one of its environments/ by name, else one of the data folder's.

Options:
  --collection NAME       The collection of a backup to run (its name or id).
  --iteration-data FILE   Run the collection once per row of FILE: CSV with a header row of
                          variable names, or a JSON array of objects. A row's values are
                          data variables, ahead of the environment's and the globals'.
  --bail                  Stop at the first failure (a request that fails, a failing test or
                          script, or without tests a status of 400 or more); later requests
                          and iterations do not run.
  --reporter REPORTER     cli (one line per request with its tests and console output below
                          it, and a summary; the default), json (the results with their tests
                          and the summary) or junit (JUnit XML for CI systems: one test case
                          per test, its class the request).
  --json                  The same as --reporter json.
  -o, --output FILE       Write the report to FILE; the cli lines still go to standard output
                          for the json and junit reporters.
)"
                         R"(%1
Exit status: 0 when every request passed, 1 when a request or a test failed, 2 for bad usage
or an unreadable FILE.
)";

enum class Reporter { cli, json, junit };

std::optional<Reporter> reporterNamed(const QString& name)
{
    static const QHash<QString, Reporter> reporters {
        {u"cli"_s, Reporter::cli}, {u"json"_s, Reporter::json}, {u"junit"_s, Reporter::junit}};
    const auto found = reporters.constFind(name);
    return found == reporters.cend() ? std::nullopt : std::optional<Reporter>(*found);
}

// Runs the collection to the end (or the first failure), printing the cli lines as results
// arrive when `lines` is set.
RunReport runCollection(const RunInput& input, const QList<IterationRow>& data,
    const RequestOptions& options, bool bail, Console& console, Console* lines)
{
    RunReport report {.collection = input.collection,
        .startedAt = QDateTime::currentDateTimeUtc(),
        .iterations = std::max(1, int(data.size()))};
    // One engine for the whole run, so every request shares its cookie store.
    NetworkService service(options.settings);
    options.loadCookies(service.engine().cookies());
    CliOAuth2 oauth2(service, console);
    oauth2.addSecrets(input.secrets);
    const std::optional<APIEnvironment> variables
        = options.mergedEnvironment(input.collection.variables);
    oauth2.useVariables(
        input.collection.requests, variables ? variables->variables : QList<KeyValuePair> {});
    QEventLoop loop;
    bool finished = false;
    CollectionRunner::RunHandle handle;
    // With bail, the run ends at the first failure: a request that the network thread had
    // already finished behind it is left out, as if never sent.
    qsizetype reported = 0;
    bool bailed = false;
    int shownIteration = -1;
    handle = ScriptedRunner::run(
        input.collection, options.scopes(input.collection.variables), &loop, {},
        [&](const RunResult& result) {
            if (bailed)
                return;
            if (lines) {
                if (report.iterations > 1 && result.iteration != shownIteration)
                    lines->print(iterationLine(result.iteration, report.iterations));
                shownIteration = result.iteration;
                lines->print(resultLines(*lines, result));
                lines->flush();
            }
            ++reported;
            if (bail && !result.passed) {
                bailed = true;
                handle.cancel();
            }
        },
        [&](const QList<RunResult>& results, const VariableScopes&) {
            report.results = bailed ? results.mid(0, reported) : results;
            finished = true;
            loop.quit();
        },
        service, data,
        ScriptSettings {.timeoutMilliseconds = ScriptSettings {}.timeoutMilliseconds,
            .moduleFolders = {},
            .authorize = oauth2.authorizer()});
    if (!finished)
        loop.exec();
    options.saveCookies(console, u"run"_s, service.engine().cookies());
    return report;
}

// The report for a file, or the json and junit reports for standard output. A cli report in a
// file holds the result lines too, and no colours.
QByteArray reportText(Reporter reporter, const RunReport& report)
{
    if (reporter == Reporter::json)
        return jsonReport(report);
    if (reporter == Reporter::junit)
        return junitReport(report);
    QBuffer none;
    const Console plain(none, none, none, false);
    QString text;
    for (qsizetype i = 0; i < report.results.size(); ++i) {
        const RunResult& result = report.results[i];
        if (report.iterations > 1
            && (i == 0 || report.results[i - 1].iteration != result.iteration))
            text += iterationLine(result.iteration, report.iterations);
        text += resultLines(plain, result);
    }
    return (text + summaryLine(plain, report)).toUtf8();
}

} // namespace

int runCommand(const QStringList& arguments, Console& console)
{
    const QString command = u"run"_s;
    QCommandLineParser parser;
    const QCommandLineOption collection(u"collection"_s, {}, u"NAME"_s);
    const QCommandLineOption bail(u"bail"_s);
    const QCommandLineOption iterationData(u"iteration-data"_s, {}, u"FILE"_s);
    const QCommandLineOption reporter(u"reporter"_s, {}, u"REPORTER"_s, u"cli"_s);
    const QCommandLineOption json(u"json"_s);
    const QCommandLineOption output({u"o"_s, u"output"_s}, {}, u"FILE"_s);
    const RequestOptionSet requestOptions;
    parser.addOptions({collection, iterationData, bail, reporter, json, output});
    requestOptions.addTo(parser);
    const QByteArray usage
        = QString::fromUtf8(kRunUsage).arg(QString::fromUtf8(RequestOptionSet::kHelp)).toUtf8();
    if (auto done = parseArguments(parser, arguments, console, command, usage.constData()))
        return *done;

    const QString reporterName = parser.isSet(json) ? u"json"_s : parser.value(reporter);
    const std::optional<Reporter> chosen = reporterNamed(reporterName);
    if (!chosen)
        return usageError(console, command,
            u"unknown reporter \"%1\" (use cli, json or junit)"_s.arg(reporterName));
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usageError(console, command, u"expected one FILE"_s);
    Result<RunInput> input = Error {};
    if (QFileInfo(files.first()).isDir()) {
        input = readFolderRunInput(files.first());
    } else {
        const auto bytes = readInput(console, files.first());
        if (!bytes)
            return usageError(console, command, bytes.errorMessage());
        input = readRunInput(bytes.value(), parser.value(collection));
    }
    if (!input)
        return usageError(console, command, files.first() + u": "_s + input.errorMessage());
    for (const QString& warning : input->warnings)
        console.warn(u"mako-cli run: %1\n"_s.arg(warning));
    const auto options = requestOptions.read(console, parser, input->environments);
    if (!options)
        return usageError(console, command, options.errorMessage());
    QList<IterationRow> data;
    if (parser.isSet(iterationData)) {
        const QString dataFile = parser.value(iterationData);
        const auto dataBytes = readInput(console, dataFile);
        if (!dataBytes)
            return usageError(console, command, dataBytes.errorMessage());
        const auto rows = readIterationData(dataBytes.value());
        if (!rows)
            return usageError(console, command, dataFile + u": "_s + rows.errorMessage());
        data = rows.value();
    }

    // The cli lines stream to the terminal unless the cli report itself goes to a file.
    const bool toFile = parser.isSet(output);
    const bool streamLines = *chosen == Reporter::cli ? !toFile : toFile;
    const RunReport report = runCollection(input.value(), data, options.value(), parser.isSet(bail),
        console, streamLines ? &console : nullptr);

    if (streamLines)
        console.print(summaryLine(console, report));
    if (toFile) {
        const auto written = writeOutput(parser.value(output), reportText(*chosen, report));
        if (!written) {
            console.warn(u"mako-cli run: "_s + written.errorMessage() + u'\n');
            return kFailure;
        }
    } else if (*chosen != Reporter::cli) {
        console.print(reportText(*chosen, report));
    }
    return report.failCount() == 0 ? kSuccess : kFailure;
}

} // namespace mako::cli
