#include "fixture.h"
#include "interchange/insomniaimporter.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

InsomniaImporter::Import imported(const QString& path)
{
    const auto result = InsomniaImporter::importExport(fixture(path));
    EXPECT_TRUE(result.ok()) << path.toStdString() << ": " << result.errorMessage().toStdString();
    return result ? result.value() : InsomniaImporter::Import {};
}

QStringList environments(const InsomniaImporter::Import& import)
{
    QStringList result;
    for (const APIEnvironment& environment : import.environments)
        result.append(environment.name + (environment.isActive ? u" (active)"_s : QString())
            + u": "_s + rowsText(environment.variables));
    return result;
}

} // namespace

TEST(InsomniaImporter, groupsBecomeFoldersByPathAndVariablesAreRewritten)
{
    const auto v4 = imported(u"insomnia/garden-v4.json"_s);
    const Collection& collection = v4.collection.collection;
    EXPECT_EQ(collection.name, u"Garden API"_s);
    EXPECT_EQ(folderListing(collection),
        (QStringList {u"Plants: List plants"_s, u"Plants / Watering: Set schedule"_s,
            u"(top): Upload photo, Log in"_s}));
    QStringList requests;
    for (const APIRequest& request : collection.requests)
        requests.append(summary(request));
    EXPECT_EQ(requests,
        (QStringList {
            u"List plants: GET {{baseUrl}}/plants H[Accept=application/json, "
            "X-Region={{region.name}} (off)] Q[page={{page}}, sort=name (off)] "
            "Bearer Token[{{token}}]"_s,
            u"Set schedule: PUT {{baseUrl}}/plants/{{plantId}}/schedule "
            "H[Content-Type=application/json] JSON[{\n  \"every\": \"{{interval}}\",\n  \"at\": "
            "\"{% now 'iso-8601', '' %}\"\n}] OAuth 2.0[]"_s,
            // A form's fields are its rows, so the enabled query goes into the URL.
            u"Upload photo: POST {{baseUrl}}/photos?album={{album}} H[X-Garden-Key={{gardenKey}}] "
            "Q[caption=First {{season}} bloom, image=/home/ana/tulip.jpg (off)] Form Data[]"_s,
            u"Log in: POST {{baseUrl}}/login H[Content-Type=application/x-www-form-urlencoded] "
            "Raw[user={{user}}] Basic Auth[{{user}}:{{password}}]"_s,
        }));
    // The grant's settings come along; its secret does not.
    const OAuth2Settings oauth = requestNamed(collection, u"Set schedule"_s).oauth2;
    EXPECT_EQ(oauth,
        (OAuth2Settings {.grant = OAuth2Grant::authorizationCode,
            .authUrl = u"https://auth.garden.test/authorize"_s,
            .tokenUrl = u"https://auth.garden.test/token"_s,
            .clientId = u"garden-app"_s,
            .scope = u"plants:write"_s,
            .clientAuth = OAuth2ClientAuth::body}));
    using Kind = PostmanImporter::LeftOutKind;
    EXPECT_EQ(v4.collection.warnings,
        (QStringList {u"Plants / Watering / Set schedule: OAuth 2.0 client secret and password "
                      "left out, to be entered again"_s,
            u"Plants / Watering / Set schedule: template tag kept as written"_s,
            u"Upload photo: file field \"image\" left without its file"_s,
            u"Upload photo: disabled query parameter \"draft\" left out"_s,
            u"Log in: disabled form field \"note\" left out"_s,
            u"Stream sensors: skipped, gRPC requests cannot be sent"_s}));
    EXPECT_EQ(v4.collection.warningKinds,
        (QList {Kind::authorisation, Kind::otherPart, Kind::file, Kind::disabledRow,
            Kind::disabledRow, Kind::unsupportedMethod}));
}

TEST(InsomniaImporter, baseAndSubEnvironmentsOfBothVersions)
{
    // A sub-environment holds the base's variables under its own, which win.
    EXPECT_EQ(environments(imported(u"insomnia/garden-v4.json"_s)),
        (QStringList {u"Garden API: baseUrl=https://api.garden.test, page=1, region.name=north, "
                      "region.zone=3"_s,
            u"Garden API / Staging: page=1, region.name=north, region.zone=3, "
            "baseUrl=https://staging.garden.test, token={{stagingToken}}"_s}));
    const auto v5 = imported(u"insomnia/garden-v5.yaml"_s);
    EXPECT_EQ(environments(v5),
        (QStringList {u"Garden API: baseUrl=https://api.garden.test, page=1"_s,
            u"Garden API / Staging: page=1, baseUrl=https://staging.garden.test"_s}));
    EXPECT_EQ(folderListing(v5.collection.collection),
        (QStringList {u"Plants: List plants"_s, u"(top): "_s}));
    EXPECT_EQ(summary(v5.collection.collection.requests.value(0)),
        u"List plants: GET {{baseUrl}}/plants H[Accept=application/json] Q[page={{page}}] "
        "Bearer Token[{{token}}]"_s);
}

TEST(InsomniaImporter, refusesOtherExports)
{
    EXPECT_FALSE(InsomniaImporter::importExport(
        QByteArray(R"({"_type": "export", "__export_format": 3, "resources": []})"))
                     .ok());
    EXPECT_FALSE(InsomniaImporter::importExport(QByteArray(R"({"resources": []})")).ok());
}
