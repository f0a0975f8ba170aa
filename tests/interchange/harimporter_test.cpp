#include "fixture.h"
#include "interchange/harimporter.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

TEST(HarImporter, oneRequestPerEntryWithHeadersCookiesAndBodies)
{
    const auto result = HarImporter::importCapture(fixture(u"har/checkout.har"_s));
    ASSERT_TRUE(result.ok()) << result.errorMessage().toStdString();
    EXPECT_EQ(result->collection.name, u"Checkout - Corner Shop"_s);
    EXPECT_TRUE(result->collection.folders.isEmpty());
    EXPECT_FALSE(result->variables.has_value());
    QStringList requests;
    for (const APIRequest& request : result->collection.requests)
        requests.append(summary(request));
    EXPECT_EQ(requests,
        (QStringList {
            // No pseudo-headers, no Accept-Encoding; the cookies list is the one Cookie header.
            u"cart (shop.example.test): GET https://shop.example.test/api/cart?currency=EUR&"
            "expand=items H[accept=application/json, user-agent=Mozilla/5.0 (X11; Linux x86_64), "
            "Cookie=sid=9f2c; theme=dark]"_s,
            // The connection's own headers stay behind; the JSON text is the body.
            u"orders (shop.example.test): POST https://shop.example.test/api/orders "
            "H[Content-Type=application/json, X-CSRF-Token=tok-77] "
            "JSON[{\"cart\":\"c-12\",\"express\":true}]"_s,
            // A multipart body comes from its params, without the browser's boundary.
            u"returns (shop.example.test): POST https://shop.example.test/api/returns "
            "Q[order=o-5, photo=broken-mug.jpg (off)] Form Data[]"_s,
            // A URL-encoded form with only its params is written out as its text.
            u"newsletter (shop.example.test): POST https://shop.example.test/newsletter "
            "H[Origin=https://shop.example.test, Content-Type=application/x-www-form-urlencoded] "
            "Raw[email=ana%40example.test&weekly=on]"_s,
            u"3 (shop.example.test): PUT https://shop.example.test/api/notes/3 "
            "H[Content-Type=text/plain;charset=UTF-8] Raw[Leave at 4]"_s,
        }));
    EXPECT_EQ(result->warnings,
        (QStringList {u"returns (shop.example.test): file field \"photo\" left without its file"_s,
            u"odd (shop.example.test): skipped, the method GET / cannot be sent"_s}));
    EXPECT_EQ(result->warningKinds,
        (QList {
            PostmanImporter::LeftOutKind::file, PostmanImporter::LeftOutKind::unsupportedMethod}));

    EXPECT_FALSE(HarImporter::importCapture(QByteArray(R"({"log": {"entries": {}}})")).ok());
}
