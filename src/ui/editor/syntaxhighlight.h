#pragma once

#include "ui/common/colors.h"

#include <QList>
#include <QString>

#include <optional>

namespace mako {

/// The colour of each character of one line of a generated snippet: the language's keywords
/// in pink (plain substring matches, so "end" also colours the tail of "append"), then double-
/// and single-quoted text in green, "//" and "#" to the end of the line in grey, and http(s)
/// addresses in cyan. A later colouring replaces an earlier one. The language is matched by
/// its exact label; any other text gets no keywords, only the patterns.
QList<std::optional<SystemColor>> syntaxColors(const QString& line, const QString& language);

} // namespace mako
