#include "cli/cli.h"

#include "cli/commands.h"
#include "cli/console.h"
#include "version.h"

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

const char kUsageText[] = R"(Usage: mako-cli <command> [options]

Mako's command line: the same core as the desktop application, without a window.

Commands:
  send URL | FILE | --curl COMMAND
                               Send one request and print the response.
  run FILE | FOLDER            Run every request of a collection (a file, or a collection
                               kept as a folder) and report pass or fail.
  convert --from curl|native --to native|curl|swift|javascript|python|go|ruby|php
                               Turn a curl command or a request file into a request or code.
  format [FILE]                Pretty-print a body the way the response viewer does.
  import FILE                  Add a collection, environment or backup to Mako's data.
  export --collection NAME [--postman] | --backup | --har
                               Write a collection file (or Postman collection), a backup of
                               Mako's data or the history as HAR.

Run "mako-cli <command> --help" for a command's options.

Options:
  -h, --help     Show this help.
  --version      Show the version.

Exit status: 0 on success, 1 when a request fails or a run has failures, 2 for bad usage or
unreadable input.
)";

using Command = int (*)(const QStringList&, Console&);

Command findCommand(const QString& name)
{
    static const QList<std::pair<QString, Command>> commands {
        {u"send"_s, &sendCommand},
        {u"run"_s, &runCommand},
        {u"convert"_s, &convertCommand},
        {u"format"_s, &formatCommand},
        {u"import"_s, &importCommand},
        {u"export"_s, &exportCommand},
    };
    for (const auto& [commandName, command] : commands) {
        if (commandName == name)
            return command;
    }
    return nullptr;
}

} // namespace

int run(const QStringList& arguments, QIODevice& in, QIODevice& out, QIODevice& err)
{
    Console console(in, out, err);
    if (arguments.isEmpty()) {
        console.warn(QString::fromUtf8(kUsageText));
        return kUsage;
    }
    const QString name = arguments.first();
    if (name == u"-h"_s || name == u"--help"_s || name == u"help"_s) {
        console.print(QByteArray(kUsageText));
        return kSuccess;
    }
    if (name == u"--version"_s) {
        console.print(QByteArray("mako-cli " MAKO_VERSION "\n"));
        return kSuccess;
    }
    if (const Command command = findCommand(name))
        return command(arguments.mid(1), console);
    console.warn(
        u"mako-cli: unknown command \"%1\"\n\n"_s.arg(name) + QString::fromUtf8(kUsageText));
    return kUsage;
}

} // namespace mako::cli
