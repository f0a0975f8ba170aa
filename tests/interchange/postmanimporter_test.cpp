#include "fixture.h"
#include "interchange/postmanimporter.h"
#include "model/recordjson.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

// Each folder with the names of its requests, then each request's summary().
QStringList contents(const Collection& collection)
{
    QStringList result;
    for (const CollectionFolder& folder : collection.folders) {
        QStringList names;
        for (const QUuid& id : folder.requestIDs) {
            for (const APIRequest& request : collection.requests) {
                if (request.id == id)
                    names.append(request.name);
            }
        }
        result.append(folder.name + u" / "_s + names.join(u", "_s));
    }
    for (const APIRequest& request : collection.requests)
        result.append(summary(request));
    return result;
}

} // namespace

TEST(PostmanImporter, collectionsOfBothVersionsWithFoldersAuthAndBodies)
{
    const QByteArray shopFile = fixture(u"postman/shop-api.postman_collection.json"_s);
    const auto shop = PostmanImporter::importCollection(shopFile);
    ASSERT_TRUE(shop.ok()) << shop.errorMessage().toStdString();
    EXPECT_EQ(shop->collection.name, u"Shop API"_s);
    // Folders nest by path and pass their auth down, the collection's is inherited; the enabled
    // query entries go in the URL and only the disabled ones become rows; a key named other
    // than X-API-Key becomes its header row.
    EXPECT_EQ(contents(shop->collection),
        (QStringList {u"Orders / List orders"_s, u"Orders / Drafts / Create draft"_s,
            u"Customers / Sign in, Upload avatar, Export (WebDAV)"_s,
            u"Health: GET {{baseUrl}}/health"_s,
            u"List orders: GET {{baseUrl}}/orders?page=2&status=open "
            "H[Accept=application/json, X-Debug=1 (off)] Q[limit=50 (off)] "
            "Basic Auth[ops:s3cr3t:pw]"_s,
            u"Create draft: POST {{baseUrl}}/orders/drafts H[Content-Type=application/json] "
            "JSON[{\n    \"customerId\": {{customerId}},\n    \"items\": []\n}] "
            "Basic Auth[ops:s3cr3t:pw]"_s,
            u"Sign in: POST {{baseUrl}}/session H[Content-Type=application/x-www-form-urlencoded] "
            "Raw[email=ana%2Bshop%40example.com&password=p%26ss%20word&tenant={{tenant}}] "
            "Inherit[]"_s,
            u"Upload avatar: PUT {{baseUrl}}/customers/7/avatar?size=large "
            "Q[caption=Me at the lake, file=/home/ana/lake.jpg (off)] Form Data[] "
            "Inherit[]"_s,
            // A WebDAV method comes along with its body and its folder's key.
            u"Export (WebDAV): PROPFIND https://dav.shopfront.test/exports/ "
            "H[Content-Type=application/xml, X-Export-Key={{exportKey}}] "
            "Raw[<propfind xmlns=\"DAV:\"><allprop/></propfind>]"_s}));
    EXPECT_EQ(shop->collection.authType, AuthType::bearer);
    EXPECT_EQ(shop->collection.authToken, u"{{accessToken}}"_s);
    EXPECT_EQ(shop->warnings,
        (QStringList {u"Customers / Sign in: disabled form field \"remember\" dropped"_s,
            u"Customers / Upload avatar: file field \"file\" dropped"_s}));
    ASSERT_TRUE(shop->variables.has_value());
    EXPECT_EQ(shop->variables->name, u"Shop API"_s);
    EXPECT_FALSE(shop->variables->isActive);
    EXPECT_EQ(rowsText(shop->variables->variables),
        u"baseUrl=https://api.shopfront.test/v2, retries=3, "
        "legacyHost=http://old.shopfront.test (off)"_s);
    const auto again = PostmanImporter::importCollection(shopFile);
    EXPECT_NE(again->collection.id, shop->collection.id);
    EXPECT_NE(again->collection.requests[0].id, shop->collection.requests[0].id);

    // v2.0: URLs as text or as parts, headers as one block of lines, auth as plain objects.
    const auto legacy = PostmanImporter::importCollection(
        fixture(u"postman/legacy-v20.postman_collection.json"_s));
    ASSERT_TRUE(legacy.ok()) << legacy.errorMessage().toStdString();
    EXPECT_EQ(contents(legacy->collection),
        (QStringList {u"Invoices / Get invoice, Void invoice"_s,
            u"Get invoice: GET https://billing.test/api/invoices/{{invoiceId}}?format=pdf&lang=de "
            "H[Accept=application/pdf]"_s,
            u"Void invoice: PATCH https://billing.test/api/invoices/{{invoiceId}}/void "
            "H[Content-Type=text/plain, X-Reason=duplicate] Raw[voided by support] "
            "Basic Auth[billing:hunter2]"_s,
            u"Ping: HEAD https://billing.test:8443/ping JSON[{\"probe\":true}] "
            "Bearer Token[legacy-token-123]"_s}));
    EXPECT_FALSE(legacy->variables.has_value());
    EXPECT_TRUE(legacy->warnings.isEmpty());
}

