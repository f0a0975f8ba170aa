#pragma once

#include "model/apirequest.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace mako {

/// A named grouping inside one collection. It lists ids of requests that live in the
/// collection's own request list; a stale id is legal and ignored by the screens.
struct CollectionFolder {
    QUuid id = QUuid::createUuid();
    QString name;
    QList<QUuid> requestIDs;
    /// Run around every request of the folder, after the collection's and before the request's.
    QString preRequestScript;
    QString testScript;
};

/// A named group of saved requests. Compared by id, so it has no operator==.
struct Collection {
    QUuid id = QUuid::createUuid();
    QString name;
    /// Every request of the collection in display order, whether or not a folder lists it.
    QList<APIRequest> requests;
    QList<CollectionFolder> folders;
    Timestamp createdAt = currentTimestamp();
    /// Variables that belong to the collection and travel with it.
    QList<KeyValuePair> variables;
    /// Run around every request of the collection, before the folder's and the request's.
    QString preRequestScript;
    QString testScript;
};

} // namespace mako
