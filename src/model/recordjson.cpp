#include "model/recordjson.h"

#include "model/uuidtext.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonParseError>

#include <climits>
#include <cmath>
#include <concepts>
#include <optional>
#include <utility>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

namespace key {
constexpr auto id = "id"_L1;
constexpr auto key = "key"_L1;
constexpr auto value = "value"_L1;
constexpr auto isEnabled = "isEnabled"_L1;
constexpr auto isSecret = "isSecret"_L1;
constexpr auto name = "name"_L1;
constexpr auto url = "url"_L1;
constexpr auto method = "method"_L1;
constexpr auto headers = "headers"_L1;
constexpr auto queryParams = "queryParams"_L1;
constexpr auto bodyType = "bodyType"_L1;
constexpr auto body = "body"_L1;
constexpr auto authType = "authType"_L1;
constexpr auto authToken = "authToken"_L1;
constexpr auto authDomain = "authDomain"_L1;
constexpr auto awsRegion = "awsRegion"_L1;
constexpr auto awsService = "awsService"_L1;
constexpr auto awsSessionToken = "awsSessionToken"_L1;
constexpr auto oauth2 = "oauth2"_L1;
constexpr auto grant = "grant"_L1;
constexpr auto authUrl = "authUrl"_L1;
constexpr auto tokenUrl = "tokenUrl"_L1;
constexpr auto clientId = "clientId"_L1;
constexpr auto scope = "scope"_L1;
constexpr auto audience = "audience"_L1;
constexpr auto extraParams = "extraParams"_L1;
constexpr auto clientAuth = "clientAuth"_L1;
constexpr auto username = "username"_L1;
constexpr auto redirectPort = "redirectPort"_L1;
constexpr auto tags = "tags"_L1;
constexpr auto requestProtocol = "requestProtocol"_L1;
constexpr auto graphqlQuery = "graphqlQuery"_L1;
constexpr auto graphqlVariables = "graphqlVariables"_L1;
constexpr auto graphqlOperationName = "graphqlOperationName"_L1;
constexpr auto wsMessages = "wsMessages"_L1;
constexpr auto createdAt = "createdAt"_L1;
constexpr auto updatedAt = "updatedAt"_L1;
constexpr auto requests = "requests"_L1;
constexpr auto folders = "folders"_L1;
constexpr auto requestIDs = "requestIDs"_L1;
constexpr auto variables = "variables"_L1;
constexpr auto isActive = "isActive"_L1;
constexpr auto request = "request"_L1;
constexpr auto statusCode = "statusCode"_L1;
constexpr auto duration = "duration"_L1;
constexpr auto timestamp = "timestamp"_L1;
constexpr auto preRequestScript = "preRequestScript"_L1;
constexpr auto testScript = "testScript"_L1;
constexpr auto folderPath = "folderPath"_L1;
} // namespace key

// Where a value sits in the document. Built on the stack as the decoder descends and only
// rendered when something fails, so a successful decode pays nothing for it.
struct Path {
    const Path* parent = nullptr;
    QLatin1StringView key;
    qsizetype index = -1;

    Path member(QLatin1StringView name) const { return Path {this, name, -1}; }
    Path element(qsizetype i) const { return Path {this, {}, i}; }

    QString render() const
    {
        QString text = parent ? parent->render() : QString();
        if (index >= 0)
            return text + u'[' + QString::number(index) + u']';
        if (key.isEmpty())
            return text;
        return text.isEmpty() ? QString(key) : text + u'.' + key;
    }
};

QJsonArray toArray(const QStringList& texts)
{
    return QJsonArray::fromStringList(texts);
}

QJsonArray toArray(const QList<QUuid>& ids)
{
    QJsonArray array;
    for (const QUuid& id : ids)
        array.append(uuidToText(id));
    return array;
}

class Decoder {
public:
    Error error() const
    {
        return Error {
            m_error.value_or(QCoreApplication::translate("mako::RecordJson", "invalid value"))};
    }

    bool fail(const Path& path, const QString& what)
    {
        if (!m_error) {
            const QString where = path.render();
            m_error = where.isEmpty() ? what : where + u": "_s + what;
        }
        return false;
    }

    bool object(const QJsonValue& json, const Path& path, QJsonObject& out)
    {
        if (!json.isObject())
            return fail(
                path, QCoreApplication::translate("mako::RecordJson", "expected an object"));
        out = json.toObject();
        return true;
    }

