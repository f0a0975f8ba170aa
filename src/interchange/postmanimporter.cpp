#include "interchange/postmanimporter.h"

#include "interchange/interchangeutil.h"
#include "model/recordjson.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace mako::PostmanImporter {

namespace {

// Postman writes numbers and booleans where text is meant (a port, a header value); they
// are taken as their text.
QString text(const QJsonValue& value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble() || value.isBool())
        return value.toVariant().toString();
    return {};
}

QList<KeyValuePair> rows(const QJsonValue& value)
{
    QList<KeyValuePair> result;
    for (const QJsonValue& entry : value.toArray()) {
        const QJsonObject row = entry.toObject();
        if (!row.contains(u"key"_s))
            continue;
        result.append(KeyValuePair {.key = text(row[u"key"_s]),
            .value = text(row[u"value"_s]),
            .isEnabled = !row[u"disabled"_s].toBool(false)});
    }
    return result;
}

// v2.0 allowed the headers as one block of "Name: value" lines.
QList<KeyValuePair> headerRows(const QJsonValue& value)
{
    if (!value.isString())
        return rows(value);
    QList<KeyValuePair> result;
    for (const QString& line : value.toString().split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0)
            result.append(KeyValuePair {
                .key = line.left(colon).trimmed(), .value = line.mid(colon + 1).trimmed()});
    }
    return result;
}

// One thing an item lost on its way in.
struct Dropped {
    LeftOutKind kind;
    QString text;
};
using DroppedList = QList<Dropped>;

// The scripts that run before the request and after its response are kept; a script for
// another moment has no place in Mako, and the report says so for every one that holds more
// than blank lines. Postman writes a script as its lines or as one text.
template <typename T> DroppedList takeScripts(const QJsonValue& events, T& target)
{
    DroppedList result;
    for (const QJsonValue& entry : events.toArray()) {
        const QJsonValue exec = entry[u"script"_s][u"exec"_s];
        QString source = text(exec);
        if (exec.isArray()) {
            QStringList lines;
            for (const QJsonValue& line : exec.toArray())
                lines.append(text(line));
            source = lines.join(u'\n');
        }
        if (source.trimmed().isEmpty())
            continue;
        const QString listen = text(entry[u"listen"_s]);
        if (listen == u"test"_s) {
            target.testScript = source;
        } else if (listen == u"prerequest"_s) {
            target.preRequestScript = source;
        } else {
            result.append(Dropped {LeftOutKind::otherScript,
                QCoreApplication::translate("mako::PostmanImporter", "%1 script dropped")
                    .arg(listen)});
        }
    }
    return result;
}

// An auth parameter: v2.1 lists {key, value} entries, v2.0 has a plain object.
QString authParameter(const QJsonObject& auth, const QString& type, const QString& key)
{
    const QJsonValue parameters = auth[type];
    if (parameters.isObject())
        return text(parameters.toObject()[key]);
    for (const QJsonValue& entry : parameters.toArray()) {
        if (entry.toObject()[u"key"_s].toString() == key)
            return text(entry.toObject()[u"value"_s]);
    }
    return {};
}

void applyApiKey(APIRequest& request, const QJsonObject& auth)
{
    const QString name = authParameter(auth, u"apikey"_s, u"key"_s);
    const QString value = authParameter(auth, u"apikey"_s, u"value"_s);
    // Sending puts an API key in "X-API-Key"; a key named otherwise, or one that goes in
    // the query, becomes the row that carries it. A form body holds its fields in the rows,
    // so there the key joins the URL's own query.
    if (authParameter(auth, u"apikey"_s, u"in"_s) == u"query"_s) {
        if (request.bodyType != RequestBodyType::formData)
            request.queryParams.append(KeyValuePair {.key = name, .value = value});
        else
            request.url += (request.url.contains(u'?') ? u'&' : u'?') + percentEncoded(name) + u'='
                + percentEncoded(value);
    } else if (name.isEmpty() || name.compare(u"X-API-Key"_s, Qt::CaseInsensitive) == 0) {
        request.authType = AuthType::apiKey, request.authToken = value;
    } else {
        request.headers.append(KeyValuePair {.key = name, .value = value});
    }
}

