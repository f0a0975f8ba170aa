#include "state/unsavedchanges.h"

#include <algorithm>

namespace mako {

bool hasUnsavedChanges(
    const APIRequest& request, const RequestOrigin& origin, const QList<Collection>& collections)
{
    if (!origin.isCollection())
        return false;
    for (const Collection& collection : collections) {
        if (collection.id != origin.collectionID)
            continue;
        for (const APIRequest& stored : collection.requests) {
            if (stored.id == request.id)
                return stored != request;
        }
        return true;
    }
    // The collection is gone (its tabs normally close with it): nothing holds the request.
    return true;
}

namespace {

bool isBlank(const APIRequest& request)
{
    const auto blankRows = [](const QList<KeyValuePair>& rows) {
        return std::ranges::all_of(
            rows, [](const KeyValuePair& row) { return row.key.isEmpty() && row.value.isEmpty(); });
    };
    // The name, the method, the protocol and the kinds of body and auth are choices on a new
    // request, not work: a request opened as "GraphQL Query" and closed again lost nothing.
    return request.url.isEmpty() && request.body.isEmpty() && request.authToken.isEmpty()
        && request.authDomain.isEmpty() && request.awsRegion.isEmpty()
        && request.awsService.isEmpty() && request.awsSessionToken.isEmpty()
        && request.graphqlQuery.isEmpty() && request.graphqlVariables.isEmpty()
        && request.graphqlOperationName.isEmpty() && request.wsMessages.isEmpty()
        && request.tags.isEmpty() && request.preRequestScript.isEmpty()
        && request.testScript.isEmpty() && blankRows(request.headers)
        && blankRows(request.queryParams);
}

} // namespace

bool closingLosesWork(const APIRequest& request, const RequestOrigin& origin,
    const QList<Collection>& collections, const QList<HistoryItem>& history)
{
    if (origin.isCollection()) {
        const bool collectionExists = std::ranges::any_of(collections,
            [&](const Collection& collection) { return collection.id == origin.collectionID; });
        if (collectionExists)
            return hasUnsavedChanges(request, origin, collections);
    }
    if (isBlank(request))
        return false;
    return std::ranges::none_of(history,
        [&](const HistoryItem& item) { return sameRequestContent(item.request, request); });
}

} // namespace mako
