#include "interchange/postmanimporter.h"

#include "interchange/interchangeutil.h"
#include "model/recordjson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
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
    // the query, becomes the row that carries it.
    if (authParameter(auth, u"apikey"_s, u"in"_s) == u"query"_s)
        request.queryParams.append(KeyValuePair {.key = name, .value = value});
    else if (name.isEmpty() || name.compare(u"X-API-Key"_s, Qt::CaseInsensitive) == 0)
        request.authType = AuthType::apiKey, request.authToken = value;
    else
        request.headers.append(KeyValuePair {.key = name, .value = value});
}

void applyAuth(APIRequest& request, const QJsonObject& auth)
{
    const QString type = auth[u"type"_s].toString();
    if (type == u"bearer"_s) {
        request.authType = AuthType::bearer;
        request.authToken = authParameter(auth, type, u"token"_s);
    } else if (type == u"basic"_s) {
        request.authType = AuthType::basic;
        request.authToken = authParameter(auth, type, u"username"_s) + u':'
            + authParameter(auth, type, u"password"_s);
    } else if (type == u"apikey"_s) {
        applyApiKey(request, auth);
    } else if (type == u"oauth2"_s && !authParameter(auth, type, u"accessToken"_s).isEmpty()) {
        request.authType = AuthType::bearer;
        request.authToken = authParameter(auth, type, u"accessToken"_s);
    }
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

// A URL object without "raw" is put together from its parts.
QString composedURL(const QJsonObject& url)
{
    QString result
        = url[u"protocol"_s].isString() ? url[u"protocol"_s].toString() + u"://"_s : QString();
    result += joined(url[u"host"_s], u'.');
    if (!text(url[u"port"_s]).isEmpty())
        result += u':' + text(url[u"port"_s]);
    const QString path = joined(url[u"path"_s], u'/');
    if (!path.isEmpty())
        result += path.startsWith(u'/') ? path : u'/' + path;
    return result;
}

// The URL text without its query, and the query as rows. When the object lists the query,
// the list is taken (it knows the disabled rows) and the copy in "raw" is dropped, so
// nothing is sent twice.
void applyURL(APIRequest& request, const QJsonValue& value, bool keepQueryText)
{
    const QJsonObject url = value.toObject();
    request.url = value.isString() ? value.toString()
        : url.contains(u"raw"_s)   ? text(url[u"raw"_s])
                                   : composedURL(url);
    if (keepQueryText)
        return;
    const QList<KeyValuePair> fromText = splitQuery(request.url);
    request.queryParams = url[u"query"_s].isArray() ? rows(url[u"query"_s]) : fromText;
}

void applyRawBody(APIRequest& request, const QJsonObject& body)
{
    request.body = text(body[u"raw"_s]);
    const QString language = body[u"options"_s][u"raw"_s][u"language"_s].toString();
    const KeyValuePair* contentType = findRow(request.headers, u"Content-Type"_s);
    const bool json = language.isEmpty()
        ? isJsonDocument(request.body) || (contentType && contentType->value.contains(u"json"_s))
        : language == u"json"_s;
    request.bodyType = json ? RequestBodyType::json : RequestBodyType::raw;
}

void applyBody(APIRequest& request, const QJsonObject& body)
{
    const QString mode = body[u"mode"_s].toString();
    if (mode == u"raw"_s) {
        applyRawBody(request, body);
    } else if (mode == u"urlencoded"_s) {
        QStringList pairs;
        for (const KeyValuePair& row : rows(body[u"urlencoded"_s])) {
            if (row.isApplicable())
                pairs.append(percentEncoded(row.key) + u'=' + percentEncoded(row.value));
        }
        request.bodyType = RequestBodyType::raw;
        request.body = pairs.join(u'&');
        if (!findRow(request.headers, u"Content-Type"_s))
            request.headers.append(KeyValuePair {
                .key = u"Content-Type"_s, .value = u"application/x-www-form-urlencoded"_s});
    } else if (mode == u"formdata"_s) {
        request.bodyType = RequestBodyType::formData;
        request.queryParams.clear();
        for (const QJsonValue& entry : body[u"formdata"_s].toArray()) {
            const QJsonObject field = entry.toObject();
            // A file cannot come along; its row stays, switched off, naming the file.
            const bool file = field[u"type"_s].toString() == u"file"_s;
            request.queryParams.append(KeyValuePair {.key = text(field[u"key"_s]),
                .value = file ? joined(field[u"src"_s], u',') : text(field[u"value"_s]),
                .isEnabled = !file && !field[u"disabled"_s].toBool(false)});
        }
    } else if (mode == u"graphql"_s) {
        request.requestProtocol = RequestProtocol::graphql;
        request.bodyType = RequestBodyType::json;
        request.graphqlQuery = text(body[u"graphql"_s][u"query"_s]);
        request.graphqlVariables = text(body[u"graphql"_s][u"variables"_s]);
    }
}

APIRequest mapItem(const QJsonObject& item, const QJsonObject& inheritedAuth)
{
    const QJsonValue requestValue = item[u"request"_s];
    const QJsonObject source = requestValue.toObject();
    APIRequest request {.name = text(item[u"name"_s]), .headers = {}, .queryParams = {}};
    if (request.name.isEmpty())
        request.name = u"Untitled Request"_s;
    const QString method = text(source[u"method"_s]).toUpper();
    request.method = fromRawValue<HTTPMethod>(method).value_or(HTTPMethod::get);
    request.headers = headerRows(source[u"header"_s]);
    const QJsonObject body = source[u"body"_s].toObject();
    applyURL(request, requestValue.isString() ? requestValue : source[u"url"_s],
        body[u"mode"_s].toString() == u"formdata"_s);
    applyBody(request, body);
    const QJsonObject ownAuth = source[u"auth"_s].toObject();
    const bool inherits = ownAuth.isEmpty() || ownAuth[u"type"_s].toString() == u"inherit"_s;
    applyAuth(request, inherits ? inheritedAuth : ownAuth);
    return request;
}

// Folders are flattened in the order they appear, each named by its path; a request joins
// the folder it sits in directly and inherits the nearest auth above it.
void walkItems(Collection& collection, const QJsonArray& items, const QString& path,
    const QJsonObject& auth, std::optional<qsizetype> folder)
{
    for (const QJsonValue& value : items) {
        const QJsonObject item = value.toObject();
        if (item[u"item"_s].isArray()) {
            const QString name = text(item[u"name"_s]);
            const QJsonObject ownAuth = item[u"auth"_s].toObject();
            const bool inherits
                = ownAuth.isEmpty() || ownAuth[u"type"_s].toString() == u"inherit"_s;
            collection.folders.append(
                CollectionFolder {.name = path.isEmpty() ? name : path + u" / "_s + name});
            const qsizetype index = collection.folders.size() - 1;
            walkItems(collection, item[u"item"_s].toArray(), collection.folders[index].name,
                inherits ? auth : ownAuth, index);
        } else if (item.contains(u"request"_s)) {
            collection.requests.append(mapItem(item, auth));
            if (folder)
                collection.folders[*folder].requestIDs.append(collection.requests.last().id);
        }
    }
}

Error notA(const QString& what, const QString& detail)
{
    return Error {u"The file is not a Postman "_s + what + u" ("_s + detail + u")."_s};
}

} // namespace

