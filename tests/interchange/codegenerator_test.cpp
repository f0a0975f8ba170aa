#include "fixture.h"
#include "interchange/codegenerator.h"
#include "interchange/curlparser.h"
#include "interchange/snippetrequest.h"
#include "support/qtprinters.h"
#include "support/rows.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

// Repeated headers, skipped rows, the encoded query and the dropped fragment are checked by
// running the snippets (generatedcode_run_test.cpp).
TEST(CodeGenerator, urlGetsTheQueryRowsAsSendingAppendsThem)
{
    struct Case {
        QString url;
        QList<KeyValuePair> rows;
        QString expected;
    };
    const Case cases[] {
        {u"h.test/päth"_s, {}, u"https://h.test/p%C3%A4th"_s},
        {u"{{base}}/users"_s, {row(u"page"_s, u"{{page}}"_s)}, u"{{base}}/users?page={{page}}"_s},
        // Dynamic variables stay as written: a snippet that ran twice would want two values.
        {u"https://h.test/u?t={{$timestamp}}"_s, {row(u"id"_s, u"{{$guid}}"_s)},
            u"https://h.test/u?t={{$timestamp}}&id={{$guid}}"_s},
        {u"https://h.test/a?"_s, {row(u"k"_s, u""_s)}, u"https://h.test/a?k="_s},
    };
    for (const Case& c : cases) {
        const APIRequest request {.url = c.url, .queryParams = c.rows};
        EXPECT_EQ(CodeGenerator::buildURLWithParams(request), c.expected) << c.url.toStdString();
    }
}

TEST(CodeGenerator, bodiesFollowTheEngineAndAFormKeepsItsFieldsOutOfTheURL)
{
    const APIRequest get {.headers = {}, .bodyType = RequestBodyType::json, .body = u"{}"_s};
    EXPECT_EQ(snippetRequest(get).body, u"{}"_s);
    EXPECT_FALSE(snippetRequest(APIRequest {.bodyType = RequestBodyType::raw}).body.has_value());
    EXPECT_TRUE(CodeGenerator::generate(2, get).startsWith(u"// fetch() refuses"_s));
    // A JSON body goes out without its comments, and an empty one declares no type.
    const auto contentTypes = [](const SnippetRequest& snippet) {
        return std::count_if(snippet.headers.cbegin(), snippet.headers.cend(),
            [](const auto& header) { return header.name == u"Content-Type"_s; });
    };
    const SnippetRequest commented = snippetRequest({.method = HTTPMethod::post,
        .bodyType = RequestBodyType::json,
        .body = u"{\"a\": \"//x\" /* id */}"_s});
    EXPECT_EQ(commented.body, u"{\"a\": \"//x\" }"_s);
    EXPECT_EQ(contentTypes(commented), 1);
    const SnippetRequest empty = snippetRequest(
        {.method = HTTPMethod::post, .bodyType = RequestBodyType::json, .body = u"// none"_s});
    EXPECT_EQ(contentTypes(empty), 0);
    const APIRequest form {.url = u"https://h.test/f"_s,
        .method = HTTPMethod::post,
        .queryParams = {row(u"a"_s, u"1"_s), row(u"b"_s, u"2"_s, false)},
        .bodyType = RequestBodyType::formData};
    EXPECT_EQ(snippetRequest(form).formFields.value_or(QList<SnippetRequest::Header> {}).size(), 1);
    EXPECT_EQ(CodeGenerator::buildURLWithParams(form), u"https://h.test/f"_s);
    EXPECT_EQ(CodeGenerator::generate(8, form), u""_s);
}

