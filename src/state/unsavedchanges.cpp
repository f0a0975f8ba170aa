#include "state/unsavedchanges.h"

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

} // namespace mako
