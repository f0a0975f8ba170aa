#include "model/apiresponse.h"

#include "model/prettyjson.h"

#include <QUtf8StringView>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

QByteArray bodyAsText(const QByteArray& body)
{
    if (QUtf8StringView(body).isValidUtf8())
        return body;
    return QByteArray(kUndecodableBodyText);
}

} // namespace

std::optional<QString> headerValue(const QMap<QString, QString>& headers, QStringView name)
{
    // The exact spelling is the usual case and a map lookup; any other needs the walk.
    if (const auto it = headers.constFind(name.toString()); it != headers.cend())
        return it.value();
    for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return std::nullopt;
}

QString APIResponse::contentType() const
{
    return header(u"Content-Type").value_or(QString());
}

BodyKind bodyKind(QStringView contentType)
{
    if (contentType.contains(u"json", Qt::CaseInsensitive))
        return BodyKind::json;
    if (contentType.contains(u"xml", Qt::CaseInsensitive)
        || contentType.contains(u"html", Qt::CaseInsensitive))
        return BodyKind::markup;
    return BodyKind::other;
}

QByteArray APIResponse::prettyJSON(const std::function<bool()>& stopRequested) const
{
    if (auto pretty = prettyPrintJson(body, stopRequested, JsonSlash::plain))
        return std::move(*pretty);
    if (stopRequested && stopRequested())
        return {};
    return bodyAsText(body);
}

QByteArray APIResponse::prettyBody(const std::function<bool()>& stopRequested) const
{
    const BodyKind kind = bodyKind(contentType());
    if (kind == BodyKind::json)
        return prettyJSON(stopRequested);
    if (kind == BodyKind::markup) {
        if (!QUtf8StringView(body).isValidUtf8())
            return QByteArray(kUndecodableBodyText);
        return formatXML(QString::fromUtf8(body), stopRequested).toUtf8();
    }
    return bodyAsText(body);
}

QString formatXML(QStringView text, const std::function<bool()>& stopRequested)
{
    QString out;
    out.reserve(text.size() + text.size() / 4);
    int level = 0;
    bool inTag = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (stopRequested && (i + 1) % qsizetype(kStopCheckBytes) == 0 && stopRequested())
            return {};
        const QChar c = text[i];
        if (c == u'<') {
            if (i + 1 < text.size() && text[i + 1] == u'/')
                level = std::max(0, level - 1);
            if (!out.isEmpty() && !out.endsWith(u'\n'))
                out += u'\n';
            out += QString(2 * level, u' ');
            inTag = true;
            out += u'<';
        } else if (c == u'>') {
            out += u'>';
            if (inTag && i >= 2 && text[i - 1] != u'/') {
                const qsizetype tagStart = out.lastIndexOf(u'<');
                if (tagStart >= 0) {
                    const QStringView tag = QStringView(out).mid(tagStart);
                    if (!tag.contains(u"</") && !tag.contains(u"/>") && !tag.startsWith(u"<?"))
                        ++level;
                }
            }
            inTag = false;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace mako
