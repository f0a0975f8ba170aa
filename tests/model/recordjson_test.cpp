#include "model/recordjson.h"
#include "model/uuidtext.h"
#include "support/qtprinters.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

APIRequest fullRequest(double createdAt)
{
    return APIRequest {
        .name = u"Create user ✓"_s,
        .url = u"https://{{host}}/users?x=1"_s,
        .method = HTTPMethod::patch,
        .headers = {KeyValuePair {.key = u"Accept"_s, .value = u"*/*"_s},
            KeyValuePair {.key = u"X-Off"_s, .value = u"1"_s, .isEnabled = false}},
        .queryParams = {},
        .bodyType = RequestBodyType::formData,
        .body = u"{\"a\":\"line\\n\"}\n\ttab"_s,
        .authType = AuthType::bearer,
        .authToken = u"t0k3n"_s,
        .tags = {u"smoke"_s, u""_s},
        .requestProtocol = RequestProtocol::graphql,
        .graphqlQuery = u"query { me { id } }"_s,
        .graphqlVariables = u"{}"_s,
        .graphqlOperationName = u"Me"_s,
        .wsMessages = {u"ping"_s},
        .createdAt = createdAt,
        .updatedAt = createdAt + 0.000123,
    };
}

QJsonObject requestJson()
{
    return toJson(fullRequest(786000000.25));
}

} // namespace

// A new record needs nothing but its name: fresh ids, one blank row to type into, the time now.
TEST(RequestModel, newRecordsHaveTheirDefaults)
{
    const double before = currentTimestamp();
    const APIRequest request;
    EXPECT_EQ(request.name, u"New Request"_s);
    EXPECT_TRUE(request.url.isEmpty());
    EXPECT_EQ(request.method, HTTPMethod::get);
    EXPECT_EQ(request.bodyType, RequestBodyType::none);
    EXPECT_EQ(request.authType, AuthType::none);
    EXPECT_EQ(request.requestProtocol, RequestProtocol::http);
    ASSERT_EQ(request.headers.size(), 1);
    ASSERT_EQ(request.queryParams.size(), 1);
    EXPECT_TRUE(request.headers[0].key.isEmpty() && request.headers[0].isEnabled);
    EXPECT_NE(request.headers[0].id, request.queryParams[0].id);
    EXPECT_NE(APIRequest().headers[0].id, request.headers[0].id);
    EXPECT_TRUE(request.tags.isEmpty() && request.wsMessages.isEmpty());
    EXPECT_EQ(request.createdAt, request.updatedAt);
    EXPECT_GE(request.createdAt, before);
    EXPECT_LT(request.createdAt - before, 5.0);

    const Collection collection {.name = u"API"_s};
    EXPECT_TRUE(collection.requests.isEmpty() && collection.folders.isEmpty());
    EXPECT_NEAR(collection.createdAt, currentTimestamp(), 5.0);
    EXPECT_NE(collection.id, Collection {}.id);
    const APIEnvironment environment {.name = u"Dev"_s};
    ASSERT_EQ(environment.variables.size(), 1);
    EXPECT_TRUE(environment.variables[0].isEnabled && environment.variables[0].key.isEmpty());
    EXPECT_FALSE(environment.isActive);
}

