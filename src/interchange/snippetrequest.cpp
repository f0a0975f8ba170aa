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
    const QString body = request.bodyType == RequestBodyType::json
        ? withoutJsonComments(request.body)
        : request.body;
    const bool empty = request.bodyType == RequestBodyType::formData
        ? std::none_of(request.queryParams.cbegin(), request.queryParams.cend(),
            [](const KeyValuePair& row) { return row.isApplicable(); })
        : body.isEmpty();
    if (!carriesBody(request.method, request.bodyType, empty))
        return;
    switch (request.bodyType) {
    case RequestBodyType::none:
        break;
    case RequestBodyType::json:
        if (!empty && !outgoing.hasHeader(u"Content-Type"))
            outgoing.setHeader(u"Content-Type"_s, u"application/json"_s);
        snippet.body = body;
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

QString hexEscape(const char* prefix, char32_t c, int width, const char* suffix = "")
{
    return QString::fromLatin1(prefix) + u"%1"_s.arg(uint(c), width, 16, QChar(u'0'))
        + QString::fromLatin1(suffix);
}

bool isControl(char32_t c)
{
    return c < 0x20 || c == 0x7f;
}

// A double-quoted literal with the backslash escapes every C-like language shares. `special`
// gives a language's own escape for a character (a null text when it has none), and
// `control` the escape of the remaining control characters.
QString cStyleQuoted(const QString& text, const std::function<QString(char32_t)>& special,
    const std::function<QString(char32_t)>& control)
{
    QString result = u"\""_s;
    result.reserve(text.size() + 2);
    for (const char32_t c : text.toUcs4()) {
        QString replacement = special(c);
        if (replacement.isNull()) {
            switch (c) {
            case U'\\':
                replacement = u"\\\\"_s;
                break;
            case U'"':
                replacement = u"\\\""_s;
                break;
            case U'\n':
                replacement = u"\\n"_s;
                break;
            case U'\r':
                replacement = u"\\r"_s;
                break;
            case U'\t':
                replacement = u"\\t"_s;
                break;
            default:
                replacement = isControl(c) ? control(c) : QString::fromUcs4(&c, 1);
            }
        }
        result += replacement;
    }
    return result + u'"';
}

QString hexByteEscape(char32_t c)
{
    return hexEscape("\\x", c, 2);
}

QString noSpecialEscape(char32_t)
{
    return {};
}

} // namespace

bool SnippetRequest::hasHeader(const QString& name) const
{
    return std::any_of(headers.begin(), headers.end(),
        [&](const Header& header) { return header.name.compare(name, Qt::CaseInsensitive) == 0; });
}

bool SnippetRequest::repeatsName(qsizetype index) const
{
    const QString& name = headers.at(index).name;
    return std::any_of(headers.cbegin(), headers.cbegin() + index,
        [&](const Header& header) { return header.name.compare(name, Qt::CaseInsensitive) == 0; });
}

bool SnippetRequest::hasRepeatedNames() const
{
    for (qsizetype i = 1; i < headers.size(); ++i) {
        if (repeatsName(i))
            return true;
    }
    return false;
}

SnippetRequest snippetRequest(const APIRequest& request)
{
    SnippetRequest snippet {
        .method = methodName(request), .url = CodeGenerator::buildURLWithParams(request)};
    OutgoingRequest outgoing;
    for (const KeyValuePair& row : request.headers) {
        if (row.isApplicable())
            outgoing.addHeader(row.key, row.value);
    }
    APIRequest authorized = request;
    if (request.authType == AuthType::oauth2) {
        authorized.authToken = QString::fromLatin1(kAccessTokenPlaceholder);
        snippet.oauth2TokenUrl = request.oauth2.tokenUrl;
    }
    applyAuth(outgoing, authorized, std::nullopt);
    applyBody(snippet, outgoing, request);
    for (const auto& [name, value] : outgoing.headers)
        snippet.headers.append({name, value});
    snippet.auth = outgoing.auth;
    return snippet;
}

QString authNote(const SnippetRequest& snippet, const QString& prefix)
{
    const TransferAuth& auth = snippet.auth;
    const QString user
        = auth.username.isEmpty() ? QString() : u" as "_s + doubleQuoted(auth.username);
    if (snippet.oauth2TokenUrl) {
        return prefix + u" Put an OAuth 2.0 access token from "_s
            + doubleQuoted(*snippet.oauth2TokenUrl) + u" in place of "_s
            + QString::fromLatin1(kAccessTokenPlaceholder)
            + u" (Mako gets one with \"Get New Access Token\"; this code does not run the grant)."_s
            + u'\n';
    }
    QString note;
    switch (auth.scheme) {
    case TransferAuth::Scheme::none:
        return {};
    case TransferAuth::Scheme::digest:
        note = u"This request uses Digest authentication"_s + user
            + u": add your HTTP library's Digest support, which answers the server's challenge."_s;
        break;
    case TransferAuth::Scheme::ntlm:
        note = u"This request uses NTLM authentication"_s + user
            + u": add your HTTP library's NTLM support (or an NTLM add-on)."_s;
        break;
    case TransferAuth::Scheme::negotiate:
        note = u"This request uses Negotiate (Kerberos) authentication"_s + user
            + u": add your HTTP library's SPNEGO/Kerberos support."_s;
        break;
    case TransferAuth::Scheme::awsSigV4:
        note = u"This request is signed with AWS Signature Version 4 ("_s
            + doubleQuoted(auth.awsSigV4) + u") for access key "_s + doubleQuoted(auth.username)
            + u": sign it with an AWS SDK or a SigV4 signing library."_s;
        break;
    }
    return prefix + u' ' + note + u'\n';
}

QString shellQuoted(const QString& text)
{
    return u'\'' + QString(text).replace(u"'"_s, u"'\\''"_s) + u'\'';
}

QString doubleQuoted(const QString& text)
{
    return cStyleQuoted(
        text,
        [](char32_t c) {
            // Line terminators in older JavaScript even inside a string.
            return c == 0x2028 || c == 0x2029 ? hexEscape("\\u", c, 4) : QString();
        },
        hexByteEscape);
}

QString swiftQuoted(const QString& text)
{
    return cStyleQuoted(
        text, noSpecialEscape, [](char32_t c) { return hexEscape("\\u{", c, 1, "}"); });
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
    // "#" would start an interpolation.
    return cStyleQuoted(
        text, [](char32_t c) { return c == U'#' ? u"\\#"_s : QString(); }, hexByteEscape);
}

} // namespace mako
