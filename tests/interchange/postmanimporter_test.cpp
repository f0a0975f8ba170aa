#include "fixture.h"
#include "interchange/postmanimporter.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

QStringList rows(const QList<KeyValuePair>& list)
{
    QStringList result;
    for (const KeyValuePair& row : list)
        result.append(row.key + u'=' + row.value + (row.isEnabled ? u""_s : u" (off)"_s));
    return result;
}

QStringList folderContents(const Collection& collection)
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
        result.append(folder.name + u": "_s + names.join(u", "_s));
    }
    return result;
}

} // namespace

TEST(PostmanImporter, collectionV21WithNestedFoldersAuthAndBodies)
{
    const auto imported
        = PostmanImporter::importCollection(fixture(u"postman/shop-api.postman_collection.json"_s));
    ASSERT_TRUE(imported.ok()) << imported.errorMessage().toStdString();
    const Collection& collection = imported->collection;
    EXPECT_EQ(collection.name, u"Shop API"_s);
    EXPECT_EQ(folderContents(collection),
        (QStringList {u"Orders: List orders"_s, u"Orders / Drafts: Create draft"_s,
            u"Customers: Sign in, Upload avatar, Export (WebDAV)"_s}));
    ASSERT_EQ(collection.requests.size(), 6);
    const auto& r = collection.requests;

    EXPECT_EQ(r[0].url, u"{{baseUrl}}/health"_s);
    EXPECT_EQ(r[0].authType, AuthType::none);
    EXPECT_TRUE(r[0].headers.isEmpty());

    // The query is in "raw" and in the list: it is imported once, from the list.
    EXPECT_EQ(r[1].url, u"{{baseUrl}}/orders"_s);
    EXPECT_EQ(
        rows(r[1].queryParams), (QStringList {u"page=2"_s, u"status=open"_s, u"limit=50 (off)"_s}));
    EXPECT_EQ(
        rows(r[1].headers), (QStringList {u"Accept=application/json"_s, u"X-Debug=1 (off)"_s}));
    EXPECT_EQ(r[1].authType, AuthType::basic);
    EXPECT_EQ(r[1].authToken, u"ops:s3cr3t:pw"_s);

    EXPECT_EQ(r[2].method, HTTPMethod::post);
    EXPECT_EQ(r[2].bodyType, RequestBodyType::json);
    EXPECT_EQ(r[2].body, u"{\n    \"customerId\": {{customerId}},\n    \"items\": []\n}"_s);
    EXPECT_EQ(r[2].authToken, u"ops:s3cr3t:pw"_s);

    EXPECT_EQ(r[3].bodyType, RequestBodyType::raw);
    EXPECT_EQ(
        r[3].body, u"email=ana%2Bshop%40example.com&password=p%26ss%20word&tenant={{tenant}}"_s);
    EXPECT_EQ(
        rows(r[3].headers), QStringList {u"Content-Type=application/x-www-form-urlencoded"_s});
    EXPECT_EQ(r[3].authType, AuthType::bearer);
    EXPECT_EQ(r[3].authToken, u"{{accessToken}}"_s);

    EXPECT_EQ(r[4].bodyType, RequestBodyType::formData);
    EXPECT_EQ(r[4].url, u"{{baseUrl}}/customers/7/avatar?size=large"_s);
    EXPECT_EQ(rows(r[4].queryParams),
        (QStringList {u"caption=Me at the lake"_s, u"file=/home/ana/lake.jpg (off)"_s}));

    EXPECT_EQ(r[5].method, HTTPMethod::get);
    EXPECT_EQ(r[5].authType, AuthType::none);
    EXPECT_EQ(rows(r[5].headers), QStringList {u"X-Export-Key={{exportKey}}"_s});
    EXPECT_EQ(r[5].bodyType, RequestBodyType::raw);

    ASSERT_TRUE(imported->variables.has_value());
    EXPECT_EQ(imported->variables->name, u"Shop API"_s);
    EXPECT_FALSE(imported->variables->isActive);
    EXPECT_EQ(rows(imported->variables->variables),
        (QStringList {u"baseUrl=https://api.shopfront.test/v2"_s, u"retries=3"_s,
            u"legacyHost=http://old.shopfront.test (off)"_s}));

    const auto again
        = PostmanImporter::importCollection(fixture(u"postman/shop-api.postman_collection.json"_s));
    EXPECT_NE(again->collection.id, collection.id);
    EXPECT_NE(again->collection.requests[0].id, r[0].id);
}

