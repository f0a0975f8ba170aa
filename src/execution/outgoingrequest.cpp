#include "execution/outgoingrequest.h"

#include "execution/multipartbuilder.h"
#include "execution/variables.h"

#include <QRegularExpression>
#include <QUuid>

#include <algorithm>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

// Everything but the unreserved characters is encoded: a "+" left bare reads as a space on
// most servers, and "&", "=", "#" would split the item.
QByteArray queryComponent(const QString& text)
{
    return QUrl::toPercentEncoding(text);
}

// What may not stand raw in a URL (a space, quotes, angle and curly brackets, "|", "\", "^",
// "`") goes out percent-encoded, as browsers and other clients send it; QUrl's tolerant parsing
// does that. Where it differs from them is a lone "%": one makes it encode every "%" of the
// URL, the "%20" already there included, so the lone ones are encoded here first. The blanks
// around a pasted URL are dropped rather than sent.
QString tolerated(const QString& text)
{
    static const QRegularExpression lonePercent(u"%(?![0-9A-Fa-f]{2})"_s);
    QString result = text.trimmed();
    if (result.contains(u'%'))
        result.replace(lonePercent, u"%25"_s);
    return result;
}

} // namespace

QString withoutJsonComments(const QString& text)
{
    if (!text.contains(u'/'))
        return text;
    QString result;
    result.reserve(text.size());
    bool inString = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (inString) {
            result += c;
            if (c == u'\\' && i + 1 < text.size())
                result += text[++i];
            else if (c == u'"')
                inString = false;
        } else if (c == u'/' && next == u'/') {
            i = text.indexOf(u'\n', i);
            if (i < 0)
                break;
            result += u'\n';
        } else if (c == u'/' && next == u'*') {
            i = text.indexOf(u"*/"_s, i + 2);
            if (i < 0)
                break;
            ++i;
        } else {
            result += c;
            inString = c == u'"';
        }
    }
    return result;
}

void OutgoingRequest::addHeader(const QString& name, const QString& value)
{
    headers.append({name, value});
}

void OutgoingRequest::setHeader(const QString& name, const QString& value)
{
    const auto same = [&name](const auto& header) {
        return header.first.compare(name, Qt::CaseInsensitive) == 0;
    };
    const auto first = std::find_if(headers.begin(), headers.end(), same);
    if (first == headers.end()) {
        headers.append({name, value});
        return;
    }
    *first = {name, value};
    headers.erase(std::remove_if(std::next(first), headers.end(), same), headers.end());
}

bool OutgoingRequest::hasHeader(QStringView name) const
{
    return std::any_of(headers.cbegin(), headers.cend(), [name](const auto& header) {
        return name.compare(header.first, Qt::CaseInsensitive) == 0;
    });
}

std::optional<QUrl> buildURL(const QString& text, const QList<KeyValuePair>& queryParams,
    const std::optional<APIEnvironment>& environment)
{
    // A placeholder still there names a variable nothing defines: sent encoded, it would reach
    // the server as a path nobody meant, and the user would not learn why.
    if (text.contains(u"{{") && !placeholdersIn(text).isEmpty())
        return std::nullopt;
    const QString typed = tolerated(text);
    QUrl url(typed.contains(u"://") ? typed : u"https://"_s + typed, QUrl::TolerantMode);
    if (!url.isValid())
        return std::nullopt;
    // Most requests have no rows to add: they skip writing the query out and parsing it again.
    std::optional<QByteArray> query;
    for (const KeyValuePair& row : queryParams) {
        if (!row.isApplicable())
            continue;
        if (!query)
            query = url.query(QUrl::FullyEncoded).toLatin1();
        if (!query->isEmpty() && !query->endsWith('&'))
            *query += '&';
        *query += queryComponent(row.key) + '='
            + queryComponent(substituteVariables(row.value, environment));
    }
    if (query) {
        url.setQuery(QString::fromLatin1(*query), QUrl::StrictMode);
        if (!url.isValid())
            return std::nullopt;
    }
    return url;
}

void applyHeaders(OutgoingRequest& outgoing, const APIRequest& request,
    const std::optional<APIEnvironment>& environment)
{
    for (const KeyValuePair& row : request.headers) {
        if (row.isApplicable())
            outgoing.addHeader(row.key, substituteVariables(row.value, environment));
    }
}

std::pair<QString, QString> splitCredentials(const QString& credentials)
{
    const qsizetype colon = credentials.indexOf(u':');
    if (colon < 0)
        return {credentials, QString()};
    return {credentials.left(colon), credentials.mid(colon + 1)};
}

