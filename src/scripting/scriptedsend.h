#pragma once

#include "execution/networkservice.h"
#include "model/apirequest.h"
#include "model/scriptoutcome.h"
#include "scripting/scriptengine.h"
#include "scripting/variablescopes.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace mako {

/// The scripts around one send, and the variables they start from.
struct SendScripts {
    QStringList preRequest;
    QStringList tests;
    VariableScopes scopes;
    ScriptSettings settings;
    /// `pm.info`'s 0-based iteration and how many there are.
    int iteration = 0;
    int iterationCount = 1;
    /// The engine to run in, kept by a run for all its requests so the assertion library loads
    /// once; without one the send makes its own.
    QPointer<ScriptEngine> engine;
};

/// One send with its scripts: the pre-request scripts, which may change the request that goes
/// and the variables it goes with (a failing one stops the send with its error as a network
/// failure), the send, then the test scripts on the response.
class ScriptedSend {
public:
    /// Called once, on the context's thread, never before `start` returns.
    using Completion = std::function<void(
        const NetworkResult& result, const ScriptOutcome& outcome, const VariableScopes& scopes)>;

    ScriptedSend() = default;

    static ScriptedSend start(NetworkService& service, const APIRequest& request,
        SendScripts scripts, QObject* context, Completion done);

    /// Stops the send wherever it is: the completion follows with the cancelled network error
    /// (and whatever the scripts had reported), after `cancel` has returned. Nothing once the
    /// completion has run.
    void cancel() const;

    /// `postman.setNextRequest` of the send's scripts, as `ScriptRun::nextRequest`; the last
    /// script to call it wins.
    std::optional<std::optional<QString>> nextRequest() const;

    /// What one send has come to; shared by the handle and the callbacks on their way.
    struct State;

private:
    explicit ScriptedSend(std::shared_ptr<State> state)
        : m_state(std::move(state))
    { }
    std::shared_ptr<State> m_state;
};

} // namespace mako
