#pragma once

#include "execution/networkservice.h"
#include "model/apirequest.h"
#include "model/apiresponse.h"
#include "model/result.h"
#include "model/scriptoutcome.h"
#include "scripting/variablescopes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace mako {

/// How scripts may run.
struct ScriptSettings {
    /// A script (with what it waits for: `pm.sendRequest`, `setTimeout`, tests that take `done`)
    /// is stopped after this long. The preference; 5 s unless the user changed it.
    int timeoutMilliseconds = 5000;
    /// Where `require` looks for the libraries it offers (lodash, moment): the folders Debian
    /// installs them into unless a test says otherwise.
    QStringList moduleFolders;
    /// Gets what a request needs at the last moment, after its pre-request scripts (an OAuth 2.0
    /// access token), with the variables as the scripts left them. Answers once, on the calling
    /// thread, with the request to send or why it cannot go. Empty: requests go as they are.
    using Authorize = std::function<void(const APIRequest& request, const VariableScopes& scopes,
        std::function<void(const Result<APIRequest>&)> done)>;
    Authorize authorize;
};

/// What the scripts around one request see.
struct ScriptContext {
    /// "prerequest" or "test", as `pm.info.eventName` gives it.
    QString eventName;
    /// Before the send, the request about to go, which the scripts may change; after it, the
    /// request as it went.
    APIRequest request;
    /// The reply, for test scripts; nothing for pre-request scripts or when the send failed.
    std::optional<APIResponse> response;
    VariableScopes scopes;
    /// `pm.info`: the request's name and id, the 0-based iteration and how many there are.
    QString requestName;
    QString requestID;
    int iteration = 0;
    int iterationCount = 1;
};

/// What the scripts changed and what they reported.
struct ScriptRun {
    /// The request with the pre-request scripts' changes (`pm.request.headers.add`, ...).
    APIRequest request;
    /// The variables with every script's changes. Where no environment was active and a script
    /// set an environment variable, `scopes.environment` is one made for the run (no name, not
    /// active), so that later requests of the run see it; the caller decides whether to keep it.
    VariableScopes scopes;
    ScriptOutcome outcome;
    /// `postman.setNextRequest`: absent when no script called it; an empty inner value when a
    /// script asked the run to stop (`setNextRequest(null)`); else the next request's name or id.
    std::optional<std::optional<QString>> nextRequest;
};

/// Runs the pre-request and test scripts of requests, folders and collections in a sandboxed
/// JavaScript engine with the `pm` API that shared collections are written against. Owns one
/// engine for its life (a run, or a send); each script starts from a fresh global scope.
/// Lives on one thread: call it and destroy it there.
class ScriptEngine : public QObject {
    Q_OBJECT

public:
    /// `pm.sendRequest` goes out through `service`, which must outlive the engine.
    explicit ScriptEngine(NetworkService& service = NetworkService::shared(),
        ScriptSettings settings = {}, QObject* parent = nullptr);
    ~ScriptEngine() override;

    /// Runs `scripts` in order (empty ones are skipped) against `context`, each to its end,
    /// including the callbacks it waits for. A pre-request script that fails stops the scripts
    /// after it and leaves the failure in `outcome.error`; a failing test script does not stop
    /// the ones after it. `done` runs on this object's thread, never before `run` returns and
    /// never after the engine is destroyed. One run at a time.
    void run(
        const QStringList& scripts, ScriptContext context, std::function<void(ScriptRun)> done);

    /// Whether any of `scripts` holds more than blanks, so that a caller can skip the engine.
    static bool hasCode(const QStringList& scripts);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace mako
