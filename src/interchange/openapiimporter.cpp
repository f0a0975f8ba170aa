#include "interchange/openapiimporter.h"

#include "interchange/interchangeutil.h"
#include "interchange/structureddocument.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace mako::OpenAPIImporter {

namespace {

using PostmanImporter::CollectionImport;
using PostmanImporter::LeftOutKind;

struct Dropped {
    LeftOutKind kind;
    QString text;
};

// A "$ref" chain longer than this is taken for a loop of references.
constexpr int kMaxRefHops = 32;
// A schema is sampled this deep at most, and to this many values: schemas that each name
// several others grow a sample as a power of their number, cycle or not. Past either, a branch
// is cut as a cycle is.
constexpr int kMaxSchemaDepth = 24;
constexpr int kMaxSampleValues = 10'000;

// Where a sample is: the references it is inside, and how many values it has made.
struct Walk {
    QStringList inside;
    int values = 0;
};

class Document {
public:
    explicit Document(const QJsonObject& root)
        : m_root(root)
        , m_swagger(root.contains(u"swagger"_s))
    { }

    bool isSwagger() const { return m_swagger; }
    const QJsonObject& root() const { return m_root; }

    // The value a local reference ("#/components/schemas/Pet") points at; nothing for one
    // that leaves the document or leads nowhere.
    QJsonValue pointee(const QString& reference) const
    {
        if (!reference.startsWith(u"#/"_s))
            return {};
        QJsonValue value = m_root;
        for (QString token : reference.mid(2).split(u'/')) {
            token.replace(u"~1"_s, u"/"_s).replace(u"~0"_s, u"~"_s);
            if (value.isObject())
                value = value.toObject().value(token);
            else if (value.isArray())
                value = value.toArray().at(token.toInt());
            else
                return {};
        }
        return value;
    }

    // An object with its "$ref"s followed; an unresolvable one comes back empty.
    QJsonObject resolved(const QJsonValue& value) const
    {
        QJsonObject object = value.toObject();
        for (int hop = 0; object.contains(u"$ref"_s); ++hop) {
            if (hop == kMaxRefHops)
                return {};
            object = pointee(object[u"$ref"_s].toString()).toObject();
        }
        return object;
    }

private:
    QJsonObject m_root;
    bool m_swagger;
};

// "{id}" in a path or server URL becomes Mako's "{{id}}".
QString withVariables(const QString& text)
{
    static const QRegularExpression parameter(u"\\{([^{}/]+)\\}"_s);
    QString result = text;
    return result.replace(parameter, u"{{\\1}}"_s);
}

// Sample data for a schema. A branch that comes back to a schema it is already inside, or that
// goes too deep or too far, is cut: nothing comes back, and the object leaves the property out (an
// array stays empty).
std::optional<QJsonValue> sample(
    const Document& document, const QJsonValue& schemaValue, Walk& walk, int depth)
{
    if (depth > kMaxSchemaDepth || ++walk.values > kMaxSampleValues)
        return std::nullopt;
    QStringList& inside = walk.inside;
    const QJsonObject schema = schemaValue.toObject();
    const QString reference = schema[u"$ref"_s].toString();
    if (!reference.isEmpty()) {
        if (inside.contains(reference) || inside.size() > kMaxRefHops)
            return std::nullopt;
        inside.append(reference);
        const auto result = sample(document, document.pointee(reference), walk, depth + 1);
        inside.removeLast();
        return result;
    }
    for (const QString& given : {u"example"_s, u"default"_s, u"const"_s}) {
        if (schema.contains(given))
            return schema[given];
    }
    if (schema[u"examples"_s].isArray() && !schema[u"examples"_s].toArray().isEmpty())
        return schema[u"examples"_s].toArray().first();
    if (schema[u"enum"_s].isArray() && !schema[u"enum"_s].toArray().isEmpty())
        return schema[u"enum"_s].toArray().first();
    if (schema[u"allOf"_s].isArray()) {
        QJsonObject merged;
        for (const QJsonValue& part : schema[u"allOf"_s].toArray()) {
            const auto value = sample(document, part, walk, depth + 1);
            if (value && value->isObject()) {
                const QJsonObject object = value->toObject();
                for (auto entry = object.begin(); entry != object.end(); ++entry)
                    merged.insert(entry.key(), entry.value());
            }
        }
        return merged;
    }
    for (const QString& choice : {u"oneOf"_s, u"anyOf"_s}) {
        if (schema[choice].isArray() && !schema[choice].toArray().isEmpty())
            return sample(document, schema[choice].toArray().first(), walk, depth + 1);
    }
    // 3.1 writes a nullable type as a list: the first type that is not "null" is sampled.
    QString type = schema[u"type"_s].toString();
    for (const QJsonValue& entry : schema[u"type"_s].toArray()) {
        if (entry.toString() != u"null"_s) {
            type = entry.toString();
            break;
        }
    }
    if (type == u"object"_s || (type.isEmpty() && schema.contains(u"properties"_s))) {
        QJsonObject object;
        const QJsonObject properties = schema[u"properties"_s].toObject();
        for (auto property = properties.begin(); property != properties.end(); ++property) {
            // A request does not send what only the server fills in.
            if (document.resolved(property.value())[u"readOnly"_s].toBool())
                continue;
            if (const auto value = sample(document, property.value(), walk, depth + 1))
                object.insert(property.key(), *value);
        }
        return object;
    }
    if (type == u"array"_s) {
        QJsonArray array;
        if (const auto item = sample(document, schema[u"items"_s], walk, depth + 1))
            array.append(*item);
        return array;
    }
    if (type == u"integer"_s || type == u"number"_s)
        return 0;
    if (type == u"boolean"_s)
        return false;
    if (type == u"string"_s) {
        const QString format = schema[u"format"_s].toString();
        if (format == u"date-time"_s)
            return u"1970-01-01T00:00:00Z"_s;
        if (format == u"date"_s)
            return u"1970-01-01"_s;
        if (format == u"uuid"_s)
            return u"00000000-0000-0000-0000-000000000000"_s;
        if (format == u"email"_s)
            return u"user@example.com"_s;
        return u"string"_s;
    }
    return QJsonValue::Null;
}

QString asText(const QJsonValue& value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble() || value.isBool())
        return value.toVariant().toString();
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    return {};
}