QString authName(const QString& type)
{
    static const QHash<QString, QString> names {{u"oauth1"_s, u"OAuth 1.0"_s},
        {u"oauth2"_s, u"OAuth 2.0"_s}, {u"hawk"_s, u"Hawk"_s}, {u"awsv4"_s, u"AWS Signature"_s},
        {u"ntlm"_s, u"NTLM"_s}, {u"akamai"_s, u"Akamai EdgeGrid"_s},
        {u"edgegrid"_s, u"Akamai EdgeGrid"_s}, {u"jwt"_s, u"JWT Bearer"_s}, {u"asap"_s, u"ASAP"_s}};
    return names.value(type, type);
}

using Secrets = QList<std::pair<QString, QString>>;

// Postman's grant names; the implicit grant, which hands the token to the browser, becomes the
// code grant with PKCE that took its place.
OAuth2Grant oauth2Grant(const QString& name)
{
    if (name == u"client_credentials"_s)
        return OAuth2Grant::clientCredentials;
    if (name == u"password"_s || name == u"password_credentials"_s)
        return OAuth2Grant::password;
    return OAuth2Grant::authorizationCode;
}

void applyOAuth2(APIRequest& request, const QJsonObject& auth, Secrets& secrets)
{
    const auto value
        = [&auth](const QString& key) { return authParameter(auth, u"oauth2"_s, key); };
    OAuth2Settings& settings = request.oauth2;
    settings.grant = oauth2Grant(value(u"grant_type"_s));
    settings.authUrl = value(u"authUrl"_s);
    settings.tokenUrl = value(u"accessTokenUrl"_s);
    settings.clientId = value(u"clientId"_s);
    settings.scope = value(u"scope"_s);
    settings.audience = value(u"audience"_s);
    settings.clientAuth = value(u"client_authentication"_s) == u"body"_s
        ? OAuth2ClientAuth::body
        : OAuth2ClientAuth::basicHeader;
    settings.username = value(u"username"_s);
    // A loopback redirect keeps its port: the server may accept no other.
    const QUrl redirect(value(u"redirect_uri"_s));
    if (redirect.port() > 0
        && (redirect.host() == u"127.0.0.1"_s || redirect.host() == u"localhost"_s))
        settings.redirectPort = redirect.port();
    request.authType = AuthType::oauth2;
    request.authToken.clear();

    const auto keep = [&](const QString& what, const QString& secret) {
        if (!secret.isEmpty())
            secrets.append({oauth2SecretKey(settings, what), secret});
    };
    keep(u"clientSecret"_s, value(u"clientSecret"_s));
    keep(u"password"_s, value(u"password"_s));
    // The same form as the token keeper's own: the file's token serves until it is refused.
    if (const QString token = value(u"accessToken"_s); !token.isEmpty()) {
        QJsonObject kept {{u"access_token"_s, token},
            {u"token_type"_s,
                value(u"tokenType"_s).isEmpty() ? u"Bearer"_s : value(u"tokenType"_s)}};
        if (const QString refresh = value(u"refreshToken"_s); !refresh.isEmpty())
            kept.insert(u"refresh_token"_s, refresh);
        keep(u"token"_s, QString::fromUtf8(QJsonDocument(kept).toJson(QJsonDocument::Compact)));
    }
}

// Returns what was dropped, or nothing when Mako holds the auth.
QString applyAuth(APIRequest& request, const QJsonObject& auth, Secrets& secrets)
{
    const QString type = auth[u"type"_s].toString();
    if (type.isEmpty() || type == u"noauth"_s || type == u"inherit"_s)
        return {};
    if (type == u"bearer"_s) {
        request.authType = AuthType::bearer;
        request.authToken = authParameter(auth, type, u"token"_s);
    } else if (type == u"basic"_s) {
        request.authType = AuthType::basic;
        request.authToken = authParameter(auth, type, u"username"_s) + u':'
            + authParameter(auth, type, u"password"_s);
    } else if (type == u"apikey"_s) {
        applyApiKey(request, auth);
    } else if (type == u"digest"_s || type == u"ntlm"_s || type == u"negotiate"_s) {
        // Postman has no Negotiate of its own; Mako's Postman export writes it by this name.
        request.authType = type == u"ntlm"_s ? AuthType::ntlm
            : type == u"digest"_s            ? AuthType::digest
                                             : AuthType::negotiate;
        request.authToken = authParameter(auth, type, u"username"_s) + u':'
            + authParameter(auth, type, u"password"_s);
        if (type == u"ntlm"_s)
            request.authDomain = authParameter(auth, type, u"domain"_s);
    } else if (type == u"awsv4"_s) {
        request.authType = AuthType::awsSigV4;
        request.authToken = authParameter(auth, type, u"accessKey"_s) + u':'
            + authParameter(auth, type, u"secretKey"_s);
        request.awsRegion = authParameter(auth, type, u"region"_s);
        request.awsService = authParameter(auth, type, u"service"_s);
        request.awsSessionToken = authParameter(auth, type, u"sessionToken"_s);
    } else if (type == u"oauth2"_s) {
        applyOAuth2(request, auth, secrets);
    } else {
        return QCoreApplication::translate("mako::PostmanImporter", "%1 authorisation dropped")
            .arg(authName(type));
    }
    return {};
}

