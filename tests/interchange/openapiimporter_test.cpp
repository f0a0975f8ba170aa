#include "fixture.h"
#include "interchange/openapiimporter.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

const QString kYaml30 = u"openapi/bookshelf-3.0.yaml"_s;
const QString kJson31 = u"openapi/inventory-3.1.json"_s;
const QString kSwagger = u"openapi/petclinic-swagger-2.0.json"_s;

PostmanImporter::CollectionImport imported(const QString& path)
{
    const auto result = OpenAPIImporter::importDocument(fixture(path));
    EXPECT_TRUE(result.ok()) << path.toStdString() << ": " << result.errorMessage().toStdString();
    return result ? result.value() : PostmanImporter::CollectionImport {};
}

struct RequestCase {
    QString file;
    QString name;
    QString expected;
};

void expectRequests(const QList<RequestCase>& cases, QString (*describe)(const APIRequest&))
{
    for (const RequestCase& item : cases) {
        SCOPED_TRACE((item.file + u" / "_s + item.name).toStdString());
        EXPECT_EQ(describe(requestNamed(imported(item.file).collection, item.name)), item.expected);
    }
}

QString rowsOf(const APIRequest& request)
{
    return u"H["_s + rowsText(request.headers) + u"] Q["_s + rowsText(request.queryParams) + u"] "_s
        + request.url;
}

QString bodyOf(const APIRequest& request)
{
    return rawValue(request.bodyType) + u'[' + request.body + u"] "_s
        + rowsText(request.queryParams) + u" | "_s + request.url;
}

QString authOf(const APIRequest& request)
{
    const OAuth2Settings& oauth = request.oauth2;
    const QString flow = request.authType == AuthType::oauth2 ? u" "_s + grantTypeName(oauth.grant)
            + u' ' + oauth.authUrl + u' ' + oauth.tokenUrl + u" ["_s + oauth.scope + u']'
                                                              : QString();
    return rawValue(request.authType) + flow + u" H["_s + rowsText(request.headers) + u"] Q["_s
        + rowsText(request.queryParams) + u"] "_s + request.url;
}

} // namespace

TEST(OpenAPIImporter, aFolderPerTagInTheDocumentsOrderAndUntaggedAtTheTop)
{
    const auto yaml = imported(kYaml30);
    EXPECT_EQ(yaml.collection.name, u"Bookshelf API"_s);
    // An operation with two tags goes under its first; a tag no operation uses makes none.
    EXPECT_EQ(folderListing(yaml.collection),
        (QStringList {u"Shelves: GET /shelves, Create a shelf, Upload a cover"_s,
            u"Books: List books, Add a book"_s, u"(top): GET /health, Log in"_s}));
    EXPECT_EQ(folderListing(imported(kSwagger).collection),
        (QStringList {
            u"Pets: Register a pet"_s, u"Visits: GET /visits, Book a visit"_s, u"(top): "_s}));
}

TEST(OpenAPIImporter, pathParametersBecomeVariablesAndParametersRows)
{
    // Required parameters are rows, optional ones disabled rows with their example or default;
    // an operation's parameter replaces its path's of the same name.
    expectRequests(
        {
            {kYaml30, u"List books"_s,
                u"H[X-Trace=abc] Q[limit=20, cursor= (off)] {{baseUrl}}/shelves/{{shelfId}}/books"_s},
            {kJson31, u"Yearly report"_s,
                u"H[Accept-Language=en (off)] Q[] {{baseUrl}}/reports/{{year}}.csv"_s},
            {kSwagger, u"Register a pet"_s,
                u"H[X-Staff-Key=] Q[notify=false (off)] {{baseUrl}}/owners/{{ownerId}}/pets"_s},
            {kSwagger, u"GET /visits"_s, u"H[] Q[day=] {{baseUrl}}/visits"_s},
        },
        rowsOf);
}

