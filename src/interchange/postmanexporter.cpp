#include "interchange/postmanexporter.h"

#include "interchange/interchangeutil.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako::PostmanExporter {

namespace {

// The editor keeps a blank row at the end of every list; it says nothing.
bool isBlank(const KeyValuePair& row)
{
    return row.key.isEmpty() && row.value.isEmpty();
}

QJsonArray rowList(const QList<KeyValuePair>& rows)
{
    QJsonArray result;
    for (const KeyValuePair& row : rows) {
        if (isBlank(row))
            continue;
        // Postman's own kind for a secret row; its value stays on this machine.
        QJsonObject entry {{u"key"_s, row.key}, {u"value"_s, row.isSecret ? QString() : row.value},
            {u"type"_s, row.isSecret ? u"secret"_s : u"text"_s}};
        if (!row.isEnabled)
            entry.insert(u"disabled"_s, true);
        result.append(entry);
    }
    return result;
}

QJsonObject script(const QString& listen, const QString& source)
{
    QJsonArray lines;
    for (const QString& line : source.split(u'\n'))
        lines.append(line);
    return {{u"listen"_s, listen},
        {u"script"_s, QJsonObject {{u"type"_s, u"text/javascript"_s}, {u"exec"_s, lines}}}};
}

template <typename T> QJsonArray events(const T& owner)
{
    QJsonArray result;
    if (!owner.preRequestScript.isEmpty())
        result.append(script(u"prerequest"_s, owner.preRequestScript));
    if (!owner.testScript.isEmpty())
        result.append(script(u"test"_s, owner.testScript));
    return result;
}

QJsonObject authObject(const QString& type, const QList<std::pair<QString, QString>>& parameters)
{
    QJsonArray list;
    for (const auto& [key, value] : parameters)
        list.append(QJsonObject {{u"key"_s, key}, {u"value"_s, value}, {u"type"_s, u"string"_s}});
    return {{u"type"_s, type}, {type, list}};
}

// Postman's grant names; the redirect only where Mako holds a fixed loopback port.
QJsonObject oauth2Object(const OAuth2Settings& settings)
{
    QList<std::pair<QString, QString>> parameters {{u"grant_type"_s, grantTypeName(settings.grant)},
        {u"authUrl"_s, settings.authUrl}, {u"accessTokenUrl"_s, settings.tokenUrl},
        {u"clientId"_s, settings.clientId}, {u"scope"_s, settings.scope},
        {u"audience"_s, settings.audience},
        {u"client_authentication"_s, clientAuthName(settings.clientAuth)},
        {u"username"_s, settings.username}};
    if (settings.grant == OAuth2Grant::password)
        parameters[0].second = u"password_credentials"_s;
    if (settings.redirectPort > 0)
        parameters.append(
            {u"redirect_uri"_s, u"http://127.0.0.1:%1/"_s.arg(settings.redirectPort)});
    return authObject(u"oauth2"_s, parameters);
}

// The auth of a request or a collection; nothing for a request that inherits, which is how
// Postman says so.
template <typename T> std::optional<QJsonObject> authOf(const T& owner)
{
    const QString user = owner.authToken.section(u':', 0, 0);
    const QString password = owner.authToken.section(u':', 1);
    switch (owner.authType) {
    case AuthType::inherit:
        return std::nullopt;
    case AuthType::none:
        return QJsonObject {{u"type"_s, u"noauth"_s}};
    case AuthType::bearer:
        return authObject(u"bearer"_s, {{u"token"_s, owner.authToken}});
    case AuthType::basic:
    case AuthType::digest:
    case AuthType::negotiate:
        return authObject(owner.authType == AuthType::basic ? u"basic"_s
                : owner.authType == AuthType::digest        ? u"digest"_s
                                                            : u"negotiate"_s,
            {{u"username"_s, user}, {u"password"_s, password}});
    case AuthType::ntlm:
        return authObject(u"ntlm"_s,
            {{u"username"_s, user}, {u"password"_s, password}, {u"domain"_s, owner.authDomain}});
    case AuthType::apiKey:
        return authObject(u"apikey"_s,
            {{u"key"_s, u"X-API-Key"_s}, {u"value"_s, owner.authToken}, {u"in"_s, u"header"_s}});
    case AuthType::awsSigV4:
        return authObject(u"awsv4"_s,
            {{u"accessKey"_s, user}, {u"secretKey"_s, password}, {u"region"_s, owner.awsRegion},
                {u"service"_s, owner.awsService}, {u"sessionToken"_s, owner.awsSessionToken}});
    case AuthType::oauth2:
        return oauth2Object(owner.oauth2);
    }
    return std::nullopt;
}

// One query item as Postman lists it: a key alone ("?pretty") has no value at all.
QJsonObject queryEntry(const QString& item)
{
    const qsizetype equals = item.indexOf(u'=');
    if (equals < 0)
        return {{u"key"_s, item}, {u"value"_s, QJsonValue::Null}};
    return {{u"key"_s, item.left(equals)}, {u"value"_s, item.mid(equals + 1)}};
}

QJsonArray split(const QString& text, QChar separator)
{
    QJsonArray result;
    for (const QString& piece : text.split(separator))
        result.append(piece);
    return result;
}

// The URL put back together from its parts the way a Postman reader does.
QString composed(const QJsonObject& url)
{
    QString result = url.contains(u"protocol"_s) ? url[u"protocol"_s].toString() + u"://"_s : u""_s;
    QStringList host;
    for (const QJsonValue& piece : url[u"host"_s].toArray())
        host.append(piece.toString());
    result += host.join(u'.');
    if (url.contains(u"port"_s))
        result += u':' + url[u"port"_s].toString();
    QStringList path;
    for (const QJsonValue& piece : url[u"path"_s].toArray())
        path.append(piece.toString());
    const QString joinedPath = path.join(u'/');
    if (!joinedPath.isEmpty())
        result += u'/' + (joinedPath.startsWith(u'/') ? joinedPath.mid(1) : joinedPath);
    QStringList items;
    for (const QJsonValue& entry : url[u"query"_s].toArray()) {
        const QJsonObject item = entry.toObject();
        if (item[u"disabled"_s].toBool(false))
            continue;
        items.append(item[u"value"_s].isString()
                ? item[u"key"_s].toString() + u'=' + item[u"value"_s].toString()
                : item[u"key"_s].toString());
    }
    if (!items.isEmpty())
        result += u'?' + items.join(u'&');
    if (url.contains(u"hash"_s))
        result += u'#' + url[u"hash"_s].toString();
    return result;
}

// The URL as text and as parts. The text is split by hand, not by QUrl: it holds
// placeholders ("{{baseUrl}}/users") that are not a URL until they are substituted. Readers
// build the URL from the parts when there are any, so the parts are written only when they
// give back exactly the text; otherwise the text stands alone.
QJsonObject urlObject(const APIRequest& request, bool rowsInQuery)
{
    QString text = request.url;
    QString hash;
    if (const qsizetype at = text.indexOf(u'#'); at >= 0) {
        hash = text.mid(at + 1);
        text.truncate(at);
    }
    QStringList items;
    if (const qsizetype at = text.indexOf(u'?'); at >= 0) {
        items = text.mid(at + 1).split(u'&');
        text.truncate(at);
    }
    QJsonArray query;
    for (const QString& item : std::as_const(items))
        query.append(queryEntry(item));
    // Enabled rows beside the URL are sent in its query, where Postman keeps them.
    QStringList added;
    if (rowsInQuery) {
        for (const KeyValuePair& row : request.queryParams) {
            if (isBlank(row))
                continue;
            if (row.isEnabled)
                added.append(percentEncoded(row.key) + u'=' + percentEncoded(row.value));
            QJsonObject entry {{u"key"_s, row.isEnabled ? percentEncoded(row.key) : row.key},
                {u"value"_s, row.isEnabled ? percentEncoded(row.value) : row.value}};
            if (!row.isEnabled)
                entry.insert(u"disabled"_s, true);
            query.append(entry);
        }
    }
    QString raw = text;
    if (!items.isEmpty() || !added.isEmpty())
        raw += u'?' + (items + added).join(u'&');
    if (request.url.contains(u'#'))
        raw += u'#' + hash;

    QJsonObject url {{u"raw"_s, raw}};
    if (!query.isEmpty())
        url.insert(u"query"_s, query);
    QJsonObject parts = url;
    QString rest = text;
    if (const qsizetype at = rest.indexOf(u"://"_s); at > 0 && !rest.left(at).contains(u'/')) {
        parts.insert(u"protocol"_s, rest.left(at));
        rest = rest.mid(at + 3);
    }
    const qsizetype slash = rest.indexOf(u'/');
    QString authority = slash < 0 ? rest : rest.left(slash);
    static const QRegularExpression port(u":(\\d+)$"_s);
    if (const auto match = port.match(authority); match.hasMatch()) {
        parts.insert(u"port"_s, match.captured(1));
        authority.chop(match.capturedLength());
    }
    parts.insert(u"host"_s, split(authority, u'.'));
    if (slash >= 0)
        parts.insert(u"path"_s, split(rest.mid(slash + 1), u'/'));
    if (request.url.contains(u'#'))
        parts.insert(u"hash"_s, hash);
    return composed(parts) == raw ? parts : url;
}

QJsonObject bodyObject(const APIRequest& request)
{
    if (request.requestProtocol == RequestProtocol::graphql)
        return {{u"mode"_s, u"graphql"_s},
            {u"graphql"_s,
                QJsonObject {{u"query"_s, request.graphqlQuery},
                    {u"variables"_s, request.graphqlVariables}}}};
    switch (request.bodyType) {
    case RequestBodyType::none:
        return {};
    case RequestBodyType::formData:
        return {{u"mode"_s, u"formdata"_s}, {u"formdata"_s, rowList(request.queryParams)}};
    case RequestBodyType::json:
        return {{u"mode"_s, u"raw"_s}, {u"raw"_s, request.body},
            {u"options"_s, QJsonObject {{u"raw"_s, QJsonObject {{u"language"_s, u"json"_s}}}}}};
    case RequestBodyType::raw:
        break;
    }
    // Postman sends a raw body with the type its language names; the request's own
    // Content-Type says which.
    QJsonObject body {{u"mode"_s, u"raw"_s}, {u"raw"_s, request.body}};
    const KeyValuePair* type = findRow(request.headers, u"Content-Type"_s);
    static const QList<std::pair<QString, QString>> languages {{u"json"_s, u"json"_s},
        {u"javascript"_s, u"javascript"_s}, {u"html"_s, u"html"_s}, {u"xml"_s, u"xml"_s},
        {u"text/"_s, u"text"_s}};
    for (const auto& [marker, language] : languages) {
        if (type && type->isApplicable() && type->value.contains(marker)) {
            body.insert(
                u"options"_s, QJsonObject {{u"raw"_s, QJsonObject {{u"language"_s, language}}}});
            break;
        }
    }
    return body;
}

QJsonObject requestItem(const APIRequest& request)
{
    const bool form = request.bodyType == RequestBodyType::formData
        && request.requestProtocol != RequestProtocol::graphql;
    QJsonObject source {{u"method"_s, methodName(request)}, {u"header"_s, rowList(request.headers)},
        {u"url"_s, urlObject(request, !form)}};
    if (const QJsonObject body = bodyObject(request); !body.isEmpty())
        source.insert(u"body"_s, body);
    if (const auto auth = authOf(request))
        source.insert(u"auth"_s, *auth);
    QJsonObject item {{u"name"_s, request.name}, {u"request"_s, source}};
    if (const QJsonArray list = events(request); !list.isEmpty())
        item.insert(u"event"_s, list);
    return item;
}

} // namespace

