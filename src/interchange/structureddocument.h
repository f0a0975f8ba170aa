#pragma once

#include "model/result.h"

#include <QByteArray>
#include <QJsonValue>

namespace mako {

/// Reads a document written as JSON or as YAML into JSON values, so that the importers of
/// formats that come in both spellings read one tree. JSON is tried first; YAML's unquoted
/// scalars take their YAML 1.2 core types (null, booleans, numbers), quoted ones stay text.
/// Aliases are followed, but a document that would grow past a bound when they are expanded
/// (or that nests too deep) is refused rather than exhausting memory.
Result<QJsonValue> parseJsonOrYaml(const QByteArray& bytes);

} // namespace mako