void applyAuth(OutgoingRequest& outgoing, const APIRequest& request,
    const std::optional<APIEnvironment>& environment)
{
    const QString token = substituteVariables(request.authToken, environment);
    if (request.authType == AuthType::negotiate) {
        const auto [user, password] = splitCredentials(token);
        outgoing.auth
            = {.scheme = TransferAuth::Scheme::negotiate, .username = user, .password = password};
        return;
    }
    if (token.isEmpty())
        return;
    switch (request.authType) {
    case AuthType::none:
        break;
    case AuthType::bearer:
    // The access token the send obtained just before it went.
    case AuthType::oauth2:
        outgoing.setHeader(u"Authorization"_s, u"Bearer "_s + token);
        break;
    case AuthType::basic:
        outgoing.setHeader(
            u"Authorization"_s, u"Basic "_s + QString::fromLatin1(token.toUtf8().toBase64()));
        break;
    case AuthType::apiKey:
        outgoing.setHeader(u"X-API-Key"_s, token);
        break;
    case AuthType::digest:
    case AuthType::ntlm: {
        auto [user, password] = splitCredentials(token);
        const QString domain = substituteVariables(request.authDomain, environment);
        const bool ntlm = request.authType == AuthType::ntlm;
        if (ntlm && !domain.isEmpty())
            user = domain + u'\\' + user;
        outgoing.auth = {
            .scheme = ntlm ? TransferAuth::Scheme::ntlm : TransferAuth::Scheme::digest,
            .username = user,
            .password = password,
        };
        break;
    }
    case AuthType::awsSigV4: {
        const auto [accessKey, secretKey] = splitCredentials(token);
        QString scope = u"aws:amz"_s;
        const QString region = substituteVariables(request.awsRegion, environment).trimmed();
        const QString service = substituteVariables(request.awsService, environment).trimmed();
        if (!region.isEmpty()) {
            scope += u':' + region;
            if (!service.isEmpty())
                scope += u':' + service;
        }
        outgoing.auth = {.scheme = TransferAuth::Scheme::awsSigV4,
            .username = accessKey,
            .password = secretKey,
            .awsSigV4 = scope};
        const QString session = substituteVariables(request.awsSessionToken, environment);
        if (!session.isEmpty())
            outgoing.setHeader(u"x-amz-security-token"_s, session);
        break;
    }
    case AuthType::negotiate:
    // Resolved against the collection before a request gets here; unresolved, it has none.
    case AuthType::inherit:
        break;
    }
}

QList<KeyValuePair> urlQueryRows(const APIRequest& request)
{
    return request.bodyType == RequestBodyType::formData ? QList<KeyValuePair> {}
                                                         : request.queryParams;
}

bool carriesBody(HTTPMethod method, RequestBodyType bodyType, bool empty)
{
    if (method == HTTPMethod::head || bodyType == RequestBodyType::none)
        return false;
    return method != HTTPMethod::get || !empty;
}

void applyBody(OutgoingRequest& outgoing, const APIRequest& request,
    const std::optional<APIEnvironment>& environment)
{
    switch (request.bodyType) {
    case RequestBodyType::none:
        break;
    case RequestBodyType::json:
    case RequestBodyType::raw: {
        const bool json = request.bodyType == RequestBodyType::json;
        QByteArray body = substituteVariables(
            json ? withoutJsonComments(request.body) : request.body, environment)
                              .toUtf8();
        if (!carriesBody(request.method, request.bodyType, body.isEmpty()))
            return;
        // An empty body has no type to declare.
        if (json && !body.isEmpty() && !outgoing.hasHeader(u"Content-Type"))
            outgoing.setHeader(u"Content-Type"_s, u"application/json"_s);
        outgoing.body = std::move(body);
        break;
    }
    case RequestBodyType::formData: {
        QList<KeyValuePair> fields;
        for (const KeyValuePair& row : request.queryParams) {
            if (row.isApplicable())
                fields.append(KeyValuePair {
                    .key = row.key, .value = substituteVariables(row.value, environment)});
        }
        if (!carriesBody(request.method, request.bodyType, fields.isEmpty()))
            return;
        if (fields.isEmpty()) {
            outgoing.body = QByteArray();
            break;
        }
        const QString boundary
            = u"Mako-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
        outgoing.body = MultipartBuilder::buildBody(fields, std::nullopt, std::nullopt, boundary);
        outgoing.setHeader(u"Content-Type"_s, u"multipart/form-data; boundary="_s + boundary);
        break;
    }
    }
}

} // namespace mako