// The value a parameter's row starts with: its example, else its schema's example or default.
QString parameterValue(const Document& document, const QJsonObject& parameter)
{
    if (parameter.contains(u"example"_s))
        return asText(parameter[u"example"_s]);
    const QJsonObject examples = parameter[u"examples"_s].toObject();
    if (!examples.isEmpty())
        return asText(document.resolved(examples.begin().value())[u"value"_s]);
    // Swagger 2.0 puts the type on the parameter itself.
    const QJsonObject schema
        = parameter.contains(u"schema"_s) ? document.resolved(parameter[u"schema"_s]) : parameter;
    for (const QString& given : {u"example"_s, u"default"_s}) {
        if (schema.contains(given))
            return asText(schema[given]);
    }
    return {};
}

QString prettyJson(const QJsonValue& value)
{
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson()).trimmed();
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson()).trimmed();
    return asText(value);
}

struct Operation {
    QString method;
    QString path;
    QJsonObject pathItem;
    QJsonObject operation;
};

class Importer {
public:
    explicit Importer(const QJsonObject& root)
        : m_document(root)
    { }

    CollectionImport run();

private:
    void readServers(CollectionImport& result, QList<Dropped>& dropped);
    APIRequest request(const Operation& operation, QList<Dropped>& dropped);
    QList<QJsonObject> parameters(const Operation& operation) const;
    void applyParameters(APIRequest& request, const QList<QJsonObject>& parameters,
        QList<KeyValuePair>& query, QList<Dropped>& dropped);
    void applyRequestBody(APIRequest& request, const QJsonObject& body, QList<Dropped>& dropped);
    void applySwaggerBody(APIRequest& request, const Operation& operation,
        const QList<QJsonObject>& parameters, QList<Dropped>& dropped);
    void applyFormFields(APIRequest& request, bool multipart, const QJsonObject& schema,
        const QList<QJsonObject>& swaggerFields, QList<Dropped>& dropped);
    void applyJsonBody(APIRequest& request, const QJsonObject& media);
    struct Auth {
        AuthType type = AuthType::none;
        OAuth2Settings oauth2;
        std::optional<KeyValuePair> header;
        std::optional<KeyValuePair> query;
        QString lost;
    };
    Auth auth(const QJsonValue& requirements) const;
    QString schemeLost(const QString& name, const QString& kind) const;