TEST(RequestModel, enumerationsConvertOnlyFromTheirExactRawValue)
{
    EXPECT_EQ(fromRawValue<HTTPMethod>(u"DELETE"), HTTPMethod::delete_);
    EXPECT_EQ(fromRawValue<HTTPMethod>(u"get"), std::nullopt);
    EXPECT_EQ(fromRawValue<RequestBodyType>(u"Form Data"), RequestBodyType::formData);
    EXPECT_EQ(fromRawValue<RequestBodyType>(u"formData"), std::nullopt);
    EXPECT_EQ(fromRawValue<AuthType>(u"Bearer"), std::nullopt);
    EXPECT_EQ(fromRawValue<RequestProtocol>(u"GraphQL"), RequestProtocol::graphql);
    EXPECT_EQ(fromRawValue<RequestProtocol>(u"graphql"), std::nullopt);

    // Every case survives the trip through its raw value, in table order.
    const QStringList methods
        = {u"GET"_s, u"POST"_s, u"PUT"_s, u"DELETE"_s, u"PATCH"_s, u"HEAD"_s, u"OPTIONS"_s};
    ASSERT_EQ(allCases<HTTPMethod>().size(), size_t(methods.size()));
    for (size_t i = 0; i < allCases<HTTPMethod>().size(); ++i)
        EXPECT_EQ(rawValue(allCases<HTTPMethod>()[i]), methods[qsizetype(i)]);
    for (AuthType t : allCases<AuthType>())
        EXPECT_EQ(fromRawValue<AuthType>(rawValue(t)), t);
}

TEST(RecordJson, everyRecordRoundTripsExactlyLoneSurrogatesIncluded)
{
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> times(-1e9, 2e9);
    for (int i = 0; i < 200; ++i) {
        const APIRequest request = fullRequest(times(rng));
        const auto back = decodeRecords<APIRequest>(encodeRecords(QList {request}));
        ASSERT_TRUE(back.ok()) << back.errorMessage().toStdString();
        ASSERT_EQ(back.value().size(), 1);
        EXPECT_EQ(back.value()[0], request);
        EXPECT_EQ(std::memcmp(&back.value()[0].createdAt, &request.createdAt, sizeof(double)), 0);
    }

    Collection collection {.name = u"API"_s, .requests = {fullRequest(3.0), APIRequest {}}};
    collection.folders = {CollectionFolder {
        .name = u"F"_s, .requestIDs = {collection.requests[1].id, QUuid::createUuid()}}};
    const auto collections = decodeRecords<Collection>(encodeRecords(QList {collection}));
    ASSERT_TRUE(collections.ok()) << collections.errorMessage().toStdString();
    const Collection& c = collections.value()[0];
    EXPECT_EQ(c.id, collection.id);
    EXPECT_EQ(c.requests, collection.requests);
    EXPECT_EQ(c.folders[0].requestIDs, collection.folders[0].requestIDs);
    EXPECT_EQ(c.createdAt, collection.createdAt);

    APIEnvironment environment {.name = u"Prod"_s, .isActive = true};
    environment.variables.append(KeyValuePair {.key = u"k"_s, .isEnabled = false});
    const auto environments = decodeRecords<APIEnvironment>(encodeRecords(QList {environment}));
    ASSERT_TRUE(environments.ok());
    EXPECT_EQ(environments.value()[0].variables, environment.variables);
    EXPECT_TRUE(environments.value()[0].isActive);

    const HistoryItem item {.request = fullRequest(9.75), .statusCode = 404, .duration = 0.0421};
    const auto history = decodeRecords<HistoryItem>(encodeRecords(QList {item}));
    ASSERT_TRUE(history.ok());
    EXPECT_EQ(history.value()[0].request, item.request);
    EXPECT_EQ(history.value()[0].statusCode, 404);
    EXPECT_EQ(history.value()[0].duration, item.duration);
    EXPECT_EQ(history.value()[0].timestamp, item.timestamp);

    // A "\udc00" escape in a file that was read puts a lone surrogate into a text; saving must
    // not turn it into something else.
    const QChar high(char16_t(0xD83D));
    const QChar low(char16_t(0xDE00));
    for (const QString& text : {QString(low), u"a"_s + high + u"b"_s, QString(high) + high + low,
             u"x"_s + low + high, u"é"_s + high}) {
        const APIRequest request {.name = text, .tags = {text}};
        const QByteArray file = encodeRecords(QList {request});
        const auto back = decodeRecords<APIRequest>(file);
        ASSERT_TRUE(back.ok()) << back.errorMessage().toStdString();
        EXPECT_EQ(back.value()[0], request) << file.toStdString();
    }
}