// Path variables take the values the file gives, queries stay as written, and whatever
// Mako cannot hold is left out with a line naming the request and what was lost.
TEST(PostmanImporter, pathVariablesQueriesAndWhatCannotBeHeld)
{
    const auto payments = PostmanImporter::importCollection(
        fixture(u"postman/payments-api.postman_collection.json"_s));
    ASSERT_TRUE(payments.ok()) << payments.errorMessage().toStdString();
    EXPECT_EQ(contents(payments->collection),
        (QStringList {u"Captures / Refund capture, Show refund"_s,
            u"Partners / List partners, Partner health, Partner keys"_s,
            u"Refund capture: POST {{base_url}}/v2/payments/captures/{{captureId}}/refund "
            "H[Content-Type=application/json] "
            "JSON[{\n  \"amount\": {\"value\": \"10.99\", \"currency_code\": \"USD\"}\n}] "
            "Inherit[]"_s,
            u"Show refund: GET {{base_url}}/v2/payments/refunds/:refund_id"
            "?fields=amount,status&q=a+b&time=2015-07-01T20:10:51.781Z&pretty Q[debug=1 (off)] "
            "Inherit[]"_s,
            u"Batch items: POST http://localhost:8080/api/v3/items:batchGet/:missing "
            "Inherit[]"_s,
            u"Show dispute: GET https://api-m.sandbox.payments.test/v1/customer/disputes/"
            "PP-D-27803?expand=evidence Q[limit=5 (off)] Inherit[]"_s,
            u"Upload evidence: POST {{base_url}}/v1/customer/disputes/PP-D-4012/"
            "provide-evidence?notify=true Q[dispute_id={{disputeId}}, "
            "note=Sent on {{today}} by {{agent}}, internal=yes (off), "
            "evidence=/home/ana/receipt.pdf (off), meta={\"kind\":\"receipt\"}] Form Data[] "
            "Inherit[]"_s,
            u"Purge cache: PURGE {{base_url}}/cache/all Inherit[]"_s,
            u"Sign in (digest): GET {{base_url}}/v1/session Digest Auth[ana:{{password}}]"_s,
            u"Upload statement: POST {{base_url}}/v1/statements H[Content-Type=text/csv] "
            "Inherit[]"_s,
            u"List partners: GET {{base_url}}/v1/partners"_s,
            u"Partner health: GET {{base_url}}/v1/partners/health"_s,
            u"Partner keys: GET {{base_url}}/v1/partners/keys OAuth 2.0[]"_s}));
    EXPECT_EQ(payments->warnings,
        (QStringList {u"Upload evidence: file field \"evidence\" dropped"_s,
            u"Upload evidence: content type \"application/json\" of form field \"meta\" "
            "dropped"_s,
            u"Upload evidence: disabled query parameter \"dry_run\" dropped"_s,
            u"Upload statement: binary file body dropped"_s,
            u"Partners / List partners: OAuth 1.0 authorisation dropped"_s}));
}