    Document m_document;
    // The collection's auth, which requests without security of their own inherit.
    std::optional<Auth> m_collectionAuth;
};

QList<QJsonObject> Importer::parameters(const Operation& operation) const
{
    // An operation's parameter replaces its path's of the same name and place.
    QList<QJsonObject> result;
    for (const QJsonValue& value : operation.pathItem[u"parameters"_s].toArray())
        result.append(m_document.resolved(value));
    for (const QJsonValue& value : operation.operation[u"parameters"_s].toArray()) {
        const QJsonObject parameter = m_document.resolved(value);
        result.removeIf([&](const QJsonObject& other) {
            return other[u"name"_s] == parameter[u"name"_s] && other[u"in"_s] == parameter[u"in"_s];
        });
        result.append(parameter);
    }
    return result;
}

void Importer::applyParameters(APIRequest& request, const QList<QJsonObject>& parameters,
    QList<KeyValuePair>& query, QList<Dropped>& dropped)
{
    for (const QJsonObject& parameter : parameters) {
        const QString place = parameter[u"in"_s].toString();
        const KeyValuePair row {.key = parameter[u"name"_s].toString(),
            .value = parameterValue(m_document, parameter),
            .isEnabled = parameter[u"required"_s].toBool()};
        if (place == u"query"_s)
            query.append(row);
        else if (place == u"header"_s)
            request.headers.append(row);
        else if (place == u"cookie"_s)
            dropped.append(Dropped {LeftOutKind::otherPart,
                QCoreApplication::translate(
                    "mako::OpenAPIImporter", "cookie parameter \"%1\" left out")
                    .arg(row.key)});
    }
}

void Importer::applyJsonBody(APIRequest& request, const QJsonObject& media)
{
    request.bodyType = RequestBodyType::json;
    // Undefined until one is found: an example may well be null.
    QJsonValue example(QJsonValue::Undefined);
    const QJsonObject examples = media[u"examples"_s].toObject();
    if (media.contains(u"example"_s))
        example = media[u"example"_s];
    else if (!examples.isEmpty())
        example = m_document.resolved(examples.begin().value())[u"value"_s];
    if (example.isUndefined()) {
        Walk walk;
        example = sample(m_document, media[u"schema"_s], walk, 0).value_or(QJsonObject {});
    }
    // An example written as JSON text is kept as written.
    request.body = example.isString() ? example.toString() : prettyJson(example);
}

void Importer::applyFormFields(APIRequest& request, bool multipart, const QJsonObject& schema,
    const QList<QJsonObject>& swaggerFields, QList<Dropped>& dropped)
{
    struct Field {
        QString name;
        QString value;
        bool required;
        bool file;
    };
    QList<Field> fields;
    const QJsonArray required = schema[u"required"_s].toArray();
    const QJsonObject properties = schema[u"properties"_s].toObject();
    for (auto property = properties.begin(); property != properties.end(); ++property) {
        // A field starts with its example or default only; a made-up "string" would be sent.
        const QJsonObject field = m_document.resolved(property.value());
        const bool file = field[u"format"_s].toString() == u"binary"_s
            || field[u"contentMediaType"_s].toString() == u"application/octet-stream"_s;
        fields.append(Field {property.key(), file ? QString() : parameterValue(m_document, field),
            required.contains(property.key()), file});
    }
    for (const QJsonObject& parameter : swaggerFields)
        fields.append(Field {parameter[u"name"_s].toString(), parameterValue(m_document, parameter),
            parameter[u"required"_s].toBool(), parameter[u"type"_s].toString() == u"file"_s});
    if (!multipart) {
        // A form-data body goes out as multipart; a URL-encoded one is written out as its text
        // (required fields only), with its type, so the server gets what it reads.
        QList<KeyValuePair> rows;
        for (const Field& field : fields)
            rows.append({.key = field.name, .value = field.value, .isEnabled = field.required});
        const EncodedPairs form = encodedPairs(rows);
        for (const QString& key : form.leftOut)
            dropped.append(Dropped {LeftOutKind::disabledRow,
                QCoreApplication::translate(
                    "mako::OpenAPIImporter", "optional form field \"%1\" left out")
                    .arg(key)});
        setURLEncodedBody(request, form.text);
        return;
    }
    request.bodyType = RequestBodyType::formData;
    for (const Field& field : fields) {
        request.queryParams.append(KeyValuePair {
            .key = field.name, .value = field.value, .isEnabled = field.required && !field.file});
        if (field.file)
            dropped.append(Dropped {LeftOutKind::file,
                QCoreApplication::translate(
                    "mako::OpenAPIImporter", "file field \"%1\" left without a file")
                    .arg(field.name)});
    }
}