TEST(RecordJson, encoderWritesEveryKeyWithUpperCaseIds)
{
    const Collection collection {.name = u"API"_s};
    const QJsonObject json = toJson(collection);
    EXPECT_EQ(json.keys(),
        (QStringList {u"createdAt"_s, u"folders"_s, u"id"_s, u"name"_s, u"requests"_s}));
    EXPECT_EQ(json[u"id"_s].toString(), json[u"id"_s].toString().toUpper());
    EXPECT_EQ(toJson(APIRequest {}).size(), 18);
    EXPECT_EQ(toJson(KeyValuePair {}).size(), 4);
    // Compact form: no white space outside strings, "/" left as it is.
    const QByteArray bytes = encodeRecords(QList {APIRequest {.url = u"a/b c"_s}});
    EXPECT_FALSE(bytes.contains('\n'));
    EXPECT_TRUE(bytes.contains("\"url\":\"a/b c\""));
}

// Scripts and a collection's variables came later: a record without them is written as before,
// one with them keeps them, and a file from before them reads them as empty.
TEST(RecordJson, scriptsAndCollectionVariablesAreOptionalKeys)
{
    APIRequest request = fullRequest(5.0);
    CollectionFolder folder {.name = u"F"_s};
    Collection collection {.name = u"C"_s};
    // Which of the later keys a written record holds.
    const auto keysOf = [](const QJsonObject& json) {
        QStringList present;
        for (const QString& name : {u"preRequestScript"_s, u"testScript"_s, u"variables"_s}) {
            if (json.contains(name))
                present.append(name);
        }
        return present.join(u' ');
    };
    EXPECT_EQ(keysOf(toJson(request)), u""_s);
    EXPECT_EQ(keysOf(toJson(folder)), u""_s);
    EXPECT_EQ(keysOf(toJson(collection)), u""_s);

    request.testScript = u"pm.test(\"a\", () => {});\n"_s;
    folder.preRequestScript = u"x = 1"_s;
    collection = Collection {.name = u"C"_s,
        .requests = {request},
        .folders = {folder},
        .variables = {KeyValuePair {.key = u"k"_s, .value = u"v"_s, .isEnabled = false}},
        .preRequestScript = u"p()"_s,
        .testScript = u"t()"_s};
    const QJsonObject json = toJson(collection);
    EXPECT_EQ(keysOf(json), u"preRequestScript testScript variables"_s);
    EXPECT_EQ(keysOf(json[u"requests"_s][0].toObject()), u"testScript"_s);
    EXPECT_EQ(keysOf(json[u"folders"_s][0].toObject()), u"preRequestScript"_s);
    const auto back = fromJson<Collection>(json);
    ASSERT_TRUE(back.ok()) << back.errorMessage().toStdString();
    EXPECT_EQ(back->requests, collection.requests);
    EXPECT_EQ(back->variables, collection.variables);
    EXPECT_EQ(toJson(back.value()), json);

    // A file written before them: every script and the variables read as empty.
    QJsonObject old = json;
    for (const QString& name : {u"preRequestScript"_s, u"testScript"_s, u"variables"_s})
        old.remove(name);
    QJsonArray requests {toJson(fullRequest(5.0))};
    old[u"requests"_s] = requests;
    old[u"folders"_s] = QJsonArray {toJson(CollectionFolder {.name = u"F"_s})};
    const auto older = fromJson<Collection>(old);
    ASSERT_TRUE(older.ok()) << older.errorMessage().toStdString();
    EXPECT_TRUE(older->preRequestScript.isEmpty() && older->testScript.isEmpty()
        && older->variables.isEmpty() && older->folders[0].preRequestScript.isEmpty()
        && older->requests[0].testScript.isEmpty());

    // Present, they are as strict as every other key.
    const struct {
        QString key;
        QJsonValue value;
        QString error;
    } wrong[] {
        {u"testScript"_s, 1, u"testScript: expected a string"_s},
        {u"preRequestScript"_s, QJsonValue::Null, u"preRequestScript: expected a string"_s},
        {u"variables"_s, QJsonArray {1}, u"variables[0]: expected an object"_s},
    };
    for (const auto& c : wrong) {
        QJsonObject broken = json;
        broken[c.key] = c.value;
        EXPECT_EQ(fromJson<Collection>(broken).errorMessage(), c.error);
    }
}

