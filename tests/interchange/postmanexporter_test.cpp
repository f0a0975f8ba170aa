#include "fixture.h"
#include "interchange/postmanexporter.h"
#include "interchange/postmanimporter.h"
#include "support/qtprinters.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

QList<qsizetype> positions(const Collection& collection, const QList<QUuid>& ids)
{
    QList<qsizetype> result;
    for (const QUuid& id : ids)
        result.append(collection.requests.indexOf(
            *std::ranges::find(collection.requests, id, &APIRequest::id)));
    return result;
}

QList<KeyValuePair> withoutIds(QList<KeyValuePair> rows)
{
    for (KeyValuePair& row : rows)
        row.id = QUuid();
    return rows;
}

APIRequest withoutIds(APIRequest request)
{
    request.id = QUuid();
    request.createdAt = request.updatedAt = 0;
    request.headers = withoutIds(request.headers);
    request.queryParams = withoutIds(request.queryParams);
    return request;
}

// Equal apart from ids and timestamps, which every import makes afresh.
void expectSame(const Collection& expected, const Collection& actual)
{
    EXPECT_EQ(actual.name, expected.name);
    EXPECT_EQ(rowsText(actual.variables), rowsText(expected.variables));
    EXPECT_EQ(actual.preRequestScript, expected.preRequestScript);
    EXPECT_EQ(actual.testScript, expected.testScript);
    APIRequest expectedAuth, actualAuth;
    copyAuth(expected, expectedAuth);
    copyAuth(actual, actualAuth);
    EXPECT_TRUE(withoutIds(actualAuth) == withoutIds(expectedAuth))
        << summary(actualAuth).toStdString() << " vs " << summary(expectedAuth).toStdString();
    ASSERT_EQ(actual.requests.size(), expected.requests.size());
    for (qsizetype index = 0; index < expected.requests.size(); ++index) {
        const APIRequest request = withoutIds(actual.requests[index]);
        EXPECT_EQ(summary(request), summary(expected.requests[index]));
        EXPECT_TRUE(request == withoutIds(expected.requests[index]))
            << summary(request).toStdString();
    }
    ASSERT_EQ(actual.folders.size(), expected.folders.size());
    for (qsizetype index = 0; index < expected.folders.size(); ++index) {
        const CollectionFolder& want = expected.folders[index];
        const CollectionFolder& got = actual.folders[index];
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.preRequestScript, want.preRequestScript);
        EXPECT_EQ(got.testScript, want.testScript);
        EXPECT_EQ(positions(actual, got.requestIDs), positions(expected, want.requestIDs));
    }
}

Collection reimported(const Collection& collection)
{
    const auto result
        = PostmanImporter::importCollection(PostmanExporter::exportCollection(collection).bytes);
    EXPECT_TRUE(result.ok()) << result.errorMessage().toStdString();
    return result.ok() ? result->collection : Collection {};
}

APIRequest request(const QString& name, AuthType auth, const QString& token = {})
{
    return APIRequest {.name = name,
        .url = u"{{base}}/"_s + name,
        .headers = {},
        .queryParams = {},
        .authType = auth,
        .authToken = token};
}

} // namespace

TEST(PostmanExporter, everyFixtureReadsBackAsItWasImported)
{
    const QDir folder(QStringLiteral(MAKO_TEST_DATA_DIR "/postman"));
    const QStringList files = folder.entryList({u"*.postman_collection.json"_s});
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const auto first = PostmanImporter::importCollection(fixture(u"postman/"_s + file));
        ASSERT_TRUE(first.ok());
        expectSame(first->collection, reimported(first->collection));
    }
}