// OAuth 2.0 keeps its settings on the request, from either way of listing parameters, and its
// secrets beside the collection for the secret vault, never in it.
TEST(PostmanImporter, oauth2KeepsItsSettingsAndHandsItsSecretsToTheCaller)
{
    const auto payments = PostmanImporter::importCollection(
        fixture(u"postman/payments-api.postman_collection.json"_s));
    ASSERT_TRUE(payments.ok()) << payments.errorMessage().toStdString();
    const APIRequest keys = payments->collection.requests.last();
    ASSERT_EQ(keys.name, u"Partner keys"_s);
    EXPECT_EQ(keys.authType, AuthType::oauth2);
    EXPECT_EQ(keys.oauth2,
        (OAuth2Settings {.grant = OAuth2Grant::clientCredentials,
            .authUrl = {},
            .tokenUrl = u"{{base_url}}/v1/oauth2/token"_s,
            .clientId = u"partners-app"_s,
            .scope = u"partners:read"_s,
            .audience = {},
            .extraParams = {},
            .clientAuth = OAuth2ClientAuth::body,
            .username = {},
            .redirectPort = 0}));
    EXPECT_TRUE(keys.authToken.isEmpty());
    ASSERT_EQ(payments->secrets.size(), 2);
    EXPECT_EQ(payments->secrets[0],
        std::pair(oauth2SecretKey(keys.oauth2, u"clientSecret"_s), u"pa-secret-9"_s));
    EXPECT_EQ(payments->secrets[1].first, oauth2SecretKey(keys.oauth2, u"token"_s));
    EXPECT_TRUE(payments->secrets[1].second.contains(u"\"kept-at-1\""_s));

    const QByteArray v20 = R"({"info": {"name": "Old", "schema":
        "https://schema.getpostman.com/json/collection/v2.0.0/collection.json"},
        "item": [{"name": "Me", "request": {"method": "GET", "url": "https://api.test/me",
        "auth": {"type": "oauth2", "oauth2": {"grant_type": "password_credentials",
        "accessTokenUrl": "https://id.test/token", "clientId": "cli", "username": "ana",
        "password": "pw-7", "redirect_uri": "http://127.0.0.1:5555/callback"}}}}]})";
    const auto old = PostmanImporter::importCollection(v20);
    ASSERT_TRUE(old.ok()) << old.errorMessage().toStdString();
    const APIRequest me = old->collection.requests.value(0);
    EXPECT_EQ(me.authType, AuthType::oauth2);
    EXPECT_EQ(me.oauth2.grant, OAuth2Grant::password);
    EXPECT_EQ(me.oauth2.username, u"ana"_s);
    EXPECT_EQ(me.oauth2.clientAuth, OAuth2ClientAuth::basicHeader);
    EXPECT_EQ(me.oauth2.redirectPort, 5555);
    EXPECT_EQ(old->secrets,
        (QList<std::pair<QString, QString>> {
            {oauth2SecretKey(me.oauth2, u"password"_s), u"pw-7"_s}}));
    EXPECT_TRUE(old->warnings.isEmpty());
}

// Digest, NTLM and AWS keep every field a send needs, from both ways of listing parameters;
// a kind Mako cannot send is still reported.
TEST(PostmanImporter, challengeAndSignatureAuthKeepTheirFields)
{
    const auto imported = PostmanImporter::importCollection(
        fixture(u"postman/signed-apis.postman_collection.json"_s));
    ASSERT_TRUE(imported.ok()) << imported.errorMessage().toStdString();
    EXPECT_EQ(contents(imported->collection),
        (QStringList {u"Intranet report: GET https://intranet.corp.test/reports/daily "
                      "NTLM[ana:{{ntlmPassword}}] {CORP|||}"_s,
            u"Camera snapshot: GET http://10.0.0.7/snapshot.jpg Digest Auth[admin:p:ss]"_s,
            u"List buckets: GET https://s3.eu-west-1.amazonaws.com/ "
            "AWS Signature[AKIDEXAMPLE:{{awsSecret}}] {|eu-west-1|s3|{{awsSession}}}"_s,
            u"Legacy hawk: GET https://legacy.test/items"_s}));
    EXPECT_EQ(imported->warnings, QStringList {u"Legacy hawk: Hawk authorisation dropped"_s});
}