TEST(RecordJson, decodingIsStrictAndNamesThePath)
{
    struct Case {
        const char* what;
        std::function<void(QJsonObject&)> change;
        QString expectedError;
    };
    const std::vector<Case> cases = {
        {"missing tags", [](QJsonObject& o) { o.remove(u"tags"_s); }, u"tags: missing key"_s},
        {"null name", [](QJsonObject& o) { o[u"name"_s] = QJsonValue(); },
            u"name: must not be null"_s},
        {"lower-case method", [](QJsonObject& o) { o[u"method"_s] = u"get"_s; },
            u"method: \"get\" is not a method name"_s},
        {"method with a space", [](QJsonObject& o) { o[u"method"_s] = u"PUR GE"_s; },
            u"method: \"PUR GE\" is not a method name"_s},
        {"empty method", [](QJsonObject& o) { o[u"method"_s] = u""_s; },
            u"method: \"\" is not a method name"_s},
        {"case name as body type", [](QJsonObject& o) { o[u"bodyType"_s] = u"formData"_s; },
            u"bodyType: unknown value"_s},
        {"bad uuid", [](QJsonObject& o) { o[u"id"_s] = u"{not-a-uuid}"_s; },
            u"id: \"{not-a-uuid}\" is not a UUID"_s},
        {"braced uuid",
            [](QJsonObject& o) { o[u"id"_s] = u"{0A1B2C3D-0000-4000-8000-000000000000}"_s; },
            u"is not a UUID"_s},
        {"timestamp as text", [](QJsonObject& o) { o[u"createdAt"_s] = u"0"_s; },
            u"createdAt: expected a number"_s},
        {"row flag as text",
            [](QJsonObject& o) {
                QJsonArray headers = o[u"headers"_s].toArray();
                QJsonObject row = headers[1].toObject();
                row[u"isEnabled"_s] = u"false"_s;
                headers[1] = row;
                o[u"headers"_s] = headers;
            },
            u"headers[1].isEnabled: expected a boolean"_s},
        {"tag not a string", [](QJsonObject& o) { o[u"tags"_s] = QJsonArray {1}; },
            u"tags[0]: expected a string"_s},
    };
    for (const Case& c : cases) {
        QJsonObject json = requestJson();
        c.change(json);
        const auto result = fromJson<APIRequest>(json);
        ASSERT_FALSE(result.ok()) << c.what;
        EXPECT_TRUE(result.errorMessage().contains(c.expectedError))
            << c.what << ": " << result.errorMessage().toStdString();
    }

    // The path runs from the file's top level down to the key.
    const Collection collection {.name = u"c"_s, .requests = QList<APIRequest>(4)};
    const QByteArray row = "\"id\":\"" + uuidToText(collection.requests[3].headers[0].id).toLatin1()
        + "\",\"isEnabled\":";
    QByteArray bytes = encodeRecords(QList {Collection {}, collection});
    ASSERT_TRUE(bytes.contains(row + "true"));
    const auto file = decodeRecords<Collection>(bytes.replace(row + "true", row + "1"));
    ASSERT_FALSE(file.ok());
    EXPECT_EQ(file.errorMessage(), u"[1].requests[3].headers[0].isEnabled: expected a boolean"_s);
}

