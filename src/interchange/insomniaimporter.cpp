#include "interchange/insomniaimporter.h"

#include "interchange/interchangeutil.h"
#include "interchange/structureddocument.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace mako::InsomniaImporter {

namespace {

using PostmanImporter::CollectionImport;
using PostmanImporter::LeftOutKind;

const QString kV5Type = u"collection.insomnia.rest/5"_s;

// "{{ _.name }}", "{{_.name}}" and the older "{{ name }}" all name the variable "name".
QString rewritten(const QString& text)
{
    static const QRegularExpression variable(u"\\{\\{\\s*(?:_\\.)?([^{}\\s]+)\\s*\\}\\}"_s);
    QString result = text;
    return result.replace(variable, u"{{\\1}}"_s);
}

QString text(const QJsonValue& value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble() || value.isBool())
        return value.toVariant().toString();
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    return {};
}

// Nested environment data becomes dotted names, the way Insomnia's templates reach into it.
void flatten(const QJsonObject& data, const QString& prefix, QList<KeyValuePair>& rows)
{
    for (auto entry = data.begin(); entry != data.end(); ++entry) {
        const QString name = prefix.isEmpty() ? entry.key() : prefix + u'.' + entry.key();
        if (entry.value().isObject())
            flatten(entry.value().toObject(), name, rows);
        else
            rows.append(KeyValuePair {.key = name, .value = rewritten(text(entry.value()))});
    }
}

// v5 holds its requests as a tree; it is laid out as v4's flat list of resources with
// parent ids so that one reader serves both.
void flattenTree(const QJsonArray& items, const QString& parentId, QJsonArray& resources)
{
    for (const QJsonValue& value : items) {
        QJsonObject item = value.toObject();
        const QString id = u"v5_"_s + QString::number(resources.size());
        item.insert(u"_id"_s, id);
        item.insert(u"parentId"_s, parentId);
        const QJsonArray children = item.value(u"children"_s).toArray();
        const bool group = item.contains(u"children"_s);
        item.insert(u"_type"_s, group ? u"request_group"_s : u"request"_s);
        item.remove(u"children"_s);
        resources.append(item);
        if (group)
            flattenTree(children, id, resources);
    }
}

QJsonArray v5Resources(const QJsonObject& root)
{
    QJsonArray resources {QJsonObject {
        {u"_id"_s, u"v5_workspace"_s}, {u"_type"_s, u"workspace"_s}, {u"name"_s, root[u"name"_s]}}};
    flattenTree(root[u"collection"_s].toArray(), u"v5_workspace"_s, resources);
    const QJsonObject base = root[u"environments"_s].toObject();
    if (!base.isEmpty()) {
        resources.append(QJsonObject {{u"_id"_s, u"v5_base"_s}, {u"_type"_s, u"environment"_s},
            {u"parentId"_s, u"v5_workspace"_s}, {u"name"_s, base[u"name"_s]},
            {u"data"_s, base[u"data"_s]}});
        for (const QJsonValue& sub : base[u"subEnvironments"_s].toArray())
            resources.append(QJsonObject {{u"_id"_s, u"v5_sub"_s}, {u"_type"_s, u"environment"_s},
                {u"parentId"_s, u"v5_base"_s}, {u"name"_s, sub[u"name"_s]},
                {u"data"_s, sub[u"data"_s]}});
    }
    return resources;
}

struct Dropped {
    LeftOutKind kind;
    QString text;
};

QList<KeyValuePair> rows(const QJsonValue& value)
{
    QList<KeyValuePair> result;
    for (const QJsonValue& entry : value.toArray()) {
        const QJsonObject row = entry.toObject();
        if (row[u"name"_s].toString().isEmpty() && text(row[u"value"_s]).isEmpty())
            continue;
        result.append(KeyValuePair {.key = rewritten(row[u"name"_s].toString()),
            .value = rewritten(text(row[u"value"_s])),
            .isEnabled = !row[u"disabled"_s].toBool()});
    }
    return result;
}

