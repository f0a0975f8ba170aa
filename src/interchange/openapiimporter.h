#pragma once

#include "interchange/postmanimporter.h"

#include <QJsonObject>

namespace mako::OpenAPIImporter {

/// Whether a parsed document says it is OpenAPI 3 ("openapi") or Swagger 2.0 ("swagger").
bool isDocument(const QJsonObject& root);

/// Reads an OpenAPI 3.0 or 3.1 document, or a Swagger 2.0 one, into one collection named by its
/// title: a folder per tag (an operation with several goes under its first; untagged ones stay
/// at the top), a request per operation named by its summary (else "METHOD /path"), its URL
/// "{{baseUrl}}/path" with each path parameter as "{{name}}". `variables` is a new environment
/// with `baseUrl` (the first server) and the server's variables. Required query and header
/// parameters become rows, optional ones disabled rows; a JSON body is the operation's example
/// or one built from its schema; form fields become rows. The document's security becomes the
/// collection's auth that its requests inherit, an operation's own security its own auth.
/// Everything else (cookie parameters, callbacks, further servers, schemes Mako has no kind
/// for) is listed in the warnings. The document's maps come in name order, so operations do
/// too: paths by name, then by method.
Result<PostmanImporter::CollectionImport> importDocument(const QJsonObject& root);

/// The same from the bytes of a JSON or YAML file.
Result<PostmanImporter::CollectionImport> importDocument(const QByteArray& bytes);

} // namespace mako::OpenAPIImporter
