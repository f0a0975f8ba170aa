#include "execution/graphqlrequest.h"
#include "support/qtprinters.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

QJsonObject parsedBody(const QString& body)
{
    return QJsonDocument::fromJson(body.toUtf8()).object();
}

} // namespace

TEST(GraphQLRequest, bodyHasQueryAndOnlyTheMembersThatApply)
{
    const struct {
        QString variables;
        QString operationName;
        QByteArray expected;
    } cases[] = {
        {u""_s, u""_s, R"({"query":"{ me }"})"},
        {u"[1, \"a\"]"_s, u""_s, R"({"query":"{ me }","variables":[1, "a"]})"},
        {u"{id: 5}"_s, u""_s, R"({"query":"{ me }"})"},
        {u"5"_s, u""_s, R"({"query":"{ me }"})"},
        {u"\"text\""_s, u"GetUser"_s, R"({"operationName":"GetUser","query":"{ me }"})"},
        // Variables go out as typed: in their order, with every digit and their numbers' spelling.
        {uR"({"id": 9007199254740993, "z": 1.50, "n": null, "ok": true, "s": "x"})"_s, u"Op"_s,
            R"({"operationName":"Op","query":"{ me }","variables":)"
            R"({"id": 9007199254740993, "z": 1.50, "n": null, "ok": true, "s": "x"}})"},
    };
    for (const auto& c : cases) {
        const GraphQLRequest request {
            .query = u"{ me }"_s, .variables = c.variables, .operationName = c.operationName};
        EXPECT_EQ(request.toHTTPBody(), c.expected) << c.variables.toStdString();
    }
}

TEST(MakeGraphQLHTTPRequest, buildsAPostWithJsonBodyAndContentTypeAndNothingElseOfTheSource)
{
    const APIRequest source {
        .name = u"Saved"_s,
        .url = u"{{host}}/graphql"_s,
        .headers = {{.key = u"Authorization"_s, .value = u"x"_s}},
        .queryParams = {{.key = u"page"_s, .value = u"2"_s}},
        .authType = AuthType::bearer,
        .authToken = u"{{token}}"_s,
        .tags = {u"t"_s},
        .requestProtocol = RequestProtocol::graphql,
        .graphqlQuery = u"query GetUser { user(id: \"{{id}}\") { name } }"_s,
        .graphqlVariables = uR"({"a": 1})"_s,
        .graphqlOperationName = u"GetUser"_s,
    };
    const APIRequest built = makeGraphQLHTTPRequest(source);
    EXPECT_NE(built.id, source.id);
    ASSERT_EQ(built.queryParams.size(), 1);
    EXPECT_TRUE(built.queryParams.front().key.isEmpty());
    ASSERT_EQ(built.headers.size(), 2);
    EXPECT_EQ(built.headers.mid(1), source.headers);
    EXPECT_EQ(built.headers[0].key + u": "_s + built.headers[0].value,
        u"Content-Type: application/json"_s);
    // Everything else is compared whole: the source's tags, protocol and GraphQL fields stay out.
    EXPECT_EQ(built,
        (APIRequest {.id = built.id,
            .name = u"GetUser"_s,
            .url = source.url,
            .method = HTTPMethod::post,
            .headers = built.headers,
            .queryParams = built.queryParams,
            .bodyType = RequestBodyType::json,
            .body = built.body,
            .authType = AuthType::bearer,
            .authToken = source.authToken,
            .createdAt = built.createdAt,
            .updatedAt = built.updatedAt}));
    const QJsonObject body = parsedBody(built.body);
    EXPECT_EQ(body.value(u"query"_s).toString(), source.graphqlQuery);
    EXPECT_EQ(body.value(u"operationName"_s).toString(), u"GetUser"_s);
    EXPECT_EQ(body.value(u"variables"_s).toObject().value(u"a"_s).toInt(), 1);

    EXPECT_EQ(makeGraphQLHTTPRequest(APIRequest {}).name, u"GraphQL Query"_s);

    // A content-type row of the source's own, in any letter case and even disabled, is kept
    // as the only one.
    for (const KeyValuePair& own : {KeyValuePair {.key = u"CONTENT-TYPE"_s, .value = u"a/b"_s},
             KeyValuePair {.key = u"content-type"_s, .value = u"a/b"_s, .isEnabled = false}}) {
        EXPECT_EQ(makeGraphQLHTTPRequest(APIRequest {.headers = {own}}).headers,
            QList<KeyValuePair> {own});
    }
}

TEST(MakeSchemaRequest, sendsTheIntrospectionQueryWithoutHeadersOrAuth)
{
    const APIRequest request = makeSchemaRequest(u"https://api.test/graphql"_s);
    EXPECT_EQ(request.name, u"IntrospectionQuery"_s);
    EXPECT_EQ(request.url, u"https://api.test/graphql"_s);
    EXPECT_EQ(request.method, HTTPMethod::post);
    EXPECT_EQ(request.authType, AuthType::none);
    ASSERT_EQ(request.headers.size(), 1);
    EXPECT_EQ(request.headers.front().key, u"Content-Type"_s);
    const QJsonObject body = parsedBody(request.body);
    EXPECT_EQ(body.keys(), (QStringList {u"operationName"_s, u"query"_s}));
    EXPECT_TRUE(body.value(u"query"_s).toString().startsWith(u"query IntrospectionQuery {"_s));
}
