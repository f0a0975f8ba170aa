#include "interchange/outgoingrequest.h"

#include "interchange/codegenerator.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

void setHeader(QList<OutgoingRequest::Header>& headers, const QString& name, const QString& value)
{
    for (OutgoingRequest::Header& header : headers) {
        if (header.name.compare(name, Qt::CaseInsensitive) == 0) {
            header.value = value;
            return;
        }
    }
    headers.append({name, value});
}

void applyAuth(OutgoingRequest& outgoing, const APIRequest& request)
{
    if (request.authToken.isEmpty())
        return;
    switch (request.authType) {
    case AuthType::none:
        break;
    case AuthType::bearer:
        setHeader(outgoing.headers, u"Authorization"_s, u"Bearer "_s + request.authToken);
        break;
    case AuthType::basic:
        // The token is "user:password"; the header carries it encoded, as sending does.
        setHeader(outgoing.headers, u"Authorization"_s,
            u"Basic "_s + QString::fromLatin1(request.authToken.toUtf8().toBase64()));
        break;
    case AuthType::apiKey:
        setHeader(outgoing.headers, u"X-API-Key"_s, request.authToken);
        break;
    }
}

void applyBody(OutgoingRequest& outgoing, const APIRequest& request)
{
    if (request.method == HTTPMethod::get || request.method == HTTPMethod::head)
        return;
    switch (request.bodyType) {
    case RequestBodyType::none:
        break;
    case RequestBodyType::json:
        if (!outgoing.hasHeader(u"Content-Type"_s))
            setHeader(outgoing.headers, u"Content-Type"_s, u"application/json"_s);
        outgoing.body = request.body;
        break;
    case RequestBodyType::raw:
        outgoing.body = request.body;
        break;
    case RequestBodyType::formData: {
        // The form replaces any Content-Type: the boundary belongs in it.
        outgoing.headers.removeIf([](const OutgoingRequest::Header& header) {
            return header.name.compare(u"Content-Type"_s, Qt::CaseInsensitive) == 0;
        });
        QList<OutgoingRequest::Header> fields;
        for (const KeyValuePair& row : request.queryParams) {
            if (row.isApplicable())
                fields.append({row.key, row.value});
        }
        outgoing.formFields = fields;
        break;
    }
    }
}

QString escaped(const QString& text, const std::function<QString(char32_t)>& escape)
{
    QString result;
    result.reserve(text.size() + 2);
    for (const char32_t c : text.toUcs4()) {
        const QString replacement = escape(c);
        result += replacement.isNull() ? QString::fromUcs4(&c, 1) : replacement;
    }
    return result;
}

QString hexEscape(const char* prefix, char32_t c, int width, const char* suffix = "")
{
    return QString::fromLatin1(prefix) + u"%1"_s.arg(uint(c), width, 16, QChar(u'0'))
        + QString::fromLatin1(suffix);
}

bool isControl(char32_t c)
{
    return c < 0x20 || c == 0x7f;
}

} // namespace

bool OutgoingRequest::hasHeader(const QString& name) const
{
    return std::any_of(headers.begin(), headers.end(),
        [&](const Header& header) { return header.name.compare(name, Qt::CaseInsensitive) == 0; });
}

OutgoingRequest outgoingRequest(const APIRequest& request)
{
    OutgoingRequest outgoing {
        .method = rawValue(request.method), .url = CodeGenerator::buildURLWithParams(request)};
    for (const KeyValuePair& row : request.headers) {
        if (row.isApplicable())
            setHeader(outgoing.headers, row.key, row.value);
    }
    applyAuth(outgoing, request);
    applyBody(outgoing, request);
    return outgoing;
}

QString shellQuoted(const QString& text)
{
    return u'\'' + QString(text).replace(u"'"_s, u"'\\''"_s) + u'\'';
}

QString doubleQuoted(const QString& text)
{
    return u'"' + escaped(text, [](char32_t c) -> QString {
        switch (c) {
        case U'\\':
            return u"\\\\"_s;
        case U'"':
            return u"\\\""_s;
        case U'\n':
            return u"\\n"_s;
        case U'\r':
            return u"\\r"_s;
        case U'\t':
            return u"\\t"_s;
        case 0x2028:
        case 0x2029:
            // Line terminators in older JavaScript even inside a string.
            return hexEscape("\\u", c, 4);
        default:
            return isControl(c) ? hexEscape("\\x", c, 2) : QString();
        }
    }) + u'"';
}

QString swiftQuoted(const QString& text)
{
    return u'"' + escaped(text, [](char32_t c) -> QString {
        switch (c) {
        case U'\\':
            return u"\\\\"_s;
        case U'"':
            return u"\\\""_s;
        case U'\n':
            return u"\\n"_s;
        case U'\r':
            return u"\\r"_s;
        case U'\t':
            return u"\\t"_s;
        default:
            return isControl(c) ? hexEscape("\\u{", c, 1, "}") : QString();
        }
    }) + u'"';
}

QString singleQuoted(const QString& text)
{
    return u'\'' + QString(text).replace(u"\\"_s, u"\\\\"_s).replace(u"'"_s, u"\\'"_s) + u'\'';
}

QString rubyQuoted(const QString& text)
{
    const bool plain = std::none_of(text.begin(), text.end(),
        [](QChar c) { return isControl(c.unicode()) && c != u'\n' && c != u'\t'; });
    if (plain)
        return singleQuoted(text);
    return u'"' + escaped(text, [](char32_t c) -> QString {
        switch (c) {
        case U'\\':
            return u"\\\\"_s;
        case U'"':
            return u"\\\""_s;
        case U'#':
            return u"\\#"_s;
        case U'\n':
            return u"\\n"_s;
        case U'\r':
            return u"\\r"_s;
        case U'\t':
            return u"\\t"_s;
        default:
            return isControl(c) ? hexEscape("\\x", c, 2) : QString();
        }
    }) + u'"';
}

} // namespace mako
