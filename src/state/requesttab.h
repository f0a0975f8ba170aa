#pragma once

#include "model/apirequest.h"
#include "model/apiresponse.h"
#include "model/scriptoutcome.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace mako {

/// Where the request of a tab came from: a collection (which normally holds a request with the
/// same id), nowhere (a new request), or a copy of a history entry.
struct RequestOrigin {
    enum class Kind { collection, none, history };
    Kind kind = Kind::none;
    QUuid collectionID;

    static RequestOrigin none() { return {}; }
    static RequestOrigin history() { return {Kind::history, {}}; }
    static RequestOrigin collection(const QUuid& id) { return {Kind::collection, id}; }
    bool isCollection() const { return kind == Kind::collection; }
    bool operator==(const RequestOrigin&) const = default;
};

/// One open request of the tab bar, with what its last send showed. The session file keeps
/// the request and its origin, not what the sends showed.
struct RequestTab {
    QUuid id = QUuid::createUuid();
    /// As last written back from the editor.
    APIRequest request;
    RequestOrigin origin;
    std::optional<APIResponse> response;
    bool isLoading = false;
    std::optional<QString> error;
    /// One entry per response received in the tab, oldest first; never trimmed.
    QList<ResponseTiming> responseHistory;
    /// What the scripts of the last send left: its tests, console and script error. Emptied
    /// when a new send starts.
    ScriptOutcome scripts;
};

/// A copy with a fresh id and fresh dates that keeps only what a plain HTTP request uses: the
/// protocol becomes HTTP and the GraphQL and WebSocket fields are emptied; the scripts stay.
APIRequest httpCopy(const APIRequest& request);

/// A copy with a fresh id and fresh dates that keeps every other field, the protocol and its
/// GraphQL and WebSocket fields included.
APIRequest freshCopy(const APIRequest& request);

/// Whether `a` and `b` hold the same request apart from their ids and dates, which a copy
/// renews: what the user sees and what a send would put on the wire.
bool sameRequestContent(const APIRequest& a, const APIRequest& b);

} // namespace mako