Result<CollectionImport> importCollection(const QByteArray& bytes)
{
    const auto parsed = parseJson(bytes);
    if (!parsed)
        return parsed.error();
    const QJsonObject root = parsed->toObject();
    if (!root[u"info"_s][u"name"_s].isString())
        return notA(u"collection"_s, u"\"info.name\" is missing"_s);
    if (!root[u"item"_s].isArray())
        return notA(u"collection"_s, u"\"item\" is missing"_s);
    CollectionImport result {
        .collection = Collection {.name = root[u"info"_s][u"name"_s].toString()}};
    walkItems(result.collection, root[u"item"_s].toArray(), {}, root[u"auth"_s].toObject(), {});
    const QList<KeyValuePair> variables = rows(root[u"variable"_s]);
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
        return notA(u"environment"_s, u"\"name\" is missing"_s);
    if (!root[u"values"_s].isArray())
        return notA(u"environment"_s, u"\"values\" is missing"_s);
    APIEnvironment environment {.name = root[u"name"_s].toString(), .variables = {}};
    for (const QJsonValue& entry : root[u"values"_s].toArray()) {
        const QJsonObject value = entry.toObject();
        if (!value[u"key"_s].isString())
            return notA(u"environment"_s, u"a value has no \"key\""_s);
        environment.variables.append(KeyValuePair {.key = value[u"key"_s].toString(),
            .value = text(value[u"value"_s]),
            .isEnabled = value[u"enabled"_s].toBool(true)});
    }
    return environment;
}

} // namespace mako::PostmanImporter