// A method outside the seven is stored as its name in the same key, so a file that never had
// one reads as before and one that has one reads back the same method.
TEST(RecordJson, anyMethodIsStoredByItsName)
{
    const struct {
        QString stored;
        HTTPMethod method;
        QString custom;
    } cases[] = {
        {u"DELETE"_s, HTTPMethod::delete_, {}},
        {u"PURGE"_s, HTTPMethod::custom, u"PURGE"_s},
        {u"PROPFIND"_s, HTTPMethod::custom, u"PROPFIND"_s},
        {u"x-Sync.v2~"_s, HTTPMethod::custom, u"x-Sync.v2~"_s},
    };
    for (const auto& c : cases) {
        QJsonObject json = requestJson();
        json[u"method"_s] = c.stored;
        const auto decoded = fromJson<APIRequest>(json);
        ASSERT_TRUE(decoded.ok()) << decoded.errorMessage().toStdString();
        EXPECT_EQ(decoded->method, c.method) << c.stored.toStdString();
        EXPECT_EQ(decoded->customMethod, c.custom) << c.stored.toStdString();
        EXPECT_EQ(toJson(*decoded), json) << c.stored.toStdString();
    }
    // Choosing one of the seven again leaves no custom name behind.
    APIRequest request {.method = HTTPMethod::custom, .customMethod = u"LOCK"_s};
    ASSERT_TRUE(setMethodName(request, u"POST"_s));
    EXPECT_EQ(request.method, HTTPMethod::post);
    EXPECT_EQ(request.customMethod, u""_s);
    EXPECT_EQ(toJson(request)[u"method"_s], u"POST"_s);
}

TEST(RecordJson, decodingAcceptsWhatOtherWritersProduce)
{
    QJsonObject json = requestJson();
    const QString id = json[u"id"_s].toString();
    json[u"id"_s] = id.toLower();
    json[u"createdAt"_s] = 700000000; // an integer timestamp
    json[u"someFutureKey"_s] = QJsonObject {{u"x"_s, 1}};
    const auto result = fromJson<APIRequest>(json);
    ASSERT_TRUE(result.ok()) << result.errorMessage().toStdString();
    EXPECT_EQ(uuidToText(result->id), id);
    EXPECT_EQ(result->createdAt, 700000000.0);
    EXPECT_FALSE(result->headers[1].isEnabled);
    EXPECT_EQ(uuidFromText(u"00000000-0000-0000-0000-000000000000"), QUuid());
}

TEST(RecordJson, filesNotArraysOfRecordsAndStatusCodesNotNumbersFail)
{
    EXPECT_TRUE(decodeRecords<Collection>("[]").ok());
    EXPECT_TRUE(decodeRecords<Collection>("").errorMessage().startsWith(u"invalid JSON"_s));
    EXPECT_TRUE(decodeRecords<Collection>("[{]").errorMessage().startsWith(u"invalid JSON"_s));
    EXPECT_EQ(decodeRecords<Collection>("{}").errorMessage(), u"expected an array"_s);
    EXPECT_EQ(decodeRecords<Collection>("[1]").errorMessage(), u"[0]: expected an object"_s);

    // A history entry's status code is a whole number, not its text.
    QJsonObject json = toJson(HistoryItem {.statusCode = 200});
    EXPECT_TRUE(fromJson<HistoryItem>(json).ok());
    json[u"statusCode"_s] = u"200"_s;
    EXPECT_EQ(fromJson<HistoryItem>(json).errorMessage(), u"statusCode: expected an integer"_s);
    json[u"statusCode"_s] = 200.5;
    EXPECT_FALSE(fromJson<HistoryItem>(json).ok());
}

