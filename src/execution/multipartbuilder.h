#pragma once

#include "model/keyvaluepair.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace mako::MultipartBuilder {

/// A multipart/form-data body: one part per enabled, named row, then the file part when both
/// `fileData` and `fileName` are given, then the closing line. Keys, values and the file name
/// are written as given (UTF-8), unescaped; the boundary is not checked against the content.
QByteArray buildBody(const QList<KeyValuePair>& fields, const std::optional<QByteArray>& fileData,
    const std::optional<QString>& fileName, const QString& boundary);

} // namespace mako::MultipartBuilder