TEST(PostmanImporter, collectionV20WithStringURLsAndObjectAuth)
{
    const auto imported = PostmanImporter::importCollection(
        fixture(u"postman/legacy-v20.postman_collection.json"_s));
    ASSERT_TRUE(imported.ok()) << imported.errorMessage().toStdString();
    const Collection& collection = imported->collection;
    EXPECT_EQ(folderContents(collection), QStringList {u"Invoices: Get invoice, Void invoice"_s});
    ASSERT_EQ(collection.requests.size(), 3);
    const auto& r = collection.requests;
    EXPECT_EQ(r[0].url, u"https://billing.test/api/invoices/{{invoiceId}}"_s);
    EXPECT_EQ(rows(r[0].queryParams), (QStringList {u"format=pdf"_s, u"lang=de"_s}));
    EXPECT_EQ(r[0].bodyType, RequestBodyType::none);

    EXPECT_EQ(r[1].method, HTTPMethod::patch);
    EXPECT_EQ(
        rows(r[1].headers), (QStringList {u"Content-Type=text/plain"_s, u"X-Reason=duplicate"_s}));
    EXPECT_EQ(r[1].bodyType, RequestBodyType::raw);
    EXPECT_EQ(r[1].authToken, u"billing:hunter2"_s);

    EXPECT_EQ(r[2].url, u"https://billing.test:8443/ping"_s);
    EXPECT_EQ(r[2].method, HTTPMethod::head);
    EXPECT_EQ(r[2].authType, AuthType::bearer);
    EXPECT_EQ(r[2].authToken, u"legacy-token-123"_s);
    EXPECT_EQ(r[2].bodyType, RequestBodyType::json);
    EXPECT_FALSE(imported->variables.has_value());
}

TEST(PostmanImporter, whatIsNotACollectionFails)
{
    for (const QByteArray& bytes : {fixture(u"postman/staging.postman_environment.json"_s),
             QByteArray("[]"), QByteArray("{\"info\": {\"name\": \"x\"}}"),
             QByteArray("{\"info\": "), QByteArray("")}) {
        const auto imported = PostmanImporter::importCollection(bytes);
        ASSERT_FALSE(imported.ok()) << bytes.toStdString();
        EXPECT_FALSE(imported.errorMessage().isEmpty());
    }
    const auto empty = PostmanImporter::importCollection(R"({"info": {"name": "E"}, "item": []})");
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty->collection.name, u"E"_s);
    EXPECT_TRUE(empty->collection.requests.isEmpty());
}

TEST(PostmanImporter, environment)
{
    const auto environment = PostmanImporter::importEnvironment(
        fixture(u"postman/staging.postman_environment.json"_s));
    ASSERT_TRUE(environment.ok()) << environment.errorMessage().toStdString();
    EXPECT_EQ(environment->name, u"Staging"_s);
    EXPECT_FALSE(environment->isActive);
    EXPECT_EQ(rows(environment->variables),
        (QStringList {u"baseUrl=https://staging.shopfront.test/v2"_s, u"accessToken=stg-7Yq2"_s,
            u"timeoutMs=2500"_s, u"debug=true (off)"_s}));

    const auto noEnabled = PostmanImporter::importEnvironment(
        R"({"name": "G", "values": [{"key": "k", "value": "v"}]})");
    ASSERT_TRUE(noEnabled.ok());
    EXPECT_TRUE(noEnabled->variables.first().isEnabled);

    for (const QByteArray& bytes : {fixture(u"postman/shop-api.postman_collection.json"_s),
             QByteArray(R"({"name": "G", "values": [{"value": "v"}]})"), QByteArray("{")})
        EXPECT_FALSE(PostmanImporter::importEnvironment(bytes).ok())
            << bytes.left(40).toStdString();
}
