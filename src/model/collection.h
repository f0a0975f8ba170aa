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
    /// The auth of its requests that say `AuthType::inherit`, in the request's own fields.
    /// Never `inherit` itself.
    AuthType authType = AuthType::none;
    QString authToken;
    QString authDomain;
    QString awsRegion;
    QString awsService;
    QString awsSessionToken;
    OAuth2Settings oauth2;
    /// The folder the collection lives in, one file per request, for a team to share through
    /// git; empty for a collection kept in the data folder. The data folder then keeps only
    /// this reference.
    QString folderPath;
};

/// Copies the auth fields between anything that carries them (a request, a collection).
template <typename From, typename To> void copyAuth(const From& from, To& to)
{
    to.authType = from.authType;
    to.authToken = from.authToken;
    to.authDomain = from.authDomain;
    to.awsRegion = from.awsRegion;
    to.awsService = from.awsService;
    to.awsSessionToken = from.awsSessionToken;
    to.oauth2 = from.oauth2;
}

/// The request as it is sent: a request that inherits takes its collection's auth; without a
/// collection (or with one that has none) it goes without.
inline APIRequest withInheritedAuth(APIRequest request, const Collection* owner)
{
    if (request.authType != AuthType::inherit)
        return request;
    if (owner && owner->authType != AuthType::inherit) {
        copyAuth(*owner, request);
    } else {
        request.authType = AuthType::none;
        request.authToken.clear();
    }
    return request;
}

} // namespace mako
