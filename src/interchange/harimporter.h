#pragma once

#include "interchange/postmanimporter.h"

#include <QJsonObject>

namespace mako::HarImporter {

/// Whether a parsed document is a HAR capture: a "log" with a list of "entries".
bool isCapture(const QJsonObject& root);

/// Reads a HAR 1.2 capture (what a browser saves as "Save all as HAR") into a new collection
/// with one request per entry, in order, named by its URL. Headers come along except HTTP/2's
/// pseudo-headers (":authority") and those the browser or the connection writes on its own,
/// which libcurl writes for Mako's sends in turn: Host, Connection, Keep-Alive,
/// Proxy-Connection, Transfer-Encoding, TE, Trailer, Upgrade, Content-Length and
/// Accept-Encoding (libcurl offers the encodings it can decode). The entry's cookies become
/// one Cookie header. The body is `postData.text`; a multipart body, whose text holds the
/// browser's boundary, comes as form rows from `params`, and so does a body that has only
/// `params` (a URL-encoded one as its text, since form rows go out as multipart). File fields and
/// entries whose method cannot be sent are listed in the warnings.
Result<PostmanImporter::CollectionImport> importCapture(const QJsonObject& root);

/// The same from the bytes of the file.
Result<PostmanImporter::CollectionImport> importCapture(const QByteArray& bytes);

} // namespace mako::HarImporter
