#include "scripting/scriptdata.h"

#include "model/reasonphrase.h"
#include "model/requestenums.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkCookie>

#include <cmath>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

QJsonArray rowsJSON(const QList<KeyValuePair>& rows)
{
    QJsonArray array;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        array.append(QJsonObject {{u"key"_s, rows[i].key}, {u"value"_s, rows[i].value},
            {u"enabled"_s, rows[i].isEnabled}, {u"index"_s, int(i)}});
    }
    return array;
}

/// The rows the scripts ended with; a row that came from `original` keeps its id.
QList<KeyValuePair> rowsFromJSON(const QJsonArray& array, const QList<KeyValuePair>& original)
{
    QList<KeyValuePair> rows;
    for (const QJsonValue& value : array) {
        const QJsonObject object = value.toObject();
        const int index = object.value(u"index"_s).toInt(-1);
        KeyValuePair row
            = index >= 0 && index < original.size() ? original[index] : KeyValuePair {};
        row.key = object.value(u"key"_s).toString();
        row.value = object.value(u"value"_s).toString();
        row.isEnabled = object.value(u"enabled"_s).toBool(true);
        rows.append(row);
    }
    return rows;
}

/// The URL a script sees: the typed one with the query rows that go out with it.
QString requestURL(const APIRequest& request)
{
    QString url = request.url;
    if (request.bodyType == RequestBodyType::formData)
        return url;
    bool first = !url.contains(u'?');
    for (const KeyValuePair& row : request.queryParams) {
        if (!row.isApplicable())
            continue;
        url += (first ? u'?' : u'&') + row.key + u'=' + row.value;
        first = false;
    }
    return url;
}

QString bodyMode(RequestBodyType type)
{
    switch (type) {
    case RequestBodyType::none:
        return {};
    case RequestBodyType::json:
    case RequestBodyType::raw:
        return u"raw"_s;
    case RequestBodyType::formData:
        return u"formdata"_s;
    }
    return {};
}

QJsonObject requestJSON(const APIRequest& request)
{
    QJsonArray headers;
    for (qsizetype i = 0; i < request.headers.size(); ++i) {
        const KeyValuePair& row = request.headers[i];
        if (row.key.isEmpty())
            continue;
        headers.append(QJsonObject {{u"key"_s, row.key}, {u"value"_s, row.value},
            {u"disabled"_s, !row.isEnabled}, {u"index"_s, int(i)}});
    }
    return {
        {u"url"_s, requestURL(request)},
        {u"method"_s, methodName(request)},
        {u"headers"_s, headers},
        {u"body"_s, request.body},
        {u"bodyMode"_s, bodyMode(request.bodyType)},
    };
}

void applyRequest(const QJsonObject& object, APIRequest& request)
{
    if (object.value(u"urlChanged"_s).toBool()) {
        request.url = object.value(u"url"_s).toString();
        // The new URL carries its whole query; rows kept beside it would be sent twice.
        if (request.bodyType != RequestBodyType::formData)
            request.queryParams = {KeyValuePair {}};
    }
    // A script may name any method; a name HTTP does not allow leaves the method as it was.
    setMethodName(request, object.value(u"method"_s).toString());
    QList<KeyValuePair> headers
        = rowsFromJSON(object.value(u"headers"_s).toArray(), request.headers);
    // Blank rows were never shown to the scripts; the editor's trailing blank row stays.
    for (const KeyValuePair& row : std::as_const(request.headers)) {
        if (row.key.isEmpty())
            headers.append(row);
    }
    request.headers = headers;
    if (object.value(u"bodyChanged"_s).toBool()) {
        request.body = object.value(u"body"_s).toString();
        if (request.bodyType == RequestBodyType::none && !request.body.isEmpty())
            request.bodyType = RequestBodyType::raw;
    }
}

} // namespace

