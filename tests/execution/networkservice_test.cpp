#include "execution/multipartbuilder.h"
#include "execution/networkservice.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"

#include <QEventLoop>
#include <QTimer>
#include <QUrlQuery>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

KeyValuePair row(const QString& key, const QString& value, bool enabled = true)
{
    return KeyValuePair {.key = key, .value = value, .isEnabled = enabled};
}

std::optional<APIEnvironment> variables(QList<KeyValuePair> rows)
{
    return APIEnvironment {.name = u"Test"_s, .variables = std::move(rows), .isActive = true};
}

// Runs the service's asynchronous send to its end on this thread's event loop.
NetworkResult send(NetworkService& service, const APIRequest& request,
    const std::optional<APIEnvironment>& environment = std::nullopt)
{
    std::optional<NetworkResult> result;
    QObject context;
    QEventLoop loop;
    service.execute(request, environment, &context, [&](const NetworkResult& outcome) {
        result = outcome;
        loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    return result.value_or(NetworkError::network(0, u"no result delivered"_s));
}

QString errorText(const NetworkResult& result)
{
    const auto* error = std::get_if<NetworkError>(&result);
    return error ? error->errorDescription() : u"(a response)"_s;
}

const APIResponse& response(const NetworkResult& result)
{
    static const APIResponse none;
    const auto* reply = std::get_if<APIResponse>(&result);
    EXPECT_TRUE(reply) << errorText(result).toStdString();
    return reply ? *reply : none;
}

int headerCount(const RecordedRequest& request, QByteArrayView name)
{
    return int(std::count_if(request.headers.cbegin(), request.headers.cend(),
        [&](const auto& header) { return header.first.compare(name, Qt::CaseInsensitive) == 0; }));
}

class NetworkServiceTest : public ::testing::Test {
protected:
    // Sends `request` (its URL relative to the peer) and returns what the peer received.
    RecordedRequest roundTrip(
        APIRequest request, const std::optional<APIEnvironment>& environment = std::nullopt)
    {
        const qsizetype before = server.requests().size();
        request.url = server.baseUrl() + request.url;
        const NetworkResult result = send(service, request, environment);
        EXPECT_TRUE(std::holds_alternative<APIResponse>(result)) << errorText(result).toStdString();
        const QList<RecordedRequest> requests = server.requests();
        return requests.size() > before ? requests.last() : RecordedRequest {};
    }

    HttpTestServer server;
    NetworkService service;
};

} // namespace

TEST_F(NetworkServiceTest, queryRowsArriveAsGivenAfterTheTypedQuery)
{
    const QString awkward = u"a+b&c=d#e%f g/é"_s;
    struct Case {
        QString url;
        QList<KeyValuePair> params;
        QByteArray target;
    } cases[] = {
        {u"/p?a=1"_s, {row(u"b"_s, u"2"_s)}, "/p?a=1&b=2"},
        {u"/p?x=a+b"_s, {row(u"b"_s, u"2"_s, false), row(u""_s, u"v"_s)}, "/p?x=a+b"},
        {u"/p"_s, {row(u"q"_s, awkward), row(u"k&=+"_s, u"{{v}}"_s)},
            "/p?q=a%2Bb%26c%3Dd%23e%25f%20g%2F%C3%A9&k%26%3D%2B=subst"},
    };
    for (const Case& c : cases) {
        const RecordedRequest received
            = roundTrip(APIRequest {.url = c.url, .queryParams = c.params},
                variables({row(u"v"_s, u"subst"_s)}));
        EXPECT_EQ(received.target, c.target);
    }
    const QUrlQuery decoded(QString::fromLatin1(cases[2].target.sliced(3)));
    EXPECT_EQ(decoded.queryItemValue(u"q"_s, QUrl::FullyDecoded), awkward);
}

TEST_F(NetworkServiceTest, invalidUrlsFailWithTheirTextAndSendNothing)
{
    const auto env = variables({row(u"blank"_s, u""_s)});
    const struct {
        QString url;
        QString error;
    } cases[] = {
        {u""_s, u"Please enter a URL"_s},
        {u"{{blank}}"_s, u"Please enter a URL"_s},
        {u"{{base}}/items"_s, u"Invalid URL: {{base}}/items"_s},
        {u"http://127.0.0.1/a b"_s, u"Invalid URL: http://127.0.0.1/a b"_s},
        {u"file:///etc/hostname"_s, u"Server returned an invalid response"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorText(send(service, APIRequest {.url = c.url}, env)), c.error);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(NetworkServiceTest, headerRowsAndAuthReplaceCaseInsensitively)
{
    const auto env = variables({row(u"tok"_s, u"secret"_s), row(u"none"_s, u""_s)});
    const struct {
        QList<KeyValuePair> headers;
        AuthType auth;
        QString token;
        QByteArrayView name;
        QByteArray value; // empty: the field must be absent
    } cases[] = {
        {{row(u"Accept"_s, u"a/1"_s), row(u"accept"_s, u"b/2"_s)}, AuthType::none, {}, "Accept",
            "b/2"},
        {{row(u"X-Off"_s, u"1"_s, false)}, AuthType::bearer, u"{{none}}"_s, "Authorization", ""},
        {{row(u"authorization"_s, u"mine"_s)}, AuthType::bearer, u"{{tok}}"_s, "Authorization",
            "Bearer secret"},
        {{}, AuthType::basic, u"us er:pa:ss"_s, "Authorization", "Basic dXMgZXI6cGE6c3M="},
        {{}, AuthType::basic, u"nocolon"_s, "Authorization", "Basic bm9jb2xvbg=="},
        {{}, AuthType::apiKey, u"{{tok}}"_s, "X-API-Key", "secret"},
        {{row(u"X-Off"_s, u"1"_s, false)}, AuthType::none, {}, "X-Off", ""},
    };
    for (const auto& c : cases) {
        const RecordedRequest received = roundTrip(
            APIRequest {
                .url = u"/h"_s, .headers = c.headers, .authType = c.auth, .authToken = c.token},
            env);
        EXPECT_EQ(received.header(c.name), c.value) << c.name.toByteArray().constData();
        EXPECT_EQ(headerCount(received, c.name), c.value.isEmpty() ? 0 : 1);
        EXPECT_EQ(headerCount(received, "Expect"), 0);
    }
}

TEST_F(NetworkServiceTest, bodiesFollowMethodAndKind)
{
    const auto env = variables({row(u"n"_s, u"7"_s)});
    const struct {
        HTTPMethod method;
        RequestBodyType kind;
        QList<KeyValuePair> headers;
        QByteArray body, contentType;
    } cases[] = {
        {HTTPMethod::post, RequestBodyType::json, {}, R"({"n":7})", "application/json"},
        {HTTPMethod::put, RequestBodyType::json, {row(u"content-type"_s, u"text/plain"_s)},
            R"({"n":7})", "text/plain"},
        {HTTPMethod::patch, RequestBodyType::raw, {}, R"({"n":7})", ""},
        {HTTPMethod::get, RequestBodyType::json, {}, "", ""},
        {HTTPMethod::head, RequestBodyType::raw, {}, "", ""},
        {HTTPMethod::delete_, RequestBodyType::none, {}, "", ""},
    };
    for (const auto& c : cases) {
        const RecordedRequest received = roundTrip(APIRequest {.url = u"/b"_s,
                                                       .method = c.method,
                                                       .headers = c.headers,
                                                       .bodyType = c.kind,
                                                       .body = u"{\"n\":{{n}}}"_s},
            env);
        EXPECT_EQ(received.method, rawValue(c.method).toLatin1());
        EXPECT_EQ(received.body, c.body);
        EXPECT_EQ(received.header("Content-Type"), c.contentType);
        EXPECT_EQ(headerCount(received, "Content-Type"), c.contentType.isEmpty() ? 0 : 1);
        if (c.method == HTTPMethod::get || c.method == HTTPMethod::head) {
            EXPECT_EQ(headerCount(received, "Content-Length"), 0);
        }
    }
}

TEST_F(NetworkServiceTest, formDataSendsRowsInQueryAndBodyWithItsBoundary)
{
    const QList<KeyValuePair> params {row(u"a"_s, u"{{v}}"_s), row(u"b"_s, u"2"_s, false)};
    const RecordedRequest received
        = roundTrip(APIRequest {.url = u"/f"_s,
                        .method = HTTPMethod::post,
                        .headers = {row(u"Content-Type"_s, u"text/plain"_s)},
                        .queryParams = params,
                        .bodyType = RequestBodyType::formData},
            variables({row(u"v"_s, u"x y"_s)}));
    EXPECT_EQ(received.target, "/f?a=x%20y");
    const QByteArray type = received.header("Content-Type");
    ASSERT_TRUE(type.startsWith("multipart/form-data; boundary=Mako-"));
    const QString boundary = QString::fromLatin1(type.sliced(type.indexOf('=') + 1));
    EXPECT_EQ(boundary.sliced(5), boundary.sliced(5).toUpper());
    EXPECT_EQ(received.body, MultipartBuilder::buildBody(params, {}, {}, boundary));
}

TEST_F(NetworkServiceTest, responseCarriesFinalHeadersBodyAndTiming)
{
    server.setHandler([](const RecordedRequest& request) {
        if (request.target == "/moved")
            return ScriptedResponse {.status = 302, .headers = {{"Location", "/missing"}}};
        return ScriptedResponse {.status = 404,
            .headers = {{"X-Multi", "a"}, {"x-multi", "b"}, {"Content-Type", "text/plain"}},
            .body = "nope"};
    });
    const APIResponse reply
        = response(send(service, APIRequest {.url = server.baseUrl() + u"/moved"_s}));
    EXPECT_EQ(reply.statusCode, 404);
    EXPECT_EQ(reply.body, "nope");
    EXPECT_EQ(reply.size, 4);
    EXPECT_EQ(reply.headers.value(u"X-Multi"_s), u"a, b"_s);
    EXPECT_FALSE(reply.headers.contains(u"Location"_s));
    EXPECT_EQ(reply.httpVersion, u"HTTP/1.1"_s);
    EXPECT_GT(reply.duration, 0);
    EXPECT_GE(reply.timingPhases.timeToFirstByte, 0);
    EXPECT_GE(reply.duration, reply.timingPhases.transfer);

    // A redirected PUT goes again as a PUT with its body; only a POST becomes a GET.
    for (const HTTPMethod method : {HTTPMethod::put, HTTPMethod::post}) {
        send(service,
            APIRequest {.url = server.baseUrl() + u"/moved"_s,
                .method = method,
                .bodyType = RequestBodyType::raw,
                .body = u"data"_s});
        const RecordedRequest redirected = server.requests().last();
        EXPECT_EQ(redirected.target, "/missing");
        EXPECT_EQ(redirected.method, method == HTTPMethod::put ? "PUT" : "GET");
        EXPECT_EQ(redirected.body, method == HTTPMethod::put ? "data" : "");
    }

    service.updateSettings(NetworkSettings {.followRedirects = false});
    EXPECT_EQ(
        response(send(service, APIRequest {.url = server.baseUrl() + u"/moved"_s})).statusCode,
        302);
    server.setHandler([](const RecordedRequest&) {
        return ScriptedResponse {.status = 302, .headers = {{"Location", "/again"}}};
    });
    service.updateSettings(NetworkSettings {.maxRedirects = 2});
    EXPECT_TRUE(errorText(send(service, APIRequest {.url = server.baseUrl() + u"/loop"_s}))
                    .startsWith(u"Network error: "_s));
    EXPECT_EQ(server.requests().size(), 2 + 4 + 1 + 3);
}

TEST_F(NetworkServiceTest, failuresEndWithTheirSentence)
{
    server.setHandler([](const RecordedRequest& request) {
        if (request.target == "/slow")
            return ScriptedResponse {.delayMs = 3000};
        if (request.target == "/stall")
            return ScriptedResponse {.chunks = {"a", "b"}, .chunkDelayMs = 3000};
        if (request.target == "/trickle")
            return ScriptedResponse {.chunks = QList<QByteArray>(40, "x"), .chunkDelayMs = 100};
        return ScriptedResponse {.body = "cut short", .closeAbruptly = true};
    });
    // Idle for longer than the request time-out, or busy for longer than the whole-exchange
    // limit: either way the send ends.
    service.updateSettings(NetworkSettings {.requestTimeout = 0.3, .resourceTimeout = 1});
    const QString timedOut = u"Request timed out — the server didn't respond in time. Try "
                             "increasing the timeout in Preferences."_s;
    for (const QString& path : {u"/slow"_s, u"/stall"_s, u"/trickle"_s})
        EXPECT_EQ(errorText(send(service, APIRequest {.url = server.baseUrl() + path})), timedOut);
    EXPECT_TRUE(errorText(send(service, APIRequest {.url = server.baseUrl() + u"/cut"_s}))
                    .startsWith(u"Network error: "_s));

    // A TLS handshake with a peer that speaks plain HTTP.
    EXPECT_EQ(errorText(send(
                  service, APIRequest {.url = server.baseUrl().replace(u"http:"_s, u"https:"_s)})),
        u"SSL connection failed. If using a self-signed certificate, disable SSL verification in "
        "Preferences."_s);

    quint16 closedPort = 0;
    {
        HttpTestServer gone;
        closedPort = gone.port();
    }
    EXPECT_TRUE(
        errorText(send(service, APIRequest {.url = u"http://127.0.0.1:%1/"_s.arg(closedPort)}))
            .startsWith(u"Network error: "_s));
}

TEST_F(NetworkServiceTest, cancelEndsARunningRequestPromptly)
{
    server.setHandler([](const RecordedRequest&) { return ScriptedResponse {.delayMs = 10000}; });
    std::optional<NetworkResult> result;
    QObject context;
    QEventLoop loop;
    const TransferHandle handle = service.execute(APIRequest {.url = server.baseUrl()},
        std::nullopt, &context, [&](const NetworkResult& outcome) {
            result = outcome;
            loop.quit();
        });
    ASSERT_TRUE(server.waitForRequests(1));
    handle.cancel();
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(errorText(*result), u"Request was cancelled."_s);
}

TEST_F(NetworkServiceTest, cookiesComeBackAndConnectionsAreReused)
{
    server.setHandler([](const RecordedRequest& request) {
        if (request.target == "/login")
            return ScriptedResponse {.headers = {{"Set-Cookie", "sid=abc; Path=/"}}};
        return echoResponse(request);
    });
    roundTrip(APIRequest {.url = u"/login"_s});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(roundTrip(APIRequest {.url = u"/next"_s}).header("Cookie"), "sid=abc");
    const RecordedRequest own
        = roundTrip(APIRequest {.url = u"/own"_s, .headers = {row(u"cookie"_s, u"mine=1"_s)}});
    EXPECT_EQ(own.header("Cookie"), "sid=abc; mine=1");
    EXPECT_EQ(headerCount(own, "Cookie"), 1);
    EXPECT_EQ(server.connectionCount(), 1);
}

TEST_F(NetworkServiceTest, manyRequestsRunAtOnceAndKeepTheirSettings)
{
    server.setHandler([](const RecordedRequest& request) {
        return ScriptedResponse {.body = request.target, .delayMs = 200};
    });
    QObject context;
    QEventLoop loop;
    QList<QByteArray> bodies;
    constexpr int kCount = 8;
    for (int i = 0; i < kCount; ++i) {
        service.execute(APIRequest {.url = server.baseUrl() + u"/%1"_s.arg(i)}, std::nullopt,
            &context, [&](const NetworkResult& outcome) {
                bodies.append(response(outcome).body);
                if (bodies.size() == kCount)
                    loop.quit();
            });
    }
    // A time-out set while they run only applies to later requests.
    service.updateTimeout(0);
    EXPECT_EQ(service.settings().requestTimeout, 30);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(bodies.size(), kCount);
    EXPECT_GT(server.connectionCount(), 1);
}

TEST(NetworkServiceTls, trustFlagTakesEffectOnTheNextRequest)
{
    HttpTestServer server(HttpTestServer::Tls::SelfSigned);
    NetworkService service;
    // Without a scheme the URL is sent as https.
    const APIRequest request {.url = server.baseUrl().mid(8) + u"/secure"_s};
    EXPECT_EQ(errorText(send(service, request)),
        u"Server certificate is not trusted. Disable SSL verification in Preferences for "
        "self-signed certs."_s);
    service.sslDelegate().verifySSL = false;
    const APIResponse reply = response(send(service, request));
    EXPECT_EQ(reply.statusCode, 200);
    EXPECT_GE(reply.timingPhases.tlsHandshake, 0);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().first().target, "/secure");
}

TEST(NetworkServiceProxy, proxyAndDefaultUserAgentApply)
{
    HttpTestServer proxy;
    NetworkService service(NetworkSettings {.defaultUserAgent = u"Mako/1.0"_s,
        .proxy = {.enabled = true,
            .host = u"127.0.0.1"_s,
            .port = proxy.port(),
            .authenticate = true,
            .username = u"u"_s,
            .password = u"p"_s}});
    response(send(service, APIRequest {.url = u"http://127.0.0.1:9/x"_s}));
    response(send(service,
        APIRequest {.url = u"http://127.0.0.1:9/y"_s, .headers = {row(u"User-Agent"_s, u"me"_s)}}));
    const QList<RecordedRequest> received = proxy.requests();
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[0].target, "http://127.0.0.1:9/x");
    EXPECT_EQ(received[0].header("Proxy-Authorization"), "Basic dTpw");
    EXPECT_EQ(received[0].header("User-Agent"), "Mako/1.0");
    EXPECT_EQ(received[1].header("User-Agent"), "me");
    EXPECT_EQ(headerCount(received[1], "User-Agent"), 1);
}

TEST(NetworkErrorText, mapsEveryCode)
{
    EXPECT_EQ(NetworkError::network(NetworkError::kCannotFindHost).errorDescription(),
        u"Cannot find host — check the URL is correct."_s);
    EXPECT_EQ(NetworkError::network(NetworkError::kSecureConnectionFailed).errorDescription(),
        u"SSL connection failed. If using a self-signed certificate, disable SSL verification in "
        "Preferences."_s);
    EXPECT_EQ(NetworkError::network(NetworkError::kNotConnectedToInternet).errorDescription(),
        u"No internet connection. Mako works fully offline for saved data, but needs a "
        "connection to send requests."_s);
    EXPECT_EQ(NetworkError::network(-1, u"boom"_s).errorDescription(), u"Network error: boom"_s);
}
