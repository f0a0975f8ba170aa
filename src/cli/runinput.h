#pragma once

#include "model/apienvironment.h"
#include "model/collection.h"
#include "model/keyvaluepair.h"
#include "model/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace mako::cli {

/// The collection a run sends, and the variables it brings along.
struct RunInput {
    /// With its own variables, which come after the environment's rows.
    Collection collection;
    /// What a Postman collection could not bring along (requests left out, settings dropped).
    QStringList warnings;
    /// A Postman collection's OAuth 2.0 secrets, by their vault keys.
    QList<std::pair<QString, QString>> secrets;
    /// The environments a folder collection keeps beside its requests.
    QList<APIEnvironment> environments;
};

/// Reads a Mako collection file, a Mako backup or collections data file (where `name`, a
/// collection's name or id, picks one; it may be left empty when there is only one), or a
/// Postman collection.
Result<RunInput> readRunInput(const QByteArray& bytes, const QString& name);

/// Reads a folder collection (a folder with a collection.json). The files that do not load are
/// named in the warnings; the rest runs.
Result<RunInput> readFolderRunInput(const QString& directory);

/// `collection` as it runs: the data folder keeps one that lives in a folder as a reference to
/// it, whose requests are read from the folder, as the window does.
Result<RunInput> withFolderContents(const Collection& collection);

/// The folder collection that the request file `path` belongs to (its collection.json beside
/// it or one folder up), with `request` set to the id of the file's request; nothing when the
/// file is not one of a folder collection's requests.
std::optional<RunInput> folderOfRequestFile(const QString& path, QUuid& request);

} // namespace mako::cli