// The scripts that run before and after a request stay with the collection, its folders and
// its requests, as lines joined or as one text; a script for any other moment and one of blank
// lines are not kept. The collection's variables stay with it too.
TEST(PostmanImporter, scriptsAndCollectionVariablesAreKept)
{
    const auto scripted
        = PostmanImporter::importCollection(fixture(u"postman/scripted.postman_collection.json"_s));
    ASSERT_TRUE(scripted.ok()) << scripted.errorMessage().toStdString();
    const Collection& collection = scripted->collection;
    ASSERT_EQ(collection.folders.size(), 1);
    ASSERT_EQ(collection.requests.size(), 2);
    const struct {
        QString what, preRequest, test;
    } cases[] {
        {u"collection"_s, collection.preRequestScript, collection.testScript},
        {u"folder"_s, collection.folders[0].preRequestScript, collection.folders[0].testScript},
        {u"request"_s, collection.requests[0].preRequestScript, collection.requests[0].testScript},
        {u"plain request"_s, collection.requests[1].preRequestScript,
            collection.requests[1].testScript},
    };
    const QStringList expected[][2] {
        {{u"pm.variables.set(\"t\", Date.now());"_s, u"console.log(\"start\");"_s},
            {u"pm.test(\"fast\", () => "
             "pm.expect(pm.response.responseTime).to.be.below(500));"_s}},
        {{},
            {u"pm.test(\"token\", function () {"_s,
                u"    pm.environment.set(\"token\", pm.response.json().access_token);"_s,
                u"});"_s}},
        {{u"pm.request.headers.upsert({key: \"X-Trace\", value: \"1\"});"_s},
            {u"pm.test(\"ok\", () => pm.response.to.have.status(200));"_s, u""_s}},
        {{}, {}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what.toStdString());
        EXPECT_EQ(cases[i].preRequest, expected[i][0].join(u'\n'));
        EXPECT_EQ(cases[i].test, expected[i][1].join(u'\n'));
    }
    EXPECT_EQ(rowsText(collection.variables),
        u"baseUrl=https://api.scripted.test, pageSize=20, legacy=1 (off)"_s);
    EXPECT_EQ(scripted->warnings, QStringList {u"Auth / Sign in: sync script dropped"_s});
    EXPECT_EQ(scripted->warningKinds, QList {PostmanImporter::LeftOutKind::otherScript});
}

// Where a URL object has its parts, they make the URL even where "raw" says otherwise, each
// as written in the file; "raw" makes only a URL without parts.
TEST(PostmanImporter, aURLIsMadeOfItsPartsAndOfRawOnlyWithoutThem)
{
    const auto storefront = PostmanImporter::importCollection(
        fixture(u"postman/storefront-parts.postman_collection.json"_s));
    ASSERT_TRUE(storefront.ok()) << storefront.errorMessage().toStdString();
    EXPECT_EQ(contents(storefront->collection),
        (QStringList {u"Carts / Remove cart item"_s,
            u"Remove cart item: DELETE {{baseUrl}}/carts/{{cartId}}/items/42"
            "?version={{cart-version}}"_s,
            u"Get token: POST https://auth.storefront.test/oauth/token"
            "?grant_type=password&username=&password={{user_password}} "
            "Q[scope=read write (off)]"_s,
            u"Search products: GET http://{{searchHost}}:9200/products/_search"
            "?q=red%20shoe+\"size 9\"&pretty#hits"_s,
            u"Health: GET https://storefront.test/health?deep=1&since={{since}}"_s,
            u"Yearly report: GET {{baseUrl}}/reports/2025?format=csv&sep=%3B Q[tz=UTC (off)]"_s}));
    EXPECT_TRUE(storefront->warnings.isEmpty()) << storefront->warnings.join(u'\n').toStdString();
}

