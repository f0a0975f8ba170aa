#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QStringList>

namespace mako {

/// JSON as a person would lay it out: two spaces per level, `"key": value`, the keys of every
/// object in the order of `keyOrder` (others after them, alphabetically), an object of plain
/// values inside an array on one line (`{"key": "Accept", "value": "text/html"}`), "/" as it
/// is, and a final newline.
QByteArray writeReadableJson(const QJsonValue& value, const QStringList& keyOrder);

} // namespace mako