QString joined(const QJsonValue& value, QChar separator)
{
    if (!value.isArray())
        return text(value);
    QStringList pieces;
    for (const QJsonValue& piece : value.toArray())
        pieces.append(piece.isObject() ? text(piece.toObject()[u"value"_s]) : text(piece));
    return pieces.join(separator);
}

// A path variable is a whole path segment ":name"; a colon after other text in a segment
// ("items:batchGet") is part of the segment. A variable the file gives no value keeps its
// ":name".
QString withPathVariables(const QString& path, const QJsonValue& variables)
{
    QHash<QString, QString> values;
    for (const KeyValuePair& row : rows(variables)) {
        if (!row.value.isEmpty())
            values.insert(row.key, row.value);
    }
    if (values.isEmpty())
        return path;
    QStringList segments = path.split(u'/');
    for (QString& segment : segments) {
        if (segment.startsWith(u':') && values.contains(segment.mid(1)))
            segment = values.value(segment.mid(1));
    }
    return segments.join(u'/');
}

// The same for a URL written as text, whose path runs from the first "/" after the host
// to the query or fragment.
QString withPathVariablesInText(const QString& url, const QJsonValue& variables)
{
    qsizetype pathEnd = url.size();
    for (const QChar stop : {u'?', u'#'}) {
        if (const qsizetype at = url.indexOf(stop); at >= 0)
            pathEnd = std::min(pathEnd, at);
    }
    const QString head = url.left(pathEnd);
    qsizetype scheme = head.indexOf(u"://"_s);
    if (scheme >= 0 && head.left(scheme).contains(u'/'))
        scheme = -1;
    const qsizetype pathStart = head.indexOf(u'/', scheme < 0 ? 0 : scheme + 3);
    if (pathStart < 0)
        return url;
    return head.left(pathStart) + withPathVariables(head.mid(pathStart), variables)
        + url.mid(pathEnd);
}

// An enabled query entry as Postman writes it out: a value that is absent or null leaves
// the key alone ("?pretty"), an empty one keeps its "=" ("?username=").
QString queryItem(const QJsonObject& entry)
{
    const QJsonValue value = entry[u"value"_s];
    const bool hasValue = value.isString() || value.isDouble() || value.isBool();
    return hasValue ? text(entry[u"key"_s]) + u'=' + text(value) : text(entry[u"key"_s]);
}

// The URL put together from its parts, each as the file writes it: what is typed there is
// already encoded as its author meant it, so nothing is encoded again.
QString composedURL(const QJsonObject& url)
{
    QString result
        = url[u"protocol"_s].isString() ? url[u"protocol"_s].toString() + u"://"_s : QString();
    result += joined(url[u"host"_s], u'.');
    if (!text(url[u"port"_s]).isEmpty())
        result += u':' + text(url[u"port"_s]);
    const QString path = joined(url[u"path"_s], u'/');
    if (!path.isEmpty())
        result += u'/'
            + withPathVariables(path.startsWith(u'/') ? path.mid(1) : path, url[u"variable"_s]);
    QStringList items;
    for (const QJsonValue& entry : url[u"query"_s].toArray()) {
        const QJsonObject object = entry.toObject();
        if (!object[u"disabled"_s].toBool(false)
            && (object.contains(u"key"_s) || object.contains(u"value"_s)))
            items.append(queryItem(object));
    }
    if (!items.isEmpty())
        result += u'?' + items.join(u'&');
    if (!text(url[u"hash"_s]).isEmpty())
        result += u'#' + text(url[u"hash"_s]);
    return result;
}

