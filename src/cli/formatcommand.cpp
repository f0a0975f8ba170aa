#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "model/apiresponse.h"

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

const char kFormatUsage[] = R"(Usage: mako-cli format [--content-type TYPE] [FILE]

Prints FILE (or standard input when FILE is absent or "-") the way the response viewer's
pretty mode shows a body of content type TYPE (default application/json): JSON re-indented
with sorted keys (numbers kept exactly as written), XML and HTML indented, anything else as
it is.

Exit status: 0 on success, 2 for bad usage or an unreadable FILE.
)";

} // namespace

int formatCommand(const QStringList& arguments, Console& console)
{
    const QString command = u"format"_s;
    QCommandLineParser parser;
    const QCommandLineOption contentType(
        u"content-type"_s, QString(), u"TYPE"_s, u"application/json"_s);
    parser.addOption(contentType);
    if (auto done = parseArguments(parser, arguments, console, command, kFormatUsage))
        return *done;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(console, command, u"expected at most one FILE"_s);

    APIResponse response;
    auto bytes = readInput(console, files.isEmpty() ? u"-"_s : files.first());
    if (!bytes)
        return usageError(console, command, bytes.errorMessage());
    response.body = std::move(bytes).value();
    response.size = response.body.size();
    response.headers.insert(u"Content-Type"_s, parser.value(contentType));
    QByteArray text = response.prettyBody();
    // The source can go before the output is written: a large body is held once, not twice.
    response.body.clear();
    text += '\n';
    console.print(text);
    return kSuccess;
}

} // namespace mako::cli
