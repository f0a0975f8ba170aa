#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <optional>

namespace mako {

/// How the pretty form writes "/": escaped as "\/" (the request editor's Format keeps that
/// form), or as it is, so that a URL read or copied out of a reply is the one the server sent.
enum class JsonSlash { escaped, plain };

/// Re-indents a JSON document whose top level is an object or an array: two spaces per level,
/// one member or element per line, `"key" : value`, keys in ascending code-point order, "/"
/// written as `slash` says. Number literals are copied exactly as written, so 64-bit ids, 1.10 or
/// 1e400 survive untouched. When a key occurs twice in one object the last one wins, as in a parsed
/// map. Returns nothing when the text is not such a document (invalid JSON, invalid UTF-8, a bare
/// scalar, or nesting deeper than kMaxJsonDepth).
///
/// Works on the bytes directly: the extra memory is the output plus a few bytes per container.
///
/// A huge document takes seconds, so `stopRequested`, when given, is asked about once per
/// kStopCheckBytes of progress; once it answers true the work gives up and returns nothing.
std::optional<QByteArray> prettyPrintJson(QByteArrayView json,
    const std::function<bool()>& stopRequested = {}, JsonSlash slash = JsonSlash::escaped);

inline constexpr size_t kStopCheckBytes = size_t(1) << 20;

inline constexpr int kMaxJsonDepth = 512;

} // namespace mako