// The URL text and the query rows that go beside it. Where the file gives the URL's parts,
// they are what Postman sends, and exports are known to disagree with their "raw" text (a
// query in the list that the text lacks, a value changed in one of them only); so the parts
// make the text and "raw" serves only a URL without them. The enabled query entries are in
// the text as written, so they reach the server unchanged; the disabled ones become rows, to
// be switched on later.
struct URLParts {
    QString text;
    QList<KeyValuePair> rows;
};

URLParts readURL(const QJsonValue& value)
{
    if (value.isString())
        return {value.toString(), {}};
    const QJsonObject url = value.toObject();
    QList<KeyValuePair> disabled = rows(url[u"query"_s]);
    disabled.removeIf([](const KeyValuePair& row) { return row.isEnabled; });
    if (url.contains(u"host"_s) || url.contains(u"path"_s) || !url.contains(u"raw"_s))
        return {composedURL(url), disabled};
    return {withPathVariablesInText(text(url[u"raw"_s]), url[u"variable"_s]), disabled};
}

// A form body holds its fields in the rows, so the disabled query entries cannot be kept.
DroppedList placeQuery(APIRequest& request, const URLParts& url)
{
    if (request.bodyType != RequestBodyType::formData) {
        request.queryParams = url.rows;
        return {};
    }
    DroppedList dropped;
    for (const KeyValuePair& row : url.rows)
        dropped.append(Dropped {LeftOutKind::disabledRow,
            QCoreApplication::translate(
                "mako::PostmanImporter", "disabled query parameter \"%1\" dropped")
                .arg(row.key)});
    return dropped;
}

// The language Postman gives a raw body decides the Content-Type it goes out with when the
// request sets none. A JSON body sends its own; for the others the header row is written
// here, where it can be seen and changed. An empty body goes out without a type.
void applyRawBody(APIRequest& request, const QJsonObject& body)
{
    request.body = text(body[u"raw"_s]);
    const QString language = body[u"options"_s][u"raw"_s][u"language"_s].toString();
    const KeyValuePair* contentType = findRow(request.headers, u"Content-Type"_s);
    const bool json = language.isEmpty()
        ? isJsonDocument(request.body) || (contentType && contentType->value.contains(u"json"_s))
        : language == u"json"_s;
    request.bodyType = json ? RequestBodyType::json : RequestBodyType::raw;
    static const QHash<QString, QString> types {{u"text"_s, u"text/plain"_s},
        {u"javascript"_s, u"application/javascript"_s}, {u"html"_s, u"text/html"_s},
        {u"xml"_s, u"application/xml"_s}};
    const bool setsType = std::any_of(
        request.headers.cbegin(), request.headers.cend(), [](const KeyValuePair& row) {
            return row.isApplicable()
                && row.key.compare(u"Content-Type"_s, Qt::CaseInsensitive) == 0;
        });
    if (!json && !setsType && !request.body.isEmpty() && types.contains(language))
        request.headers.append(
            KeyValuePair {.key = u"Content-Type"_s, .value = types.value(language)});
}

DroppedList applyURLEncodedBody(APIRequest& request, const QJsonObject& body)
{
    DroppedList dropped;
    const EncodedPairs form = encodedPairs(rows(body[u"urlencoded"_s]));
    for (const QString& key : form.leftOut)
        dropped.append(Dropped {LeftOutKind::disabledRow,
            QCoreApplication::translate(
                "mako::PostmanImporter", "disabled form field \"%1\" dropped")
                .arg(key)});
    setURLEncodedBody(request, form.text);
    return dropped;
}

DroppedList applyFormBody(APIRequest& request, const QJsonObject& body)
{
    DroppedList dropped;
    request.bodyType = RequestBodyType::formData;
    for (const QJsonValue& entry : body[u"formdata"_s].toArray()) {
        const QJsonObject field = entry.toObject();
        const QString key = text(field[u"key"_s]);
        // A file cannot come along; its row stays, switched off, naming the file.
        const bool file = field[u"type"_s].toString() == u"file"_s;
        request.queryParams.append(KeyValuePair {.key = key,
            .value = file ? joined(field[u"src"_s], u',') : text(field[u"value"_s]),
            .isEnabled = !file && !field[u"disabled"_s].toBool(false)});
        if (file)
            dropped.append(Dropped {LeftOutKind::file,
                QCoreApplication::translate("mako::PostmanImporter", "file field \"%1\" dropped")
                    .arg(key)});
        else if (!text(field[u"contentType"_s]).isEmpty())
            dropped.append(Dropped {LeftOutKind::fieldContentType,
                QCoreApplication::translate(
                    "mako::PostmanImporter", "content type \"%1\" of form field \"%2\" dropped")
                    .arg(text(field[u"contentType"_s]), key)});
    }
    return dropped;
}

