#include "execution/collectionrunner.h"

#include "execution/graphqlrequest.h"

#include <algorithm>

namespace mako {

/// One run's progress, on the context's thread.
struct CollectionRunState {
    QList<APIRequest> requests;
    QList<APIRequest> prepared;
    std::optional<APIEnvironment> environment;
    QList<IterationRow> iterationData;
    NetworkService* service = nullptr;
    /// Weak: the control holds the sequence, whose callbacks hold this state, and a strong
    /// link back would keep both alive for ever.
    std::weak_ptr<CollectionRunner::RunHandle::Control> control;
    QPointer<QObject> context;
    CollectionRunner::ProgressCallback onProgress;
    CollectionRunner::ResultCallback onResult;
    CollectionRunner::FinishCallback onFinished;

    QList<RunResult> results;
};

namespace {

RunResult resultFor(const APIRequest& request, const NetworkResult& outcome)
{
    if (const auto* response = std::get_if<APIResponse>(&outcome)) {
        return RunResult {
            .request = request,
            .statusCode = response->statusCode,
            .duration = response->duration,
            .passed = response->statusCode < 400,
        };
    }
    return RunResult {
        .request = request,
        .error = std::get<NetworkError>(outcome).errorDescription(),
    };
}

// Sends one pass over the requests; when it ends, the next iteration starts from its
// finish, so iterations follow one another without overlapping.
void startIteration(const std::shared_ptr<CollectionRunState>& state, int iteration)
{
    const int perIteration = int(state->requests.size());
    const int iterations = std::max(1, int(state->iterationData.size()));
    const int total = perIteration * iterations;
    const auto environment = state->iterationData.isEmpty()
        ? state->environment
        : CollectionRunner::iterationEnvironment(
            state->environment, state->iterationData[iteration]);
    TransferHandle sequence = state->service->executeSequence(state->prepared, environment,
        state->context,
        SequenceCallbacks {
            .onStep =
                [state, iteration, perIteration, total](qsizetype index) {
                    if (state->onProgress)
                        state->onProgress(iteration * perIteration + int(index + 1), total);
                },
            .onStepFinished =
                [state, iteration](qsizetype index, const NetworkResult& outcome) {
                    // A request that had ended on the network thread when the run was
                    // cancelled may still be delivered; it counts as abandoned.
                    if (const auto control = state->control.lock(); control && control->cancelled)
                        return;
                    RunResult result = resultFor(state->requests[index], outcome);
                    result.iteration = iteration;
                    state->results.append(std::move(result));
                    if (state->onResult && state->context)
                        state->onResult(state->results.back());
                },
            .onDone =
                [state, iteration, iterations](bool) {
                    const auto control = state->control.lock();
                    const bool cancelled = control && control->cancelled;
                    if (!cancelled && iteration + 1 < iterations && state->context) {
                        startIteration(state, iteration + 1);
                        return;
                    }
                    if (state->onFinished && state->context)
                        state->onFinished(state->results);
                },
        });
    if (const auto control = state->control.lock())
        control->sequence = std::move(sequence);
}

} // namespace

CollectionRunner::RunHandle CollectionRunner::run(const Collection& collection,
    const std::optional<APIEnvironment>& environment, QObject* context, ProgressCallback onProgress,
    ResultCallback onResult, FinishCallback onFinished, NetworkService& service,
    const QList<IterationRow>& iterationData)
{
    const auto control = std::make_shared<RunHandle::Control>();
    auto state = std::make_shared<CollectionRunState>(CollectionRunState {
        .requests = collection.requests,
        .environment = environment,
        .iterationData = iterationData,
        .service = &service,
        .control = control,
        .context = context,
        .onProgress = std::move(onProgress),
        .onResult = std::move(onResult),
        .onFinished = std::move(onFinished),
    });
    state->results.reserve(state->requests.size() * std::max(qsizetype(1), iterationData.size()));
    state->prepared.reserve(state->requests.size());
    // A request that inherits goes with the collection's auth; the results keep it as stored.
    for (const APIRequest& request : std::as_const(state->requests))
        state->prepared.append(preparedRequest(withInheritedAuth(request, &collection)));
    // The requests follow one another on the network thread; this thread only hears of them,
    // so a busy window never slows a run down. The sequence's callbacks alone hold the state.
    startIteration(state, 0);
    return RunHandle(control);
}

std::optional<APIEnvironment> CollectionRunner::iterationEnvironment(
    const std::optional<APIEnvironment>& environment, const IterationRow& row)
{
    // Substitution lets the first row of a name win, so the data rows go first.
    APIEnvironment merged = environment.value_or(APIEnvironment {.variables = {}});
    merged.variables = row + merged.variables;
    return merged;
}

APIRequest CollectionRunner::preparedRequest(const APIRequest& request)
{
    if (request.requestProtocol == RequestProtocol::graphql && !request.graphqlQuery.isEmpty())
        return makeGraphQLHTTPRequest(request);
    return request;
}

} // namespace mako