// One request's corners: URLs and auth, and a raw body's language giving the Content-Type it
// goes out with, unless the request sets one or the body is empty.
TEST(PostmanImporter, cornersOfOneRequest)
{
    // A POST to https://a.test with `header` and a raw `body` in `language`.
    const auto raw = [](const char* header, const char* body, const char* language) {
        return R"({"method": "POST", "url": "https://a.test", "header": )" + QByteArray(header)
            + R"(, "body": {"mode": "raw", "raw": ")" + body
            + R"(", "options": {"raw": {"language": ")" + language + "\"}}}}";
    };
    const struct {
        QByteArray request; // the item's "request"
        QString imported; // its summary(), or empty when it is left out
        QStringList warnings = {};
    } cases[] = {
        {R"({"url": {"raw": "{{h}}/cb/:id?next=https://x.test/:id#:id",
            "variable": [{"key": "id", "value": 7}]}})",
            u"R: GET {{h}}/cb/7?next=https://x.test/:id#:id"_s, {}},
        {R"({"method": "get", "url": {"raw": "https://a.test:8443/:id/:id",
            "variable": [{"key": "id", "value": "x"}, {"key": "8443", "value": "y"}]}})",
            u"R: GET https://a.test:8443/x/x"_s, {}},
        // Any method HTTP allows comes along; only a name that cannot be one is left out.
        {R"({"method": "lock", "url": "https://a.test"})", u"R: LOCK https://a.test"_s},
        {R"({"method": "NO WAY", "url": "https://a.test"})", {},
            {u"R: skipped, the method NO WAY cannot be sent"_s}},
        // A form body holds the rows: a composed query and a query API key go in the text.
        {R"({"method": "POST", "body": {"mode": "formdata", "formdata": [{"key": "f"}]},
            "auth": {"type": "apikey", "apikey": [{"key": "in", "value": "query"},
                {"key": "key", "value": "api key"}, {"key": "value", "value": "{{k}}"}]},
            "url": {"host": ["{{h}}"], "path": ["up"], "query": [{"key": "a", "value": "1"},
                {"key": "b", "value": "2", "disabled": true}]}})",
            u"R: POST {{h}}/up?a=1&api%20key={{k}} Q[f=] Form Data[]"_s,
            {u"R: disabled query parameter \"b\" dropped"_s}},
        {R"({"method": "GET", "auth": {"type": "hawk", "hawk": []},
            "url": {"raw": "{{h}}/q?a=1", "query": [{"key": "a", "value": "1"}]}})",
            u"R: GET {{h}}/q?a=1"_s, {u"R: Hawk authorisation dropped"_s}},
        {raw("[]", "<a/>", "xml"),
            u"R: POST https://a.test H[Content-Type=application/xml] Raw[<a/>]"_s},
        {raw("[]", "hi", "text"), u"R: POST https://a.test H[Content-Type=text/plain] Raw[hi]"_s},
        {raw(R"([{"key": "X-A", "value": "1"}])", "f(1);", "javascript"),
            u"R: POST https://a.test H[X-A=1, Content-Type=application/javascript] Raw[f(1);]"_s},
        {raw(R"([{"key": "content-type", "value": "text/csv", "disabled": true}])", "<p>", "html"),
            u"R: POST https://a.test H[content-type=text/csv (off), Content-Type=text/html] "
            "Raw[<p>]"_s},
        {raw(R"([{"key": "content-type", "value": "text/csv"}])", "a;b", "text"),
            u"R: POST https://a.test H[content-type=text/csv] Raw[a;b]"_s},
        {raw("[]", "", "xml"), u"R: POST https://a.test Raw[]"_s},
        {raw("[]", "[1]", "json"), u"R: POST https://a.test JSON[[1]]"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.toStdString());
        const auto imported = PostmanImporter::importCollection(
            R"({"info": {"name": "C"}, "item": [{"name": "R", "request": )" + c.request + "}]}");
        ASSERT_TRUE(imported.ok()) << imported.errorMessage().toStdString();
        const auto& requests = imported->collection.requests;
        EXPECT_EQ(requests.isEmpty() ? QString() : summary(requests.first()), c.imported);
        EXPECT_EQ(imported->warnings, c.warnings);
    }
}

