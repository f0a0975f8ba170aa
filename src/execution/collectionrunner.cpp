#include "execution/collectionrunner.h"

#include "execution/graphqlrequest.h"

namespace mako {

/// One run's progress. Lives as long as a callback of the run may still come.
struct CollectionRunState {
    QList<APIRequest> requests;
    std::optional<APIEnvironment> environment;
    QPointer<QObject> context;
    NetworkService* service = nullptr;
    CollectionRunner::ProgressCallback onProgress;
    CollectionRunner::ResultCallback onResult;
    CollectionRunner::FinishCallback onFinished;

    QList<RunResult> results;
    TransferHandle transfer;
    bool cancelled = false;
    bool finished = false;
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

void finish(const std::shared_ptr<CollectionRunState>& state)
{
    state->finished = true;
    state->transfer = {};
    if (state->onFinished)
        state->onFinished(state->results);
}

void sendNext(const std::shared_ptr<CollectionRunState>& state)
{
    const qsizetype index = state->results.size();
    if (state->cancelled || index == state->requests.size() || !state->context)
        return finish(state);
    if (state->onProgress)
        state->onProgress(int(index + 1), int(state->requests.size()));
    // The progress callback may have cancelled or ended the context.
    if (state->cancelled || !state->context)
        return finish(state);
    const APIRequest prepared = CollectionRunner::preparedRequest(state->requests[index]);
    state->transfer = state->service->execute(
        prepared, state->environment, state->context, [state, index](const NetworkResult& outcome) {
            if (state->cancelled)
                return finish(state);
            state->results.append(resultFor(state->requests[index], outcome));
            if (state->onResult)
                state->onResult(state->results.back());
            sendNext(state);
        });
}

} // namespace

void CollectionRunner::RunHandle::cancel() const
{
    if (!m_state || m_state->finished || m_state->cancelled)
        return;
    m_state->cancelled = true;
    // The transfer's completion then arrives as cancelled on a later turn and ends the run.
    m_state->transfer.cancel();
}

CollectionRunner::RunHandle CollectionRunner::run(const Collection& collection,
    const std::optional<APIEnvironment>& environment, QObject* context, ProgressCallback onProgress,
    ResultCallback onResult, FinishCallback onFinished, NetworkService& service)
{
    auto state = std::make_shared<CollectionRunState>(CollectionRunState {
        .requests = collection.requests,
        .environment = environment,
        .context = context,
        .service = &service,
        .onProgress = std::move(onProgress),
        .onResult = std::move(onResult),
        .onFinished = std::move(onFinished),
    });
    state->results.reserve(state->requests.size());
    // Starting on the next turn keeps every callback after `run` has returned a handle.
    QMetaObject::invokeMethod(
        context, [state] { sendNext(state); }, Qt::QueuedConnection);
    return RunHandle(state);
}

APIRequest CollectionRunner::preparedRequest(const APIRequest& request)
{
    if (request.requestProtocol == RequestProtocol::graphql && !request.graphqlQuery.isEmpty())
        return makeGraphQLHTTPRequest(request);
    return request;
}

} // namespace mako
