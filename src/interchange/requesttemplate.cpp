#include "interchange/requesttemplate.h"

using namespace Qt::StringLiterals;

namespace mako {

namespace {

RequestTemplate make(QString name, QString icon, RequestTemplate fields)
{
    fields.id = QUuid::createUuid();
    fields.name = std::move(name);
    fields.icon = std::move(icon);
    return fields;
}

QList<KeyValuePair> contentType(const QString& value)
{
    return {KeyValuePair {.key = u"Content-Type"_s, .value = value}};
}

QList<RequestTemplate> makeBuiltIn()
{
    using M = HTTPMethod;
    using B = RequestBodyType;
    using P = RequestProtocol;
    return {
        make(u"GET Request"_s, u"arrow.down.circle"_s, {}),
        make(u"POST JSON"_s, u"arrow.up.circle"_s,
            {.method = M::post,
                .headers = contentType(u"application/json"_s),
                .bodyType = B::json,
                .body = u"{\n  \"key\": \"value\"\n}"_s}),
        make(u"Bearer Auth"_s, u"lock.shield"_s, {.authType = AuthType::bearer}),
        make(u"Form POST"_s, u"doc.plaintext"_s,
            {.method = M::post,
                .headers = contentType(u"application/x-www-form-urlencoded"_s),
                .bodyType = B::formData}),
        make(u"PUT Update"_s, u"pencil.circle"_s,
            {.method = M::put,
                .headers = contentType(u"application/json"_s),
                .bodyType = B::json,
                .body = u"{\n  \"id\": 1,\n  \"key\": \"updated\"\n}"_s}),
        make(u"DELETE"_s, u"trash.circle"_s, {.method = M::delete_}),
        make(u"GraphQL Query"_s, u"arrow.triangle.branch"_s,
            {.method = M::post,
                .bodyType = B::json,
                .protocol = P::graphql,
                .graphqlQuery = u"query {\n  users {\n    id\n    name\n    email\n  }\n}"_s}),
        make(u"GraphQL Mutation"_s, u"pencil.and.outline"_s,
            {.method = M::post,
                .bodyType = B::json,
                .protocol = P::graphql,
                .graphqlQuery
                = u"mutation CreateUser($input: CreateUserInput!) {\n  createUser(input: "
                  "$input) {\n    id\n    name\n  }\n}"_s,
                .graphqlVariables = u"{\n  \"input\": {\n    \"name\": \"Ada\",\n    \"email\": "
                                    "\"ada@example.com\"\n  }\n}"_s}),
        make(u"GraphQL Introspection"_s, u"magnifyingglass.circle"_s,
            {.method = M::post,
                .bodyType = B::json,
                .protocol = P::graphql,
                .graphqlQuery
                = u"query {\n  __schema {\n    types {\n      name\n      kind\n    }\n  }\n}"_s}),
        make(u"WebSocket Echo"_s, u"arrow.left.arrow.right"_s,
            {.protocol = P::websocket, .defaultURL = u"wss://echo.websocket.org"_s}),
        make(u"WebSocket JSON"_s, u"curlybraces"_s,
            {.protocol = P::websocket,
                .defaultURL = u"wss://"_s,
                .wsMessages = {u"{\"type\": \"subscribe\", \"channel\": \"updates\"}"_s}}),
        make(u"SSE Stream"_s, u"antenna.radiowaves.left.and.right"_s,
            {.protocol = P::sse, .defaultURL = u"https://"_s}),
        make(u"SSE with Auth"_s, u"lock.shield"_s,
            {.authType = AuthType::bearer, .protocol = P::sse, .defaultURL = u"https://"_s}),
    };
}

} // namespace

const QList<RequestTemplate>& RequestTemplate::builtIn()
{
    static const QList<RequestTemplate> templates = makeBuiltIn();
    return templates;
}

APIRequest RequestTemplate::toRequest() const
{
    return APIRequest {
        .name = name,
        .url = defaultURL,
        .method = method,
        .headers = headers.isEmpty() ? QList {KeyValuePair {}} : headers,
        .queryParams = {KeyValuePair {}},
        .bodyType = bodyType,
        .body = body,
        .authType = authType,
        .authToken = {},
        .tags = {},
        .requestProtocol = protocol,
        .graphqlQuery = graphqlQuery,
        .graphqlVariables = graphqlVariables,
        .graphqlOperationName = {},
        .wsMessages = wsMessages,
    };
}

} // namespace mako
