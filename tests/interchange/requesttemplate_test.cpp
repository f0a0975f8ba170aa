#include "interchange/requesttemplate.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

TEST(RequestTemplate, catalogueIsStableAndEachTemplateMakesANewEditableRequest)
{
    const QList<RequestTemplate>& templates = RequestTemplate::builtIn();
    ASSERT_EQ(templates.size(), 13);
    EXPECT_EQ(RequestTemplate::builtIn()[1].headers.first().id, templates[1].headers.first().id);
    for (const RequestTemplate& t : templates) {
        SCOPED_TRACE(t.name.toStdString());
        const APIRequest request = t.toRequest();
        EXPECT_NE(request.id, t.toRequest().id);
        EXPECT_EQ(std::tuple(request.name, request.url, request.method, request.bodyType,
                      request.body, request.authType, request.requestProtocol),
            std::tuple(t.name, t.defaultURL, t.method, t.bodyType, t.body, t.authType, t.protocol));
        EXPECT_EQ(std::tuple(request.graphqlQuery, request.graphqlVariables, request.wsMessages),
            std::tuple(t.graphqlQuery, t.graphqlVariables, t.wsMessages));
        EXPECT_TRUE(request.authToken.isEmpty());
        // A blank row to type into where the template has none.
        ASSERT_EQ(request.queryParams.size(), 1);
        EXPECT_TRUE(request.queryParams.first().key.isEmpty());
        if (t.headers.isEmpty())
            EXPECT_TRUE(request.headers.size() == 1 && request.headers.first().key.isEmpty());
        else
            EXPECT_EQ(request.headers, t.headers);
    }
}
