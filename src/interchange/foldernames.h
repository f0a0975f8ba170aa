#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The file and folder names of a folder collection, made from the names people give their
// requests, folders and environments.
namespace mako::FolderNames {

/// `name` as a file name stem that every platform takes: letters and digits of any script in
/// lower case, every run of anything else as one hyphen ("List users" -> "list-users"), at most
/// 60 characters; "." and ".." and separators cannot survive, so the file stays inside its folder.
/// `fallback` stands in for a name with nothing left ("???").
QString stem(const QString& name, const QString& fallback);

/// Stems for `names` in their order, unique within one folder regardless of letter case and
/// never one of `reserved` (compared without case). Every name whose own stem is free keeps it,
/// and only then do the clashing ones get "-2", "-3"..., in order: renaming one name moves
/// none of the others except those whose stem clashed with its old or new one.
QStringList uniqueStems(
    const QStringList& names, const QString& fallback, const QStringList& reserved);

} // namespace mako::FolderNames