// What an import gives is kept as it is by a save and a load, also text that JSON escapes
// can hold but UTF-8 cannot (a lone surrogate).
TEST(PostmanImporter, importedCollectionsSurviveASaveAndALoad)
{
    QList<QByteArray> files {R"({"info": {"name": "C\ud83d"}, "item": [{"name": "R\udc00x",
        "request": {"url": "https://a.test/\ud800?q=\udfff\ud83d\ude00"}}]})"};
    for (const QString& name : {u"shop-api"_s, u"legacy-v20"_s, u"payments-api"_s,
             u"fleet-nested"_s, u"storefront-parts"_s, u"scripted"_s, u"signed-apis"_s})
        files.append(fixture(u"postman/"_s + name + u".postman_collection.json"_s));
    for (const QByteArray& file : files) {
        SCOPED_TRACE(file.left(60).toStdString());
        const auto imported = PostmanImporter::importCollection(file);
        ASSERT_TRUE(imported.ok());
        const QByteArray saved = encodeRecords(QList {imported->collection});
        const auto loaded = decodeRecords<Collection>(saved);
        ASSERT_TRUE(loaded.ok()) << loaded.errorMessage().toStdString();
        EXPECT_TRUE(toJson(loaded->first()) == toJson(imported->collection)) << saved.toStdString();
    }
}

TEST(PostmanImporter, environmentAndWhatIsNotACollectionOrEnvironment)
{
    const QByteArray environmentFile = fixture(u"postman/staging.postman_environment.json"_s);
    const auto environment = PostmanImporter::importEnvironment(environmentFile);
    ASSERT_TRUE(environment.ok()) << environment.errorMessage().toStdString();
    EXPECT_EQ(environment->name, u"Staging"_s);
    EXPECT_FALSE(environment->isActive);
    EXPECT_EQ(rowsText(environment->variables),
        u"baseUrl=https://staging.shopfront.test/v2, accessToken=stg-7Yq2, timeoutMs=2500, "
        "debug=true (off)"_s);
    const auto noEnabled = PostmanImporter::importEnvironment(
        R"({"name": "G", "values": [{"key": "k", "value": "v"}]})");
    EXPECT_EQ(rowsText(noEnabled->variables), u"k=v"_s);

    for (const QByteArray& bytes : {environmentFile, QByteArray("[]"),
             QByteArray("{\"info\": {\"name\": \"x\"}}"), QByteArray("{\"info\": "), QByteArray()})
        EXPECT_FALSE(PostmanImporter::importCollection(bytes).ok()) << bytes.toStdString();
    for (const QByteArray& bytes : {fixture(u"postman/shop-api.postman_collection.json"_s),
             QByteArray(R"({"name": "G", "values": [{"value": "v"}]})"), QByteArray("{")})
        EXPECT_FALSE(PostmanImporter::importEnvironment(bytes).ok())
            << bytes.left(40).toStdString();
    const auto empty = PostmanImporter::importCollection(R"({"info": {"name": "E"}, "item": []})");
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty->collection.requests.isEmpty());
}

// A folder with several subfolders, five levels down: each folder keeps its whole path and
// exactly the requests that sit directly in it, also those listed after a subfolder.
TEST(PostmanImporter, deepAndWideFoldersKeepTheirPathsAndRequests)
{
    const auto fleet = PostmanImporter::importCollection(
        fixture(u"postman/fleet-nested.postman_collection.json"_s));
    ASSERT_TRUE(fleet.ok()) << fleet.errorMessage().toStdString();
    const Collection& collection = fleet->collection;
    EXPECT_EQ(collection.requests.size(), 15);
    EXPECT_EQ(contents(collection).mid(0, collection.folders.size()),
        (QStringList {u"Accounts / List accounts, Close account"_s, u"Accounts / Regions / "_s,
            u"Accounts / Regions / EU / EU status"_s, u"Accounts / Regions / US / US status"_s,
            u"Accounts / Regions / US / East / East status, East quota"_s,
            u"Accounts / Regions / US / East / Virginia / Virginia status, Virginia zones"_s,
            u"Accounts / Regions / APAC / APAC status"_s,
            u"Accounts / Regions / LATAM / LATAM status, LATAM quota"_s,
            u"Accounts / Audit / Audit log"_s, u"Billing / "_s,
            u"Billing / Invoices / List invoices"_s, u"Billing / Refunds / List refunds"_s}));
    EXPECT_EQ(summary(collection.requests.last()), u"Ping: HEAD {{apiRoot}}/ping Inherit[]"_s);
}