bool isJsonType(const QString& type)
{
    const QString essence = type.section(u';', 0, 0).trimmed().toLower();
    return essence == u"application/json"_s || essence.endsWith(u"+json"_s) || essence == u"*/*"_s;
}

void Importer::applyRequestBody(
    APIRequest& request, const QJsonObject& body, QList<Dropped>& dropped)
{
    const QJsonObject content = body[u"content"_s].toObject();
    if (content.isEmpty())
        return;
    for (auto media = content.begin(); media != content.end(); ++media) {
        if (isJsonType(media.key())) {
            applyJsonBody(request, media.value().toObject());
            return;
        }
    }
    for (const QString& form : {u"multipart/form-data"_s, u"application/x-www-form-urlencoded"_s}) {
        if (content.contains(form)) {
            applyFormFields(request, form.startsWith(u"multipart"_s),
                m_document.resolved(content[form].toObject()[u"schema"_s]), {}, dropped);
            return;
        }
    }
    // Text of another type goes as it is, with its type.
    const auto first = content.begin();
    const QJsonObject media = first.value().toObject();
    request.bodyType = RequestBodyType::raw;
    request.body = asText(media[u"example"_s]);
    request.headers.append(KeyValuePair {.key = u"Content-Type"_s, .value = first.key()});
}

void Importer::applySwaggerBody(APIRequest& request, const Operation& operation,
    const QList<QJsonObject>& parameters, QList<Dropped>& dropped)
{
    const QJsonArray consumes = operation.operation.contains(u"consumes"_s)
        ? operation.operation[u"consumes"_s].toArray()
        : m_document.root()[u"consumes"_s].toArray();
    QList<QJsonObject> formFields;
    for (const QJsonObject& parameter : parameters) {
        if (parameter[u"in"_s].toString() == u"body"_s) {
            QJsonObject media {{u"schema"_s, parameter[u"schema"_s]}};
            if (parameter.contains(u"x-example"_s))
                media.insert(u"example"_s, parameter[u"x-example"_s]);
            applyJsonBody(request, media);
            return;
        }
        if (parameter[u"in"_s].toString() == u"formData"_s)
            formFields.append(parameter);
    }
    if (!formFields.isEmpty())
        applyFormFields(
            request, consumes.contains(u"multipart/form-data"_s), {}, formFields, dropped);
}

QString Importer::schemeLost(const QString& name, const QString& kind) const
{
    return QCoreApplication::translate(
        "mako::OpenAPIImporter", "security scheme \"%1\" (%2) left out")
        .arg(name, kind);
}

