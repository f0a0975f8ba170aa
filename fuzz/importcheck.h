#pragma once

// The properties every importer of another tool's format keeps, whatever the file holds:
// - request ids are unique, folders list only requests of the collection, and no request sits
//   in two folders;
// - every line of the report has its kind;
// - the collection and its environments survive a save and a load, and the collection an
//   export and an import of the native collection file; no environment comes in active.

#include "fuzzcheck.h"
#include "interchange/collectionexporter.h"
#include "interchange/postmanimporter.h"

#include <QSet>

namespace mako::fuzz {

inline void checkImport(
    const PostmanImporter::CollectionImport& imported, const QList<APIEnvironment>& environments)
{
    const Collection& collection = imported.collection;
    QSet<QUuid> requestIDs;
    for (const APIRequest& request : collection.requests)
        requestIDs.insert(request.id);
    require(requestIDs.size() == collection.requests.size(), "request ids are unique");
    QSet<QUuid> filed;
    for (const CollectionFolder& folder : collection.folders) {
        for (const QUuid& id : folder.requestIDs) {
            const auto where = [&] { return folder.name.toUtf8(); };
            require(
                requestIDs.contains(id), "a folder lists only requests of its collection", where);
            require(!filed.contains(id), "no request sits in two folders", where);
            filed.insert(id);
        }
    }
    require(imported.warnings.size() == imported.warningKinds.size(),
        "every line of the report has its kind");
    savedAndLoaded(QList {collection}, "an imported collection survives a save and a load");
    const QByteArray file = CollectionExporter::exportCollection(collection);
    const auto reread = CollectionExporter::importCollection(file);
    require(reread && sameCollection(*reread, collection),
        "an imported collection survives an export and an import", file);
    for (const APIEnvironment& environment : environments)
        require(!environment.isActive, "an imported environment is not active");
    savedAndLoaded(environments, "imported environments survive a save and a load");
}

} // namespace mako::fuzz
