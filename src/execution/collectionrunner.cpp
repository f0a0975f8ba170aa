#include "execution/collectionrunner.h"

#include "execution/graphqlrequest.h"

namespace mako {

/// One run's progress, on the context's thread.
struct CollectionRunState {
    QList<APIRequest> requests;
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

} // namespace

CollectionRunner::RunHandle CollectionRunner::run(const Collection& collection,
    const std::optional<APIEnvironment>& environment, QObject* context, ProgressCallback onProgress,
    ResultCallback onResult, FinishCallback onFinished, NetworkService& service)
{
    auto state = std::make_shared<CollectionRunState>(CollectionRunState {
        .requests = collection.requests,
        .context = context,
        .onProgress = std::move(onProgress),
        .onResult = std::move(onResult),
        .onFinished = std::move(onFinished),
    });
    state->results.reserve(state->requests.size());
    QList<APIRequest> prepared;
    prepared.reserve(state->requests.size());
    for (const APIRequest& request : std::as_const(state->requests))
        prepared.append(preparedRequest(request));
    // The requests follow one another on the network thread; this thread only hears of them,
    // so a busy window never slows a run down. The sequence's callbacks alone hold the state.
    const int total = int(state->requests.size());
    return RunHandle(service.executeSequence(prepared, environment, context,
        SequenceCallbacks {
            .onStep =
                [state, total](qsizetype index) {
                    if (state->onProgress)
                        state->onProgress(int(index + 1), total);
                },
            .onStepFinished =
                [state](qsizetype index, const NetworkResult& outcome) {
                    state->results.append(resultFor(state->requests[index], outcome));
                    if (state->onResult && state->context)
                        state->onResult(state->results.back());
                },
            .onDone =
                [state](bool) {
                    if (state->onFinished && state->context)
                        state->onFinished(state->results);
                },
        }));
}

APIRequest CollectionRunner::preparedRequest(const APIRequest& request)
{
    if (request.requestProtocol == RequestProtocol::graphql && !request.graphqlQuery.isEmpty())
        return makeGraphQLHTTPRequest(request);
    return request;
}

} // namespace mako
