#pragma once

#include <QString>
#include <QUuid>

#include <optional>

namespace mako {

/// The canonical 36-character form with upper-case hexadecimal digits, as stored in data files.
QString uuidToText(const QUuid& uuid);

/// Parses exactly the canonical 8-4-4-4-12 form, digits in either case; no braces, no URN prefix.
std::optional<QUuid> uuidFromText(QStringView text);

} // namespace mako