void applyBody(APIRequest& request, const QJsonObject& body, QList<Dropped>& dropped)
{
    const QString type = body[u"mimeType"_s].toString().section(u';', 0, 0).trimmed().toLower();
    if (type == u"multipart/form-data"_s) {
        request.bodyType = RequestBodyType::formData;
        for (const QJsonValue& value : body[u"params"_s].toArray()) {
            const QJsonObject param = value.toObject();
            const bool file = param[u"type"_s].toString() == u"file"_s;
            request.queryParams.append(KeyValuePair {.key = rewritten(param[u"name"_s].toString()),
                .value
                = rewritten(file ? param[u"fileName"_s].toString() : text(param[u"value"_s])),
                .isEnabled = !file && !param[u"disabled"_s].toBool()});
            if (file)
                dropped.append(Dropped {LeftOutKind::file,
                    QCoreApplication::translate(
                        "mako::InsomniaImporter", "file field \"%1\" left without its file")
                        .arg(param[u"name"_s].toString())});
        }
    } else if (type == u"application/x-www-form-urlencoded"_s) {
        const EncodedPairs form = encodedPairs(rows(body[u"params"_s]));
        for (const QString& key : form.leftOut)
            dropped.append(Dropped {LeftOutKind::disabledRow,
                QCoreApplication::translate(
                    "mako::InsomniaImporter", "disabled form field \"%1\" left out")
                    .arg(key)});
        setURLEncodedBody(request, form.text);
    } else if (type == u"application/graphql"_s) {
        const QJsonObject graphql
            = QJsonDocument::fromJson(body[u"text"_s].toString().toUtf8()).object();
        request.requestProtocol = RequestProtocol::graphql;
        request.bodyType = RequestBodyType::json;
        request.graphqlQuery = rewritten(graphql[u"query"_s].toString());
        const QJsonValue variables = graphql[u"variables"_s];
        request.graphqlVariables = variables.isObject()
            ? rewritten(QString::fromUtf8(QJsonDocument(variables.toObject()).toJson()).trimmed())
            : QString();
        request.graphqlOperationName = graphql[u"operationName"_s].toString();
    } else if (body.contains(u"fileName"_s)) {
        dropped.append(Dropped {LeftOutKind::file,
            QCoreApplication::translate("mako::InsomniaImporter", "binary file body left out")});
    } else if (!body[u"text"_s].toString().isEmpty()) {
        request.body = rewritten(body[u"text"_s].toString());
        request.bodyType = type == u"application/json"_s || type.endsWith(u"+json"_s)
            ? RequestBodyType::json
            : RequestBodyType::raw;
        if (request.bodyType == RequestBodyType::raw && !type.isEmpty()
            && !findRow(request.headers, u"Content-Type"_s))
            request.headers.append(
                KeyValuePair {.key = u"Content-Type"_s, .value = body[u"mimeType"_s].toString()});
    }
}

void applyAuth(APIRequest& request, const QJsonObject& auth, QList<KeyValuePair>& query,
    QList<Dropped>& dropped)
{
    const QString type = auth[u"type"_s].toString();
    if (type.isEmpty() || type == u"none"_s || auth[u"disabled"_s].toBool())
        return;
    const auto field = [&](const char* name) { return rewritten(text(auth[QLatin1String(name)])); };
    if (type == u"bearer"_s) {
        request.authType = AuthType::bearer;
        request.authToken = field("token");
    } else if (type == u"basic"_s || type == u"digest"_s || type == u"ntlm"_s) {
        request.authType = type == u"basic"_s ? AuthType::basic
            : type == u"digest"_s             ? AuthType::digest
                                              : AuthType::ntlm;
        request.authToken = field("username") + u':' + field("password");
    } else if (type == u"apikey"_s) {
        const QString key = field("key");
        const QString place = field("addTo");
        const KeyValuePair row {.key = key, .value = field("value")};
        // Sending puts Mako's API key in "X-API-Key"; a key of another name is its row.
        if (place == u"queryParams"_s)
            query.append(row);
        else if (place == u"cookie"_s)
            dropped.append(Dropped {LeftOutKind::authorisation,
                QCoreApplication::translate(
                    "mako::InsomniaImporter", "API key in a cookie left out")});
        else if (key.compare(u"X-API-Key"_s, Qt::CaseInsensitive) == 0)
            request.authType = AuthType::apiKey, request.authToken = row.value;
        else
            request.headers.append(row);
    } else if (type == u"iam"_s) {
        request.authType = AuthType::awsSigV4;
        request.authToken = field("accessKeyId") + u':' + field("secretAccessKey");
        request.awsRegion = field("region");
        request.awsService = field("service");
        request.awsSessionToken = field("sessionToken");
    } else if (type == u"oauth2"_s) {
        const auto grant = grantFromTypeName(field("grantType"));
        if (!grant) {
            dropped.append(Dropped {LeftOutKind::authorisation,
                QCoreApplication::translate(
                    "mako::InsomniaImporter", "OAuth 2.0 grant \"%1\" left out")
                    .arg(field("grantType"))});
            return;
        }
        // The client secret and the password belong in the secret service, never in a data
        // file, so they do not come along.
        request.authType = AuthType::oauth2;
        request.oauth2 = OAuth2Settings {.grant = *grant,
            .authUrl = field("authorizationUrl"),
            .tokenUrl = field("accessTokenUrl"),
            .clientId = field("clientId"),
            .scope = field("scope"),
            .audience = field("audience"),
            .clientAuth = auth[u"credentialsInBody"_s].toBool() ? OAuth2ClientAuth::body
                                                                : OAuth2ClientAuth::basicHeader,
            .username = field("username")};
        if (!field("clientSecret").isEmpty() || !field("password").isEmpty())
            dropped.append(Dropped {LeftOutKind::authorisation,
                QCoreApplication::translate("mako::InsomniaImporter",
                    "OAuth 2.0 client secret and password left out, to be entered again")});
    } else {
        dropped.append(Dropped {LeftOutKind::authorisation,
            QCoreApplication::translate("mako::InsomniaImporter", "%1 authorisation left out")
                .arg(type)});
    }
}

