#pragma once

#include "interchange/foldercollection.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

// The file work of a folder collection, done on a worker thread (see `FolderCollections`).
namespace mako {

/// What the files of a folder collection held when they were last read or written.
struct FolderDisk {
    FolderCollection::Files files;
    /// What `files` decode to.
    FolderCollection::Contents contents;
    /// The files that did not parse, and their bytes, so that a save keeps them as they are.
    QList<FolderCollection::Problem> problems;
    FolderCollection::Files unreadable;
    /// Which request each request file holds, by the file's path in the folder.
    QHash<QString, QUuid> requestAt;

    /// Remembers `files` as what is on disk now.
    void remember(const FolderCollection::Files& files, const FolderCollection::Decoded& decoded);
};

/// What a read of a folder collection gave.
struct FolderRead {
    std::optional<QString> failure;
    /// False when the files were as remembered (Mako's own write coming back).
    bool changed = true;
    FolderCollection::Contents contents;
    QList<FolderCollection::Problem> problems;
    /// The requests the change touched: new, or other than they were.
    QSet<QUuid> touched;
    /// Paths to watch (again) for changes.
    QStringList watched;
};

/// Reads the whole folder. With `onlyIfChanged`, files that are as `disk` remembers them are
/// not decoded again.
FolderRead readFolder(const QString& path, FolderDisk& disk, bool onlyIfChanged);

/// Reads only the files and folders at `changed` (absolute paths) when that is enough: request
/// files written over in place or replaced, in folders whose list of files stayed the same.
/// Nothing, leaving `disk` as it was, when the whole folder must be read.
std::optional<FolderRead> readChangedFiles(
    const QString& path, FolderDisk& disk, const QSet<QString>& changed);

/// The folder, its sub-folders and the files of `files`: what to watch for outside changes.
QStringList pathsToWatch(const QString& path, const FolderCollection::Files& files);

/// What a request file holds, apart from what every read makes anew (the ids of rows, the
/// dates), so that two reads of one unchanged file compare equal.
APIRequest withoutFreshParts(APIRequest request);

} // namespace mako