QJsonObject scriptResponseJSON(const APIResponse& response)
{
    QJsonArray headers;
    for (auto it = response.headers.cbegin(); it != response.headers.cend(); ++it)
        headers.append(QJsonArray {it.key(), it.value()});
    QJsonArray cookies;
    for (const SetCookieField& field : response.setCookies) {
        for (const QNetworkCookie& cookie : QNetworkCookie::parseCookies(field.value)) {
            cookies.append(QJsonObject {{u"name"_s, QString::fromUtf8(cookie.name())},
                {u"value"_s, QString::fromUtf8(cookie.value())}, {u"domain"_s, cookie.domain()},
                {u"path"_s, cookie.path()}});
        }
    }
    return {
        {u"cookies"_s, cookies},
        {u"code"_s, response.statusCode},
        {u"status"_s, reasonPhrase(response.statusCode)},
        {u"headers"_s, headers},
        {u"body"_s, QString::fromUtf8(response.body)},
        {u"responseTime"_s, qint64(std::llround(response.duration * 1000))},
        {u"responseSize"_s, response.size},
    };
}

QString scriptContextJSON(const ScriptContext& context)
{
    const VariableScopes& scopes = context.scopes;
    QJsonObject object {
        {u"request"_s, requestJSON(context.request)},
        {u"response"_s,
            context.response ? QJsonValue(scriptResponseJSON(*context.response)) : QJsonValue()},
        {u"scopes"_s,
            QJsonObject {
                {u"globals"_s, rowsJSON(scopes.globals)},
                {u"collection"_s, rowsJSON(scopes.collection)},
                {u"environment"_s,
                    rowsJSON(scopes.environment ? scopes.environment->variables
                                                : QList<KeyValuePair> {})},
                {u"hasEnvironment"_s, scopes.environment.has_value()},
                {u"data"_s, rowsJSON(scopes.data)},
                {u"local"_s, rowsJSON(scopes.local)},
            }},
        {u"info"_s,
            QJsonObject {
                {u"requestName"_s, context.requestName},
                {u"requestId"_s, context.requestID},
                {u"iteration"_s, context.iteration},
                {u"iterationCount"_s, context.iterationCount},
                {u"eventName"_s, context.eventName},
                {u"environmentName"_s, scopes.environment ? scopes.environment->name : QString()},
            }},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

ScriptRun scriptRunFromJSON(const QByteArray& json, const ScriptContext& context)
{
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    ScriptRun run {.request = context.request, .scopes = context.scopes, .outcome = {}};
    applyRequest(object.value(u"request"_s).toObject(), run.request);

    const QJsonObject scopes = object.value(u"scopes"_s).toObject();
    VariableScopes& result = run.scopes;
    result.globals = rowsFromJSON(scopes.value(u"globals"_s).toArray(), context.scopes.globals);
    result.collection
        = rowsFromJSON(scopes.value(u"collection"_s).toArray(), context.scopes.collection);
    result.data = rowsFromJSON(scopes.value(u"data"_s).toArray(), context.scopes.data);
    result.local = rowsFromJSON(scopes.value(u"local"_s).toArray(), context.scopes.local);
    if (scopes.value(u"hasEnvironment"_s).toBool()) {
        // With no active environment, what scripts set lands in one made for the run: later
        // requests of the run see it, and the caller decides whether to keep it.
        APIEnvironment environment = context.scopes.environment.value_or(APIEnvironment {});
        environment.variables
            = rowsFromJSON(scopes.value(u"environment"_s).toArray(), environment.variables);
        result.environment = environment;
    }

    for (const QJsonValue& value : object.value(u"tests"_s).toArray()) {
        const QJsonObject test = value.toObject();
        run.outcome.tests.append({
            .name = test.value(u"name"_s).toString(),
            .passed = test.value(u"passed"_s).toBool(),
            .error = test.value(u"error"_s).toString(),
            .skipped = test.value(u"skipped"_s).toBool(),
        });
    }
    for (const QJsonValue& line : object.value(u"console"_s).toArray())
        run.outcome.console.append(line.toString());
    const QJsonValue next = object.value(u"nextRequest"_s);
    if (next.isObject()) {
        const QJsonValue name = next.toObject().value(u"value"_s);
        run.nextRequest
            = name.isString() ? std::optional<QString>(name.toString()) : std::optional<QString>();
    }
    return run;
}

} // namespace mako
