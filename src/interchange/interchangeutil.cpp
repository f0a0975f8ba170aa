#include "interchange/interchangeutil.h"

#include "model/apirequest.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace mako {

QString trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.mid(begin, end - begin).toString();
}

std::optional<QString> decodeBasicCredentials(const QString& base64)
{
    const auto decoded = QByteArray::fromBase64Encoding(
        base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || base64.isEmpty())
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(*decoded);
    if (utf8.hasError() || !text.contains(u':'))
        return std::nullopt;
    return text;
}

bool isJsonDocument(const QString& text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    return error.error == QJsonParseError::NoError && (document.isObject() || document.isArray());
}

QString nameFromURL(const QString& url)
{
    // Read the way sending reads it: text without a scheme is an https address.
    const QUrl parsed(url.contains(u"://"_s) ? url : u"https://"_s + url, QUrl::StrictMode);
    if (!parsed.isValid())
        return u"Imported Request"_s;
    const QStringList pieces = parsed.path(QUrl::FullyDecoded).split(u'/', Qt::SkipEmptyParts);
    const QString piece = pieces.isEmpty() ? QString() : pieces.last();
    const QString host = parsed.host();
    if (!piece.isEmpty())
        return piece + u" ("_s + host + u')';
    return host.isEmpty() ? u"Imported Request"_s : host;
}

QString percentEncoded(const QString& text)
{
    static const QRegularExpression placeholder(u"\\{\\{[^{}]*\\}\\}"_s);
    QString result;
    qsizetype from = 0;
    for (const auto& match : placeholder.globalMatch(text)) {
        result += QString::fromLatin1(
            QUrl::toPercentEncoding(text.mid(from, match.capturedStart() - from)));
        result += match.captured();
        from = match.capturedEnd();
    }
    return result + QString::fromLatin1(QUrl::toPercentEncoding(text.mid(from)));
}

EncodedPairs encodedPairs(const QList<KeyValuePair>& rows)
{
    QStringList pairs;
    QStringList leftOut;
    for (const KeyValuePair& row : rows) {
        if (row.isApplicable())
            pairs.append(percentEncoded(row.key) + u'=' + percentEncoded(row.value));
        else if (!row.isEnabled)
            leftOut.append(row.key);
    }
    return {pairs.join(u'&'), leftOut};
}

void setURLEncodedBody(APIRequest& request, const QString& pairs)
{
    request.bodyType = RequestBodyType::raw;
    request.body = pairs;
    if (!findRow(request.headers, QStringLiteral("Content-Type")))
        request.headers.append(KeyValuePair {.key = QStringLiteral("Content-Type"),
            .value = QStringLiteral("application/x-www-form-urlencoded")});
}

const KeyValuePair* findRow(const QList<KeyValuePair>& rows, const QString& name)
{
    for (const KeyValuePair& row : rows) {
        if (row.key.compare(name, Qt::CaseInsensitive) == 0)
            return &row;
    }
    return nullptr;
}

} // namespace mako