TEST(CodeGenerator, curlLayoutAndRoundTripThroughTheImport)
{
    struct Case {
        APIRequest request;
        QString expected;
    };
    // HEAD needs -I and braces need -g; a body without a type must not get curl's form type.
    const Case cases[] {
        {APIRequest {.url = u"https://h.test/x"_s}, u"curl -X GET \\\n  'https://h.test/x'"_s},
        {APIRequest {.url = u"{{base}}/x"_s, .method = HTTPMethod::head},
            u"curl -I -g \\\n  '{{base}}/x'"_s},
        {APIRequest {.url = u"h.test"_s,
             .method = HTTPMethod::post,
             .bodyType = RequestBodyType::raw,
             .body = u"b"_s},
            u"curl -X POST \\\n  -H 'Content-Type:' \\\n  --data-raw 'b' \\\n  'https://h.test'"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CodeGenerator::generateCurl(c.request), c.expected);

    const APIRequest hostile {.url = u"https://h.test/a"_s,
        .method = HTTPMethod::put,
        .headers = {row(u"X-Q"_s, u"it's \"q\" $HOME `id` \\"_s)},
        .bodyType = RequestBodyType::raw,
        .body = u"line1\n'; rm -rf / #\n$(id) `id` \\n é"_s,
        .authType = AuthType::bearer,
        .authToken = u"a'b"_s};
    const auto back = CurlParser::parse(CodeGenerator::generateCurl(hostile));
    EXPECT_EQ(back ? summary(back->request) : back.errorMessage(),
        u"a (h.test): PUT https://h.test/a H[X-Q=it's \"q\" $HOME `id` \\] "
        "Raw[line1\n'; rm -rf / #\n$(id) `id` \\n é] Bearer Token[a'b]"_s);
}

// The other literals are checked by running the snippets (generatedcode_run_test.cpp); Swift
// has no tool on the test machines, and the runs send no control character but line breaks.
TEST(CodeGenerator, literalsEscapeForTheirLanguage)
{
    EXPECT_EQ(
        doubleQuoted(u"a\"b\\c\nd\te\x01\u2028é"_s), u"\"a\\\"b\\\\c\\nd\\te\\x01\\u2028é\""_s);
    EXPECT_EQ(swiftQuoted(u"\\(x)\"\r\x7f"_s), u"\"\\\\(x)\\\"\\r\\u{7f}\""_s);
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

// Swift is the one language whose snippet is not run: a repeated name must be added to, not
// set, or the first value is lost.
TEST(CodeGenerator, swiftAddsARepeatedHeaderName)
{
    const APIRequest request {.url = u"https://h.test"_s,
        .headers = {row(u"Accept"_s, u"a/1"_s), row(u"accept"_s, u"b/2"_s)}};
    EXPECT_EQ(CodeGenerator::generateSwift(request).split(u'\n').mid(3, 2),
        QStringList({u"request.setValue(\"a/1\", forHTTPHeaderField: \"Accept\")"_s,
            u"request.addValue(\"b/2\", forHTTPHeaderField: \"accept\")"_s}));
}

// curl carries every challenge and signature kind as its own options, which the import reads
// back into the same request; the other languages say what to add, without the secret.
TEST(CodeGenerator, challengeAndSignatureKindsRenderWhereTheLibraryCan)
{
    const APIRequest digest {
        .url = u"https://h.test/a"_s, .authType = AuthType::digest, .authToken = u"ann:p'w"_s};
    const APIRequest kinds[] {
        digest,
        {.url = u"https://h.test/a"_s,
            .authType = AuthType::ntlm,
            .authToken = u"ann:pw"_s,
            .authDomain = u"CORP"_s},
        {.url = u"https://h.test/a"_s, .authType = AuthType::negotiate},
        {.url = u"https://s3.test/a"_s,
            .authType = AuthType::awsSigV4,
            .authToken = u"AK:{{secret}}"_s,
            .awsRegion = u"eu-west-1"_s,
            .awsService = u"s3"_s,
            .awsSessionToken = u"tok"_s},
    };
    for (const APIRequest& request : kinds) {
        const QString curl = CodeGenerator::generateCurl(request);
        const auto back = CurlParser::parse(curl, {.strict = true});
        ASSERT_TRUE(back.ok()) << curl.toStdString() << back.errorMessage().toStdString();
        APIRequest expected = back->request;
        expected.name = request.name;
        EXPECT_EQ(summary(expected), summary(request)) << curl.toStdString();
    }

    EXPECT_EQ(CodeGenerator::generatePython(digest).section(u'\n', 0, 3),
        u"import requests\nfrom requests.auth import HTTPDigestAuth\n\n"
        "response = requests.get(\"https://h.test/a\", auth=HTTPDigestAuth(\"ann\", \"p'w\"))"_s);

    // Every other language: one comment line naming the kind and the user, never the password,
    // and a user name that holds a line break still stays inside it.
    const APIRequest ntlm {
        .url = u"https://h.test/a"_s, .authType = AuthType::ntlm, .authToken = u"ann\nx:s3cret"_s};
    const QStringList languages = CodeGenerator::languages();
    for (int i = 1; i < languages.size(); ++i) {
        // k6 answers NTLM itself (k6script_test.cpp).
        if (languages[i] == u"k6"_s)
            continue;
        const QStringList lines = CodeGenerator::generate(i, ntlm).split(u'\n');
        const QString note = languages[i] == u"PHP"_s ? lines.value(1) : lines.value(0);
        SCOPED_TRACE(languages[i].toStdString());
        EXPECT_TRUE(note.startsWith(
            languages[i] == u"Python"_s || languages[i] == u"Ruby"_s ? u"# "_s : u"// "_s))
            << note.toStdString();
        EXPECT_TRUE(note.contains(u"NTLM authentication as \"ann\\nx\""_s)) << note.toStdString();
        EXPECT_FALSE(lines.join(u'\n').contains(u"s3cret"_s));
    }
}

// No language's usual library runs an OAuth grant: every snippet, curl's too, sends a Bearer
// header with a placeholder and says in its first comment line where the token comes from.
TEST(CodeGenerator, anOAuth2RequestSendsAPlaceholderTokenAndSaysWhereOneComesFrom)
{
    const APIRequest request {.url = u"https://h.test/me"_s,
        .authType = AuthType::oauth2,
        .authToken = u"kept-token"_s,
        .oauth2 = {.grant = OAuth2Grant::clientCredentials,
            .authUrl = {},
            .tokenUrl = u"https://id.test/token"_s,
            .clientId = u"app"_s,
            .scope = {},
            .audience = {},
            .extraParams = {},
            .clientAuth = OAuth2ClientAuth::basicHeader,
            .username = {},
            .redirectPort = 0}};
    const QStringList languages = CodeGenerator::languages();
    for (int i = 0; i < languages.size(); ++i) {
        SCOPED_TRACE(languages[i].toStdString());
        const QString code = CodeGenerator::generate(i, request);
        const QStringList lines = code.split(u'\n');
        const QString note = languages[i] == u"PHP"_s ? lines.value(1) : lines.value(0);
        EXPECT_TRUE(note.contains(u"OAuth 2.0 access token from \"https://id.test/token\""_s))
            << code.toStdString();
        EXPECT_TRUE(note.startsWith(u"# "_s) || note.startsWith(u"// "_s)) << note.toStdString();
        EXPECT_TRUE(code.contains(u"Bearer ACCESS_TOKEN"_s)) << code.toStdString();
        EXPECT_FALSE(code.contains(u"kept-token"_s));
    }
}
