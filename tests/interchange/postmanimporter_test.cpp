#include "fixture.h"
#include "interchange/postmanimporter.h"
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
    // Folders nest by path and pass their auth down; the query listed beside "raw" is taken
    // once, from the list; a key named other than X-API-Key becomes its header row.
    EXPECT_EQ(contents(shop->collection),
        (QStringList {u"Orders / List orders"_s, u"Orders / Drafts / Create draft"_s,
            u"Customers / Sign in, Upload avatar, Export (WebDAV)"_s,
            u"Health: GET {{baseUrl}}/health"_s,
            u"List orders: GET {{baseUrl}}/orders H[Accept=application/json, X-Debug=1 (off)] "
            "Q[page=2, status=open, limit=50 (off)] Basic Auth[ops:s3cr3t:pw]"_s,
            u"Create draft: POST {{baseUrl}}/orders/drafts H[Content-Type=application/json] "
            "JSON[{\n    \"customerId\": {{customerId}},\n    \"items\": []\n}] "
            "Basic Auth[ops:s3cr3t:pw]"_s,
            u"Sign in: POST {{baseUrl}}/session H[Content-Type=application/x-www-form-urlencoded] "
            "Raw[email=ana%2Bshop%40example.com&password=p%26ss%20word&tenant={{tenant}}] "
            "Bearer Token[{{accessToken}}]"_s,
            u"Upload avatar: PUT {{baseUrl}}/customers/7/avatar?size=large "
            "Q[caption=Me at the lake, file=/home/ana/lake.jpg (off)] Form Data[] "
            "Bearer Token[{{accessToken}}]"_s,
            u"Export (WebDAV): GET https://dav.shopfront.test/exports/ "
            "H[X-Export-Key={{exportKey}}] Raw[<propfind xmlns=\"DAV:\"><allprop/></propfind>]"_s}));
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
            u"Get invoice: GET https://billing.test/api/invoices/{{invoiceId}} "
            "H[Accept=application/pdf] Q[format=pdf, lang=de]"_s,
            u"Void invoice: PATCH https://billing.test/api/invoices/{{invoiceId}}/void "
            "H[Content-Type=text/plain, X-Reason=duplicate] Raw[voided by support] "
            "Basic Auth[billing:hunter2]"_s,
            u"Ping: HEAD https://billing.test:8443/ping JSON[{\"probe\":true}] "
            "Bearer Token[legacy-token-123]"_s}));
    EXPECT_FALSE(legacy->variables.has_value());
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
