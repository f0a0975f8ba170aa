#pragma once

// What the encoding and the decoding of a folder collection share.

#include "interchange/foldercollection.h"

#include <QJsonObject>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QUuid>

namespace mako::FolderCollection::detail {

using namespace Qt::StringLiterals;

namespace key {
inline constexpr auto id = "id"_L1;
inline constexpr auto name = "name"_L1;
inline constexpr auto key = "key"_L1;
inline constexpr auto value = "value"_L1;
inline constexpr auto isEnabled = "isEnabled"_L1;
inline constexpr auto headers = "headers"_L1;
inline constexpr auto queryParams = "queryParams"_L1;
inline constexpr auto variables = "variables"_L1;
inline constexpr auto requests = "requests"_L1;
inline constexpr auto requestIDs = "requestIDs"_L1;
inline constexpr auto folders = "folders"_L1;
inline constexpr auto environments = "environments"_L1;
inline constexpr auto createdAt = "createdAt"_L1;
inline constexpr auto updatedAt = "updatedAt"_L1;
inline constexpr auto isActive = "isActive"_L1;
inline constexpr auto method = "method"_L1;
inline constexpr auto url = "url"_L1;
} // namespace key

inline const QString kJson = u".json"_s;
inline const QString kCollection = QStringView(kCollectionFile).toString();
inline const QString kFolder = QStringView(kFolderFile).toString();
inline const QString kEnvironments = QStringView(kEnvironmentsFolder).toString();

/// Texts that often run over several lines, kept as an array of lines.
const QList<QLatin1StringView>& textBlocks();

/// The id of a record whose file gives none, made from `seed` (its path): the same at every read.
QUuid derivedId(const QString& seed);

/// The seed of a folder's id: its directory.
QString folderSeed(const QString& directory);

/// A request's stored keys with the values that a file may leave out.
const QJsonObject& requestDefaults();

} // namespace mako::FolderCollection::detail
