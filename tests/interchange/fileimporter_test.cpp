#include "fixture.h"
#include "interchange/fileimporter.h"
#include "interchange/structureddocument.h"
#include "support/qtprinters.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

TEST(FileImporter, tellsTheFormatByTheContents)
{
    using Format = FileImporter::Format;
    const struct {
        QByteArray bytes;
        std::optional<Format> format;
        qsizetype environments;
    } cases[] {
        {fixture(u"openapi/bookshelf-3.0.yaml"_s), Format::openAPI, 1},
        {fixture(u"openapi/inventory-3.1.json"_s), Format::openAPI, 1},
        {fixture(u"openapi/petclinic-swagger-2.0.json"_s), Format::openAPI, 1},
        {fixture(u"har/checkout.har"_s), Format::har, 0},
        {fixture(u"insomnia/garden-v4.json"_s), Format::insomnia, 2},
        {fixture(u"insomnia/garden-v5.yaml"_s), Format::insomnia, 2},
        {fixture(u"postman/shop-api.postman_collection.json"_s), Format::postman, 1},
        {"{}", std::nullopt, 0},
        {"just: [words", std::nullopt, 0},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.bytes.left(60).toStdString());
        EXPECT_EQ(FileImporter::detectFormat(item.bytes), item.format);
        const auto imported = FileImporter::importCollection(item.bytes);
        EXPECT_EQ(imported.ok(), item.format.has_value());
        if (imported) {
            EXPECT_EQ(imported->format, *item.format);
            EXPECT_EQ(imported->environments.size(), item.environments);
        }
    }
}

TEST(FileImporter, yamlScalarsTakeTheirTypesAndAliasBombsAreRefused)
{
    const auto parsed
        = parseJsonOrYaml("a: 2\nb: '2'\nc: true\nd: ~\ne: 1.5e3\nf: 12345678901234567890\n"
                          "g: &x [1]\nh: *x\n");
    ASSERT_TRUE(parsed.ok()) << parsed.errorMessage().toStdString();
    EXPECT_EQ(parsed->toObject(),
        (QJsonObject {{u"a"_s, 2}, {u"b"_s, u"2"_s}, {u"c"_s, true}, {u"d"_s, QJsonValue::Null},
            {u"e"_s, 1500.0}, {u"f"_s, u"12345678901234567890"_s}, {u"g"_s, QJsonArray {1}},
            {u"h"_s, QJsonArray {1}}}));
    // Nine levels of ten aliases each would expand to a billion nodes.
    QByteArray bomb = "a0: [x]\n";
    for (int level = 1; level < 10; ++level) {
        bomb += "a" + QByteArray::number(level) + ": &a" + QByteArray::number(level) + " [";
        for (int copy = 0; copy < 10; ++copy)
            bomb += (copy ? ", *a" : "*a") + QByteArray::number(level - 1);
        bomb += "]\n";
    }
    bomb.replace("a0: [x]", "a0: &a0 [x]");
    EXPECT_FALSE(parseJsonOrYaml(bomb).ok());
}
