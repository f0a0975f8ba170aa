#include "cli/console.h"

#include "cli/cli.h"
#include "interchange/foldercollection.h"
#include "model/recordjson.h"
#include "state/datafile.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace mako::cli {

Console::Console(QIODevice& in, QIODevice& out, QIODevice& err)
    : in(in)
    , out(out)
    , err(err)
{
    const auto* file = qobject_cast<const QFile*>(&out);
    colour = file && file->handle() >= 0 && isatty(file->handle())
        && qEnvironmentVariableIsEmpty("NO_COLOR");
}

void Console::flush()
{
    if (auto* file = qobject_cast<QFileDevice*>(&out))
        file->flush();
}

QString Console::paint(const QString& text, Colour which) const
{
    if (!colour || which == Colour::none)
        return text;
    const char* code = "";
    switch (which) {
    case Colour::green:
        code = "32";
        break;
    case Colour::red:
        code = "31";
        break;
    case Colour::orange:
        code = "33";
        break;
    case Colour::blue:
        code = "34";
        break;
    case Colour::grey:
        code = "90";
        break;
    case Colour::bold:
        code = "1";
        break;
    case Colour::none:
        break;
    }
    return u"\x1b["_s + QLatin1StringView(code) + u'm' + text + u"\x1b[0m"_s;
}

Console::Colour statusColour(int statusCode)
{
    if (statusCode >= 200 && statusCode < 300)
        return Console::Colour::green;
    if (statusCode >= 300 && statusCode < 400)
        return Console::Colour::blue;
    if (statusCode >= 400 && statusCode < 500)
        return Console::Colour::orange;
    if (statusCode >= 500 && statusCode < 600)
        return Console::Colour::red;
    return Console::Colour::grey;
}

QString milliseconds(double seconds)
{
    return QString::number(qint64(seconds * 1000)) + u"ms"_s;
}

int usageError(Console& console, const QString& command, const QString& message)
{
    console.warn(u"mako-cli %1: %2\nTry 'mako-cli %1 --help'.\n"_s.arg(command, message));
    return kUsage;
}

std::optional<int> parseArguments(QCommandLineParser& parser, const QStringList& arguments,
    Console& console, const QString& command, const char* usage)
{
    const QCommandLineOption help(QStringList {u"h"_s, u"help"_s});
    parser.addOption(help);
    if (!parser.parse(QStringList {u"mako-cli"_s} + arguments))
        return usageError(console, command, parser.errorText());
    if (parser.isSet(help)) {
        console.print(QByteArray(usage));
        return kSuccess;
    }
    return std::nullopt;
}

Result<QByteArray> readInput(Console& console, const QString& path)
{
    if (path == u"-"_s)
        return console.in.readAll();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error {u"cannot read %1: %2"_s.arg(path, file.errorString())};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Error {u"cannot read %1: %2"_s.arg(path, file.errorString())};
    return bytes;
}

Result<bool> writeOutput(const QString& path, const QByteArray& bytes)
{
    if (!writeDataFile(path, bytes))
        return Error {u"cannot write %1"_s.arg(path)};
    return true;
}

Result<APIRequest> readRequestFile(Console& console, const QString& path)
{
    const auto bytes = readInput(console, path);
    if (!bytes)
        return bytes.error();
    const auto parsed = parseJson(bytes.value());
    if (!parsed)
        return Error {u"%1: %2"_s.arg(path, parsed.errorMessage())};
    auto request = fromJson<APIRequest>(parsed.value());
    if (request)
        return request;
    // A request file of a folder collection leaves out what holds its default.
    auto kept = FolderCollection::decodeRequest(bytes.value(), QFileInfo(path).fileName());
    if (kept)
        return kept;
    return Error {u"%1 is not a Mako request: %2"_s.arg(path, kept.errorMessage())};
}

} // namespace mako::cli
