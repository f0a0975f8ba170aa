#pragma once

#include <QByteArray>

#include <string_view>

namespace mako {

/// Appends `utf8` to `out` as a JSON string literal, quotes included: backslash escapes for '"',
/// '\' and the control characters (\b \f \n \r \t, the others as \u00XX), "/" as "\/" when
/// `escapeSlash` is set; every other byte as it is.
///
/// The byte 0xFF, which valid UTF-8 never holds, marks a lone UTF-16 surrogate kept from an
/// escape: it is followed by the four hex digits to write back after "\u".
void appendJsonString(QByteArray& out, std::string_view utf8, bool escapeSlash);

} // namespace mako
