#pragma once

#include "execution/collectionrunner.h"
#include "scripting/scriptengine.h"
#include "scripting/variablescopes.h"

#include <functional>

namespace mako {

/// Runs a collection with its scripts: before each request the collection's, the folder's and
/// the request's pre-request scripts, after it their test scripts, with the variables the
/// scripts set carried from one request to the next. A collection without any script runs as
/// CollectionRunner runs it, with no engine at all.
class ScriptedRunner {
public:
    /// Called once at the end, on the context's thread, with every result in the order the
    /// requests went and the variables as the scripts left them.
    using FinishCallback
        = std::function<void(const QList<RunResult>& results, const VariableScopes& scopes)>;

    /// As CollectionRunner::run, with the variables by scope. A script may send the run to
    /// another request by name or id (`postman.setNextRequest`), which then follows in place of
    /// the next one in list order, or end the pass; progress then counts the requests as they
    /// go. A request whose pre-request script fails is not sent and fails with the script's
    /// error; a test script's failure fails its request, and the run goes on either way.
    static CollectionRunner::RunHandle run(const Collection& collection,
        const VariableScopes& scopes, QObject* context,
        CollectionRunner::ProgressCallback onProgress, CollectionRunner::ResultCallback onResult,
        FinishCallback onFinished, NetworkService& service = NetworkService::shared(),
        const QList<IterationRow>& iterationData = {}, const ScriptSettings& settings = {});

    /// The scripts around `request` in the order they run: the collection's, those of the
    /// folders that list the request, the request's own. `test` picks the test scripts.
    static QStringList scriptsAround(
        const Collection& collection, const APIRequest& request, bool test);

    /// Whether a request of `collection` (or a folder, or the collection itself) has a script.
    static bool hasScripts(const Collection& collection);

    /// Whether `result` passes: with tests, when every test passed; without, when a response
    /// came back below 400; never after a script failed or when no response came back.
    static bool passes(const RunResult& result);
};

} // namespace mako