CollectionExport exportCollection(const Collection& collection)
{
    CollectionExport result;
    const QList<CollectionFolder>& folders = collection.folders;
    const qsizetype count = folders.size();
    // A folder named "Parent / Child" goes inside "Parent" when there is one, as the folders of
    // a Postman file nest; its item is named by the last part.
    QList<qsizetype> parent(count, -1);
    QHash<QString, qsizetype> byName;
    for (qsizetype index = 0; index < count; ++index) {
        const QString& name = folders[index].name;
        if (const qsizetype cut = name.lastIndexOf(u" / "_s); cut > 0)
            parent[index] = byName.value(name.left(cut), -1);
        if (!byName.contains(name))
            byName.insert(name, index);
    }
    // A request belongs to the first folder that lists it.
    QHash<QUuid, qsizetype> folderOf;
    for (qsizetype index = 0; index < count; ++index) {
        for (const QUuid& id : folders[index].requestIDs) {
            if (!folderOf.contains(id))
                folderOf.insert(id, index);
        }
    }
    // The items of each folder, and of the top (the last level). Every item stands where its
    // first request stands in the collection, so that reading the file back gives the requests
    // in their order; a folder without any request stands just before the folder after it.
    struct Entry {
        qsizetype place;
        QJsonObject item;
        qsizetype folder = -1;
    };
    QList<QList<Entry>> levels(count + 1);
    const auto levelOf = [count](qsizetype folder) { return folder < 0 ? count : folder; };
    for (qsizetype index = 0; index < count; ++index) {
        QString name = folders[index].name;
        if (parent[index] >= 0)
            name = name.mid(folders[parent[index]].name.size() + 3);
        QJsonObject item {{u"name"_s, name}};
        if (const QJsonArray list = events(folders[index]); !list.isEmpty())
            item.insert(u"event"_s, list);
        levels[levelOf(parent[index])].append(Entry {-1, item, index});
    }
    const qsizetype unplaced = collection.requests.size();
    QList<qsizetype> place(count, unplaced);
    for (qsizetype index = 0; index < collection.requests.size(); ++index) {
        const APIRequest& request = collection.requests[index];
        if (request.requestProtocol == RequestProtocol::websocket
            || request.requestProtocol == RequestProtocol::sse) {
            result.leftOut.append(request.name);
            continue;
        }
        const qsizetype folder = folderOf.value(request.id, -1);
        levels[levelOf(folder)].append(Entry {index, requestItem(request)});
        for (qsizetype above = folder; above >= 0 && place[above] > index; above = parent[above])
            place[above] = index;
    }
    qsizetype next = unplaced;
    for (qsizetype index = count - 1; index >= 0; --index) {
        if (place[index] == unplaced)
            place[index] = next;
        next = place[index];
    }
    // Subfolders come after their parents in the list, so building from the end finishes
    // every folder before the one that holds it.
    QList<QJsonArray> built(count + 1);
    const auto build = [&](qsizetype level) {
        QList<Entry>& entries = levels[level];
        for (Entry& entry : entries) {
            if (entry.folder >= 0) {
                entry.place = place[entry.folder];
                entry.item.insert(u"item"_s, built[entry.folder]);
            }
        }
        std::stable_sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.place < b.place; });
        for (const Entry& entry : std::as_const(entries))
            built[level].append(entry.item);
    };
    for (qsizetype index = count - 1; index >= 0; --index)
        build(index);
    build(count);
    const QJsonArray& items = built[count];

    QJsonObject root {
        {u"info"_s,
            QJsonObject {{u"_postman_id"_s, collection.id.toString(QUuid::WithoutBraces)},
                {u"name"_s, collection.name},
                {u"schema"_s,
                    u"https://schema.getpostman.com/json/collection/v2.1.0/"
                    "collection.json"_s}}},
        {u"item"_s, items}};
    if (collection.authType != AuthType::none && collection.authType != AuthType::inherit)
        root.insert(u"auth"_s, *authOf(collection));
    if (const QJsonArray list = events(collection); !list.isEmpty())
        root.insert(u"event"_s, list);
    if (const QJsonArray variables = rowList(collection.variables); !variables.isEmpty())
        root.insert(u"variable"_s, variables);
    result.bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return result;
}

QString exportFileName(const QString& collectionName)
{
    static const QRegularExpression unsafe(u"[/\\\\:*?\"<>|\\x00-\\x1f]"_s);
    QString name = QString(collectionName).replace(unsafe, u"-"_s).trimmed();
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    return (name.isEmpty() ? u"Collection"_s : name) + u".postman_collection.json"_s;
}

} // namespace mako::PostmanExporter
