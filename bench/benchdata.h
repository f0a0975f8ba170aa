#pragma once

#include "model/collection.h"

#include <QByteArray>
#include <QList>

namespace mako::bench {

/// A JSON array of user-like objects of about `bytes` bytes, the shape a large API reply has:
/// nested objects, arrays, 64-bit ids, fractions, escapes and non-ASCII text.
QByteArray generateJsonBody(qsizetype bytes);

/// `requestCount` requests spread over `collectionCount` collections, each with a few headers
/// and a JSON body.
QList<Collection> generateCollections(int requestCount, int collectionCount);

/// The collection the run benchmarks send: `count` requests, every third a POST of a small JSON
/// document (with its Content-Type row), the rest GETs; URLs name the server through a
/// {{base}} variable, as a shared collection would.
Collection generateRunCollection(int count);

} // namespace mako::bench
