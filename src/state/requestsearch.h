#pragma once

#include "model/collection.h"

#include <QFlags>
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

/// What a search looks at: the command palette finds requests by method too, the sidebar by
/// their tags.
enum class RequestField { name = 0x1, url = 0x2, method = 0x4, tags = 0x8 };
Q_DECLARE_FLAGS(RequestFields, RequestField)
Q_DECLARE_OPERATORS_FOR_FLAGS(RequestFields)

/// The requests of every collection, collections in order and requests in order within each,
/// whose name, URL, method name or one of whose tags (as `fields` choose) contains `query`,
/// ignoring case; every request for an empty query. No limit.
QList<RequestMatch> searchRequests(const QList<Collection>& collections, const QString& query,
    RequestFields fields = RequestField::name | RequestField::url | RequestField::method);

} // namespace mako
