#include "cli/cli.h"

#include "model/apiresponse.h"

#include <QCommandLineParser>
#include <QFile>

namespace mako::cli {

using namespace Qt::StringLiterals;

namespace {

const char kUsageText[] = R"(Usage: mako-cli <command> [options]

Mako's command line: the same core as the desktop application, without a window.

Commands:
  format [--content-type TYPE] [FILE]
      Prints a response body the way the pretty view shows it: JSON re-indented with sorted
      keys (numbers kept exactly as written), XML and HTML indented, anything else as it is.
      Reads FILE, or standard input when FILE is absent or "-". TYPE defaults to
      application/json.

Options:
  -h, --help     Show this help (or a command's help after the command name).
  --version      Show the version.
)";

const char kFormatUsage[] = R"(Usage: mako-cli format [--content-type TYPE] [FILE]

Prints FILE (or standard input) the way the response viewer's pretty mode shows a body of
content type TYPE (default application/json).
)";

void write(QIODevice& device, const QByteArray& bytes)
{
    device.write(bytes);
}

int format(const QStringList& arguments, QIODevice& in, QIODevice& out, QIODevice& err)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList {u"h"_s, u"help"_s});
    const QCommandLineOption contentType(
        u"content-type"_s, QString(), u"TYPE"_s, u"application/json"_s);
    parser.addOption(help);
    parser.addOption(contentType);
    if (!parser.parse(QStringList {u"mako-cli"_s} + arguments)) {
        write(err, "mako-cli format: " + parser.errorText().toUtf8() + "\n");
        return kUsage;
    }
    if (parser.isSet(help)) {
        write(out, kFormatUsage);
        return kSuccess;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        write(err, "mako-cli format: expected at most one FILE\n");
        return kUsage;
    }

    APIResponse response;
    if (files.isEmpty() || files.first() == u"-"_s) {
        response.body = in.readAll();
    } else {
        QFile file(files.first());
        if (!file.open(QIODevice::ReadOnly)) {
            write(err,
                "mako-cli format: cannot read " + files.first().toUtf8() + ": "
                    + file.errorString().toUtf8() + "\n");
            return kUsage;
        }
        response.body = file.readAll();
    }
    response.size = response.body.size();
    response.headers.insert(u"Content-Type"_s, parser.value(contentType));
    QByteArray text = response.prettyBody();
    response.body.clear();
    text += '\n';
    write(out, text);
    return kSuccess;
}

} // namespace

int run(const QStringList& arguments, QIODevice& in, QIODevice& out, QIODevice& err)
{
    if (arguments.isEmpty()) {
        write(err, kUsageText);
        return kUsage;
    }
    const QString command = arguments.first();
    if (command == u"-h"_s || command == u"--help"_s || command == u"help"_s) {
        write(out, kUsageText);
        return kSuccess;
    }
    if (command == u"--version"_s) {
        write(out, "mako-cli " MAKO_VERSION "\n");
        return kSuccess;
    }
    if (command == u"format"_s)
        return format(arguments.mid(1), in, out, err);
    write(err, "mako-cli: unknown command \"" + command.toUtf8() + "\"\n\n" + kUsageText);
    return kUsage;
}

} // namespace mako::cli
