#pragma once

#include "model/apienvironment.h"
#include "model/collection.h"
#include "model/result.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

namespace mako::PostmanImporter {

/// What the caller puts in front of an import error for the user's alert.
inline constexpr auto kCollectionFailurePrefix = u"Failed to import Postman collection: ";
inline constexpr auto kEnvironmentFailurePrefix = u"Failed to import Postman environment: ";

/// What kind of thing an import could not bring along, so that a report can count them.
enum class LeftOutKind {
    /// A script that runs at another moment than before the request or after the response.
    otherScript,
    /// A whole request, whose method Mako cannot send.
    unsupportedMethod,
    authorisation,
    /// A file of a form field or a binary body.
    file,
    /// A disabled row that the request has no place for.
    disabledRow,
    /// The content type given to one form field.
    fieldContentType,
    /// A part of another format's document that Mako has no place for: a cookie parameter, a
    /// callback, a server beyond the first, a template tag.
    otherPart,
};

/// A collection as imported, with the variables it carries.
struct CollectionImport {
    Collection collection;
    /// The collection's variables (also kept in `collection.variables`) as an environment
    /// named after the collection and not active; nothing when the collection has none.
    std::optional<APIEnvironment> variables;
    /// One line for each request left out and each setting that Mako cannot hold, naming the
    /// request (folders by path) and what was lost, e.g. "Login: digest authorisation dropped".
    QStringList warnings;
    /// The kind of what each line of `warnings` tells of, in the same order.
    QList<LeftOutKind> warningKinds;
    /// The OAuth 2.0 secrets of the file (client secrets, passwords, access tokens), keyed by
    /// `oauth2SecretKey`: for the caller's secret vault, never for the collection.
    QList<std::pair<QString, QString>> secrets;
};

/// Reads a Postman collection (format v2.0 or v2.1). Folders, nested or not, become one-level
/// folders named by their path ("Parent / Child"); every request gets fresh ids, the auth it
/// inherits from its folders and the collection, and its disabled rows as disabled rows. A URL
/// keeps its query as typed, with path variables (":name" segments) given their values from
/// the file. The pre-request and test scripts of the collection, its folders and its requests
/// are kept, and so are the collection's variables. Requests whose method Mako cannot send are left
/// out; they and every setting dropped on the way are listed in the warnings. Fails with a message
/// when the bytes are not a Postman collection.
Result<CollectionImport> importCollection(const QByteArray& bytes);

/// Reads a Postman environment (or globals) export into an inactive environment.
Result<APIEnvironment> importEnvironment(const QByteArray& bytes);

} // namespace mako::PostmanImporter