TEST(OpenAPIImporter, theFirstServerAndItsVariablesBecomeANewEnvironment)
{
    const struct {
        QString file;
        QString variables;
    } cases[] {
        {kYaml30, u"baseUrl=https://{{region}}.bookshelf.test/v{{major}}, major=2, region=eu"_s},
        {kJson31, u"baseUrl=/api"_s},
        {kSwagger, u"baseUrl=https://clinic.example.test:8443/v1"_s},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.file.toStdString());
        const auto result = imported(item.file);
        ASSERT_TRUE(result.variables.has_value());
        EXPECT_EQ(result.variables->name, result.collection.name);
        EXPECT_FALSE(result.variables->isActive);
        EXPECT_EQ(rowsText(result.variables->variables), item.variables);
    }
}

TEST(OpenAPIImporter, bodiesFromExamplesOrBuiltFromSchemasAndFormsAsRows)
{
    expectRequests(
        {
            // An example of the media type wins over the schema.
            {kYaml30, u"Create a shelf"_s,
                u"JSON[{\n    \"name\": \"Summer\",\n    \"public\": true\n}]  | {{baseUrl}}/shelves"_s},
            {kJson31, u"Update an item"_s,
                u"JSON[{\n    \"count\": 40\n}]  | {{baseUrl}}/items/{{sku}}"_s},
            // Built from the schema through $refs: read-only fields stay out, and a schema met
            // again inside itself is cut (an empty list, a left-out property).
            {kYaml30, u"Add a book"_s,
                u"JSON[{\n    \"author\": {\n        \"books\": [\n        ],\n        \"name\": "
                "\"string\"\n    },\n    \"pages\": 0,\n    \"published\": \"1970-01-01\",\n    "
                "\"related\": [\n    ],\n    \"title\": \"Dune\"\n}]  | "
                "{{baseUrl}}/shelves/{{shelfId}}/books"_s},
            {kJson31, u"Create a category"_s,
                u"JSON[{\n    \"audit\": {\n        \"at\": \"1970-01-01T00:00:00Z\",\n        "
                "\"by\": \"user@example.com\"\n    },\n    \"kind\": \"physical\",\n    \"label\": "
                "\"Tools\",\n    \"owner\": {\n        \"active\": false\n    },\n    \"tags\": "
                "[\n  "
                "      \"string\"\n    ],\n    \"weight\": 0\n}]  | {{baseUrl}}/categories"_s},
            {kSwagger, u"Register a pet"_s,
                u"JSON[{\n    \"name\": \"Rex\",\n    \"species\": \"dog\",\n    \"vaccinated\": "
                "false\n}] notify=false (off) | {{baseUrl}}/owners/{{ownerId}}/pets"_s},
            {kJson31, u"Replace the notes"_s, u"Raw[Count again on Monday]  | {{baseUrl}}/notes"_s},
            // Form fields are rows; as those rows are the query's too, the required query goes
            // into the URL.
            {kYaml30, u"Upload a cover"_s,
                u"Form Data[] caption=Autumn reads, credit= (off), image= (off) | "
                "{{baseUrl}}/shelves/{{shelfId}}/cover?resize=true&key="_s},
            {kSwagger, u"Book a visit"_s,
                u"Form Data[] petId=7, xray= (off) | {{baseUrl}}/visits?urgent=true"_s},
            // A URL-encoded form goes as its text, with its required fields.
            {kYaml30, u"Log in"_s, u"Raw[password=p%26ss&user=ana]  | {{baseUrl}}/login"_s},
        },
        bodyOf);
}

