#include "execution/networkservice.h"
#include "support/digestchallenge.h"
#include "support/httptestserver.h"
#include "support/rows.h"
#include "support/sendwait.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

NetworkResult send(const APIRequest& request, const std::optional<APIEnvironment>& environment)
{
    NetworkService service;
    return sendAndWait(service, request, environment);
}

int statusOf(const NetworkResult& result)
{
    const auto* reply = std::get_if<APIResponse>(&result);
    EXPECT_TRUE(reply) << std::get<NetworkError>(result).errorDescription().toStdString();
    return reply ? reply->statusCode : 0;
}

TEST(ChallengeAuth, digestAnswersTheServersChallengeForEachAlgorithm)
{
    const auto env = APIEnvironment {.name = u"e"_s,
        .variables = {row(u"user"_s, u"Mufasa"_s), row(u"pass"_s, u"Circle of Life"_s)},
        .isActive = true};
    const struct {
        QCryptographicHash::Algorithm hash;
        QByteArray algorithm;
        QString credentials;
        int status;
    } cases[] = {
        {QCryptographicHash::Md5, "MD5", u"{{user}}:{{pass}}"_s, 200},
        {QCryptographicHash::Sha256, "SHA-256", u"{{user}}:{{pass}}"_s, 200},
        {QCryptographicHash::Sha256, "SHA-256", u"Mufasa:wrong"_s, 401},
        {QCryptographicHash::Md5, "MD5", u"Mufasa:Circle of Life:"_s, 401},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.algorithm.toStdString() + " " + c.credentials.toStdString());
        HttpTestServer server;
        server.setHandler([&](const RecordedRequest& request) {
            return digestChallenge(request, c.hash, c.algorithm, "Circle of Life");
        });
        const APIRequest request {.url = server.baseUrl() + u"/dir/index.html?a=1"_s,
            .authType = AuthType::digest,
            .authToken = c.credentials};
        EXPECT_EQ(statusOf(send(request, env)), c.status);
        const auto requests = server.requests();
        ASSERT_GE(requests.size(), 2);
        // The password itself never travels.
        EXPECT_FALSE(requests.last().raw.contains("Circle of Life"));
        EXPECT_TRUE(requests.first().header("Authorization").isEmpty());
    }
}

TEST(ChallengeAuth, ntlmAnswersTheChallengeWithItsNegotiateMessage)
{
    HttpTestServer server;
    server.setHandler([](const RecordedRequest&) {
        return ScriptedResponse {.status = 401, .headers = {{"WWW-Authenticate", "NTLM"}}};
    });
    const APIRequest request {.url = server.baseUrl() + u"/"_s,
        .authType = AuthType::ntlm,
        .authToken = u"alice:secret"_s,
        .authDomain = u"CORP"_s};
    EXPECT_EQ(statusOf(send(request, std::nullopt)), 401);
    const auto requests = server.requests();
    ASSERT_GE(requests.size(), 2);
    const QByteArray answer = requests[1].header("Authorization");
    ASSERT_TRUE(answer.startsWith("NTLM ")) << answer.toStdString();
    const QByteArray message = QByteArray::fromBase64(answer.mid(5));
    // "NTLMSSP\0" and message type 1, the negotiation that opens the handshake.
    EXPECT_EQ(message.left(8), QByteArray("NTLMSSP\0", 8));
    EXPECT_EQ(message.mid(8, 4), QByteArray("\x01\0\0\0", 4));
}

// The worked example of AWS's Signature Version 4 documentation (IAM ListUsers), whose
// signature is published; the date is fixed by the x-amz-date header. Whatever else is sent,
// each header the signature names must arrive, or AWS cannot check it.
TEST(ChallengeAuth, awsSignatureMatchesThePublishedExample)
{
    const QByteArray published
        = "AWS4-HMAC-SHA256 Credential=AKIDEXAMPLE/20150830/us-east-1/iam/aws4_request, "
          "SignedHeaders=content-type;host;x-amz-date, "
          "Signature=5d672d79c15b13162d9279b0855cfba6789a8edb4c82c400e06b5924a6f2b5d7";
    const struct {
        const char* name;
        QString sessionToken;
        bool typed; // the Content-Type row is on
        HTTPMethod method;
        QByteArray authorization; // empty: only the signed headers are checked
    } cases[] = {
        {"published", {}, true, HTTPMethod::get, published},
        {"session", u"{{session}}"_s, true, HTTPMethod::get, {}},
        {"body without a type", {}, false, HTTPMethod::post, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server;
        const APIRequest request {
            .url = server.baseUrl() + u"/?Action=ListUsers&Version=2010-05-08"_s,
            .method = c.method,
            .headers = {row(u"Host"_s, u"iam.amazonaws.com"_s),
                row(u"Content-Type"_s, u"application/x-www-form-urlencoded; charset=utf-8"_s,
                    c.typed),
                row(u"X-Amz-Date"_s, u"20150830T123600Z"_s)},
            .bodyType = c.method == HTTPMethod::post ? RequestBodyType::raw : RequestBodyType::none,
            .body = u"Action=ListUsers"_s,
            .authType = AuthType::awsSigV4,
            .authToken = u"{{key}}:wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY"_s,
            .awsRegion = u"{{region}}"_s,
            .awsService = u"iam"_s,
            .awsSessionToken = c.sessionToken,
        };
        const auto env = APIEnvironment {.name = u"e"_s,
            .variables = {row(u"key"_s, u"AKIDEXAMPLE"_s), row(u"region"_s, u"us-east-1"_s),
                row(u"session"_s, u"FQoGZXIvYXdz"_s)},
            .isActive = true};
        EXPECT_EQ(statusOf(send(request, env)), 200);
        ASSERT_EQ(server.requests().size(), 1);
        const RecordedRequest got = server.requests().first();
        const QByteArray authorization = got.header("Authorization");
        if (!c.authorization.isEmpty()) {
            EXPECT_EQ(authorization, c.authorization);
        }
        const qsizetype from = authorization.indexOf("SignedHeaders=") + 14;
        const QList<QByteArray> signedHeaders
            = authorization.mid(from, authorization.indexOf(',', from) - from).split(';');
        EXPECT_TRUE(signedHeaders.contains("x-amz-date")) << authorization.toStdString();
        for (const QByteArray& name : signedHeaders) {
            EXPECT_TRUE(std::any_of(got.headers.cbegin(), got.headers.cend(),
                [&](const auto& header) {
                    return header.first.compare(name, Qt::CaseInsensitive) == 0;
                }))
                << name.toStdString() << " is signed but was not sent";
        }
        EXPECT_EQ(got.header("x-amz-security-token"),
            c.sessionToken.isEmpty() ? QByteArray() : QByteArray("FQoGZXIvYXdz"));
    }
}

} // namespace