TEST(PostmanExporter, everyKindOfRequestReadsBackUnchanged)
{
    Collection collection {.name = u"Everything"_s};
    collection.authType = AuthType::bearer;
    collection.authToken = u"{{token}}"_s;
    collection.preRequestScript = u"pm.variables.set('a', 1);\nconsole.log('two lines');"_s;
    collection.testScript = u"pm.test('ok', () => {});"_s;
    collection.variables = {KeyValuePair {.key = u"base"_s, .value = u"https://api.test"_s},
        KeyValuePair {.key = u"old"_s, .value = u"1"_s, .isEnabled = false}};

    APIRequest inherit = request(u"inherit"_s, AuthType::inherit);
    inherit.url = u"https://api.test:8443/v1/items?pretty&empty=&x=1#top"_s;
    inherit.queryParams = {KeyValuePair {.key = u"page"_s, .value = u"2"_s, .isEnabled = false}};
    inherit.headers = {KeyValuePair {.key = u"Accept"_s, .value = u"application/json"_s},
        KeyValuePair {.key = u"X-Debug"_s, .value = u"1"_s, .isEnabled = false}};
    inherit.preRequestScript = u"console.log('before');"_s;
    inherit.testScript = u"pm.test('after', () => {});"_s;
    APIRequest none = request(u"none"_s, AuthType::none);
    none.method = HTTPMethod::custom;
    none.customMethod = u"PURGE"_s;
    APIRequest json = request(u"json"_s, AuthType::basic, u"ana:pa:ss"_s);
    json.method = HTTPMethod::post;
    json.bodyType = RequestBodyType::json;
    json.body = u"{\"a\": [1, 2]}"_s;
    APIRequest raw = request(u"raw"_s, AuthType::apiKey, u"k3y"_s);
    raw.method = HTTPMethod::put;
    raw.bodyType = RequestBodyType::raw;
    raw.body = u"<a/>"_s;
    raw.headers = {KeyValuePair {.key = u"Content-Type"_s, .value = u"application/xml"_s}};
    APIRequest form = request(u"form"_s, AuthType::digest, u"dee:gest"_s);
    form.method = HTTPMethod::post;
    form.bodyType = RequestBodyType::formData;
    form.queryParams = {KeyValuePair {.key = u"name"_s, .value = u"Ana"_s},
        KeyValuePair {.key = u"age"_s, .value = u"9"_s, .isEnabled = false}};
    APIRequest graphql = request(u"graphql"_s, AuthType::ntlm, u"nt:lm"_s);
    graphql.authDomain = u"CORP"_s;
    graphql.method = HTTPMethod::post;
    graphql.requestProtocol = RequestProtocol::graphql;
    graphql.bodyType = RequestBodyType::json;
    graphql.graphqlQuery = u"{ items { id } }"_s;
    graphql.graphqlVariables = u"{\"first\": 2}"_s;
    APIRequest negotiate = request(u"negotiate"_s, AuthType::negotiate, u"sso:"_s);
    APIRequest aws = request(u"aws"_s, AuthType::awsSigV4, u"AKID:s3cret"_s);
    aws.awsRegion = u"eu-west-1"_s;
    aws.awsService = u"s3"_s;
    aws.awsSessionToken = u"session"_s;
    APIRequest oauth = request(u"oauth"_s, AuthType::oauth2);
    oauth.oauth2 = OAuth2Settings {.grant = OAuth2Grant::password,
        .authUrl = u"https://id.test/auth"_s,
        .tokenUrl = u"https://id.test/token"_s,
        .clientId = u"client"_s,
        .scope = u"read write"_s,
        .audience = u"api"_s,
        .clientAuth = OAuth2ClientAuth::body,
        .username = u"ana"_s,
        .redirectPort = 8765};
    APIRequest socket = request(u"socket"_s, AuthType::none);
    socket.requestProtocol = RequestProtocol::websocket;

    collection.requests = {inherit, none, json, raw, form, socket, graphql, negotiate, aws, oauth};
    collection.folders = {CollectionFolder {.name = u"Empty"_s},
        CollectionFolder {.name = u"Bodies"_s,
            .requestIDs = {json.id, raw.id, form.id},
            .preRequestScript = u"console.log('folder');"_s},
        CollectionFolder {.name = u"Signed / Cloud"_s, .requestIDs = {aws.id, oauth.id}}};

    const auto exported = PostmanExporter::exportCollection(collection);
    EXPECT_EQ(exported.leftOut, QStringList {u"socket"_s});
    Collection expected = collection;
    expected.requests.removeAt(5);
    expectSame(expected, reimported(collection));

    // The OAuth 2.0 settings go without any secret.
    const QJsonObject root = QJsonDocument::fromJson(exported.bytes).object();
    EXPECT_EQ(root[u"info"_s][u"schema"_s].toString(),
        u"https://schema.getpostman.com/json/collection/v2.1.0/collection.json"_s);
    const QJsonArray signedItems = root[u"item"_s][6][u"item"_s].toArray();
    ASSERT_EQ(signedItems.size(), 2);
    QStringList keys;
    for (const QJsonValue& entry : signedItems[1][u"request"_s][u"auth"_s][u"oauth2"_s].toArray())
        keys.append(entry[u"key"_s].toString());
    EXPECT_TRUE(keys.contains(u"clientId"_s));
    for (const QString& secret :
        {u"clientSecret"_s, u"password"_s, u"accessToken"_s, u"refreshToken"_s})
        EXPECT_FALSE(keys.contains(secret)) << secret.toStdString();
}

TEST(PostmanExporter, enabledQueryRowsJoinTheURLTheyAreSentWith)
{
    APIRequest search = request(u"search"_s, AuthType::none);
    search.url = u"https://api.test/find?sort=asc#results"_s;
    search.queryParams = {KeyValuePair {.key = u"q"_s, .value = u"a b&c"_s},
        KeyValuePair {.key = u"limit"_s, .value = u"5"_s, .isEnabled = false}};
    const Collection back = reimported(Collection {.name = u"Q"_s, .requests = {search}});
    ASSERT_EQ(back.requests.size(), 1);
    EXPECT_EQ(back.requests[0].url, u"https://api.test/find?sort=asc&q=a%20b%26c#results"_s);
    EXPECT_EQ(rowsText(back.requests[0].queryParams), u"limit=5 (off)"_s);
}

// A secret row goes out as Postman's own kind of secret, without its value, and a Postman
// environment's secret row comes in as a secret.
TEST(PostmanExporter, secretsGoOutAsSecretsWithoutTheirValues)
{
    Collection api {.name = u"S"_s};
    api.variables = {KeyValuePair {.key = u"token"_s, .value = u"tok-1"_s, .isSecret = true},
        KeyValuePair {.key = u"base"_s, .value = u"https://api.test"_s}};
    const QJsonArray variables
        = QJsonDocument::fromJson(PostmanExporter::exportCollection(api).bytes)
              .object()[u"variable"_s]
              .toArray();
    ASSERT_EQ(variables.size(), 2);
    EXPECT_EQ(variables[0].toObject(),
        (QJsonObject {{u"key"_s, u"token"_s}, {u"value"_s, u""_s}, {u"type"_s, u"secret"_s}}));
    EXPECT_EQ(variables[1].toObject()[u"value"_s], u"https://api.test"_s);

    const auto environment = PostmanImporter::importEnvironment(R"({"name": "E", "values": [
        {"key": "token", "value": "tok-2", "type": "secret"},
        {"key": "base", "value": "b", "type": "default"}]})");
    ASSERT_TRUE(environment.ok());
    ASSERT_EQ(environment->variables.size(), 2);
    EXPECT_TRUE(environment->variables[0].isSecret);
    EXPECT_EQ(environment->variables[0].value, u"tok-2"_s);
    EXPECT_FALSE(environment->variables[1].isSecret);
}
