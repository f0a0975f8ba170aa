#pragma once

#include "model/apirequest.h"
#include "model/collection.h"
#include "model/historyitem.h"
#include "state/requesttab.h"

#include <QList>

namespace mako {

/// Whether `request`, the working copy of a tab opened from `origin`, holds edits its
/// collection has not stored: the collection has no request with its id, or a different one.
/// A request that was never stored (a new one, a copy from the history) has no stored version
/// to differ from, so it is never reported.
bool hasUnsavedChanges(
    const APIRequest& request, const RequestOrigin& origin, const QList<Collection>& collections);

/// Whether closing the tab that shows `request` from `origin` would lose work, so that the
/// user is asked first: a collection's request with unsaved changes (as above), or a request
/// stored nowhere that holds something typed or brought in (a URL, a body, a filled row, a
/// query, ...) and that no history entry holds either. A blank new request loses nothing, nor
/// does an unchanged copy of a history entry.
bool closingLosesWork(const APIRequest& request, const RequestOrigin& origin,
    const QList<Collection>& collections, const QList<HistoryItem>& history);

} // namespace mako
