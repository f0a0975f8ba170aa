#include "screenrun.h"
#include "state/oauth2tokens.h"
#include "support/oauth2testserver.h"
#include "ui/screens/ssescreen.h"

#include <QPushButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

// A stream of an OAuth 2.0 request connects with the token a send would get, got first.
TEST(OAuth2Connect, aStreamGoesWithTheTokenOfItsClient)
{
    ScreenRun<SSEScreen> run;
    OAuth2TestServer oauth;
    const APIRequest request {.url = oauth.resourceUrl(),
        .authType = AuthType::oauth2,
        .oauth2 = oauth.settings(OAuth2Grant::clientCredentials, OAuth2ClientAuth::body),
        .requestProtocol = RequestProtocol::sse};
    run.state.oauth2Tokens().setClientSecret(
        request.oauth2, QString::fromLatin1(OAuth2TestServer::kClientSecret));
    run.open(request);
    click(run.find<QPushButton>(u"connectButton"_s));
    EXPECT_EVENTUALLY_EQ(oauth.resourceRequests().size(), 1);
    EXPECT_EQ(oauth.grantCount(u"client_credentials"_s), 1);
    EXPECT_EQ(oauth.resourceRequests().value(0).header("Authorization"),
        "Bearer " + oauth.lastIssuedToken().toUtf8());
}
