#pragma once

#include "interchange/postmanimporter.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace mako::FileImporter {

/// The collection formats of other tools that Mako reads.
enum class Format { postman, openAPI, har, insomnia };

/// One imported file: its collection, what was left out, and the environments it brings.
struct Import {
    Format format;
    /// Its `variables` are also the first of `environments`.
    PostmanImporter::CollectionImport collection;
    /// New environments, none active: a Postman collection's variables, an OpenAPI document's
    /// `baseUrl` and server variables, Insomnia's base and sub-environments.
    QList<APIEnvironment> environments;
};

/// The format of a file's contents (JSON or YAML), told by its own keys: "openapi" or "swagger"
/// for OpenAPI, "log.entries" for HAR, Insomnia's export type, Postman's "info" and "item".
/// Nothing when the bytes are none of them.
std::optional<Format> detectFormat(const QByteArray& bytes);

/// The format's name for a message, e.g. "OpenAPI document".
QString formatName(Format format);

/// Reads a collection in any of the formats. Bytes in none of them are read as a Postman
/// collection, whose error says what is missing.
Result<Import> importCollection(const QByteArray& bytes);

} // namespace mako::FileImporter