// The challenge and signature kinds came later: their extra fields are keys of their own,
// written only when set, so a file from before them reads unchanged and an AWS request keeps
// its region, service and session token.
TEST(RecordJson, authKindsAddOnlyTheKeysTheyUse)
{
    const QStringList later {
        u"authDomain"_s, u"awsRegion"_s, u"awsService"_s, u"awsSessionToken"_s};
    const auto laterKeys = [&](const QJsonObject& json) {
        QStringList present;
        for (const QString& name : later) {
            if (json.contains(name))
                present.append(name + u'=' + json[name].toString());
        }
        return present.join(u' ');
    };
    const struct {
        APIRequest request;
        QString authType;
        QString keys;
    } cases[] {
        {{.authType = AuthType::digest, .authToken = u"ann:p:w"_s}, u"Digest Auth"_s, u""_s},
        {{.authType = AuthType::ntlm, .authToken = u"ann:pw"_s, .authDomain = u"CORP"_s}, u"NTLM"_s,
            u"authDomain=CORP"_s},
        {{.authType = AuthType::negotiate}, u"Negotiate"_s, u""_s},
        {{.authType = AuthType::awsSigV4,
             .authToken = u"AK:SK"_s,
             .awsRegion = u"eu-west-1"_s,
             .awsService = u"{{svc}}"_s,
             .awsSessionToken = u"tok"_s},
            u"AWS Signature"_s, u"awsRegion=eu-west-1 awsService={{svc}} awsSessionToken=tok"_s},
    };
    for (const auto& c : cases) {
        const QJsonObject json = toJson(c.request);
        EXPECT_EQ(json[u"authType"_s].toString(), c.authType);
        EXPECT_EQ(laterKeys(json), c.keys);
        const auto back = fromJson<APIRequest>(json);
        ASSERT_TRUE(back.ok()) << back.errorMessage().toStdString();
        EXPECT_EQ(back.value(), c.request);
    }

    // A request written before them, as its file holds it.
    const QByteArray old = R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","name":"Old",
        "url":"https://a.test","method":"GET","headers":[],"queryParams":[],"bodyType":"None",
        "body":"","authType":"Basic Auth","authToken":"u:p","tags":[],"requestProtocol":"HTTP",
        "graphqlQuery":"","graphqlVariables":"","graphqlOperationName":"","wsMessages":[],
        "createdAt":1.5,"updatedAt":2.5}])";
    const auto read = decodeRecords<APIRequest>(old);
    ASSERT_TRUE(read.ok()) << read.errorMessage().toStdString();
    const APIRequest& request = read.value().first();
    EXPECT_EQ(request.authType, AuthType::basic);
    EXPECT_EQ(request.authToken, u"u:p"_s);
    EXPECT_TRUE(request.authDomain.isEmpty() && request.awsRegion.isEmpty()
        && request.awsService.isEmpty() && request.awsSessionToken.isEmpty());
    EXPECT_EQ(laterKeys(toJson(request)), u""_s);

    QJsonObject broken = toJson(cases[3].request);
    broken[u"awsRegion"_s] = 1;
    EXPECT_EQ(fromJson<APIRequest>(broken).errorMessage(), u"awsRegion: expected a string"_s);
}

