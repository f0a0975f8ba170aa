#include "scripting/scriptedrunner.h"

#include "scripting/scriptedsend.h"

#include <QPointer>

#include <algorithm>

namespace mako {

namespace {

struct ScriptedRunState {
    Collection collection;
    VariableScopes scopes;
    QList<IterationRow> iterationData;
    NetworkService* service = nullptr;
    ScriptSettings settings;
    /// Weak for the same reason as the plain runner's: the control holds the transfer, whose
    /// callback holds this state.
    std::weak_ptr<CollectionRunner::RunHandle::Control> control;
    QPointer<QObject> context;
    CollectionRunner::ProgressCallback onProgress;
    CollectionRunner::ResultCallback onResult;
    ScriptedRunner::FinishCallback onFinished;

    /// Made on first use and kept for the run, so the assertion library loads once.
    QPointer<ScriptEngine> engine;
    /// The request on its way, with its scripts.
    ScriptedSend current;
    QList<RunResult> results;
    int iteration = 0;
    int index = 0;
    int started = 0;
    bool finished = false;

    int iterations() const { return std::max(1, int(iterationData.size())); }
    bool stopped() const
    {
        const auto held = control.lock();
        return finished || !context || (held && held->cancelled);
    }
    ScriptEngine& scriptEngine()
    {
        if (!engine)
            engine = new ScriptEngine(*service, settings, context);
        return *engine;
    }
};

using State = std::shared_ptr<ScriptedRunState>;

void runRequest(const State& state);

void finish(const State& state)
{
    if (state->finished)
        return;
    state->finished = true;
    if (state->engine)
        state->engine->deleteLater();
    if (state->onFinished && state->context)
        state->onFinished(state->results, state->scopes);
}

// Where the pass goes after the current request: the one a script named, the end of the pass
// for a stop or a name that matches nothing, else the next in list order.
void advance(const State& state, const std::optional<std::optional<QString>>& next)
{
    const QList<APIRequest>& requests = state->collection.requests;
    if (!next) {
        ++state->index;
    } else if (!next->has_value()) {
        state->index = int(requests.size());
    } else {
        const QString& target = **next;
        const auto found
            = std::find_if(requests.cbegin(), requests.cend(), [&](const APIRequest& request) {
                  return request.name == target
                      || request.id.toString(QUuid::WithoutBraces)
                             .compare(target, Qt::CaseInsensitive)
                      == 0;
              });
        state->index = int(found - requests.cbegin());
    }
    if (state->index >= requests.size()) {
        state->index = 0;
        if (++state->iteration >= state->iterations()) {
            finish(state);
            return;
        }
    }
    runRequest(state);
}

void report(const State& state, RunResult result, const std::optional<std::optional<QString>>& next)
{
    result.iteration = state->iteration;
    result.passed = ScriptedRunner::passes(result);
    state->results.append(std::move(result));
    if (state->onResult && state->context)
        state->onResult(state->results.back());
    if (!state->stopped())
        advance(state, next);
}

void runRequest(const State& state)
{
    const APIRequest& request = state->collection.requests[state->index];
    const int perIteration = int(state->collection.requests.size());
    ++state->started;
    if (state->onProgress) {
        // A jump back makes a pass longer than the list; the total grows with it.
        state->onProgress(
            state->started, std::max(state->started, perIteration * state->iterations()));
    }
    state->scopes.data = state->iterationData.isEmpty() ? QList<KeyValuePair> {}
                                                        : state->iterationData[state->iteration];
    state->scopes.local.clear();
    SendScripts scripts {
        .preRequest = ScriptedRunner::scriptsAround(state->collection, request, false),
        .tests = ScriptedRunner::scriptsAround(state->collection, request, true),
        .scopes = state->scopes,
        .settings = state->settings,
        .iteration = state->iteration,
        .iterationCount = state->iterations(),
        .engine = &state->scriptEngine(),
    };
    state->current = ScriptedSend::start(*state->service,
        CollectionRunner::preparedRequest(withInheritedAuth(request, &state->collection)),
        std::move(scripts), state->context,
        [state](const NetworkResult& outcome, const ScriptOutcome& scripts,
            const VariableScopes& scopes) {
            if (state->stopped())
                return;
            state->scopes = scopes;
            RunResult result {.request = state->collection.requests[state->index]};
            if (const auto* response = std::get_if<APIResponse>(&outcome)) {
                result.statusCode = response->statusCode;
                result.duration = response->duration;
            } else {
                result.error = std::get<NetworkError>(outcome).errorDescription();
            }
            result.scripts = scripts;
            report(state, std::move(result), state->current.nextRequest());
        });
}

bool usesLastMomentAuth(const Collection& collection, const ScriptSettings& settings)
{
    return settings.authorize
        && std::ranges::any_of(collection.requests, [&collection](const APIRequest& request) {
               return withInheritedAuth(request, &collection).authType == AuthType::oauth2;
           });
}

} // namespace

CollectionRunner::RunHandle ScriptedRunner::run(const Collection& collection,
    const VariableScopes& scopes, QObject* context, CollectionRunner::ProgressCallback onProgress,
    CollectionRunner::ResultCallback onResult, FinishCallback onFinished, NetworkService& service,
    const QList<IterationRow>& iterationData, const ScriptSettings& settings)
{
    // A token is got just before each send, which only the scripted sends do.
    if (!hasScripts(collection) && !usesLastMomentAuth(collection, settings)) {
        return CollectionRunner::run(
            collection, scopes.resolved(), context, std::move(onProgress), std::move(onResult),
            [scopes, onFinished = std::move(onFinished)](const QList<RunResult>& results) {
                if (onFinished)
                    onFinished(results, scopes);
            },
            service, iterationData);
    }
    const auto control = std::make_shared<CollectionRunner::RunHandle::Control>();
    auto state = std::make_shared<ScriptedRunState>(ScriptedRunState {
        .collection = collection,
        .scopes = scopes,
        .iterationData = iterationData,
        .service = &service,
        .settings = settings,
        .control = control,
        .context = context,
        .onProgress = std::move(onProgress),
        .onResult = std::move(onResult),
        .onFinished = std::move(onFinished),
    });
    // A stop lands on the context's thread after `cancel` has returned, as the plain run's does;
    // a script still running finds the run stopped when it ends and reports nothing.
    control->stop = [weak = std::weak_ptr(state)] {
        const State held = weak.lock();
        if (held)
            held->current.cancel();
        if (held && held->context)
            QMetaObject::invokeMethod(
                held->context, [held] { finish(held); }, Qt::QueuedConnection);
    };
    if (collection.requests.isEmpty()) {
        QMetaObject::invokeMethod(
            context, [state] { finish(state); }, Qt::QueuedConnection);
        return CollectionRunner::RunHandle(control);
    }
    // The first request starts from the event loop, so no callback runs before `run` returns.
    QMetaObject::invokeMethod(
        context, [state] { runRequest(state); }, Qt::QueuedConnection);
    return CollectionRunner::RunHandle(control);
}

QStringList ScriptedRunner::scriptsAround(
    const Collection& collection, const APIRequest& request, bool test)
{
    QStringList scripts {test ? collection.testScript : collection.preRequestScript};
    for (const CollectionFolder& folder : collection.folders) {
        if (folder.requestIDs.contains(request.id))
            scripts.append(test ? folder.testScript : folder.preRequestScript);
    }
    scripts.append(test ? request.testScript : request.preRequestScript);
    return scripts;
}

bool ScriptedRunner::hasScripts(const Collection& collection)
{
    const auto blank = [](const QString& script) { return script.trimmed().isEmpty(); };
    if (!blank(collection.preRequestScript) || !blank(collection.testScript))
        return true;
    for (const CollectionFolder& folder : collection.folders) {
        if (!blank(folder.preRequestScript) || !blank(folder.testScript))
            return true;
    }
    return std::any_of(
        collection.requests.cbegin(), collection.requests.cend(), [&](const APIRequest& request) {
            return !blank(request.preRequestScript) || !blank(request.testScript);
        });
}

bool ScriptedRunner::passes(const RunResult& result)
{
    if (result.scripts.error || !result.statusCode)
        return false;
    if (!result.scripts.tests.isEmpty())
        return result.scripts.failedTests() == 0;
    return *result.statusCode < 400;
}

} // namespace mako
