#pragma once

#include "model/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace mako {

/// The whole content of a data file; nothing (and no error) when the file does not exist.
Result<std::optional<QByteArray>> readDataFile(const QString& path);

/// Replaces the file with `bytes` in one step: the bytes go to a temporary file beside it that
/// is renamed over the old one, so a crash or power loss leaves either the old or the new file,
/// never a truncated one. The file is readable by its owner only, since it holds tokens and
/// passwords. Returns false when nothing was replaced, and then says why in `reason` if given.
bool writeDataFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

/// Copies a file that could not be read to a new name beside it ("<name>.unreadable-<time>"),
/// owner-only like the original, so that saving over it later loses nothing. Returns the
/// name of the copy, or an error when no copy could be made.
Result<QString> keepUnreadableFile(const QString& path, const QDateTime& now);

} // namespace mako
