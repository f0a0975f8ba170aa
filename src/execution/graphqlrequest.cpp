#include "execution/graphqlrequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

const QString kIntrospectionQuery
    = u"query IntrospectionQuery {\n"
      "  __schema {\n"
      "    queryType { name }\n"
      "    mutationType { name }\n"
      "    types {\n"
      "      name\n"
      "      kind\n"
      "      fields {\n"
      "        name\n"
      "        type { name kind ofType { name kind } }\n"
      "        args { name type { name kind ofType { name kind } } }\n"
      "      }\n"
      "    }\n"
      "  }\n"
      "}"_s;

namespace {

// Kept only for the case where the writer yields nothing; the query goes in unescaped.
QString fallbackBody(const QString& query)
{
    return u"{\"query\":\""_s + query + u"\"}"_s;
}

QString bodyText(const GraphQLRequest& request)
{
    const auto body = request.toHTTPBody();
    return body ? QString::fromUtf8(*body) : fallbackBody(request.query);
}

} // namespace

std::optional<QByteArray> GraphQLRequest::toHTTPBody() const
{
    QJsonObject object {{u"query"_s, query}};
    if (!operationName.isEmpty())
        object.insert(u"operationName"_s, operationName);
    QByteArray body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    if (variables.isEmpty())
        return body;
    // Only an object or an array parses as a document; a bare scalar is left out too. The
    // variables go out as written, in their order and with their numbers' spelling: writing
    // them out again would sort the keys and round what a double cannot hold.
    const QByteArray written = variables.toUtf8();
    QJsonParseError parseError;
    const auto document = QJsonDocument::fromJson(written, &parseError);
    if (parseError.error != QJsonParseError::NoError || document.isNull())
        return body;
    body.chop(1);
    return body + ",\"variables\":" + written + '}';
}

APIRequest makeGraphQLHTTPRequest(const APIRequest& source)
{
    const GraphQLRequest graphQL {
        .query = source.graphqlQuery,
        .variables = source.graphqlVariables,
        .operationName = source.graphqlOperationName,
    };
    QList<KeyValuePair> headers = source.headers;
    const bool hasContentType = std::any_of(headers.cbegin(), headers.cend(),
        [](const KeyValuePair& row) { return row.key.toLower() == u"content-type"_s; });
    if (!hasContentType)
        headers.prepend(KeyValuePair {.key = u"Content-Type"_s, .value = u"application/json"_s});
    return APIRequest {
        .name
        = source.graphqlOperationName.isEmpty() ? u"GraphQL Query"_s : source.graphqlOperationName,
        .url = source.url,
        .method = HTTPMethod::post,
        .headers = headers,
        .bodyType = RequestBodyType::json,
        .body = bodyText(graphQL),
        .authType = source.authType,
        .authToken = source.authToken,
        .authDomain = source.authDomain,
        .awsRegion = source.awsRegion,
        .awsService = source.awsService,
        .awsSessionToken = source.awsSessionToken,
    };
}

APIRequest makeSchemaRequest(const QString& url)
{
    const GraphQLRequest graphQL {
        .query = kIntrospectionQuery,
        .operationName = u"IntrospectionQuery"_s,
    };
    return APIRequest {
        .name = u"IntrospectionQuery"_s,
        .url = url,
        .method = HTTPMethod::post,
        .headers = {KeyValuePair {.key = u"Content-Type"_s, .value = u"application/json"_s}},
        .bodyType = RequestBodyType::json,
        .body = bodyText(graphQL),
        .authType = AuthType::none,
    };
}

} // namespace mako