TEST(OpenAPIImporter, securitySchemesBecomeAuth)
{
    // The document's security is the collection's, which its requests inherit.
    const auto yaml = imported(kYaml30);
    EXPECT_EQ(yaml.collection.authType, AuthType::bearer);
    const auto json = imported(kJson31);
    EXPECT_EQ(json.collection.authType, AuthType::oauth2);
    EXPECT_EQ(json.collection.oauth2.grant, OAuth2Grant::clientCredentials);
    EXPECT_EQ(json.collection.oauth2.tokenUrl, u"https://auth.inventory.test/oauth/token"_s);
    EXPECT_EQ(json.collection.oauth2.scope, u"stock:read stock:write"_s);
    expectRequests(
        {
            {kYaml30, u"List books"_s,
                u"Inherit H[X-Trace=abc] Q[limit=20, cursor= (off)] "
                "{{baseUrl}}/shelves/{{shelfId}}/books"_s},
            {kYaml30, u"GET /health"_s, u"None H[] Q[] {{baseUrl}}/health"_s},
            {kYaml30, u"GET /shelves"_s, u"Basic Auth H[] Q[] {{baseUrl}}/shelves"_s},
            // The operation's scopes; the implicit flow, which Mako has no grant for, is passed.
            {kYaml30, u"Create a shelf"_s,
                u"OAuth 2.0 authorization_code https://id.bookshelf.test/authorize "
                "https://id.bookshelf.test/token [shelves:write] H[] Q[] {{baseUrl}}/shelves"_s},
            {kJson31, u"Retire an item"_s, u"API Key H[] Q[] {{baseUrl}}/items/{{sku}}"_s},
            {kJson31, u"Yearly report"_s,
                u"Digest Auth H[Accept-Language=en (off)] Q[] {{baseUrl}}/reports/{{year}}.csv"_s},
            // A key of another name, or in the query, is the row that carries it.
            {kSwagger, u"Register a pet"_s,
                u"None H[X-Staff-Key=] Q[notify=false (off)] {{baseUrl}}/owners/{{ownerId}}/pets"_s},
            {kSwagger, u"Book a visit"_s,
                u"OAuth 2.0 password  https://clinic.example.test/oauth/token [visits] H[] "
                "Q[petId=7, xray= (off)] {{baseUrl}}/visits?urgent=true"_s},
        },
        authOf);
}

TEST(OpenAPIImporter, reportsWhatWasLeftOut)
{
    using Kind = PostmanImporter::LeftOutKind;
    const struct {
        QString file;
        QStringList warnings;
        QList<Kind> kinds;
    } cases[] {
        {kYaml30,
            {u"Bookshelf API: server \"http://localhost:8080/v2\" left out, baseUrl is the first"_s,
                u"Log in: optional form field \"remember\" left out"_s,
                u"Log in: security scheme \"openId\" (openIdConnect) left out"_s,
                u"Books / List books: cookie parameter \"session\" left out"_s,
                u"Books / List books: callbacks left out"_s,
                u"Shelves / Upload a cover: file field \"image\" left without a file"_s,
                u"Shelves / Upload a cover: optional query parameter \"quality\" left out"_s},
            {Kind::otherPart, Kind::disabledRow, Kind::authorisation, Kind::otherPart,
                Kind::otherPart, Kind::file, Kind::disabledRow}},
        {kJson31,
            {u"Inventory: 1 webhooks left out"_s,
                u"Yearly report: servers of its own left out, it uses {{baseUrl}}"_s},
            {Kind::otherPart, Kind::otherPart}},
        {kSwagger, {u"Visits / Book a visit: file field \"xray\" left without a file"_s},
            {Kind::file}},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.file.toStdString());
        const auto result = imported(item.file);
        EXPECT_EQ(result.warnings, item.warnings);
        EXPECT_EQ(result.warningKinds, item.kinds);
    }
}

TEST(OpenAPIImporter, refusesWhatIsNotADocumentAndSurvivesReferenceLoops)
{
    EXPECT_FALSE(OpenAPIImporter::importDocument(QByteArray("info:\n  title: x\n")).ok());
    EXPECT_FALSE(OpenAPIImporter::importDocument(QByteArray(R"({"openapi": "4.0.0"})")).ok());
    // References that point at each other, or nowhere, give an empty body, not a hang.
    const auto loop = OpenAPIImporter::importDocument(QByteArray(R"({"openapi": "3.0.0",
        "paths": {"/a": {"post": {"requestBody": {"$ref": "#/components/requestBodies/A"},
            "parameters": [{"$ref": "#/nowhere"}]}}},
        "components": {"requestBodies": {"A": {"$ref": "#/components/requestBodies/B"},
            "B": {"$ref": "#/components/requestBodies/A"}}}})"));
    ASSERT_TRUE(loop.ok());
    EXPECT_EQ(summary(loop->collection.requests.value(0)), u"POST /a: POST {{baseUrl}}/a"_s);
}
