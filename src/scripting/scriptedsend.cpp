#include "scripting/scriptedsend.h"

#include <QPointer>

namespace mako {

struct ScriptedSend::State {
    NetworkService* service = nullptr;
    QPointer<QObject> context;
    QPointer<ScriptEngine> engine;
    /// Whether the engine is this send's own, to go with it.
    bool ownsEngine = false;
    std::optional<std::optional<QString>> nextRequest;
    TransferHandle transfer;
    QStringList tests;
    ScriptSettings::Authorize authorize;
    ScriptContext testContext;
    ScriptOutcome outcome;
    ScriptedSend::Completion done;
    bool finished = false;
    /// Set by `cancel`: a script callback already on its way finds the send over.
    bool cancelled = false;

    void finish(const NetworkResult& result, const VariableScopes& scopes)
    {
        if (std::exchange(finished, true))
            return;
        if (engine && ownsEngine)
            engine->deleteLater();
        // Let go of the completion as it runs: what it holds (a run holding this send) must not
        // keep this state alive in a cycle.
        const ScriptedSend::Completion ended = std::exchange(done, {});
        if (ended && context)
            ended(result, outcome, scopes);
    }
};

namespace {

using State = ScriptedSend::State;

void runTests(const std::shared_ptr<State>& state, const NetworkResult& result)
{
    state->transfer = {};
    const auto* response = std::get_if<APIResponse>(&result);
    if (state->finished)
        return;
    if (state->cancelled) {
        state->finish(result, state->testContext.scopes);
        return;
    }
    if (!response || !ScriptEngine::hasCode(state->tests) || !state->engine) {
        state->finish(result, state->testContext.scopes);
        return;
    }
    state->testContext.response = *response;
    state->engine->run(state->tests, state->testContext, [state, result](ScriptRun after) {
        if (state->cancelled)
            return;
        if (after.nextRequest)
            state->nextRequest = after.nextRequest;
        state->outcome.console += after.outcome.console;
        state->outcome.tests = after.outcome.tests;
        if (after.outcome.error)
            state->outcome.error = after.outcome.error;
        state->finish(result, after.scopes);
    });
}

void send(
    const std::shared_ptr<State>& state, const APIRequest& request, const VariableScopes& scopes)
{
    // The tests see the request as it went, but never the token it went with.
    state->testContext.request = request;
    state->testContext.request.authToken
        = request.authType == AuthType::oauth2 ? QString() : request.authToken;
    state->transfer = state->service->execute(request, scopes.resolved(), state->context,
        [state](const NetworkResult& result) { runTests(state, result); });
}

} // namespace

ScriptedSend ScriptedSend::start(NetworkService& service, const APIRequest& request,
    SendScripts scripts, QObject* context, Completion done)
{
    auto state = std::make_shared<State>();
    state->service = &service;
    state->context = context;
    state->ownsEngine = !scripts.engine;
    state->engine = scripts.engine ? scripts.engine.get()
                                   : new ScriptEngine(service, scripts.settings, context);
    state->tests = scripts.tests;
    state->authorize = scripts.settings.authorize;
    state->done = std::move(done);
    state->testContext = ScriptContext {
        .eventName = QStringLiteral("test"),
        .request = request,
        .response = std::nullopt,
        .scopes = scripts.scopes,
        .requestName = request.name,
        .requestID = request.id.toString(QUuid::WithoutBraces),
        .iteration = scripts.iteration,
        .iterationCount = scripts.iterationCount,
    };
    ScriptContext before = state->testContext;
    before.eventName = QStringLiteral("prerequest");
    state->engine->run(scripts.preRequest, std::move(before), [state](ScriptRun run) {
        if (state->finished || state->cancelled)
            return;
        state->outcome = run.outcome;
        state->nextRequest = run.nextRequest;
        state->testContext.scopes = run.scopes;
        if (run.outcome.error) {
            state->finish(
                NetworkError::network(NetworkError::kUnknown, *run.outcome.error), run.scopes);
            return;
        }
        if (!state->authorize) {
            send(state, run.request, run.scopes);
            return;
        }
        state->authorize(run.request, run.scopes,
            [state, scopes = run.scopes](const Result<APIRequest>& authorized) {
                if (state->finished || state->cancelled)
                    return;
                if (!authorized) {
                    state->finish(
                        NetworkError::network(NetworkError::kUnknown, authorized.errorMessage()),
                        scopes);
                    return;
                }
                send(state, authorized.value(), scopes);
            });
    });
    return ScriptedSend(state);
}

void ScriptedSend::cancel() const
{
    if (!m_state || m_state->finished || std::exchange(m_state->cancelled, true))
        return;
    if (m_state->transfer.isValid()) {
        // The transfer's own cancellation brings the end, without the tests.
        m_state->transfer.cancel();
        return;
    }
    // A script is running or waiting: it is silenced (with its engine, when the send owns it)
    // and the end follows from the event loop.
    if (m_state->engine && m_state->ownsEngine)
        m_state->engine->deleteLater();
    m_state->engine = nullptr;
    if (m_state->context) {
        QMetaObject::invokeMethod(
            m_state->context,
            [state = m_state] {
                state->finish(
                    NetworkError::network(NetworkError::kCancelled), state->testContext.scopes);
            },
            Qt::QueuedConnection);
    }
}

std::optional<std::optional<QString>> ScriptedSend::nextRequest() const
{
    return m_state ? m_state->nextRequest : std::nullopt;
}

} // namespace mako
