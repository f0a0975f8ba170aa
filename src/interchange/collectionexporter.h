#pragma once

#include "model/apienvironment.h"
#include "model/collection.h"
#include "model/historyitem.h"
#include "model/keyvaluepair.h"
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

/// The contents of the data files.
struct BackupData {
    QList<Collection> collections;
    QList<APIEnvironment> environments;
    QList<HistoryItem> history;
    QList<KeyValuePair> globalVariables;
};

/// The backup file: version 1, the export time, and the four lists. The global variables are
/// a later addition ("globalVariables"), which backups written before it lack.
QByteArray makeBackup(const BackupData& data, const QDateTime& exportedAt);

/// The bytes of each data file as last saved; nothing for a file that does not exist.
struct BackupFiles {
    std::optional<QByteArray> collections;
    std::optional<QByteArray> environments;
    std::optional<QByteArray> history;
    std::optional<QByteArray> globalVariables;
};

/// makeBackup over the data files. Fails, naming the file, when one of them does not decode.
Result<QByteArray> makeBackupFromFiles(const BackupFiles& files, const QDateTime& exportedAt);

/// What a backup file holds; a list the file does not mention is nothing and stays as it is
/// (an older backup has no global variables, and importing it keeps the current ones).
struct BackupContents {
    std::optional<QList<Collection>> collections;
    std::optional<QList<APIEnvironment>> environments;
    std::optional<QList<HistoryItem>> history;
    std::optional<QList<KeyValuePair>> globalVariables;
};

/// Reads a backup file, all or nothing: every list present must decode before anything is
/// written, so a bad member cannot leave the data half imported. Fails when the file is not
/// a backup (not an object, or none of the lists).
Result<BackupContents> readBackup(const QByteArray& bytes);

inline constexpr auto kDefaultBackupFileName = u"mako-backup.json";

} // namespace mako::CollectionExporter