    // Every key is required and may not be null: a file written before a field existed does
    // not decode rather than quietly taking a default.
    bool member(const QJsonObject& o, QLatin1StringView name, const Path& path, QJsonValue& out)
    {
        const auto it = o.constFind(name);
        if (it == o.constEnd())
            return fail(
                path.member(name), QCoreApplication::translate("mako::RecordJson", "missing key"));
        out = it.value();
        if (out.isNull())
            return fail(path.member(name),
                QCoreApplication::translate("mako::RecordJson", "must not be null"));
        return true;
    }

    bool value(const QJsonValue& json, const Path& path, QString& out)
    {
        if (!json.isString())
            return fail(path, QCoreApplication::translate("mako::RecordJson", "expected a string"));
        out = json.toString();
        return true;
    }

    bool value(const QJsonValue& json, const Path& path, bool& out)
    {
        if (!json.isBool())
            return fail(
                path, QCoreApplication::translate("mako::RecordJson", "expected a boolean"));
        out = json.toBool();
        return true;
    }

    bool value(const QJsonValue& json, const Path& path, double& out)
    {
        if (!json.isDouble())
            return fail(path, QCoreApplication::translate("mako::RecordJson", "expected a number"));
        out = json.toDouble();
        return true;
    }

    bool value(const QJsonValue& json, const Path& path, int& out)
    {
        const double d = json.toDouble();
        if (!json.isDouble() || d != std::trunc(d) || d < INT_MIN || d > INT_MAX)
            return fail(
                path, QCoreApplication::translate("mako::RecordJson", "expected an integer"));
        out = static_cast<int>(d);
        return true;
    }

    bool value(const QJsonValue& json, const Path& path, QUuid& out)
    {
        if (!json.isString())
            return fail(
                path, QCoreApplication::translate("mako::RecordJson", "expected a UUID string"));
        const auto uuid = uuidFromText(json.toString());
        if (!uuid)
            return fail(path,
                QCoreApplication::translate("mako::RecordJson", "\"%1\" is not a UUID")
                    .arg(json.toString()));
        out = *uuid;
        return true;
    }

    template <typename E>
    requires std::is_enum_v<E>
    bool value(const QJsonValue& json, const Path& path, E& out)
    {
        if (!json.isString())
            return fail(path, QCoreApplication::translate("mako::RecordJson", "expected a string"));
        const auto parsed = fromRawValue<E>(json.toString());
        if (!parsed) {
            QStringList allowed;
            for (E e : allCases<E>())
                allowed << rawValue(e);
            return fail(path,
                QCoreApplication::translate(
                    "mako::RecordJson", "unknown value \"%1\" (expected one of: %2)")
                    .arg(json.toString(), allowed.join(u", "_s)));
        }
        out = *parsed;
        return true;
    }

    template <typename T> bool value(const QJsonValue& json, const Path& path, QList<T>& out)
    {
        if (!json.isArray())
            return fail(path, QCoreApplication::translate("mako::RecordJson", "expected an array"));
        const QJsonArray array = json.toArray();
        out.clear();
        out.reserve(array.size());
        for (qsizetype i = 0; i < array.size(); ++i) {
            T element;
            if (!value(array.at(i), path.element(i), element))
                return false;
            out.append(std::move(element));
        }
        return true;
    }

    template <typename T>
    bool field(const QJsonObject& o, QLatin1StringView name, const Path& path, T& out)
    {
        QJsonValue json;
        return member(o, name, path, json) && value(json, path.member(name), out);
    }

    // A later addition that files written before it lack: absent keeps the default, but a
    // value that is there must still be of its type.
    template <typename T>
    bool optionalField(const QJsonObject& o, QLatin1StringView name, const Path& path, T& out)
    {
        const auto it = o.constFind(name);
        return it == o.constEnd() || value(it.value(), path.member(name), out);
    }

    // The seven keep their stored spelling; any other method is stored as its own name.
    bool method(const QJsonObject& o, const Path& path, APIRequest& out)
    {
        QString name;
        if (!field(o, key::method, path, name))
            return false;
        if (!setMethodName(out, name))
            return fail(path.member(key::method),
                QCoreApplication::translate("mako::RecordJson", "\"%1\" is not a method name")
                    .arg(name));
        return true;
    }

    template <typename T> bool scripts(const QJsonObject& o, const Path& path, T& out)
    {
        return optionalField(o, key::preRequestScript, path, out.preRequestScript)
            && optionalField(o, key::testScript, path, out.testScript);
    }

