#include "scripting/collectionrunnersheetmodel.h"

#include "scripting/scriptedrunner.h"

namespace mako {

CollectionRunnerSheetModel::CollectionRunnerSheetModel(
    const Collection& collection, Variables variables, NetworkService& service, QObject* parent)
    : QObject(parent)
    , m_collection(collection)
    , m_variables(std::move(variables))
    , m_service(service)
{ }

CollectionRunnerSheetModel::~CollectionRunnerSheetModel()
{
    m_run.cancel();
}

void CollectionRunnerSheetModel::runCollection()
{
    if (!canRun())
        return;
    if (!m_results.isEmpty()) {
        m_results.clear();
        Q_EMIT resultsChanged();
    }
    setRunning(true);
    setTotal(int(m_collection.requests.size()));
    setProgress(0);
    m_run = ScriptedRunner::run(
        m_collection, m_variables.scopes ? m_variables.scopes() : VariableScopes {}, this,
        [this](int current, int total) {
            setProgress(current);
            setTotal(total);
        },
        [this](const RunResult& result) { addResult(result); },
        [this](const QList<RunResult>&, const VariableScopes& scopes) {
            m_run = {};
            if (m_variables.keep)
                m_variables.keep(scopes);
            setRunning(false);
        },
        m_service, {}, m_variables.settings ? m_variables.settings() : ScriptSettings {});
}

void CollectionRunnerSheetModel::cancel()
{
    m_run.cancel();
}

void CollectionRunnerSheetModel::addResult(const RunResult& result)
{
    m_results.append(result);
    Q_EMIT resultsChanged();
}

void CollectionRunnerSheetModel::setRunning(bool isRunning)
{
    if (m_isRunning == isRunning)
        return;
    m_isRunning = isRunning;
    Q_EMIT isRunningChanged(isRunning);
}

void CollectionRunnerSheetModel::setProgress(int progress)
{
    if (m_progress == progress)
        return;
    m_progress = progress;
    Q_EMIT progressChanged(progress);
}

void CollectionRunnerSheetModel::setTotal(int total)
{
    if (m_total == total)
        return;
    m_total = total;
    Q_EMIT totalChanged(total);
}

} // namespace mako
