#include "interchange/curldata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace mako::CurlParser {

namespace {

// C's isspace, which curl uses around form values.
bool isSpace(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// One word of a -F value as curl reads it: a double-quoted word (where \" and \\ stand for
// themselves) or the text up to the next ";". Leaves `at` on that ";" or at the end.
QString formWord(const QString& text, qsizetype& at, bool& quoted)
{
    quoted = false;
    if (at < text.size() && text[at] == u'"') {
        QString word;
        for (qsizetype i = at + 1; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == u'\\' && i + 1 < text.size()
                && (text[i + 1] == u'\\' || text[i + 1] == u'"')) {
                word += text[++i];
            } else if (c == u'"') {
                // Whatever follows the closing quote, up to the next ";", curl drops too.
                const qsizetype semicolon = text.indexOf(u';', i);
                at = semicolon < 0 ? text.size() : semicolon;
                quoted = true;
                return word;
            } else {
                word += c;
            }
        }
        // Without its closing quote the word is read as it stands.
    }
    const qsizetype semicolon = text.indexOf(u';', at);
    const qsizetype end = semicolon < 0 ? text.size() : semicolon;
    const QString word = text.mid(at, end - at);
    at = end;
    return word;
}

} // namespace

Result<QByteArray> readFile(const ParseOptions& options, const QString& name, const QString& use)
{
    if (name == u"-"_s) {
        if (!options.standardInput)
            return Error {QCoreApplication::translate(
                "mako::CurlImport", "%1 reads standard input, which is not read here.")
                              .arg(use)};
        return options.standardInput();
    }
    // A pasted command must not read whatever file it names behind the user's back: without
    // a folder to read from, no file is read.
    if (!options.folder)
        return Error {QCoreApplication::translate("mako::CurlImport",
            "%1 reads the file %2, and an import reads no files: put the file's "
            "contents into the command instead.")
                          .arg(use, name)};
    QFile file(QDir(*options.folder).filePath(name));
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly))
        return Error {
            QCoreApplication::translate("mako::CurlImport", "Cannot read the file %1 for %2: %3")
                .arg(name, use, file.errorString())};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Error {
            QCoreApplication::translate("mako::CurlImport", "Cannot read the file %1 for %2: %3")
                .arg(name, use, file.errorString())};
    return bytes;
}

Result<QString> utf8Text(const QByteArray& bytes, const QString& use)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return Error {QCoreApplication::translate("mako::CurlImport",
            "%1 gives bytes that are not UTF-8 text, which a request cannot hold.")
                          .arg(use)};
    return text;
}

QByteArray withoutLineBreaks(const QByteArray& bytes)
{
    QByteArray result;
    qsizetype from = 0;
    while (from < bytes.size()) {
        // One read of curl's 256-byte line buffer: up to 255 bytes, ending at the first LF.
        qsizetype end = std::min(from + 255, bytes.size());
        const qsizetype lineFeed = bytes.indexOf('\n', from);
        if (lineFeed >= 0 && lineFeed < end)
            end = lineFeed + 1;
        const QByteArrayView line(bytes.constData() + from, end - from);
        qsizetype keep = line.size();
        for (const char stop : {'\r', '\n', '\0'}) {
            const qsizetype at = line.indexOf(stop);
            if (at >= 0 && at < keep)
                keep = at;
        }
        result += line.first(keep);
        from = end;
    }
    return result;
}

QString formEncoded(const QByteArray& bytes)
{
    // A "%20" can only come from a blank: the "%" of the text itself is encoded as "%25".
    return QString::fromLatin1(bytes.toPercentEncoding().replace("%20", "+"));
}

FormValue splitFormValue(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && isSpace(text[at]))
        ++at;
    bool quoted = false;
    FormValue value {.content = formWord(text, at, quoted)};
    if (!quoted) {
        qsizetype end = value.content.size();
        while (end > 0 && isSpace(value.content[end - 1]))
            --end;
        value.content.truncate(end);
    }
    while (at < text.size()) {
        // On a ";": a setting of the part, or an unknown word that curl skips.
        ++at;
        while (at < text.size() && isSpace(text[at]))
            ++at;
        const QStringView rest = QStringView(text).mid(at);
        for (const QStringView prefix : {u"type=", u"filename=", u"headers=", u"encoder="})
            value.hasSettings = value.hasSettings || rest.startsWith(prefix);
        formWord(text, at, quoted);
    }
    return value;
}

} // namespace mako::CurlParser