DroppedList applyBody(APIRequest& request, const QJsonObject& body)
{
    const QString mode = body[u"mode"_s].toString();
    if (mode == u"raw"_s) {
        applyRawBody(request, body);
    } else if (mode == u"urlencoded"_s) {
        return applyURLEncodedBody(request, body);
    } else if (mode == u"formdata"_s) {
        return applyFormBody(request, body);
    } else if (mode == u"file"_s && !text(body[u"file"_s][u"src"_s]).isEmpty()) {
        return {Dropped {LeftOutKind::file,
            QCoreApplication::translate("mako::PostmanImporter", "binary file body dropped")}};
    } else if (mode == u"graphql"_s) {
        request.requestProtocol = RequestProtocol::graphql;
        request.bodyType = RequestBodyType::json;
        request.graphqlQuery = text(body[u"graphql"_s][u"query"_s]);
        request.graphqlVariables = text(body[u"graphql"_s][u"variables"_s]);
    }
    return {};
}

QString itemName(const QJsonObject& item)
{
    const QString name = text(item[u"name"_s]);
    return name.isEmpty() ? u"Untitled Request"_s : name;
}

// The request of an item, or nothing when its method cannot be sent. What it loses on the
// way is added to `dropped`.
// `fromCollection`: the nearest auth above the item is the collection's, which Mako holds; an
// item that inherits it then inherits in Mako too, instead of taking a copy.
std::optional<APIRequest> mapItem(const QJsonObject& item, const QJsonObject& inheritedAuth,
    bool fromCollection, DroppedList& dropped, Secrets& secrets)
{
    const QJsonValue requestValue = item[u"request"_s];
    const QJsonObject source = requestValue.toObject();
    const QString method = text(source[u"method"_s]).toUpper();
    APIRequest request {.name = itemName(item), .headers = {}, .queryParams = {}};
    // Any method a server may take is kept (WebDAV's PROPFIND, a cache's PURGE); only a name
    // HTTP does not allow is left out.
    if (!method.isEmpty() && !setMethodName(request, method)) {
        dropped.append(Dropped {LeftOutKind::unsupportedMethod,
            QCoreApplication::translate(
                "mako::PostmanImporter", "skipped, the method %1 cannot be sent")
                .arg(method)});
        return std::nullopt;
    }
    request.headers = headerRows(source[u"header"_s]);
    const URLParts url = readURL(requestValue.isString() ? requestValue : source[u"url"_s]);
    request.url = url.text;
    dropped += applyBody(request, source[u"body"_s].toObject());
    dropped += placeQuery(request, url);
    const QJsonObject ownAuth = source[u"auth"_s].toObject();
    const bool inherits = ownAuth.isEmpty() || ownAuth[u"type"_s].toString() == u"inherit"_s;
    if (inherits && fromCollection)
        request.authType = AuthType::inherit;
    else if (const QString lost = applyAuth(request, inherits ? inheritedAuth : ownAuth, secrets);
             !lost.isEmpty())
        dropped.append(Dropped {LeftOutKind::authorisation, lost});
    dropped += takeScripts(item[u"event"_s], request);
    return request;
}

void warn(CollectionImport& result, const QString& subject, const DroppedList& dropped)
{
    for (const Dropped& line : dropped) {
        result.warnings.append(subject + u": "_s + line.text);
        result.warningKinds.append(line.kind);
    }
}

QString joinedPath(const QString& path, const QString& name)
{
    return path.isEmpty() ? name : path + u" / "_s + name;
}