Importer::Auth Importer::auth(const QJsonValue& requirements) const
{
    // The first requirement is taken; an empty one ({}) makes security optional, so none.
    const QJsonObject requirement = requirements.toArray().at(0).toObject();
    if (requirement.isEmpty())
        return {};
    const QString name = requirement.begin().key();
    const QJsonObject schemes = m_document.isSwagger()
        ? m_document.root()[u"securityDefinitions"_s].toObject()
        : m_document.root()[u"components"_s][u"securitySchemes"_s].toObject();
    const QJsonObject scheme = m_document.resolved(schemes[name]);
    const QString type = scheme[u"type"_s].toString();
    Auth result;
    if (type == u"http"_s || type == u"basic"_s) {
        const QString kind = type == u"basic"_s ? type : scheme[u"scheme"_s].toString().toLower();
        if (kind == u"bearer"_s)
            result.type = AuthType::bearer;
        else if (kind == u"basic"_s)
            result.type = AuthType::basic;
        else if (kind == u"digest"_s)
            result.type = AuthType::digest;
        else
            result.lost = schemeLost(name, u"HTTP "_s + kind);
    } else if (type == u"apiKey"_s) {
        const QString place = scheme[u"in"_s].toString();
        const QString key = scheme[u"name"_s].toString();
        // Sending puts Mako's API key in "X-API-Key"; a key of another name is a row.
        if (place == u"header"_s && key.compare(u"X-API-Key"_s, Qt::CaseInsensitive) == 0)
            result.type = AuthType::apiKey;
        else if (place == u"header"_s)
            result.header = KeyValuePair {.key = key, .value = {}};
        else if (place == u"query"_s)
            result.query = KeyValuePair {.key = key, .value = {}};
        else
            result.lost = schemeLost(
                name, QCoreApplication::translate("mako::OpenAPIImporter", "API key in a cookie"));
    } else if (type == u"oauth2"_s) {
        // Each flow of 3.x is an object under "flows"; 2.0 has one flow with its own names.
        QJsonObject flows = scheme[u"flows"_s].toObject();
        if (m_document.isSwagger()) {
            static const QHash<QString, QString> names {{u"accessCode"_s, u"authorizationCode"_s},
                {u"application"_s, u"clientCredentials"_s}, {u"password"_s, u"password"_s},
                {u"implicit"_s, u"implicit"_s}};
            flows = {{names.value(scheme[u"flow"_s].toString()),
                QJsonObject {{u"authorizationUrl"_s, scheme[u"authorizationUrl"_s]},
                    {u"tokenUrl"_s, scheme[u"tokenUrl"_s]}, {u"scopes"_s, scheme[u"scopes"_s]}}}};
        }
        const std::pair<QString, OAuth2Grant> grants[] {
            {u"authorizationCode"_s, OAuth2Grant::authorizationCode},
            {u"clientCredentials"_s, OAuth2Grant::clientCredentials},
            {u"password"_s, OAuth2Grant::password}};
        for (const auto& [flowName, grant] : grants) {
            if (!flows.contains(flowName))
                continue;
            const QJsonObject flow = flows[flowName].toObject();
            result.type = AuthType::oauth2;
            result.oauth2.grant = grant;
            result.oauth2.authUrl = flow[u"authorizationUrl"_s].toString();
            result.oauth2.tokenUrl = flow[u"tokenUrl"_s].toString();
            // The scopes the operation asks for, else every scope the flow offers.
            QStringList scopes;
            for (const QJsonValue& scope : requirement[name].toArray())
                scopes.append(scope.toString());
            if (scopes.isEmpty())
                scopes = flow[u"scopes"_s].toObject().keys();
            result.oauth2.scope = scopes.join(u' ');
            break;
        }
        if (result.type != AuthType::oauth2)
            result.lost = schemeLost(name,
                QCoreApplication::translate("mako::OpenAPIImporter", "OAuth 2.0 implicit flow"));
    } else {
        result.lost = schemeLost(name,
            type.isEmpty() ? QCoreApplication::translate("mako::OpenAPIImporter", "undefined")
                           : type);
    }
    return result;
}

