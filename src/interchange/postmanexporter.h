#pragma once

#include "model/collection.h"

#include <QByteArray>
#include <QStringList>

namespace mako::PostmanExporter {

/// A collection written as a Postman v2.1 collection.
struct CollectionExport {
    QByteArray bytes;
    /// The names of the requests the format cannot hold (WebSocket and SSE), left out.
    QStringList leftOut;
};

/// Writes the collection so that Postman, and Mako's own Postman importer, read back the same
/// requests: folders as folder items holding their requests, the other requests at the top in
/// collection order, the collection's auth, scripts and variables. Enabled query rows beside
/// the URL join the URL's query, which is where Postman keeps them; disabled ones stay in the
/// query list switched off. OAuth 2.0 settings go without their secrets, which Mako keeps in
/// the secret service and never in a file.
CollectionExport exportCollection(const Collection& collection);

/// A file name for the export: the collection's name, made safe, plus ".postman_collection.json".
QString exportFileName(const QString& collectionName);

} // namespace mako::PostmanExporter
