#pragma once

#include "interchange/postmanimporter.h"

#include <QJsonObject>

namespace mako::InsomniaImporter {

/// A collection as imported from Insomnia, with every environment it brings.
struct Import {
    /// Its `variables` stay empty: Insomnia's variables live in `environments`.
    PostmanImporter::CollectionImport collection;
    /// The base environment first, named after the workspace, then each sub-environment with
    /// the base's variables under its own (its own win); none is active.
    QList<APIEnvironment> environments;
};

/// Whether a parsed document is an Insomnia export: v4 (`_type` "export" with
/// `__export_format`) or v5 (`type` "collection.insomnia.rest/5.0").
bool isExport(const QJsonObject& root);

/// Reads an Insomnia export into one collection named after its workspace: request groups
/// become folders named by their path ("Parent / Child"), requests keep their method, URL,
/// enabled and disabled headers and parameters, body and auth, and Insomnia's "{{ _.name }}"
/// variables become Mako's "{{name}}". Template tags ("{% ... %}") stay as written and, with
/// the requests Mako cannot send (gRPC), are listed in the warnings. Nested environment values
/// become dotted names ("db.host").
Result<Import> importExport(const QJsonObject& root);

/// The same from the bytes of a JSON or YAML file.
Result<Import> importExport(const QByteArray& bytes);

} // namespace mako::InsomniaImporter
