#pragma once

#include "model/apienvironment.h"
#include "model/collection.h"
#include "model/historyitem.h"
#include "model/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>

#include <optional>

namespace mako::CollectionExporter {

/// The native collection file: one collection, pretty-printed with sorted keys.
QByteArray exportCollection(const Collection& collection);

/// Reads a native collection file; the collection keeps its id.
Result<Collection> importCollection(const QByteArray& bytes);

/// A file name for saving a collection: its name, made safe for file systems, plus ".json".
QString exportFileName(const QString& collectionName);

/// The contents of the three data files.
struct BackupData {
    QList<Collection> collections;
    QList<APIEnvironment> environments;
    QList<HistoryItem> history;
};

/// The backup file: version 1, the export time, and the three lists.
QByteArray makeBackup(const BackupData& data, const QDateTime& exportedAt);

/// makeBackup over the bytes of the three data files as last saved (nothing for a file that
/// does not exist). Fails, naming the file, when one of them does not decode.
Result<QByteArray> makeBackupFromFiles(const std::optional<QByteArray>& collectionsFile,
    const std::optional<QByteArray>& environmentsFile, const std::optional<QByteArray>& historyFile,
    const QDateTime& exportedAt);

/// What a backup file holds; a list the file does not mention is nothing and stays as it is.
struct BackupContents {
    std::optional<QList<Collection>> collections;
    std::optional<QList<APIEnvironment>> environments;
    std::optional<QList<HistoryItem>> history;
};

/// Reads a backup file, all or nothing: every list present must decode before anything is
/// written, so a bad member cannot leave the data half imported. Fails when the file is not
/// a backup (not an object, or none of the three lists).
Result<BackupContents> readBackup(const QByteArray& bytes);

inline constexpr auto kDefaultBackupFileName = u"mako-backup.json";

} // namespace mako::CollectionExporter