bool hasTemplateTag(const APIRequest& request)
{
    const auto tagged = [](const QString& text) { return text.contains(u"{%"_s); };
    return tagged(request.url) || tagged(request.body)
        || std::ranges::any_of(
            request.headers, [&](const KeyValuePair& row) { return tagged(row.value); })
        || std::ranges::any_of(
            request.queryParams, [&](const KeyValuePair& row) { return tagged(row.value); });
}

std::optional<APIRequest> mapRequest(const QJsonObject& resource, QList<Dropped>& dropped)
{
    const QString kind = resource[u"_type"_s].toString();
    const QString name = resource[u"name"_s].toString().trimmed();
    APIRequest request {.name = name.isEmpty() ? u"Untitled Request"_s : name,
        .url = rewritten(resource[u"url"_s].toString()),
        .headers = rows(resource[u"headers"_s]),
        .queryParams = {}};
    QList<KeyValuePair> query = rows(resource[u"parameters"_s]);
    if (kind == u"websocket_request"_s) {
        request.requestProtocol = RequestProtocol::websocket;
        request.queryParams = query;
        return request;
    }
    const QString method = resource[u"method"_s].toString();
    if (!method.isEmpty() && !setMethodName(request, method)) {
        dropped.append(Dropped {LeftOutKind::unsupportedMethod,
            QCoreApplication::translate(
                "mako::InsomniaImporter", "skipped, the method %1 cannot be sent")
                .arg(method)});
        return std::nullopt;
    }
    applyBody(request, resource[u"body"_s].toObject(), dropped);
    applyAuth(request, resource[u"authentication"_s].toObject(), query, dropped);
    // A form-data body keeps its fields in the rows, so the query goes into the URL: the
    // enabled parameters are written there, the disabled ones cannot come along.
    if (request.bodyType == RequestBodyType::formData) {
        const EncodedPairs items = encodedPairs(query);
        for (const QString& key : items.leftOut)
            dropped.append(Dropped {LeftOutKind::disabledRow,
                QCoreApplication::translate(
                    "mako::InsomniaImporter", "disabled query parameter \"%1\" left out")
                    .arg(key)});
        if (!items.text.isEmpty())
            request.url += (request.url.contains(u'?') ? u'&' : u'?') + items.text;
    } else {
        request.queryParams = query;
    }
    if (hasTemplateTag(request))
        dropped.append(Dropped {LeftOutKind::otherPart,
            QCoreApplication::translate("mako::InsomniaImporter", "template tag kept as written")});
    return request;
}

} // namespace

bool isExport(const QJsonObject& root)
{
    return (root[u"_type"_s].toString() == u"export"_s && root.contains(u"__export_format"_s))
        || root[u"type"_s].toString().startsWith(kV5Type);
}