    bool value(const QJsonValue& json, const Path& path, OAuth2Settings& out)
    {
        QJsonObject o;
        QString grant = grantTypeName(out.grant);
        QString clientAuth = clientAuthName(out.clientAuth);
        if (!object(json, path, o) || !optionalField(o, key::grant, path, grant)
            || !optionalField(o, key::clientAuth, path, clientAuth))
            return false;
        if (const auto known = grantFromTypeName(grant))
            out.grant = *known;
        else
            return fail(path.member(key::grant),
                QCoreApplication::translate("mako::RecordJson", "\"%1\" is not an OAuth 2.0 grant")
                    .arg(grant));
        out.clientAuth = clientAuth == clientAuthName(OAuth2ClientAuth::body)
            ? OAuth2ClientAuth::body
            : OAuth2ClientAuth::basicHeader;
        return optionalField(o, key::authUrl, path, out.authUrl)
            && optionalField(o, key::tokenUrl, path, out.tokenUrl)
            && optionalField(o, key::clientId, path, out.clientId)
            && optionalField(o, key::scope, path, out.scope)
            && optionalField(o, key::audience, path, out.audience)
            && optionalField(o, key::extraParams, path, out.extraParams)
            && optionalField(o, key::username, path, out.username)
            && optionalField(o, key::redirectPort, path, out.redirectPort);
    }

    // The auth fields that came after the first four kinds; a request and a collection share
    // them.
    template <typename T> bool authExtras(const QJsonObject& o, const Path& path, T& out)
    {
        return optionalField(o, key::authDomain, path, out.authDomain)
            && optionalField(o, key::awsRegion, path, out.awsRegion)
            && optionalField(o, key::awsService, path, out.awsService)
            && optionalField(o, key::awsSessionToken, path, out.awsSessionToken)
            && optionalField(o, key::oauth2, path, out.oauth2);
    }

    bool value(const QJsonValue& json, const Path& path, KeyValuePair& out)
    {
        QJsonObject o;
        return object(json, path, o) && field(o, key::id, path, out.id)
            && field(o, key::key, path, out.key) && field(o, key::value, path, out.value)
            && field(o, key::isEnabled, path, out.isEnabled)
            && optionalField(o, key::isSecret, path, out.isSecret);
    }

    bool value(const QJsonValue& json, const Path& path, APIRequest& out)
    {
        QJsonObject o;
        return object(json, path, o) && field(o, key::id, path, out.id)
            && field(o, key::name, path, out.name) && field(o, key::url, path, out.url)
            && method(o, path, out) && field(o, key::headers, path, out.headers)
            && field(o, key::queryParams, path, out.queryParams)
            && field(o, key::bodyType, path, out.bodyType) && field(o, key::body, path, out.body)
            && field(o, key::authType, path, out.authType)
            && field(o, key::authToken, path, out.authToken) && field(o, key::tags, path, out.tags)
            && field(o, key::requestProtocol, path, out.requestProtocol)
            && field(o, key::graphqlQuery, path, out.graphqlQuery)
            && field(o, key::graphqlVariables, path, out.graphqlVariables)
            && field(o, key::graphqlOperationName, path, out.graphqlOperationName)
            && field(o, key::wsMessages, path, out.wsMessages)
            && field(o, key::createdAt, path, out.createdAt)
            && field(o, key::updatedAt, path, out.updatedAt) && scripts(o, path, out)
            && authExtras(o, path, out);
    }

    bool value(const QJsonValue& json, const Path& path, CollectionFolder& out)
    {
        QJsonObject o;
        return object(json, path, o) && field(o, key::id, path, out.id)
            && field(o, key::name, path, out.name)
            && field(o, key::requestIDs, path, out.requestIDs) && scripts(o, path, out);
    }

    bool value(const QJsonValue& json, const Path& path, Collection& out)
    {
        QJsonObject o;
        if (!object(json, path, o))
            return false;
        if (o.contains(key::folderPath))
            return folderReference(o, path, out);
        return field(o, key::id, path, out.id) && field(o, key::name, path, out.name)
            && field(o, key::requests, path, out.requests)
            && field(o, key::folders, path, out.folders)
            && field(o, key::createdAt, path, out.createdAt)
            && optionalField(o, key::variables, path, out.variables) && scripts(o, path, out)
            && optionalField(o, key::authType, path, out.authType)
            && optionalField(o, key::authToken, path, out.authToken) && authExtras(o, path, out);
    }

