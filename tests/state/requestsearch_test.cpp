#include "state/requestsearch.h"
#include "state/unsavedchanges.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

QList<Collection> searchFixture()
{
    return {
        Collection {.name = u"Users"_s,
            .requests = {APIRequest {.name = u"List users"_s, .url = u"https://a.test/users"_s},
                APIRequest {.name = u"Create user"_s,
                    .url = u"https://a.test/users"_s,
                    .method = HTTPMethod::post},
                APIRequest {.name = u"Remove"_s,
                    .url = u"https://a.test/posts/1"_s,
                    .method = HTTPMethod::delete_}}},
        Collection {.name = u"Empty"_s},
        Collection {.name = u"Orders"_s,
            .requests = {APIRequest {.name = u"Submit ORDER"_s,
                .url = u"https://b.test/orders"_s,
                .method = HTTPMethod::post,
                .tags = {u"checkout"_s, u"Smoke"_s}}}},
    };
}

QStringList names(const QList<Collection>& collections, const QList<RequestMatch>& matches)
{
    QStringList found;
    for (const RequestMatch& match : matches)
        found.append(collections[match.collection].requests[match.request].name);
    return found;
}

} // namespace

// By default a search matches name, URL or method ignoring case, in collection order; the
// sidebar looks at the tags instead of the method.
TEST(RequestSearch, matchesItsFieldsIgnoringCaseInCollectionOrder)
{
    const QList<Collection> collections = searchFixture();
    const RequestFields sidebar = RequestField::name | RequestField::url | RequestField::tags;
    const struct {
        QString query;
        std::optional<RequestFields> fields; // none: the default fields
        QStringList expected;
    } cases[] = {
        {u""_s, {}, {u"List users"_s, u"Create user"_s, u"Remove"_s, u"Submit ORDER"_s}},
        // The method of both POSTs, and a URL that only contains "post".
        {u"post"_s, {}, {u"Create user"_s, u"Remove"_s, u"Submit ORDER"_s}},
        {u"ORDER"_s, {}, {u"Submit ORDER"_s}},
        {u"Del"_s, {}, {u"Remove"_s}},
        {u"a.test/USERS"_s, {}, {u"List users"_s, u"Create user"_s}},
        {u"nothing"_s, {}, {}},
        {u"smoke"_s, {}, {}},
        {u"smoke"_s, sidebar, {u"Submit ORDER"_s}},
        {u"CHECK"_s, sidebar, {u"Submit ORDER"_s}},
        {u"post"_s, sidebar, {u"Remove"_s}},
        {u"users"_s, sidebar, {u"List users"_s, u"Create user"_s}},
    };
    for (const auto& [query, fields, expected] : cases) {
        const auto found = fields ? searchRequests(collections, query, *fields)
                                  : searchRequests(collections, query);
        EXPECT_EQ(names(collections, found), expected) << query.toStdString();
    }
    EXPECT_EQ(searchRequests(collections, u"order"_s), (QList<RequestMatch> {{2, 0}}));
}

TEST(UnsavedChanges, aStoredRequestThatDiffersIsUnsavedAndClosingLosesWorkStoredNowhereElse)
{
    const QList<Collection> collections = searchFixture();
    const APIRequest stored = collections[0].requests[1];
    APIRequest edited = stored;
    edited.url += u"?page=2"_s;
    APIRequest scripted = stored;
    scripted.testScript = u"pm.test()"_s;
    const RequestOrigin fromUsers = RequestOrigin::collection(collections[0].id);
    const struct {
        const char* name;
        APIRequest request;
        RequestOrigin origin;
        bool unsaved;
    } cases[] = {
        {"as stored", stored, fromUsers, false},
        {"edited", edited, fromUsers, true},
        {"script edited", scripted, fromUsers, true},
        {"not in its collection", stored, RequestOrigin::collection(collections[2].id), true},
        {"collection gone", stored, RequestOrigin::collection(QUuid::createUuid()), true},
        {"new request", edited, RequestOrigin::none(), false},
        {"history copy", edited, RequestOrigin::history(), false},
    };
    for (const auto& [name, request, origin, unsaved] : cases)
        EXPECT_EQ(hasUnsavedChanges(request, origin, collections), unsaved) << name;

    // Closing loses work that is stored nowhere else.
    const RequestOrigin gone = RequestOrigin::collection(QUuid::createUuid());
    const APIRequest sent {.url = u"https://a.test/sent"_s, .body = u"{}"_s};
    const QList<HistoryItem> history {HistoryItem {.request = sent}};
    APIRequest sentThenEdited = freshCopy(sent);
    sentThenEdited.body = u"{\"a\": 1}"_s;
    const struct {
        const char* name;
        APIRequest request;
        RequestOrigin origin;
        bool losesWork;
    } closing[] = {
        {"as stored", stored, fromUsers, false},
        {"edited", edited, fromUsers, true},
        {"blank new request", APIRequest {}, RequestOrigin::none(), false},
        {"blank GraphQL request",
            APIRequest {.name = u"GraphQL Query"_s, .requestProtocol = RequestProtocol::graphql},
            RequestOrigin::none(), false},
        {"typed URL", APIRequest {.url = u"https://a.test"_s}, RequestOrigin::none(), true},
        {"filled header", APIRequest {.headers = {KeyValuePair {.key = u"X-A"_s}}},
            RequestOrigin::none(), true},
        {"GraphQL query", APIRequest {.graphqlQuery = u"{ me }"_s}, RequestOrigin::none(), true},
        {"pre-request script", APIRequest {.preRequestScript = u"a()"_s}, RequestOrigin::none(),
            true},
        {"test script", APIRequest {.testScript = u"b()"_s}, RequestOrigin::none(), true},
        {"sent as it is", sent, RequestOrigin::none(), false},
        {"history copy", freshCopy(sent), RequestOrigin::history(), false},
        {"history copy edited", sentThenEdited, RequestOrigin::history(), true},
        {"collection gone, blank", APIRequest {}, gone, false},
        {"collection gone, edited", edited, gone, true},
    };
    for (const auto& [name, request, origin, losesWork] : closing)
        EXPECT_EQ(closingLosesWork(request, origin, collections, history), losesWork) << name;
}
