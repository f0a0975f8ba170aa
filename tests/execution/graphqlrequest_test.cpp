#include "execution/graphqlrequest.h"
#include "support/qtprinters.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

QJsonObject parsedBody(const QByteArray& body)
{
    return QJsonDocument::fromJson(body).object();
}

} // namespace

TEST(GraphQLRequest, bodyHasQueryAndOnlyTheMembersThatApply)
{
    struct Case {
        QString variables;
        QString operationName;
        QByteArray expected;
    };
    const QList<Case> cases {
        {u""_s, u""_s, R"({"query":"{ me { id } }"})"},
        {uR"({"id": 5})"_s, u""_s, R"({"query":"{ me { id } }","variables":{"id":5}})"},
        {u"[1, \"a\"]"_s, u""_s, R"({"query":"{ me { id } }","variables":[1,"a"]})"},
        {u"{id: 5}"_s, u""_s, R"({"query":"{ me { id } }"})"},
        {u"5"_s, u""_s, R"({"query":"{ me { id } }"})"},
        {u"\"text\""_s, u"GetUser"_s, R"({"operationName":"GetUser","query":"{ me { id } }"})"},
    };
    for (const Case& c : cases) {
        const GraphQLRequest request {.query = u"{ me { id } }"_s,
            .variables = c.variables,
            .operationName = c.operationName};
        const auto body = request.toHTTPBody();
        ASSERT_TRUE(body.has_value());
        EXPECT_FALSE(body->contains('\n')) << c.variables.toStdString();
        EXPECT_EQ(parsedBody(*body), parsedBody(c.expected)) << c.variables.toStdString();
    }
}

TEST(GraphQLRequest, variablesKeepTypesAndLargeIntegers)
{
    const GraphQLRequest request {.query = u"q"_s,
        .variables = uR"({"id": 9007199254740993, "name": "x", "ok": true, "n": null})"_s};
    const QByteArray body = request.toHTTPBody().value();
    EXPECT_TRUE(body.contains("9007199254740993")) << body.toStdString();
    const QJsonObject variables = parsedBody(body).value(u"variables"_s).toObject();
    EXPECT_TRUE(variables.value(u"ok"_s).isBool());
    EXPECT_TRUE(variables.value(u"n"_s).isNull());
    EXPECT_EQ(variables.value(u"name"_s).toString(), u"x"_s);
}

TEST(MakeGraphQLHTTPRequest, addsJsonContentTypeUnlessTheSourceHasOne)
{
    struct Case {
        QList<KeyValuePair> headers;
        bool expectInserted;
    };
    const KeyValuePair auth {.key = u"Authorization"_s, .value = u"x"_s};
    const QList<Case> cases {
        {{auth}, true},
        {{}, true},
        {{auth, {.key = u"CONTENT-TYPE"_s, .value = u"text/plain"_s}}, false},
        {{{.key = u"content-type"_s, .value = u"text/plain"_s, .isEnabled = false}}, false},
    };
    for (const Case& c : cases) {
        const APIRequest built = makeGraphQLHTTPRequest(APIRequest {.headers = c.headers});
        if (c.expectInserted) {
            ASSERT_EQ(built.headers.size(), c.headers.size() + 1);
            EXPECT_EQ(built.headers.front().key, u"Content-Type"_s);
            EXPECT_EQ(built.headers.front().value, u"application/json"_s);
            EXPECT_TRUE(built.headers.front().isEnabled);
            EXPECT_EQ(built.headers.mid(1), c.headers);
        } else {
            EXPECT_EQ(built.headers, c.headers);
        }
    }
}

TEST(MakeGraphQLHTTPRequest, buildsAPostWithTheJsonBodyAndNothingElseOfTheSource)
{
    const APIRequest source {
        .name = u"Saved"_s,
        .url = u"{{host}}/graphql"_s,
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
    EXPECT_EQ(built.name, u"GetUser"_s);
    EXPECT_EQ(built.url, source.url);
    EXPECT_EQ(built.method, HTTPMethod::post);
    EXPECT_EQ(built.bodyType, RequestBodyType::json);
    EXPECT_EQ(built.authType, AuthType::bearer);
    EXPECT_EQ(built.authToken, source.authToken);
    ASSERT_EQ(built.queryParams.size(), 1);
    EXPECT_TRUE(built.queryParams.front().key.isEmpty());
    EXPECT_TRUE(built.tags.isEmpty());
    EXPECT_EQ(built.requestProtocol, RequestProtocol::http);
    EXPECT_TRUE(built.graphqlQuery.isEmpty() && built.graphqlOperationName.isEmpty());
    const QJsonObject body = parsedBody(built.body.toUtf8());
    EXPECT_EQ(body.value(u"query"_s).toString(), source.graphqlQuery);
    EXPECT_EQ(body.value(u"operationName"_s).toString(), u"GetUser"_s);
    EXPECT_EQ(body.value(u"variables"_s).toObject().value(u"a"_s).toInt(), 1);

    EXPECT_EQ(makeGraphQLHTTPRequest(APIRequest {}).name, u"GraphQL Query"_s);
}

TEST(MakeSchemaRequest, sendsTheIntrospectionQueryWithoutHeadersOrAuth)
{
    EXPECT_EQ(kIntrospectionQuery.size(), 280);
    EXPECT_TRUE(kIntrospectionQuery.startsWith(u"query IntrospectionQuery {\n  __schema {\n"_s));
    EXPECT_TRUE(kIntrospectionQuery.endsWith(u"      }\n    }\n  }\n}"_s));

    const APIRequest request = makeSchemaRequest(u"https://api.test/graphql"_s);
    EXPECT_EQ(request.name, u"IntrospectionQuery"_s);
    EXPECT_EQ(request.url, u"https://api.test/graphql"_s);
    EXPECT_EQ(request.method, HTTPMethod::post);
    EXPECT_EQ(request.bodyType, RequestBodyType::json);
    EXPECT_EQ(request.authType, AuthType::none);
    EXPECT_TRUE(request.authToken.isEmpty());
    ASSERT_EQ(request.headers.size(), 1);
    EXPECT_EQ(request.headers.front().key, u"Content-Type"_s);
    EXPECT_EQ(request.headers.front().value, u"application/json"_s);
    const QJsonObject body = parsedBody(request.body.toUtf8());
    EXPECT_EQ(body.size(), 2);
    EXPECT_EQ(body.value(u"query"_s).toString(), kIntrospectionQuery);
    EXPECT_EQ(body.value(u"operationName"_s).toString(), u"IntrospectionQuery"_s);
}