    // A collection kept in a folder of its own is only named here; the folder holds the rest.
    // A reference written by hand may leave out the id (it is then the same at every read,
    // made from the path) and the name (the folder's collection.json gives it).
    bool folderReference(const QJsonObject& o, const Path& path, Collection& out)
    {
        if (!field(o, key::folderPath, path, out.folderPath))
            return false;
        if (out.folderPath.isEmpty())
            return fail(path.member(key::folderPath),
                QCoreApplication::translate("mako::RecordJson", "expected a folder"));
        out.id = QUuid::createUuidV5(QUuid(), out.folderPath);
        return optionalField(o, key::id, path, out.id)
            && optionalField(o, key::name, path, out.name);
    }

    bool value(const QJsonValue& json, const Path& path, APIEnvironment& out)
    {
        QJsonObject o;
        return object(json, path, o) && field(o, key::id, path, out.id)
            && field(o, key::name, path, out.name) && field(o, key::variables, path, out.variables)
            && field(o, key::isActive, path, out.isActive);
    }

    bool value(const QJsonValue& json, const Path& path, HistoryItem& out)
    {
        QJsonObject o;
        return object(json, path, o) && field(o, key::id, path, out.id)
            && field(o, key::request, path, out.request)
            && field(o, key::statusCode, path, out.statusCode)
            && field(o, key::duration, path, out.duration)
            && field(o, key::timestamp, path, out.timestamp);
    }

private:
    std::optional<QString> m_error;
};

template <typename T> Result<T> decode(const QJsonValue& json)
{
    Decoder decoder;
    T out;
    if (!decoder.value(json, Path {}, out))
        return decoder.error();
    return out;
}

// The later additions are written only when they hold something, so the files of someone who
// never uses them stay as they were.
template <typename T> QJsonObject withScripts(QJsonObject o, const T& record)
{
    if (!record.preRequestScript.isEmpty())
        o.insert(key::preRequestScript, record.preRequestScript);
    if (!record.testScript.isEmpty())
        o.insert(key::testScript, record.testScript);
    return o;
}

QJsonObject toJson(const OAuth2Settings& settings)
{
    const OAuth2Settings defaults;
    QJsonObject o {{key::grant, grantTypeName(settings.grant)}};
    for (const auto& [name, text] :
        {std::pair {key::authUrl, &settings.authUrl}, std::pair {key::tokenUrl, &settings.tokenUrl},
            std::pair {key::clientId, &settings.clientId}, std::pair {key::scope, &settings.scope},
            std::pair {key::audience, &settings.audience},
            std::pair {key::extraParams, &settings.extraParams},
            std::pair {key::username, &settings.username}}) {
        if (!text->isEmpty())
            o.insert(name, *text);
    }
    if (settings.clientAuth != defaults.clientAuth)
        o.insert(key::clientAuth, clientAuthName(settings.clientAuth));
    if (settings.redirectPort != defaults.redirectPort)
        o.insert(key::redirectPort, settings.redirectPort);
    return o;
}

// Added with the Digest, NTLM, AWS and OAuth kinds: like the scripts, only there when used.
template <typename T> void insertAuthExtras(QJsonObject& o, const T& record)
{
    for (const auto& [name, text] : {std::pair {key::authDomain, &record.authDomain},
             std::pair {key::awsRegion, &record.awsRegion},
             std::pair {key::awsService, &record.awsService},
             std::pair {key::awsSessionToken, &record.awsSessionToken}}) {
        if (!text->isEmpty())
            o.insert(name, *text);
    }
    if (record.oauth2 != OAuth2Settings {})
        o.insert(key::oauth2, toJson(record.oauth2));
}

// An OAuth 2.0 access token is a secret of the secret service; the one a send carried must not
// follow the request into history, a backup or an export.
template <typename T> QString storedAuthToken(const T& record)
{
    return record.authType == AuthType::oauth2 ? QString() : record.authToken;
}

} // namespace

QJsonObject toJson(const KeyValuePair& row)
{
    // A secret's value never leaves memory through the stored form: every data file, export and
    // backup is written from here.
    QJsonObject o {
        {key::id, uuidToText(row.id)},
        {key::key, row.key},
        {key::value, row.isSecret ? QString() : row.value},
        {key::isEnabled, row.isEnabled},
    };
    if (row.isSecret)
        o.insert(key::isSecret, true);
    return o;
}

