#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "interchange/codegenerator.h"
#include "interchange/curlparser.h"
#include "interchange/snippetrequest.h"
#include "model/recordjson.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

const char kConvertUsage[] = R"(Usage: mako-cli convert [--from curl] [--to LANGUAGE] [COMMAND...]
       mako-cli convert --from native [--to LANGUAGE] [FILE]

Turns a curl command line (from the arguments, or standard input when there are none) or a
request file in Mako's JSON form (FILE, or standard input) into a request or a code snippet.
A command given as several arguments is read as its words: mako-cli convert -- curl -X POST URL.
Files the command names (-d @FILE, -F name=<FILE, ...) are read from the current folder; what
the request cannot hold (a file upload, digest authentication, ...) is left out with a warning.

Options:
  --from FORMAT     curl (default) or native.
  --to LANGUAGE     native (the request's JSON, the default), curl, swift, javascript, python,
                    go, ruby or php.

Exit status: 0 on success, 2 for bad usage, an unknown language or unreadable input.
)";

// Quotes one word for the POSIX shell, the syntax the curl parser reads.
Result<APIRequest> readRequest(Console& console, const QString& from, const QStringList& words)
{
    if (from == u"curl"_s) {
        QString commandLine;
        if (words.isEmpty()) {
            commandLine = QString::fromUtf8(console.in.readAll());
        } else if (words.size() == 1) {
            commandLine = words.first();
        } else {
            QStringList quoted;
            for (const QString& word : words)
                quoted.append(shellQuoted(word));
            commandLine = quoted.join(u' ');
        }
        // Files the command names are read from the current folder, as curl would read them;
        // standard input is the command's own when it gave no words.
        CurlParser::ParseOptions options {.folder = QDir::currentPath()};
        if (!words.isEmpty())
            options.standardInput = [&console] { return console.in.readAll(); };
        auto imported = CurlParser::parse(commandLine, options);
        if (!imported)
            return imported.error();
        for (const QString& warning : std::as_const(imported.value().warnings))
            console.warn(u"mako-cli convert: warning: "_s + warning + u'\n');
        return std::move(imported).value().request;
    }
    if (words.size() > 1)
        return Error {u"expected at most one FILE"_s};
    return readRequestFile(console, words.isEmpty() ? u"-"_s : words.first());
}

} // namespace

int convertCommand(const QStringList& arguments, Console& console)
{
    const QString command = u"convert"_s;
    QCommandLineParser parser;
    const QCommandLineOption from(u"from"_s, {}, u"FORMAT"_s, u"curl"_s);
    const QCommandLineOption to(u"to"_s, {}, u"LANGUAGE"_s, u"native"_s);
    parser.addOptions({from, to});
    if (auto done = parseArguments(parser, arguments, console, command, kConvertUsage))
        return *done;

    const QString source = parser.value(from).toLower();
    if (source != u"curl"_s && source != u"native"_s)
        return usageError(console, command, u"unknown --from \"%1\""_s.arg(parser.value(from)));
    const QString target = parser.value(to).toLower();
    int language = -1;
    if (target != u"native"_s) {
        const QStringList labels = CodeGenerator::languages();
        for (int i = 0; i < labels.size() && language < 0; ++i)
            language = labels[i].toLower() == target ? i : -1;
        if (language < 0)
            return usageError(console, command,
                u"unknown language \"%1\" (use native, %2)"_s.arg(
                    parser.value(to), labels.join(u", "_s).toLower()));
    }
    const auto request = readRequest(console, source, parser.positionalArguments());
    if (!request)
        return usageError(console, command, request.errorMessage());

    QByteArray output = language < 0 ? writeJson(toJson(request.value()), JsonStyle::Pretty)
                                     : CodeGenerator::generate(language, request.value()).toUtf8();
    console.print(output + '\n');
    return kSuccess;
}

} // namespace mako::cli