// OAuth settings travel with the request and a collection carries an auth of its own, but the
// access token a send put on the request never reaches a file.
TEST(RecordJson, oauthSettingsAndCollectionAuthAreKeptButNoAccessToken)
{
    const OAuth2Settings settings {.grant = OAuth2Grant::password,
        .authUrl = {},
        .tokenUrl = u"http://127.0.0.1:9/token"_s,
        .clientId = u"cli"_s,
        .scope = u"read write"_s,
        .audience = {},
        .extraParams = u"resource=x"_s,
        .clientAuth = OAuth2ClientAuth::body,
        .username = u"ann"_s,
        .redirectPort = 7777};
    const APIRequest sent {
        .authType = AuthType::oauth2, .authToken = u"live-access-token"_s, .oauth2 = settings};
    const QJsonObject json = toJson(sent);
    EXPECT_EQ(json[u"authToken"_s].toString(), u""_s);
    EXPECT_EQ(json[u"oauth2"_s].toObject()[u"grant"_s].toString(), u"password"_s);
    const auto back = fromJson<APIRequest>(json);
    ASSERT_TRUE(back.ok()) << back.errorMessage().toStdString();
    EXPECT_EQ(back->oauth2, settings);
    EXPECT_EQ(back->authType, AuthType::oauth2);

    Collection collection {.name = u"C"_s};
    EXPECT_FALSE(toJson(collection).contains(u"authType"_s));
    collection.authType = AuthType::oauth2;
    collection.authToken = u"live-access-token"_s;
    collection.oauth2 = settings;
    const QByteArray file = writeJson(toJson(collection), JsonStyle::Compact);
    EXPECT_FALSE(file.contains("live-access-token"));
    const auto read = fromJson<Collection>(toJson(collection));
    ASSERT_TRUE(read.ok()) << read.errorMessage().toStdString();
    EXPECT_EQ(read->oauth2, settings);

    // What a request that inherits goes with, in and out of a collection.
    Collection bearer {.name = u"B"_s};
    bearer.authType = AuthType::bearer;
    bearer.authToken = u"t"_s;
    const APIRequest inherits {.authType = AuthType::inherit};
    EXPECT_EQ(withInheritedAuth(inherits, &bearer).authType, AuthType::bearer);
    EXPECT_EQ(withInheritedAuth(inherits, &bearer).authToken, u"t"_s);
    EXPECT_EQ(withInheritedAuth(inherits, nullptr).authType, AuthType::none);

    QJsonObject broken = json;
    broken[u"oauth2"_s] = QJsonObject {{u"grant"_s, u"implicit"_s}};
    EXPECT_EQ(fromJson<APIRequest>(broken).errorMessage(),
        u"oauth2.grant: \"implicit\" is not an OAuth 2.0 grant"_s);
}

// A collection kept in a folder is only a reference in the data folder: its id, its name and
// its folder. A reference written by hand needs only the folder, and still reads the same id at
// every start, so that tabs and the session keep pointing at it.
TEST(RecordJson, aFolderCollectionIsStoredAsAReferenceOnly)
{
    const Collection inFolder {.name = u"Team API"_s,
        .requests = {fullRequest(1.0)},
        .variables = {KeyValuePair {.key = u"k"_s, .value = u"v"_s}},
        .authType = AuthType::bearer,
        .authToken = u"secret"_s,
        .folderPath = u"/home/me/team-api"_s};
    const QJsonObject json = toJson(inFolder);
    EXPECT_EQ(json.keys(), (QStringList {u"folderPath"_s, u"id"_s, u"name"_s}));
    const auto back = fromJson<Collection>(json);
    ASSERT_TRUE(back.ok()) << back.errorMessage().toStdString();
    EXPECT_EQ(back.value().id, inFolder.id);
    EXPECT_EQ(back.value().name, u"Team API"_s);
    EXPECT_EQ(back.value().folderPath, inFolder.folderPath);
    EXPECT_TRUE(back.value().requests.isEmpty());

    const QByteArray handWritten = R"([{"folderPath": "/srv/a"}, {"folderPath": "/srv/b"}])";
    const auto first = decodeRecords<Collection>(handWritten);
    const auto again = decodeRecords<Collection>(handWritten);
    ASSERT_TRUE(first.ok() && again.ok()) << first.errorMessage().toStdString();
    EXPECT_EQ(first.value()[0].folderPath, u"/srv/a"_s);
    EXPECT_EQ(first.value()[0].id, again.value()[0].id);
    EXPECT_NE(first.value()[0].id, first.value()[1].id);

    // A collection of the data folder still needs all of its keys.
    EXPECT_FALSE(decodeRecords<Collection>(R"([{"name": "x"}])").ok());
    const auto empty = decodeRecords<Collection>(R"([{"folderPath": ""}])");
    EXPECT_FALSE(empty.ok());
    EXPECT_EQ(empty.errorMessage(), u"[0].folderPath: expected a folder"_s);
}
