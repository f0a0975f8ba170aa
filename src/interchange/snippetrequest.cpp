#include "interchange/snippetrequest.h"

#include "execution/outgoingrequest.h"
#include "interchange/codegenerator.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// The snippet shows the request as typed, placeholders included, so nothing is substituted;
// the header and auth rules are the engine's own.
void applyBody(SnippetRequest& snippet, OutgoingRequest& outgoing, const APIRequest& request)
{
    if (request.method == HTTPMethod::get || request.method == HTTPMethod::head)
        return;
    switch (request.bodyType) {
    case RequestBodyType::none:
        break;
    case RequestBodyType::json:
        if (!outgoing.hasHeader(u"Content-Type"))
            outgoing.setHeader(u"Content-Type"_s, u"application/json"_s);
        snippet.body = request.body;
        break;
    case RequestBodyType::raw:
        snippet.body = request.body;
        break;
    case RequestBodyType::formData: {
        // The tool builds the form and its Content-Type: the boundary belongs in it.
        outgoing.headers.removeIf([](const auto& header) {
            return header.first.compare(u"Content-Type"_s, Qt::CaseInsensitive) == 0;
        });
        QList<SnippetRequest::Header> fields;
        for (const KeyValuePair& row : request.queryParams) {
            if (row.isApplicable())
                fields.append({row.key, row.value});
        }
        snippet.formFields = fields;
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

bool SnippetRequest::hasHeader(const QString& name) const
{
    return std::any_of(headers.begin(), headers.end(),
        [&](const Header& header) { return header.name.compare(name, Qt::CaseInsensitive) == 0; });
}

SnippetRequest snippetRequest(const APIRequest& request)
{
    SnippetRequest snippet {
        .method = rawValue(request.method), .url = CodeGenerator::buildURLWithParams(request)};
    OutgoingRequest outgoing;
    for (const KeyValuePair& row : request.headers) {
        if (row.isApplicable())
            outgoing.setHeader(row.key, row.value);
    }
    applyAuth(outgoing, request, std::nullopt);
    applyBody(snippet, outgoing, request);
    for (const auto& [name, value] : outgoing.headers)
        snippet.headers.append({name, value});
    return snippet;
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
