#pragma once

#include "model/collection.h"

#include <QList>
#include <QString>

namespace mako {

/// One request found by `searchRequests`, by its position: `collections[collection]
/// .requests[request]`. Positions hold until the collections next change.
struct RequestMatch {
    int collection = 0;
    int request = 0;

    bool operator==(const RequestMatch&) const = default;
};

/// The requests of every collection, collections in order and requests in order within each,
/// whose name, URL or method name contains `query`, ignoring case; every request for an empty
/// query. No limit.
QList<RequestMatch> searchRequests(const QList<Collection>& collections, const QString& query);

} // namespace mako
