#pragma once

#include "model/apienvironment.h"
#include "model/collection.h"
#include "model/result.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QUuid>

// A collection kept as a folder a team shares through git. Each file is JSON with its keys in a
// fixed order, two-space indentation and a final newline, and holds nothing that changes without
// an edit (no save times, no ids made anew), so that editing one header changes one line of one
// file in a diff:
//
//   collection.json            id, name, auth, variables, scripts, and the order of the
//                              folders (by directory), of the top-level requests and of the
//                              environments (by file name)
//   <request>.json             a request at the top level
//   <folder>/folder.json       a folder's id, name, scripts and the order of its requests;
//                              left out for a folder made by hand that needs none (no id, named
//                              as its directory, requests in file-name order)
//   <folder>/<request>.json    a request of that folder
//   environments/<name>.json   an environment kept with the collection (which one is active
//                              is each user's own choice and not kept here)
//
// Keys that hold their default are left out, and a file that leaves a key out gets its default,
// so a file written by hand can be as short as {"name": "List users", "url": "..."}. Rows keep
// no ids and no blank rows at their end; a text of several lines is an array of its lines. A
// request's or environment's file without a "name" is named after the file.
//
// File and folder names come from the names of the requests, folders and environments, made
// safe for every platform and unique within their folder; a rename is a file rename. Files not
// listed in an order (dropped in by a teammate) come after the listed ones, by file name. The
// collection's requests come back in display order: the folders' first, then the top level.
namespace mako::FolderCollection {

/// The files of a folder collection by their path relative to the folder, with "/" between the
/// parts ("users/list-users.json"), in path order.
using Files = QMap<QString, QByteArray>;

inline constexpr auto kCollectionFile = u"collection.json";
inline constexpr auto kFolderFile = u"folder.json";
inline constexpr auto kEnvironmentsFolder = u"environments";

/// What the folder holds. The collection's requests, folders and environments keep the ids
/// their files give; a file without one gets an id derived from its path, so that it is the
/// same at every read.
struct Contents {
    Collection collection;
    QList<APIEnvironment> environments;
};

/// A file that was left out of the collection, and why ("users/list.json: line 3: ...").
struct Problem {
    QString path;
    QString reason;
};

struct Decoded {
    Contents contents;
    /// Files that did not parse (or had the wrong shape); the rest of the collection loads.
    QList<Problem> problems;
    /// The file each request, folder and environment was read from, by its id. A folder
    /// without a folder.json has its directory's path ("users/folder.json" all the same).
    QHash<QUuid, QString> paths;
};

/// The files `contents` is kept in. The values of secret variables are written empty.
Files encode(const Contents& contents);

/// The collection the files hold. Only files that `encode` could have written are read; others
/// (a README, a .git folder) are ignored. Fails only when there is no readable collection.json.
Result<Decoded> decode(const Files& files);

/// One request file on its own, as `decode` reads it at `path` (which names it when the file
/// gives no name, and from which its id is made when the file gives none).
Result<APIRequest> decodeRequest(const QByteArray& bytes, const QString& path);

/// Reads every file of the collection in `directory` (blocking; off the main thread). Skips
/// hidden entries (".git") and files that are not ".json".
Result<Files> read(const QString& directory);

/// Makes `directory` hold `files`, given that it held `previous` (what was last read or
/// written): writes only the files whose bytes differ, each atomically, removes the files of
/// `previous` that are gone and the folders left empty by that, and never touches any other
/// file. Blocking; off the main thread. False when something could not be written, with the
/// reason; what was written stays written.
bool write(
    const QString& directory, const Files& files, const Files& previous, QString* reason = nullptr);

} // namespace mako::FolderCollection
