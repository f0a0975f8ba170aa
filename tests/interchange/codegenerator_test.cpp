#include "interchange/codegenerator.h"
#include "interchange/curlparser.h"
#include "interchange/snippetrequest.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

KeyValuePair row(const QString& key, const QString& value, bool enabled = true)
{
    return KeyValuePair {.key = key, .value = value, .isEnabled = enabled};
}

QStringList headerLines(const SnippetRequest& outgoing)
{
    QStringList lines;
    for (const auto& header : outgoing.headers)
        lines.append(header.name + u": "_s + header.value);
    return lines;
}

} // namespace

TEST(CodeGenerator, urlGetsTheQueryRowsAsSendingAppendsThem)
{
    struct Case {
        QString url;
        QList<KeyValuePair> rows;
        QString expected;
    };
    const Case cases[] {
        {u"https://h.test/a?x=1"_s, {row(u"off"_s, u"1"_s, false), row(u""_s, u"v"_s)},
            u"https://h.test/a?x=1"_s},
        {u"https://h.test/a?x=1#frag"_s, {row(u"q"_s, u"a b&c=d"_s), row(u"ü"_s, u"€"_s)},
            u"https://h.test/a?x=1&q=a%20b%26c%3Dd&%C3%BC=%E2%82%AC"_s},
        {u"h.test/päth"_s, {}, u"https://h.test/p%C3%A4th"_s},
        {u"{{base}}/users"_s, {row(u"page"_s, u"{{page}}"_s)}, u"{{base}}/users?page={{page}}"_s},
        {u"https://h.test/a?"_s, {row(u"k"_s, u""_s)}, u"https://h.test/a?k="_s},
    };
    for (const Case& c : cases) {
        const APIRequest request {.url = c.url, .queryParams = c.rows};
        EXPECT_EQ(CodeGenerator::buildURLWithParams(request), c.expected) << c.url.toStdString();
    }
}

TEST(CodeGenerator, headersMergeByNameThenAuthThenBodyType)
{
    const APIRequest request {.method = HTTPMethod::post,
        .headers
        = {row(u"X-A"_s, u"1"_s), row(u"authorization"_s, u"mine"_s), row(u"x-a"_s, u"2"_s),
            row(u"X-Off"_s, u"x"_s, false), row(u""_s, u"x"_s), row(u"X-Empty"_s, u""_s)},
        .bodyType = RequestBodyType::json,
        .body = u"{}"_s,
        .authType = AuthType::bearer,
        .authToken = u"t"_s};
    EXPECT_EQ(headerLines(snippetRequest(request)),
        // The latest spelling of a name is the one sent, as the engine does.
        (QStringList {u"x-a: 2"_s, u"Authorization: Bearer t"_s, u"X-Empty: "_s,
            u"Content-Type: application/json"_s}));

    const APIRequest basic {.headers = {}, .authType = AuthType::basic, .authToken = u"ann:pä"_s};
    const APIRequest apiKey {.headers = {}, .authType = AuthType::apiKey, .authToken = u"k1"_s};
    for (int language = 0; language < CodeGenerator::languages().size(); ++language) {
        EXPECT_TRUE(CodeGenerator::generate(language, basic).contains(u"Basic YW5uOnDDpA=="_s))
            << language;
        EXPECT_TRUE(CodeGenerator::generate(language, apiKey).contains(u"X-API-Key"_s)) << language;
    }
    EXPECT_EQ(CodeGenerator::generate(7, basic), u""_s);

    // GET and HEAD send no body; a form body drops the Content-Type for its own.
    const APIRequest get {.headers = {}, .bodyType = RequestBodyType::json, .body = u"{}"_s};
    EXPECT_FALSE(snippetRequest(get).body.has_value());
    EXPECT_TRUE(headerLines(snippetRequest(get)).isEmpty());
    const APIRequest form {.method = HTTPMethod::post,
        .headers = {row(u"content-type"_s, u"x"_s)},
        .queryParams = {row(u"a"_s, u"1"_s), row(u"b"_s, u"2"_s, false)},
        .bodyType = RequestBodyType::formData};
    const SnippetRequest formOut = snippetRequest(form);
    EXPECT_TRUE(formOut.headers.isEmpty());
    ASSERT_TRUE(formOut.formFields.has_value());
    EXPECT_EQ(formOut.formFields->size(), 1);
}

TEST(CodeGenerator, curlLayoutAndRoundTripThroughTheImport)
{
    EXPECT_EQ(CodeGenerator::generateCurl(APIRequest {.url = u"https://h.test/x"_s}),
        u"curl -X GET \\\n  'https://h.test/x'"_s);

    const APIRequest hostile {.url = u"https://h.test/a"_s,
        .method = HTTPMethod::put,
        .headers = {row(u"X-Q"_s, u"it's \"q\" $HOME `id` \\"_s)},
        .bodyType = RequestBodyType::raw,
        .body = u"line1\n'; rm -rf / #\n$(id) `id` \\n é"_s,
        .authType = AuthType::bearer,
        .authToken = u"a'b"_s};
    const auto back = CurlParser::parse(CodeGenerator::generateCurl(hostile));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->method, HTTPMethod::put);
    EXPECT_EQ(back->url, hostile.url);
    EXPECT_EQ(back->body, hostile.body);
    EXPECT_EQ(back->authToken, hostile.authToken);
    EXPECT_EQ(back->headers.first().value, hostile.headers.first().value);
}

TEST(CodeGenerator, literalsEscapeForTheirLanguage)
{
    struct Case {
        QString (*quote)(const QString&);
        QString text;
        QString expected;
    };
    const Case cases[] {
        {shellQuoted, u"it's"_s, u"'it'\\''s'"_s},
        {doubleQuoted, u"a\"b\\c\nd\te\x01\u2028é"_s, u"\"a\\\"b\\\\c\\nd\\te\\x01\\u2028é\""_s},
        {swiftQuoted, u"\\(x)\"\r\x7f"_s, u"\"\\\\(x)\\\"\\r\\u{7f}\""_s},
        {singleQuoted, u"a'b\\c $x #{y}"_s, u"'a\\'b\\\\c $x #{y}'"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.quote(c.text), c.expected) << c.text.toStdString();

    // Swift has no tool on the test machines; its snippet keeps every value inside literals.
    const APIRequest request {.url = u"https://h.test"_s,
        .method = HTTPMethod::post,
        .headers = {row(u"X"_s, u"\"\\(evil)"_s)},
        .bodyType = RequestBodyType::raw,
        .body = u"\"\"\"\nx"_s};
    const QString swift = CodeGenerator::generateSwift(request);
    EXPECT_TRUE(
        swift.contains(u"request.setValue(\"\\\"\\\\(evil)\", forHTTPHeaderField: \"X\")"_s));
    EXPECT_TRUE(swift.contains(u"request.httpBody = \"\\\"\\\"\\\"\\nx\".data(using: .utf8)"_s));
}