Result<Import> importExport(const QJsonObject& root)
{
    if (!isExport(root))
        return Error {QCoreApplication::translate("mako::InsomniaImporter",
            "The file is not an Insomnia export (\"_type\": \"export\" or "
            "\"type\": \"collection.insomnia.rest/5.0\" is missing).")};
    const bool v5 = root[u"type"_s].toString().startsWith(kV5Type);
    if (!v5 && root[u"__export_format"_s].toInt() != 4)
        return Error {QCoreApplication::translate(
            "mako::InsomniaImporter", "Insomnia export format %1 is not supported (4 and 5 are).")
                          .arg(text(root[u"__export_format"_s]))};
    const QJsonArray resources = v5 ? v5Resources(root) : root[u"resources"_s].toArray();

    Import result;
    Collection& collection = result.collection.collection;
    QHash<QString, QJsonObject> byId;
    QString workspaceId;
    for (const QJsonValue& value : resources) {
        const QJsonObject resource = value.toObject();
        byId.insert(resource[u"_id"_s].toString(), resource);
        if (workspaceId.isEmpty() && resource[u"_type"_s].toString() == u"workspace"_s) {
            workspaceId = resource[u"_id"_s].toString();
            collection.name = resource[u"name"_s].toString().trimmed();
        }
    }
    if (collection.name.isEmpty())
        collection.name = QCoreApplication::translate("mako::InsomniaImporter", "Insomnia Import");

    // A group's path runs up its parents; a loop of parents ends where it comes back.
    const auto pathOf = [&](const QString& groupId) {
        QStringList names;
        QStringList seen;
        for (QString id = groupId;
             byId.value(id)[u"_type"_s].toString() == u"request_group"_s && !seen.contains(id);
             id = byId.value(id)[u"parentId"_s].toString()) {
            seen.append(id);
            names.prepend(byId.value(id)[u"name"_s].toString());
        }
        return names.join(u" / "_s);
    };
    QHash<QString, qsizetype> folderOf;
    for (const QJsonValue& value : resources) {
        const QJsonObject resource = value.toObject();
        const QString kind = resource[u"_type"_s].toString();
        if (kind == u"request_group"_s) {
            folderOf.insert(resource[u"_id"_s].toString(), collection.folders.size());
            collection.folders.append(
                CollectionFolder {.name = pathOf(resource[u"_id"_s].toString())});
        }
    }
    const auto warn = [&](const QString& subject, const QList<Dropped>& dropped) {
        for (const Dropped& line : dropped) {
            result.collection.warnings.append(subject + u": "_s + line.text);
            result.collection.warningKinds.append(line.kind);
        }
    };
    for (const QJsonValue& value : resources) {
        const QJsonObject resource = value.toObject();
        const QString kind = resource[u"_type"_s].toString();
        const QString parent = resource[u"parentId"_s].toString();
        const QString folderPath = pathOf(parent);
        const QString name = resource[u"name"_s].toString();
        const QString subject = folderPath.isEmpty() ? name : folderPath + u" / "_s + name;
        if (kind == u"grpc_request"_s) {
            warn(subject,
                {Dropped {LeftOutKind::unsupportedMethod,
                    QCoreApplication::translate(
                        "mako::InsomniaImporter", "skipped, gRPC requests cannot be sent")}});
            continue;
        }
        if (kind != u"request"_s && kind != u"websocket_request"_s)
            continue;
        QList<Dropped> dropped;
        const auto request = mapRequest(resource, dropped);
        warn(subject, dropped);
        if (!request)
            continue;
        collection.requests.append(*request);
        if (folderOf.contains(parent))
            collection.folders[folderOf.value(parent)].requestIDs.append(request->id);
    }

    // The base environment is the one whose parent is the workspace; its sub-environments
    // take its variables under their own.
    for (const QJsonValue& value : resources) {
        const QJsonObject base = value.toObject();
        if (base[u"_type"_s].toString() != u"environment"_s
            || byId.value(base[u"parentId"_s].toString())[u"_type"_s].toString() != u"workspace"_s)
            continue;
        APIEnvironment baseEnvironment {.name = collection.name, .variables = {}};
        flatten(base[u"data"_s].toObject(), {}, baseEnvironment.variables);
        result.environments.append(baseEnvironment);
        for (const QJsonValue& subValue : resources) {
            const QJsonObject sub = subValue.toObject();
            if (sub[u"_type"_s].toString() != u"environment"_s
                || sub[u"parentId"_s].toString() != base[u"_id"_s].toString())
                continue;
            APIEnvironment environment {
                .name = collection.name + u" / "_s + sub[u"name"_s].toString(), .variables = {}};
            QList<KeyValuePair> own;
            flatten(sub[u"data"_s].toObject(), {}, own);
            for (const KeyValuePair& row : baseEnvironment.variables) {
                if (!findRow(own, row.key))
                    environment.variables.append(row);
            }
            environment.variables += own;
            result.environments.append(environment);
        }
    }
    return result;
}

Result<Import> importExport(const QByteArray& bytes)
{
    const auto parsed = parseJsonOrYaml(bytes);
    if (!parsed)
        return parsed.error();
    return importExport(parsed->toObject());
}

} // namespace mako::InsomniaImporter