APIRequest Importer::request(const Operation& operation, QList<Dropped>& dropped)
{
    const QString summary = operation.operation[u"summary"_s].toString().trimmed();
    APIRequest request {
        .name = summary.isEmpty() ? operation.method + u' ' + operation.path : summary,
        .url = u"{{baseUrl}}"_s + withVariables(operation.path),
        .headers = {},
        .queryParams = {}};
    setMethodName(request, operation.method);
    const QList<QJsonObject> parameters = this->parameters(operation);
    QList<KeyValuePair> query;
    applyParameters(request, parameters, query, dropped);
    if (m_document.isSwagger())
        applySwaggerBody(request, operation, parameters, dropped);
    else
        applyRequestBody(
            request, m_document.resolved(operation.operation[u"requestBody"_s]), dropped);

    const bool ownSecurity = operation.operation.contains(u"security"_s);
    if (!ownSecurity && m_collectionAuth && m_collectionAuth->lost.isEmpty()) {
        if (m_collectionAuth->type != AuthType::none)
            request.authType = AuthType::inherit;
        if (m_collectionAuth->header)
            request.headers.append(*m_collectionAuth->header);
        if (m_collectionAuth->query)
            query.append(*m_collectionAuth->query);
    } else if (ownSecurity) {
        const Auth own = auth(operation.operation[u"security"_s]);
        request.authType = own.type;
        request.oauth2 = own.oauth2;
        if (own.header)
            request.headers.append(*own.header);
        if (own.query)
            query.append(*own.query);
        if (!own.lost.isEmpty())
            dropped.append(Dropped {LeftOutKind::authorisation, own.lost});
    }

    // A form-data body keeps its fields in the rows, so the query goes into the URL: what is
    // required is written there, what is optional cannot come along.
    if (request.bodyType == RequestBodyType::formData) {
        const EncodedPairs items = encodedPairs(query);
        for (const QString& key : items.leftOut)
            dropped.append(Dropped {LeftOutKind::disabledRow,
                QCoreApplication::translate(
                    "mako::OpenAPIImporter", "optional query parameter \"%1\" left out")
                    .arg(key)});
        if (!items.text.isEmpty())
            request.url += u'?' + items.text;
    } else {
        request.queryParams = query;
    }
    if (operation.operation.contains(u"callbacks"_s))
        dropped.append(Dropped {LeftOutKind::otherPart,
            QCoreApplication::translate("mako::OpenAPIImporter", "callbacks left out")});
    if (operation.operation.contains(u"servers"_s) || operation.pathItem.contains(u"servers"_s))
        dropped.append(Dropped {LeftOutKind::otherPart,
            QCoreApplication::translate(
                "mako::OpenAPIImporter", "servers of its own left out, it uses {{baseUrl}}")});
    return request;
}

void Importer::readServers(CollectionImport& result, QList<Dropped>& dropped)
{
    const QJsonObject& root = m_document.root();
    APIEnvironment environment {.name = result.collection.name, .variables = {}};
    QString baseUrl;
    if (m_document.isSwagger()) {
        const QJsonArray schemes = root[u"schemes"_s].toArray();
        const QString host = root[u"host"_s].toString();
        const QString scheme = schemes.isEmpty() ? u"https"_s : schemes.first().toString();
        baseUrl = (host.isEmpty() ? QString() : scheme + u"://"_s + host)
            + root[u"basePath"_s].toString();
    } else {
        const QJsonArray servers = root[u"servers"_s].toArray();
        const QJsonObject server = servers.at(0).toObject();
        baseUrl = withVariables(server[u"url"_s].toString());
        const QJsonObject variables = server[u"variables"_s].toObject();
        for (auto variable = variables.begin(); variable != variables.end(); ++variable)
            environment.variables.append(KeyValuePair {
                .key = variable.key(), .value = asText(variable.value().toObject()[u"default"_s])});
        for (qsizetype index = 1; index < servers.size(); ++index)
            dropped.append(Dropped {LeftOutKind::otherPart,
                QCoreApplication::translate(
                    "mako::OpenAPIImporter", "server \"%1\" left out, baseUrl is the first")
                    .arg(servers[index].toObject()[u"url"_s].toString())});
    }
    while (baseUrl.endsWith(u'/'))
        baseUrl.chop(1);
    environment.variables.prepend(KeyValuePair {.key = u"baseUrl"_s, .value = baseUrl});
    result.variables = environment;
}

