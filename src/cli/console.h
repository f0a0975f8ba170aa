#pragma once

#include "model/apirequest.h"
#include "model/result.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QIODevice>
#include <QString>

#include <optional>

namespace mako::cli {

/// The three streams of one command, and whether standard output is a terminal (then the human
/// output is coloured).
struct Console {
    /// Colours when `out` is a terminal and NO_COLOR is not set.
    Console(QIODevice& in, QIODevice& out, QIODevice& err);
    Console(QIODevice& in, QIODevice& out, QIODevice& err, bool colour)
        : in(in)
        , out(out)
        , err(err)
        , colour(colour)
    { }

    QIODevice& in;
    QIODevice& out;
    QIODevice& err;
    bool colour = false;

    void print(const QByteArray& bytes) { out.write(bytes); }
    void print(const QString& text) { out.write(text.toUtf8()); }
    void warn(const QString& text) { err.write(text.toUtf8()); }
    /// Pushes what was printed out to a file or terminal now (progress lines).
    void flush();

    /// Wraps `text` in an ANSI colour when the output is a terminal.
    enum class Colour { none, green, red, orange, blue, grey, bold };
    QString paint(const QString& text, Colour colour) const;
};

/// The colour of the status badge: 2xx green, 3xx blue, 4xx orange, 5xx red, else grey.
Console::Colour statusColour(int statusCode);
/// A duration the way Mako shows one: whole milliseconds followed by "ms".
QString milliseconds(double seconds);

/// Writes "mako-cli COMMAND: MESSAGE" and a pointer to the command's help to stderr; returns
/// the usage exit status.
int usageError(Console& console, const QString& command, const QString& message);

/// Adds -h/--help and parses `arguments`. Returns the exit status when the command is done
/// already (help shown, or a usage error reported), nothing when it should go on.
std::optional<int> parseArguments(QCommandLineParser& parser, const QStringList& arguments,
    Console& console, const QString& command, const char* usage);

/// The bytes of `path`, or of standard input for "-".
Result<QByteArray> readInput(Console& console, const QString& path);

/// Reads one request in its stored JSON form from `path` ("-" for standard input).
Result<APIRequest> readRequestFile(Console& console, const QString& path);

/// Replaces `path` in one step (never a half-written file), owner-readable only, since reports
/// and exports can hold tokens.
Result<bool> writeOutput(const QString& path, const QByteArray& bytes);

} // namespace mako::cli
