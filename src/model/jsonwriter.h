#pragma once

#include <QByteArray>
#include <QJsonValue>

namespace mako {

enum class JsonStyle {
    /// No white space at all: the stored data files.
    Compact,
    /// Two spaces per level, one member or element per line, `"key" : value`, keys in
    /// ascending order, "/" written as "\/": the export and backup files.
    Pretty,
};

/// Writes a JSON value. Numbers that are whole and within 2^53 are written as integers, all
/// others in the shortest form that reads back to the identical double.
QByteArray writeJson(const QJsonValue& value, JsonStyle style);

} // namespace mako
