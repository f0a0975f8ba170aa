#pragma once

#include "model/apirequest.h"
#include "model/collection.h"
#include "state/requesttab.h"

#include <QList>

namespace mako {

/// Whether `request`, the working copy of a tab opened from `origin`, holds edits its
/// collection has not stored: the collection has no request with its id, or a different one.
/// A request that was never stored (a new one, a copy from the history) has no stored version
/// to differ from, so it is never reported.
bool hasUnsavedChanges(
    const APIRequest& request, const RequestOrigin& origin, const QList<Collection>& collections);

} // namespace mako
