#include "execution/cookiemanager.h"
#include "execution/graphqlrequest.h"
#include "execution/multipartbuilder.h"
#include "execution/networkservice.h"
#include "execution/outgoingrequest.h"
#include "execution/variables.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"
#include "support/rows.h"
#include "support/sendwait.h"
#include "support/socks5testproxy.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QUrlQuery>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

std::optional<APIEnvironment> variables(QList<KeyValuePair> rows)
{
    return APIEnvironment {.name = u"Test"_s, .variables = std::move(rows), .isActive = true};
}

NetworkResult send(NetworkService& service, const APIRequest& request,
    const std::optional<APIEnvironment>& environment = std::nullopt)
{
    return sendAndWait(service, request, environment);
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

TEST_F(NetworkServiceTest, rowsAuthAndBodyArriveAsComposed)
{
    const auto env = variables({row(u"v"_s, u"subst"_s), row(u"tok"_s, u"secret"_s),
        row(u"none"_s, u""_s), row(u"n"_s, u"7"_s)});
    const QString body = u"{\"n\":{{n}}}"_s;
    const struct {
        APIRequest request;
        QByteArrayView name;
        std::optional<QByteArray> value; // none: the field must be absent
        QByteArray body;
        QByteArray target = "/";
    } cases[] = {
        {{.url = u"/p?a=1"_s, .queryParams = {row(u"b"_s, u"2"_s)}}, "Content-Length", {}, "",
            "/p?a=1&b=2"},
        {{.url = u"/p?x=a+b"_s,
             .headers = {row(u"X-Off"_s, u"1"_s, false)},
             .queryParams = {row(u"b"_s, u"2"_s, false), row(u""_s, u"v"_s)}},
            "X-Off", {}, "", "/p?x=a+b"},
        // A typed query goes out as typed: "+" keeps meaning a space, nothing is re-encoded.
        {{.url = u"/s?pretty&t=2015-07-01T20:10:51.781Z&_source=name,reviews&q=a+b&c=%3A"_s},
            "Content-Type", {}, "",
            "/s?pretty&t=2015-07-01T20:10:51.781Z&_source=name,reviews&q=a+b&c=%3A"},
        {{.url = u"/p"_s,
             .queryParams = {row(u"q"_s, u"a+b&c=d#e%f g/é"_s), row(u"k&=+"_s, u"{{v}}"_s)}},
            "Content-Type", {}, "", "/p?q=a%2Bb%26c%3Dd%23e%25f%20g%2F%C3%A9&k%26%3D%2B=subst"},
        {{.authType = AuthType::bearer, .authToken = u"{{none}}"_s}, "Authorization", {}},
        {{.headers = {row(u"X-Empty"_s, u""_s)}}, "X-Empty", ""},
        // A line break cannot start a header line of its own.
        {{.headers = {row(u"X-Line"_s, u"a\r\nX-Injected: 1"_s)}}, "X-Line", "a  X-Injected: 1"},
        {{.headers = {row(u"authorization"_s, u"mine"_s)},
             .authType = AuthType::bearer,
             .authToken = u"{{tok}}"_s},
            "Authorization", "Bearer secret"},
        {{.authType = AuthType::basic, .authToken = u"us er:pa:ss"_s}, "Authorization",
            "Basic dXMgZXI6cGE6c3M="},
        {{.authType = AuthType::apiKey, .authToken = u"{{tok}}"_s}, "X-API-Key", "secret"},
        {{.method = HTTPMethod::post, .bodyType = RequestBodyType::json, .body = body},
            "Content-Type", "application/json", R"({"n":7})"},
        {{.method = HTTPMethod::put,
             .headers = {row(u"content-type"_s, u"text/plain"_s)},
             .bodyType = RequestBodyType::json,
             .body = body},
            "Content-Type", "text/plain", R"({"n":7})"},
        {{.method = HTTPMethod::patch, .bodyType = RequestBodyType::raw, .body = body},
            "Content-Type", {}, R"({"n":7})"},
        // A GET carries a body the user filled (search APIs read their query from it); an
        // empty one, or any on HEAD, is not sent.
        {{.method = HTTPMethod::get, .bodyType = RequestBodyType::json, .body = body},
            "Content-Type", "application/json", R"({"n":7})"},
        {{.method = HTTPMethod::get, .bodyType = RequestBodyType::raw, .body = u"{{none}}"_s},
            "Content-Length", {}},
        {{.method = HTTPMethod::head, .bodyType = RequestBodyType::raw, .body = body},
            "Content-Length", {}},
        {{}, "User-Agent", "Mako/1.0"},
        {{.method = HTTPMethod::delete_, .bodyType = RequestBodyType::none, .body = body},
            "Content-Type", {}},
        // Any other method goes out by its name, with the body it has.
        {{.method = HTTPMethod::custom, .customMethod = u"PURGE"_s}, "Content-Length", {}},
        {{.method = HTTPMethod::custom,
             .customMethod = u"PROPFIND"_s,
             .headers = {row(u"Depth"_s, u"1"_s)},
             .bodyType = RequestBodyType::raw,
             .body = u"<propfind xmlns=\"DAV:\"><allprop/></propfind>"_s},
            "Depth", "1", R"(<propfind xmlns="DAV:"><allprop/></propfind>)"},
    };
    for (const auto& c : cases) {
        const RecordedRequest received = roundTrip(c.request, env);
        const std::string name = c.name.toByteArray().toStdString();
        EXPECT_EQ(received.target, c.target) << name;
        EXPECT_EQ(received.method, methodName(c.request).toLatin1()) << name;
        EXPECT_EQ(received.header(c.name), c.value.value_or("")) << name;
        EXPECT_EQ(headerCount(received, c.name), c.value ? 1 : 0) << name;
        EXPECT_EQ(received.body, c.body) << name;
        EXPECT_EQ(headerCount(received, "Expect"), 0) << name;
    }
}

// What goes out of a body: an empty one declares no type, a JSON body loses its comments
// (never inside a string), and GraphQL variables keep the order and spelling they were typed in.
TEST_F(NetworkServiceTest, bodiesGoOutEmptyWithoutTypeAndJsonWithoutComments)
{
    const auto env = variables({row(u"none"_s, u""_s), row(u"n"_s, u"7"_s)});
    const QString commented = uR"({
  // who orders
  "customer": "ana//shop", /* the id */ "id": {{n}},
  "note": "say \"/* hi */\" \\", // trailing
  "path": "/*"
} /* never closed)"_s;
    const QByteArray stripped = R"({
  
  "customer": "ana//shop",  "id": 7,
  "note": "say \"/* hi */\" \\", 
  "path": "/*"
} )";
    const APIRequest graphQL = makeGraphQLHTTPRequest(APIRequest {
        .graphqlQuery = u"query($b: Float) { t(b: $b) }"_s,
        .graphqlVariables = uR"({"b": 1.50, "a": [1e2, "x"]})"_s,
    });
    const struct {
        APIRequest request;
        std::optional<QByteArray> contentType; // none: the field must be absent
        QByteArray body;
    } cases[] = {
        {{.method = HTTPMethod::post, .bodyType = RequestBodyType::json}, {}, ""},
        {{.method = HTTPMethod::put, .bodyType = RequestBodyType::json, .body = u"{{none}}"_s}, {},
            ""},
        {{.method = HTTPMethod::post,
             .queryParams = {row(u"off"_s, u"1"_s, false)},
             .bodyType = RequestBodyType::formData},
            {}, ""},
        {{.method = HTTPMethod::post, .bodyType = RequestBodyType::json, .body = commented},
            "application/json", stripped},
        // A raw body is the user's text, whatever it holds.
        {{.method = HTTPMethod::post, .bodyType = RequestBodyType::raw, .body = u"a // b"_s}, {},
            "a // b"},
        {graphQL, "application/json",
            R"({"query":"query($b: Float) { t(b: $b) }","variables":{"b": 1.50, "a": [1e2, "x"]}})"},
    };
    for (const auto& c : cases) {
        const RecordedRequest received = roundTrip(c.request, env);
        SCOPED_TRACE(c.request.body.toStdString());
        EXPECT_EQ(received.header("Content-Type"), c.contentType.value_or(""));
        EXPECT_EQ(headerCount(received, "Content-Type"), c.contentType ? 1 : 0);
        EXPECT_EQ(received.body, c.body);
        EXPECT_EQ(received.header("Content-Length"), QByteArray::number(c.body.size()));
    }
}

