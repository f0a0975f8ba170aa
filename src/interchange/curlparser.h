#pragma once

#include "model/apirequest.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace mako::CurlParser {

/// Turns a pasted curl command line into a request, or nothing when the text is not a curl
/// command with a URL. Words are split and unquoted as a POSIX shell does (single and double
/// quotes, $'…' strings, backslash escapes and line continuations), which is how browsers and
/// documentation write the commands people paste. Options the parser does not know are
/// skipped, together with their value when curl takes one.
std::optional<APIRequest> parse(const QString& command);

/// The words of a shell command line after quote removal; nothing when a quote is left open.
std::optional<QStringList> shellWords(const QString& text);

} // namespace mako::CurlParser