// The collection's auth becomes the collection's own; a request whose nearest auth is the
// collection's inherits it, one under a folder with an auth of its own gets a copy of the
// folder's (Mako has no folder auth), one with its own keeps it.
TEST(PostmanImporter, theCollectionsAuthIsInheritedAndAFoldersIsCopied)
{
    const QByteArray items = R"([
        {"name": "None", "request": {"url": "https://a.test/1"}},
        {"name": "Said", "request": {"url": "https://a.test/2", "auth": {"type": "inherit"}}},
        {"name": "Own", "request": {"url": "https://a.test/3", "auth": {"type": "bearer",
            "bearer": [{"key": "token", "value": "own"}]}}},
        {"name": "Open", "item": [{"name": "In open", "request": {"url": "https://a.test/4"}}]},
        {"name": "Keyed", "auth": {"type": "apikey", "apikey": [{"key": "value", "value": "k"}]},
            "item": [{"name": "In keyed", "request": {"url": "https://a.test/5"}},
                {"name": "Deeper", "item": [
                    {"name": "In deeper", "request": {"url": "https://a.test/6"}}]}]}])";
    const struct {
        const char* collectionAuth; // the root's "auth", or empty for none
        QString collection; // the collection's auth as "Kind[credential]"
        QStringList requests;
        QStringList warnings = {};
    } cases[] = {
        {R"({"type": "basic", "basic": [{"key": "username", "value": "ana"},
            {"key": "password", "value": "pw"}]})",
            u"Basic Auth[ana:pw]"_s,
            {u"None: GET https://a.test/1 Inherit[]"_s, u"Said: GET https://a.test/2 Inherit[]"_s,
                u"Own: GET https://a.test/3 Bearer Token[own]"_s,
                u"In open: GET https://a.test/4 Inherit[]"_s,
                u"In keyed: GET https://a.test/5 API Key[k]"_s,
                u"In deeper: GET https://a.test/6 API Key[k]"_s}},
        // A kind Mako cannot hold leaves the collection without, and each request that would
        // have used it says so, as before.
        {R"({"type": "hawk", "hawk": []})", u"None[]"_s,
            {u"None: GET https://a.test/1"_s, u"Said: GET https://a.test/2"_s,
                u"Own: GET https://a.test/3 Bearer Token[own]"_s,
                u"In open: GET https://a.test/4"_s, u"In keyed: GET https://a.test/5 API Key[k]"_s,
                u"In deeper: GET https://a.test/6 API Key[k]"_s},
            {u"None: Hawk authorisation dropped"_s, u"Said: Hawk authorisation dropped"_s,
                u"Open / In open: Hawk authorisation dropped"_s}},
        {"", u"None[]"_s,
            {u"None: GET https://a.test/1"_s, u"Said: GET https://a.test/2"_s,
                u"Own: GET https://a.test/3 Bearer Token[own]"_s,
                u"In open: GET https://a.test/4"_s, u"In keyed: GET https://a.test/5 API Key[k]"_s,
                u"In deeper: GET https://a.test/6 API Key[k]"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.collectionAuth);
        QByteArray file = R"({"info": {"name": "C"}, "item": )" + items;
        if (*c.collectionAuth)
            file += R"(, "auth": )" + QByteArray(c.collectionAuth);
        const auto imported = PostmanImporter::importCollection(file + "}");
        ASSERT_TRUE(imported.ok()) << imported.errorMessage().toStdString();
        const Collection& collection = imported->collection;
        EXPECT_EQ(rawValue(collection.authType) + u'[' + collection.authToken + u']', c.collection);
        QStringList requests;
        for (const APIRequest& request : collection.requests)
            requests.append(summary(request));
        EXPECT_EQ(requests, c.requests);
        EXPECT_EQ(imported->warnings, c.warnings);
    }
}
