#pragma once

#include "model/apienvironment.h"
#include "model/keyvaluepair.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

namespace mako {

/// The first environment, in list order, that is active. When a file or an import leaves
/// several active, the first of them counts.
std::optional<APIEnvironment> activeEnvironment(const QList<APIEnvironment>& environments);

/// The variable set to send with: every row of the active environment, then the enabled, named
/// rows of the request's collection, then those of the globals, so the narrower scope wins.
/// Nothing when there are no global rows at all, no collection rows and no active environment.
/// Made fresh on each call (with a fresh id) and never stored.
std::optional<APIEnvironment> mergedEnvironment(const QList<KeyValuePair>& globalVariables,
    const QList<APIEnvironment>& environments, const QList<KeyValuePair>& collectionVariables = {});

/// Makes the environment with `id` the only active one; with no id, or an id that matches
/// nothing, no environment is active. Saving is the caller's business.
void setActiveEnvironment(QList<APIEnvironment>& environments, const std::optional<QUuid>& id);

/// Replaces {{key}} placeholders, one pass over the rows in order: text that a value brings in
/// is seen only by the rows after it, the first of two rows with one key wins, and a
/// placeholder that no enabled row names stays as it is. Matching is literal and
/// case-sensitive; nothing is trimmed. Then each {{$name}} of a dynamic variable that no row
/// named takes a freshly drawn value, one per occurrence; an unknown {{$name}} stays.
QString substituteVariables(const QString& text, const std::optional<APIEnvironment>& environment);

/// The {{key}} placeholders left in `text`, as written and in order of appearance, each once.
QStringList placeholdersIn(const QString& text);

} // namespace mako