TEST_F(NetworkServiceTest, dynamicVariablesGoOutDrawnInTheURLQueryAndHeaders)
{
    const RecordedRequest received = roundTrip({.url = u"/d?u={{$guid}}&t={{$timestamp}}"_s,
        .headers = {row(u"X-Request-Id"_s, u"{{$guid}}"_s)},
        .queryParams = {row(u"q"_s, u"{{$guid}}"_s)}});
    const QUrlQuery query(
        QString::fromLatin1(received.target.mid(received.target.indexOf('?') + 1)));
    const QStringList ids {query.queryItemValue(u"u"_s), query.queryItemValue(u"q"_s),
        QString::fromLatin1(received.header("X-Request-Id"))};
    for (const QString& id : ids)
        EXPECT_FALSE(QUuid::fromString(id).isNull()) << received.target.toStdString();
    EXPECT_TRUE(ids[0] != ids[1] && ids[1] != ids[2]);
    EXPECT_GT(query.queryItemValue(u"t"_s).toLongLong(), 1'700'000'000);
}

TEST_F(NetworkServiceTest, repeatedHeaderRowsEachArriveInOrder)
{
    using Fields = QList<std::pair<QByteArray, QByteArray>>;
    const auto env = variables({row(u"v"_s, u"subst"_s), row(u"tok"_s, u"secret"_s)});
    const auto twoTypes = QList {row(u"Content-Type"_s, u"text/plain"_s), row(u"X-Mid"_s, u"m"_s),
        row(u"content-type"_s, u"text/csv"_s)};
    const struct {
        const char* name;
        APIRequest request;
        QList<QByteArray> names; // the fields of these names that arrive, in arrival order
        Fields fields;
    } cases[] = {
        {"same name in two cases",
            {.headers = {row(u"Accept"_s, u"a/1"_s), row(u"accept"_s, u"b/2"_s)}}, {"Accept"},
            {{"Accept", "a/1"}, {"accept", "b/2"}}},
        {"others between, substituted, a disabled third",
            {.headers = {row(u"X-Dup"_s, u"one"_s), row(u"X-Other"_s, u"o"_s),
                 row(u"X-Dup"_s, u"two"_s, false), row(u"X-Dup"_s, u"{{v}}"_s),
                 row(u"X-Dup"_s, u""_s)}},
            {"X-Dup", "X-Other"},
            {{"X-Dup", "one"}, {"X-Other", "o"}, {"X-Dup", "subst"}, {"X-Dup", ""}}},
        // What Mako adds itself gives way to the rows, all of them.
        {"user agent", {.headers = {row(u"User-Agent"_s, u"a"_s), row(u"User-Agent"_s, u"b"_s)}},
            {"User-Agent"}, {{"User-Agent", "a"}, {"User-Agent", "b"}}},
        {"json content type",
            {.method = HTTPMethod::post,
                .headers = twoTypes,
                .bodyType = RequestBodyType::json,
                .body = u"{}"_s},
            {"Content-Type", "X-Mid"},
            {{"Content-Type", "text/plain"}, {"X-Mid", "m"}, {"content-type", "text/csv"}}},
        // The auth and the form's boundary replace every row of their name, in the first's place.
        {"auth",
            {.headers = {row(u"authorization"_s, u"mine"_s), row(u"X-Mid"_s, u"m"_s),
                 row(u"Authorization"_s, u"also mine"_s)},
                .authType = AuthType::bearer,
                .authToken = u"{{tok}}"_s},
            {"Authorization", "X-Mid"}, {{"Authorization", "Bearer secret"}, {"X-Mid", "m"}}},
        {"form",
            {.method = HTTPMethod::post,
                .headers = twoTypes,
                .queryParams = {row(u"f"_s, u"1"_s)},
                .bodyType = RequestBodyType::formData},
            {"X-Mid"}, {{"X-Mid", "m"}}},
    };
    for (const auto& c : cases) {
        const RecordedRequest received = roundTrip(c.request, env);
        Fields arrived;
        for (const auto& field : received.headers) {
            if (std::any_of(c.names.cbegin(), c.names.cend(), [&](const QByteArray& name) {
                    return field.first.compare(name, Qt::CaseInsensitive) == 0;
                }))
                arrived.append(field);
        }
        EXPECT_EQ(arrived, c.fields) << c.name;
    }
    const RecordedRequest form = roundTrip(cases[5].request);
    EXPECT_EQ(headerCount(form, "Content-Type"), 1);
    EXPECT_TRUE(form.header("Content-Type").startsWith("multipart/form-data; boundary="));
}

TEST_F(NetworkServiceTest, whatMayNotStandRawInAURLGoesOutEncoded)
{
    const auto env = variables({row(u"seg"_s, u"a b"_s), row(u"val"_s, u"<v>"_s)});
    const struct {
        QString typed; // after the peer's base URL
        QByteArray target;
        QList<KeyValuePair> queryRows = {};
    } cases[] = {
        {u"/ ? = x"_s, "/%20?%20=%20x"},
        {u"/\"?\"me\""_s, "/%22?%22me%22"},
        {u"/<?<=>"_s, "/%3C?%3C=%3E"},
        {u"/>?>"_s, "/%3E?%3E"},
        {u"/{id}?{=}"_s, "/%7Bid%7D?%7B=%7D"},
        {u"/|?|"_s, "/%7C?%7C"},
        {u"/\\?\\"_s, "/%5C?%5C"},
        {u"/^?^"_s, "/%5E?%5E"},
        {u"/`?`"_s, "/%60?%60"},
        {u"/profiles/{id}/directors?profileId=<profileId>"_s,
            "/profiles/%7Bid%7D/directors?profileId=%3CprofileId%3E"},
        // Encoded already: sent as it is; only a lone "%" is encoded.
        {u"/a%20b%2F?q=%20&r=100%&s=%zz"_s, "/a%20b%2F?q=%20&r=100%25&s=%25zz"},
        // Substitution comes first; what a value brings is encoded with the rest.
        {u"/{{seg}}?q={{val}}"_s, "/a%20b?q=%3Cv%3E"},
        {u"/q?a=\"1\""_s, "/q?a=%221%22&b=%222%202%22", {row(u"b"_s, u"\"2 2\""_s)}},
        {u"/t \t"_s, "/t"},
        // What was allowed raw stays raw.
        {u"/a[1]/b;c=d,e?x=[1]&y=a+b&z=a/b?c:d@e!$'()*"_s,
            "/a[1]/b;c=d,e?x=[1]&y=a+b&z=a/b?c:d@e!$'()*"},
    };
    for (const auto& c : cases) {
        const QString typed = server.baseUrl() + c.typed;
        const RecordedRequest received
            = roundTrip(APIRequest {.url = c.typed, .queryParams = c.queryRows}, env);
        EXPECT_EQ(received.target, c.target) << c.typed.toStdString();
        // The line under the URL field shows what buildURL gives: exactly what was sent.
        const auto shown = buildURL(substituteVariables(typed, env), c.queryRows, env);
        EXPECT_EQ(shown ? shown->toString(QUrl::FullyEncoded) : u"(none)"_s,
            server.baseUrl() + QString::fromLatin1(received.target))
            << c.typed.toStdString();
    }
}

TEST_F(NetworkServiceTest, formDataRowsGoOnlyIntoTheBodySubstituted)
{
    // The rows of a form live in the query list; none of them may leak into the URL.
    const QList<KeyValuePair> params {row(u"a"_s, u"{{v}}"_s), row(u"b"_s, u"2"_s, false)};
    for (const HTTPMethod method : {HTTPMethod::post, HTTPMethod::get}) {
        const RecordedRequest received
            = roundTrip(APIRequest {.url = u"/f?keep=1"_s,
                            .method = method,
                            .headers = {row(u"Content-Type"_s, u"text/plain"_s)},
                            .queryParams = params,
                            .bodyType = RequestBodyType::formData},
                variables({row(u"v"_s, u"x y"_s)}));
        EXPECT_EQ(received.target, "/f?keep=1");
        EXPECT_EQ(received.method, rawValue(method).toLatin1());
        const QByteArray type = received.header("Content-Type");
        ASSERT_TRUE(type.startsWith("multipart/form-data; boundary=Mako-"));
        const QString boundary = QString::fromLatin1(type.sliced(type.indexOf('=') + 1));
        EXPECT_EQ(
            received.body, MultipartBuilder::buildBody({row(u"a"_s, u"x y"_s)}, {}, {}, boundary));
    }
    // A GET form without a single field sends nothing at all.
    const RecordedRequest empty = roundTrip(APIRequest {.url = u"/e"_s,
        .queryParams = {row(u"off"_s, u"1"_s, false)},
        .bodyType = RequestBodyType::formData});
    EXPECT_EQ(empty.target, "/e");
    EXPECT_EQ(headerCount(empty, "Content-Type"), 0);
    EXPECT_EQ(headerCount(empty, "Content-Length"), 0);
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
    const QString moved = server.baseUrl() + u"/moved"_s;
    const APIResponse reply = response(send(service, APIRequest {.url = moved}));
    EXPECT_EQ(reply.statusCode, 404);
    EXPECT_EQ(reply.body, "nope");
    EXPECT_EQ(reply.headers.value(u"X-Multi"_s), u"a, b"_s);
    EXPECT_FALSE(reply.headers.contains(u"Location"_s));
    EXPECT_EQ(reply.httpVersion, u"HTTP/1.1"_s);
    EXPECT_GT(reply.duration, 0);
    EXPECT_GE(reply.duration, reply.timingPhases.transfer);

    // A redirected PUT goes again as a PUT with its body; only a POST becomes a GET.
    for (const HTTPMethod method : {HTTPMethod::put, HTTPMethod::post}) {
        send(service,
            APIRequest {.url = moved,
                .method = method,
                .bodyType = RequestBodyType::raw,
                .body = u"data"_s});
        const RecordedRequest redirected = server.requests().last();
        EXPECT_EQ(redirected.target, "/missing");
        EXPECT_EQ(redirected.method, method == HTTPMethod::put ? "PUT" : "GET");
        EXPECT_EQ(redirected.body, method == HTTPMethod::put ? "data" : "");
    }

    service.updateSettings(NetworkSettings {.followRedirects = false});
    EXPECT_EQ(response(send(service, APIRequest {.url = moved})).statusCode, 302);
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
    const QString base = server.baseUrl();
    const QString timedOut = u"Request timed out — the server didn't respond in time. Try "
                             "increasing the timeout in Preferences."_s;
    quint16 closedPort = 0;
    {
        HttpTestServer gone;
        closedPort = gone.port();
    }
    HttpTestServer tls(HttpTestServer::Tls::SelfSigned);
    // Without a scheme the URL is sent as https.
    const QString secure = tls.baseUrl().mid(8) + u"/secure"_s;
    const struct {
        QString url;
        QString text;
        bool wholeText = true; // false: the text only starts the sentence
    } cases[] = {
        {u""_s, u"Please enter a URL"_s},
        {u"{{blank}}"_s, u"Please enter a URL"_s},
        {u"{{base}}/items"_s,
            u"Invalid URL: {{base}} is not defined in the active environment or the global "
            "variables"_s},
        {u"https://{{host}}:{{port}}/{{host}}"_s,
            u"Invalid URL: {{host}}, {{port}} are not defined in the active environment or the "
            "global variables"_s},
        {u"http://exa mple/a"_s, u"Invalid URL: http://exa mple/a"_s},
        // Left over, a placeholder is not sent encoded.
        {u"http://127.0.0.1/{{id}}?q=1"_s,
            u"Invalid URL: {{id}} is not defined in the active environment or the global "
            "variables"_s},
        {u"file:///etc/hostname"_s, u"Server returned an invalid response"_s},
        {base + u"/slow"_s, timedOut},
        {base + u"/stall"_s, timedOut},
        {base + u"/trickle"_s, timedOut},
        {base + u"/cut"_s, u"Network error: "_s, false},
        {u"http://127.0.0.1:%1/"_s.arg(closedPort), u"Network error: "_s, false},
        // A TLS handshake with a peer that speaks plain HTTP.
        {QString(base).replace(u"http:"_s, u"https:"_s),
            u"SSL connection failed. If using a self-signed certificate, disable SSL "
            "verification in Preferences."_s},
        {secure,
            u"Server certificate is not trusted. Disable SSL verification in Preferences "
            "for self-signed certs."_s},
    };
    for (const auto& c : cases) {
        // The first seven fail before the network: nothing reaches the server.
        if (&c == &cases[7]) {
            EXPECT_TRUE(server.requests().isEmpty());
        }
        const QString text
            = errorText(send(service, APIRequest {.url = c.url}, variables({row(u"blank"_s, {})})));
        EXPECT_EQ(c.wholeText ? text : text.left(c.text.size()), c.text) << c.url.toStdString();
    }

    // The trust flag takes effect with the next request.
    service.sslDelegate().verifySSL = false;
    const APIResponse reply = response(send(service, APIRequest {.url = secure}));
    EXPECT_EQ(reply.statusCode, 200);
    EXPECT_GE(reply.timingPhases.tlsHandshake, 0);
    ASSERT_EQ(tls.requests().size(), 1);
    EXPECT_EQ(tls.requests().first().target, "/secure");
}

// The cookies a reply sets come back with the next request, beside the user's own for that
// one; every hop of a redirect sets its cookies for the URL requested there.
TEST_F(NetworkServiceTest, cookiesComeBackAndEveryHopSetsThemForItsOwnUrl)
{
    server.setHandler([](const RecordedRequest& request) {
        if (request.target == "/login")
            return ScriptedResponse {.headers = {{"Set-Cookie", "sid=abc; Path=/"}}};
        if (request.target.startsWith("/cookies/set"))
            return ScriptedResponse {.status = 302,
                .headers = {{"Location", "/cookies"}, {"set-cookie", "x=1; Path=/"}}};
        if (request.target == "/cookies")
            return ScriptedResponse {.headers = {{"Set-Cookie", "y=2"}, {"Set-Cookie", "z=3"}}};
        if (request.target.startsWith("/response-headers?")) {
            const QUrlQuery query(QUrl(QString::fromLatin1(request.target)));
            return ScriptedResponse {
                .headers = {{"Set-Cookie",
                    query.queryItemValue(u"Set-Cookie"_s, QUrl::FullyDecoded).toUtf8()}}};
        }
        return echoResponse(request);
    });
    roundTrip(APIRequest {.url = u"/login"_s});
    EXPECT_EQ(roundTrip(APIRequest {.url = u"/next"_s}).header("Cookie"), "sid=abc");
    const RecordedRequest own
        = roundTrip(APIRequest {.url = u"/own"_s, .headers = {row(u"cookie"_s, u"mine=1"_s)}});
    EXPECT_EQ(own.header("Cookie"), "sid=abc; mine=1");
    EXPECT_EQ(headerCount(own, "Cookie"), 1);
    // The user's own cookie belonged to that request alone.
    EXPECT_EQ(roundTrip(APIRequest {.url = u"/after"_s}).header("Cookie"), "sid=abc");
    // One connection served them all.
    EXPECT_EQ(server.connectionCount(), 1);

    const APIResponse redirected
        = response(send(service, APIRequest {.url = server.baseUrl() + u"/cookies/set?x=1"_s}));
    EXPECT_EQ(redirected.setCookies,
        QList<SetCookieField>({{server.baseUrl() + u"/cookies/set?x=1"_s, "x=1; Path=/"},
            {server.baseUrl() + u"/cookies"_s, "y=2"}, {server.baseUrl() + u"/cookies"_s, "z=3"}}));
    // What a strict parse of the URL as shown refuses ("%20" shows as a space) is no matter.
    const APIResponse spaced = response(send(service,
        APIRequest {
            .url = server.baseUrl() + u"/response-headers?Set-Cookie=theme=dark;%20Path=/"_s}));
    ASSERT_EQ(spaced.setCookies.size(), 1);
    EXPECT_EQ(spaced.setCookies.first().value, "theme=dark; Path=/");
    const QList<QNetworkCookie> cookies = CookieManager::cookiesSet(spaced.setCookies);
    ASSERT_EQ(cookies.size(), 1);
    EXPECT_EQ(cookies.first().domain(), u"127.0.0.1"_s);
}

TEST_F(NetworkServiceTest, manyRequestsRunAtOnceAndCancelAlone)
{
    server.setHandler([](const RecordedRequest& request) {
        return ScriptedResponse {
            .body = request.target, .delayMs = request.target == "/0" ? 10000 : 200};
    });
    QObject context;
    QEventLoop loop;
    QStringList outcomes;
    constexpr int kCount = 8;
    QList<TransferHandle> handles;
    for (int i = 0; i < kCount; ++i) {
        handles.append(service.execute(APIRequest {.url = server.baseUrl() + u"/%1"_s.arg(i)},
            std::nullopt, &context, [&](const NetworkResult& outcome) {
                const auto* reply = std::get_if<APIResponse>(&outcome);
                outcomes.append(reply ? QString::fromLatin1(reply->body) : errorText(outcome));
                if (outcomes.size() == kCount)
                    loop.quit();
            }));
    }
    // A time-out preference of 0 means 30 seconds, for the requests started from now on.
    service.updateTimeout(0);
    EXPECT_EQ(service.settings().requestTimeout, 30);
    ASSERT_TRUE(server.waitForRequests(kCount));
    handles[0].cancel();
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    outcomes.sort();
    EXPECT_EQ(outcomes,
        (QStringList {u"/1"_s, u"/2"_s, u"/3"_s, u"/4"_s, u"/5"_s, u"/6"_s, u"/7"_s,
            u"Request was cancelled."_s}));
    EXPECT_GT(server.connectionCount(), 1);
}

TEST_F(NetworkServiceTest, aTransferEndsWhenItsContextGoes)
{
    server.setHandler([](const RecordedRequest&) { return ScriptedResponse {.delayMs = 20000}; });
    bool called = false;
    {
        QObject editor;
        service.execute(APIRequest {.url = server.baseUrl() + u"/slow"_s}, std::nullopt, &editor,
            [&](const NetworkResult&) { called = true; });
        ASSERT_TRUE(server.waitForRequests(1));
    }
    // The peer sees the connection close long before the reply would have come.
    EXPECT_TRUE(server.waitForClosedConnections(1));
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

TEST(NetworkServiceProxy, proxyAndDefaultUserAgentApply)
{
    HttpTestServer proxy;
    NetworkService service(NetworkSettings {.defaultUserAgent = u"Mako/2.0"_s,
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
    EXPECT_EQ(received[0].header("User-Agent"), "Mako/2.0");
    EXPECT_EQ(received[1].header("User-Agent"), "me");
    EXPECT_EQ(headerCount(received[1], "User-Agent"), 1);
}

// With no proxy of its own, a request follows http_proxy only when the system's proxy is
// chosen; loopback names never go through it. A name needs no lookup on its way through a
// proxy, and 127.0.0.1 written in its IPv6 form is an address that is not among those names.
TEST(NetworkServiceProxy, theEnvironmentsProxyAppliesOnlyWhenTheSystemsIsChosen)
{
    HttpTestServer proxy;
    HttpTestServer direct;
    const QByteArray saved = qgetenv("http_proxy");
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(proxy.port()));
    const QString named = u"http://api.proxied.test/a"_s;
    const QString mapped = u"http://[::ffff:127.0.0.1]:%1/b"_s.arg(direct.port());

    NetworkService system {NetworkSettings {}};
    for (const QString& url : {named, mapped, direct.baseUrl() + u"/c"_s})
        response(send(system, APIRequest {.url = url}));
    NetworkService none {NetworkSettings {.proxy = {.useSystem = false}}};
    response(send(none, APIRequest {.url = mapped}));
    if (saved.isNull())
        qunsetenv("http_proxy");
    else
        qputenv("http_proxy", saved);

    const QList<RecordedRequest> proxied = proxy.requests();
    ASSERT_EQ(proxied.size(), 2);
    EXPECT_EQ(proxied[0].target, named.toUtf8());
    const QByteArray mappedEnd = ':' + QByteArray::number(direct.port()) + "/b";
    EXPECT_TRUE(proxied[1].target.startsWith("http://[")) << proxied[1].target.toStdString();
    EXPECT_TRUE(proxied[1].target.endsWith(mappedEnd)) << proxied[1].target.toStdString();
    QByteArrayList reached;
    for (const RecordedRequest& request : direct.requests())
        reached.append(request.target);
    EXPECT_EQ(reached.join(' '), "/c /b");
}

// A SOCKS5 proxy is asked for the server by name (it looks the name up itself) and given the
// credentials; the request then goes through it unchanged.
TEST(NetworkServiceProxy, aSocks5ProxyCarriesTheRequestAndGetsTheCredentials)
{
    HttpTestServer server;
    Socks5TestProxy socks(server.port());
    NetworkService service(NetworkSettings {.proxy = {.enabled = true,
                                                .type = ProxySettings::Type::socks5,
                                                .host = u"127.0.0.1"_s,
                                                .port = socks.port(),
                                                .authenticate = true,
                                                .username = u"ann"_s,
                                                .password = u"s0cks"_s}});
    EXPECT_EQ(
        response(send(service, APIRequest {.url = u"http://api.socks.test:8080/s"_s})).statusCode,
        200);
    const QList<Socks5TestProxy::Connect> connects = socks.connects();
    ASSERT_EQ(connects.size(), 1);
    EXPECT_EQ(connects[0].destination, "api.socks.test:8080");
    EXPECT_EQ(connects[0].username + ':' + connects[0].password, "ann:s0cks");
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].target, "/s");
    EXPECT_EQ(server.requests()[0].header("Host"), "api.socks.test:8080");
}