CollectionImport Importer::run()
{
    const QJsonObject& root = m_document.root();
    const QString title = root[u"info"_s][u"title"_s].toString().trimmed();
    CollectionImport result {
        .collection = Collection {.name = title.isEmpty()
                ? QCoreApplication::translate("mako::OpenAPIImporter", "Imported API")
                : title}};
    QList<Dropped> documentDropped;
    readServers(result, documentDropped);

    if (root.contains(u"security"_s)) {
        m_collectionAuth = auth(root[u"security"_s]);
        result.collection.authType = m_collectionAuth->type;
        result.collection.oauth2 = m_collectionAuth->oauth2;
        if (!m_collectionAuth->lost.isEmpty())
            documentDropped.append(Dropped {LeftOutKind::authorisation, m_collectionAuth->lost});
    }
    if (!root[u"webhooks"_s].toObject().isEmpty())
        documentDropped.append(Dropped {LeftOutKind::otherPart,
            QCoreApplication::translate("mako::OpenAPIImporter", "%1 webhooks left out")
                .arg(root[u"webhooks"_s].toObject().size())});

    // Folders in the order the document lists its tags, then as operations name others.
    QHash<QString, qsizetype> folderOf;
    const auto folder = [&](const QString& tag) {
        if (!folderOf.contains(tag)) {
            folderOf.insert(tag, result.collection.folders.size());
            result.collection.folders.append(CollectionFolder {.name = tag});
        }
        return folderOf.value(tag);
    };
    const QJsonObject paths = root[u"paths"_s].toObject();
    static const QString methods[] {u"get"_s, u"put"_s, u"post"_s, u"delete"_s, u"options"_s,
        u"head"_s, u"patch"_s, u"trace"_s};
    QList<std::pair<QString, APIRequest>> requests;
    for (const QJsonValue& tag : root[u"tags"_s].toArray())
        folder(tag.toObject()[u"name"_s].toString());
    for (auto path = paths.begin(); path != paths.end(); ++path) {
        const QJsonObject pathItem = m_document.resolved(path.value());
        for (const QString& method : methods) {
            if (!pathItem[method].isObject())
                continue;
            const Operation operation {
                method.toUpper(), path.key(), pathItem, pathItem[method].toObject()};
            QList<Dropped> dropped;
            APIRequest request = this->request(operation, dropped);
            const QString tag = operation.operation[u"tags"_s].toArray().at(0).toString();
            QString subject = request.name;
            if (!tag.isEmpty()) {
                result.collection.folders[folder(tag)].requestIDs.append(request.id);
                subject = tag + u" / "_s + request.name;
            }
            for (const Dropped& line : dropped) {
                result.warnings.append(subject + u": "_s + line.text);
                result.warningKinds.append(line.kind);
            }
            result.collection.requests.append(request);
        }
    }
    // A tag the document lists but no operation uses makes no empty folder.
    result.collection.folders.removeIf(
        [](const CollectionFolder& folder) { return folder.requestIDs.isEmpty(); });
    for (qsizetype index = 0; index < documentDropped.size(); ++index) {
        result.warnings.insert(
            index, result.collection.name + u": "_s + documentDropped[index].text);
        result.warningKinds.insert(index, documentDropped[index].kind);
    }
    return result;
}

} // namespace

bool isDocument(const QJsonObject& root)
{
    return root[u"openapi"_s].isString() || root[u"swagger"_s].isString();
}

Result<CollectionImport> importDocument(const QJsonObject& root)
{
    if (!isDocument(root))
        return Error {QCoreApplication::translate("mako::OpenAPIImporter",
            "The file is not an OpenAPI or Swagger document (\"openapi\" or "
            "\"swagger\" is missing).")};
    const QString version = root[u"openapi"_s].isString() ? root[u"openapi"_s].toString()
                                                          : root[u"swagger"_s].toString();
    if (!version.startsWith(u"3."_s) && !version.startsWith(u"2."_s))
        return Error {QCoreApplication::translate(
            "mako::OpenAPIImporter", "OpenAPI %1 is not supported (3.0, 3.1 and Swagger 2.0 are).")
                          .arg(version)};
    return Importer(root).run();
}

Result<CollectionImport> importDocument(const QByteArray& bytes)
{
    const auto parsed = parseJsonOrYaml(bytes);
    if (!parsed)
        return parsed.error();
    return importDocument(parsed->toObject());
}

} // namespace mako::OpenAPIImporter
