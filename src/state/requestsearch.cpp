#include "state/requestsearch.h"

#include <algorithm>

namespace mako {

namespace {

bool matches(const APIRequest& request, const QString& query, RequestFields fields)
{
    const auto contains
        = [&query](const QString& text) { return text.contains(query, Qt::CaseInsensitive); };
    return (fields.testFlag(RequestField::name) && contains(request.name))
        || (fields.testFlag(RequestField::url) && contains(request.url))
        || (fields.testFlag(RequestField::method) && contains(methodName(request)))
        || (fields.testFlag(RequestField::tags) && std::ranges::any_of(request.tags, contains));
}

} // namespace

QList<RequestMatch> searchRequests(
    const QList<Collection>& collections, const QString& query, RequestFields fields)
{
    QList<RequestMatch> found;
    for (int c = 0; c < collections.size(); ++c) {
        const QList<APIRequest>& requests = collections[c].requests;
        for (int r = 0; r < requests.size(); ++r) {
            if (query.isEmpty() || matches(requests[r], query, fields))
                found.append({c, r});
        }
    }
    return found;
}

} // namespace mako