QJsonObject toJson(const APIRequest& request)
{
    QJsonObject o = withScripts(
        QJsonObject {
            {key::id, uuidToText(request.id)},
            {key::name, request.name},
            {key::url, request.url},
            {key::method, methodName(request)},
            {key::headers, toJsonArray(request.headers)},
            {key::queryParams, toJsonArray(request.queryParams)},
            {key::bodyType, rawValue(request.bodyType)},
            {key::body, request.body},
            {key::authType, rawValue(request.authType)},
            {key::authToken, storedAuthToken(request)},
            {key::tags, toArray(request.tags)},
            {key::requestProtocol, rawValue(request.requestProtocol)},
            {key::graphqlQuery, request.graphqlQuery},
            {key::graphqlVariables, request.graphqlVariables},
            {key::graphqlOperationName, request.graphqlOperationName},
            {key::wsMessages, toArray(request.wsMessages)},
            {key::createdAt, request.createdAt},
            {key::updatedAt, request.updatedAt},
        },
        request);
    insertAuthExtras(o, request);
    return o;
}

QJsonObject toJson(const CollectionFolder& folder)
{
    return withScripts(
        QJsonObject {
            {key::id, uuidToText(folder.id)},
            {key::name, folder.name},
            {key::requestIDs, toArray(folder.requestIDs)},
        },
        folder);
}

QJsonObject toJson(const Collection& collection)
{
    if (!collection.folderPath.isEmpty()) {
        return QJsonObject {
            {key::id, uuidToText(collection.id)},
            {key::name, collection.name},
            {key::folderPath, collection.folderPath},
        };
    }
    QJsonObject o {
        {key::id, uuidToText(collection.id)},
        {key::name, collection.name},
        {key::requests, toJsonArray(collection.requests)},
        {key::folders, toJsonArray(collection.folders)},
        {key::createdAt, collection.createdAt},
    };
    if (!collection.variables.isEmpty())
        o.insert(key::variables, toJsonArray(collection.variables));
    if (collection.authType != AuthType::none) {
        o.insert(key::authType, rawValue(collection.authType));
        o.insert(key::authToken, storedAuthToken(collection));
    }
    insertAuthExtras(o, collection);
    return withScripts(std::move(o), collection);
}

QJsonObject toJson(const APIEnvironment& environment)
{
    return QJsonObject {
        {key::id, uuidToText(environment.id)},
        {key::name, environment.name},
        {key::variables, toJsonArray(environment.variables)},
        {key::isActive, environment.isActive},
    };
}

QJsonObject toJson(const HistoryItem& item)
{
    return QJsonObject {
        {key::id, uuidToText(item.id)},
        {key::request, toJson(item.request)},
        {key::statusCode, item.statusCode},
        {key::duration, item.duration},
        {key::timestamp, item.timestamp},
    };
}

template <> Result<KeyValuePair> fromJson<KeyValuePair>(const QJsonValue& json)
{
    return decode<KeyValuePair>(json);
}

template <> Result<APIRequest> fromJson<APIRequest>(const QJsonValue& json)
{
    return decode<APIRequest>(json);
}

template <> Result<CollectionFolder> fromJson<CollectionFolder>(const QJsonValue& json)
{
    return decode<CollectionFolder>(json);
}

template <> Result<Collection> fromJson<Collection>(const QJsonValue& json)
{
    return decode<Collection>(json);
}

template <> Result<APIEnvironment> fromJson<APIEnvironment>(const QJsonValue& json)
{
    return decode<APIEnvironment>(json);
}

template <> Result<HistoryItem> fromJson<HistoryItem>(const QJsonValue& json)
{
    return decode<HistoryItem>(json);
}

template <> Result<QList<KeyValuePair>> listFromJson<KeyValuePair>(const QJsonValue& json)
{
    return decode<QList<KeyValuePair>>(json);
}

template <> Result<QList<APIRequest>> listFromJson<APIRequest>(const QJsonValue& json)
{
    return decode<QList<APIRequest>>(json);
}

template <> Result<QList<Collection>> listFromJson<Collection>(const QJsonValue& json)
{
    return decode<QList<Collection>>(json);
}

template <> Result<QList<APIEnvironment>> listFromJson<APIEnvironment>(const QJsonValue& json)
{
    return decode<QList<APIEnvironment>>(json);
}

template <> Result<QList<HistoryItem>> listFromJson<HistoryItem>(const QJsonValue& json)
{
    return decode<QList<HistoryItem>>(json);
}

Result<QJsonValue> parseJson(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        return Error {
            QCoreApplication::translate("mako::RecordJson", "invalid JSON at offset %1: %2")
                .arg(error.offset)
                .arg(error.errorString())};
    }
    if (document.isArray())
        return QJsonValue(document.array());
    return QJsonValue(document.object());
}

} // namespace mako
