#include "interchange/requesttemplate.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

TEST(RequestTemplate, builtInCatalogueIsFixedForTheProcess)
{
    const QList<RequestTemplate>& templates = RequestTemplate::builtIn();
    QStringList names;
    for (const RequestTemplate& t : templates)
        names.append(t.name);
    EXPECT_EQ(names,
        (QStringList {u"GET Request"_s, u"POST JSON"_s, u"Bearer Auth"_s, u"Form POST"_s,
            u"PUT Update"_s, u"DELETE"_s, u"GraphQL Query"_s, u"GraphQL Mutation"_s,
            u"GraphQL Introspection"_s, u"WebSocket Echo"_s, u"WebSocket JSON"_s, u"SSE Stream"_s,
            u"SSE with Auth"_s}));
    EXPECT_EQ(RequestTemplate::builtIn()[1].id, templates[1].id);
    EXPECT_EQ(RequestTemplate::builtIn()[1].headers.first().id, templates[1].headers.first().id);
    EXPECT_FALSE(templates[0].id.isNull());
}

TEST(RequestTemplate, toRequestFillsANewRequest)
{
    const auto& templates = RequestTemplate::builtIn();
    for (const RequestTemplate& t : templates) {
        const APIRequest request = t.toRequest();
        SCOPED_TRACE(t.name.toStdString());
        EXPECT_EQ(request.name, t.name);
        EXPECT_EQ(request.url, t.defaultURL);
        EXPECT_EQ(request.requestProtocol, t.protocol);
        EXPECT_TRUE(request.authToken.isEmpty());
        ASSERT_EQ(request.queryParams.size(), 1);
        EXPECT_TRUE(request.queryParams.first().key.isEmpty());
        if (t.headers.isEmpty()) {
            ASSERT_EQ(request.headers.size(), 1);
            EXPECT_TRUE(request.headers.first().key.isEmpty());
        } else {
            EXPECT_EQ(request.headers, t.headers);
        }
        EXPECT_NE(request.id, t.toRequest().id);
    }
    const APIRequest form = templates[3].toRequest();
    EXPECT_EQ(form.bodyType, RequestBodyType::formData);
    EXPECT_TRUE(form.body.isEmpty());
    EXPECT_EQ(form.headers.first().value, u"application/x-www-form-urlencoded"_s);
    EXPECT_EQ(templates[12].toRequest().authType, AuthType::bearer);
    EXPECT_EQ(templates[2].toRequest().authType, AuthType::bearer);
    EXPECT_EQ(templates[10].toRequest().wsMessages,
        QStringList {u"{\"type\": \"subscribe\", \"channel\": \"updates\"}"_s});
    EXPECT_EQ(templates[7].toRequest().graphqlQuery.left(24), u"mutation CreateUser($inp"_s);
}
