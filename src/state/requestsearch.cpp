#include "state/requestsearch.h"

namespace mako {

namespace {

bool matches(const APIRequest& request, const QString& query)
{
    return request.name.contains(query, Qt::CaseInsensitive)
        || request.url.contains(query, Qt::CaseInsensitive)
        || rawValue(request.method).contains(query, Qt::CaseInsensitive);
}

} // namespace

QList<RequestMatch> searchRequests(const QList<Collection>& collections, const QString& query)
{
    QList<RequestMatch> found;
    for (int c = 0; c < collections.size(); ++c) {
        const QList<APIRequest>& requests = collections[c].requests;
        for (int r = 0; r < requests.size(); ++r) {
            if (query.isEmpty() || matches(requests[r], query))
                found.append({c, r});
        }
    }
    return found;
}

} // namespace mako
