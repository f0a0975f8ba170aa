#include "execution/collectionrunnersheetmodel.h"

#include <algorithm>
#include <numeric>

namespace mako {

CollectionRunnerSheetModel::CollectionRunnerSheetModel(const Collection& collection,
    EnvironmentSource environment, NetworkService& service, QObject* parent)
    : QObject(parent)
    , m_collection(collection)
    , m_environment(std::move(environment))
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
    m_run = CollectionRunner::run(
        m_collection, m_environment ? m_environment() : std::nullopt, this,
        [this](int current, int total) {
            setProgress(current);
            setTotal(total);
        },
        [this](const RunResult& result) {
            m_results.append(result);
            Q_EMIT resultsChanged();
        },
        [this](const QList<RunResult>&) {
            m_run = {};
            setRunning(false);
        },
        m_service);
}

void CollectionRunnerSheetModel::cancel()
{
    m_run.cancel();
}

int CollectionRunnerSheetModel::passCount() const
{
    return int(std::count_if(
        m_results.cbegin(), m_results.cend(), [](const RunResult& r) { return r.passed; }));
}

int CollectionRunnerSheetModel::failCount() const
{
    return int(m_results.size()) - passCount();
}

double CollectionRunnerSheetModel::totalTime() const
{
    return std::accumulate(m_results.cbegin(), m_results.cend(), 0.0,
        [](double sum, const RunResult& r) { return sum + r.duration; });
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