// Folders are flattened in the order they appear, each named by its path; a request joins
// the folder it sits in directly and inherits the nearest auth above it: the collection's by
// inheriting, a folder's (Mako has no folder auth) as a copy of its own.
void walkItems(CollectionImport& result, const QJsonArray& items, const QString& path,
    const QJsonObject& auth, bool collectionAuth, std::optional<qsizetype> folder)
{
    Collection& collection = result.collection;
    for (const QJsonValue& value : items) {
        const QJsonObject item = value.toObject();
        if (item[u"item"_s].isArray()) {
            const QString name = joinedPath(path, text(item[u"name"_s]));
            const QJsonObject ownAuth = item[u"auth"_s].toObject();
            const bool inherits
                = ownAuth.isEmpty() || ownAuth[u"type"_s].toString() == u"inherit"_s;
            // The name is held here, not in the list that the subfolders grow.
            CollectionFolder folder {.name = name};
            warn(result,
                QCoreApplication::translate("mako::PostmanImporter", "%1 (folder)").arg(name),
                takeScripts(item[u"event"_s], folder));
            collection.folders.append(folder);
            walkItems(result, item[u"item"_s].toArray(), name, inherits ? auth : ownAuth,
                inherits && collectionAuth, collection.folders.size() - 1);
        } else if (item.contains(u"request"_s)) {
            DroppedList dropped;
            const auto request = mapItem(item, auth, collectionAuth, dropped, result.secrets);
            warn(result, joinedPath(path, itemName(item)), dropped);
            if (!request)
                continue;
            collection.requests.append(*request);
            if (folder)
                collection.folders[*folder].requestIDs.append(request->id);
        }
    }
}

// The sentence names the kind of file in full, so that a translation can inflect it.
Error notACollection(const QString& detail)
{
    return Error {QCoreApplication::translate(
        "mako::PostmanImporter", "The file is not a Postman collection (%1).")
                      .arg(detail)};
}

Error notAnEnvironment(const QString& detail)
{
    return Error {QCoreApplication::translate(
        "mako::PostmanImporter", "The file is not a Postman environment (%1).")
                      .arg(detail)};
}

QString missing(const QString& field)
{
    return QCoreApplication::translate("mako::PostmanImporter", "\"%1\" is missing").arg(field);
}

} // namespace

Result<CollectionImport> importCollection(const QByteArray& bytes)
{
    const auto parsed = parseJson(bytes);
    if (!parsed)
        return parsed.error();
    const QJsonObject root = parsed->toObject();
    if (!root[u"info"_s][u"name"_s].isString())
        return notACollection(missing(u"info.name"_s));
    if (!root[u"item"_s].isArray())
        return notACollection(missing(u"item"_s));
    CollectionImport result {
        .collection = Collection {.name = root[u"info"_s][u"name"_s].toString()}};
    warn(result,
        QCoreApplication::translate("mako::PostmanImporter", "%1 (collection)")
            .arg(result.collection.name),
        takeScripts(root[u"event"_s], result.collection));
    // The collection's own auth, where Mako has its kind. One it drops is reported by each
    // request that would have used it, as before.
    const QJsonObject auth = root[u"auth"_s].toObject();
    APIRequest holder;
    applyAuth(holder, auth, result.secrets);
    copyAuth(holder, result.collection);
    walkItems(result, root[u"item"_s].toArray(), {}, auth,
        result.collection.authType != AuthType::none, {});
    const QList<KeyValuePair> variables = rows(root[u"variable"_s]);
    result.collection.variables = variables;
    // Until sending reads the collection's own variables, the environment keeps the requests
    // sending as they did.
    if (!variables.isEmpty())
        result.variables = APIEnvironment {.name = result.collection.name, .variables = variables};
    return result;
}

Result<APIEnvironment> importEnvironment(const QByteArray& bytes)
{
    const auto parsed = parseJson(bytes);
    if (!parsed)
        return parsed.error();
    const QJsonObject root = parsed->toObject();
    if (!root[u"name"_s].isString())
        return notAnEnvironment(missing(u"name"_s));
    if (!root[u"values"_s].isArray())
        return notAnEnvironment(missing(u"values"_s));
    APIEnvironment environment {.name = root[u"name"_s].toString(), .variables = {}};
    for (const QJsonValue& entry : root[u"values"_s].toArray()) {
        const QJsonObject value = entry.toObject();
        if (!value[u"key"_s].isString())
            return notAnEnvironment(
                QCoreApplication::translate("mako::PostmanImporter", "a value has no \"key\""));
        // A secret Postman row stays one here: its value goes to the secret service.
        environment.variables.append(KeyValuePair {.key = value[u"key"_s].toString(),
            .value = text(value[u"value"_s]),
            .isEnabled = value[u"enabled"_s].toBool(true),
            .isSecret = value[u"type"_s].toString() == u"secret"_s});
    }
    return environment;
}

} // namespace mako::PostmanImporter
