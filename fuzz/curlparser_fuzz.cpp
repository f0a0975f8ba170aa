// The cURL import reads whatever a user pastes. Properties:
// - the shell reader gives the same words back when each word is quoted again, in single
//   quotes, in double quotes and as a $'…' string;
// - a command re-spelled that way imports as the same request (ids and times aside);
// - the imported request survives a save and a load unchanged.

#include "fuzzcheck.h"
#include "interchange/curlparser.h"

#include <QStringList>

#include <array>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

using namespace mako;
using namespace mako::fuzz;

// As the window's import sheet parses: with no folder, so no file is ever read. A command the
// parser refuses (a method it cannot send, a file it may not read) counts as no request.
std::optional<APIRequest> parseCommand(const QString& command)
{
    auto imported = CurlParser::parse(command);
    if (!imported)
        return std::nullopt;
    return std::move(imported).value().request;
}

QString singleQuoted(const QString& word)
{
    return u'\'' + QString(word).replace(u'\'', u"'\\''"_s) + u'\'';
}

// Inside double quotes only these four need a backslash.
QString doubleQuoted(const QString& word)
{
    QString out = u"\""_s;
    for (const QChar c : word) {
        if (c == u'$' || c == u'`' || c == u'"' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

// Every byte outside printable ASCII as \xHH, so a multi-byte character is spelled byte by byte.
QString ansiCQuoted(const QString& word)
{
    QString out = u"$'"_s;
    for (const char byte : word.toUtf8()) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x20 && value < 0x7f && byte != '\'' && byte != '\\')
            out += QLatin1Char(byte);
        else
            out += u"\\x%1"_s.arg(uint(value), 2, 16, QLatin1Char('0'));
    }
    return out + u'\'';
}

using Quoting = std::function<QString(const QString&)>;

QString requoted(const QStringList& words, const Quoting& quote)
{
    QStringList quoted;
    for (const QString& word : words)
        quoted.append(quote(word));
    return quoted.join(u' ');
}

QByteArray describe(const QStringList& words)
{
    return u"[%1]"_s.arg(words.join(u"|"_s)).toUtf8();
}

// Ids and creation times are fresh on every import; everything else must match.
APIRequest withIdentityOf(APIRequest request, const APIRequest& model)
{
    request.id = model.id;
    request.createdAt = model.createdAt;
    request.updatedAt = model.updatedAt;
    for (qsizetype i = 0; i < std::min(request.headers.size(), model.headers.size()); ++i)
        request.headers[i].id = model.headers[i].id;
    for (qsizetype i = 0; i < std::min(request.queryParams.size(), model.queryParams.size()); ++i)
        request.queryParams[i].id = model.queryParams[i].id;
    return request;
}

void checkRequoted(
    const QStringList& words, const std::optional<APIRequest>& request, const QString& again)
{
    const auto reread = CurlParser::shellWords(again);
    require(reread && *reread == words, "shellWords of the re-quoted words gives the words", [&] {
        return "words: " + describe(words) + "\nre-quoted: " + again.toUtf8()
            + "\nread back: " + (reread ? describe(*reread) : QByteArray("(open quote)"));
    });
    const auto reimported = parseCommand(again);
    require(reimported.has_value() == request.has_value(),
        "a re-quoted command imports when the original does", [&] { return again.toUtf8(); });
    if (request) {
        require(withIdentityOf(*reimported, *request) == *request,
            "a re-quoted command imports as the same request", [&] { return again.toUtf8(); });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::array<Quoting, 3> quotings {singleQuoted, doubleQuoted, ansiCQuoted};
    // The parser reads the words of the trimmed command, so those are the words re-quoted here.
    const QString command = QString::fromUtf8(inputBytes(data, size)).trimmed();
    const auto request = parseCommand(command);
    const auto words = CurlParser::shellWords(command);
    if (!words) {
        require(!request, "a command whose quotes do not close is not imported");
        return 0;
    }
    for (const Quoting& quote : quotings)
        checkRequoted(*words, request, requoted(*words, quote));
    if (request)
        savedAndLoaded(QList {*request}, "an imported cURL request survives a save and a load");
    return 0;
}
