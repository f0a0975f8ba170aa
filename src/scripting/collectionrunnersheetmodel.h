#pragma once

#include "execution/collectionrunner.h"
#include "execution/runtally.h"
#include "scripting/scriptengine.h"
#include "scripting/variablescopes.h"

#include <QList>
#include <QObject>

#include <functional>
#include <optional>

namespace mako {

/// What the collection runner sheet shows: one collection, copied when the sheet opens, its
/// latest run's results as they arrive, and the run's progress. Lives on the main thread.
class CollectionRunnerSheetModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<mako::RunResult> results READ results NOTIFY resultsChanged)
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(int progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(int total READ total NOTIFY totalChanged)
    Q_PROPERTY(int passCount READ passCount NOTIFY resultsChanged)
    Q_PROPERTY(int failCount READ failCount NOTIFY resultsChanged)
    Q_PROPERTY(double totalTime READ totalTime NOTIFY resultsChanged)
    Q_PROPERTY(int testPassCount READ testPassCount NOTIFY resultsChanged)
    Q_PROPERTY(int testFailCount READ testFailCount NOTIFY resultsChanged)

public:
    /// Where a run's variables come from, and where what its scripts set goes.
    struct Variables {
        /// Asked once at the start of each run.
        std::function<VariableScopes()> scopes;
        /// Called at the end of each run (a cancelled one too) with the variables as the
        /// scripts left them.
        std::function<void(const VariableScopes&)> keep;
        /// How the scripts run; asked at the start of each run.
        std::function<ScriptSettings()> settings;
    };

    CollectionRunnerSheetModel(const Collection& collection, Variables variables,
        NetworkService& service = NetworkService::shared(), QObject* parent = nullptr);
    /// A sheet closed mid-run stops its run.
    ~CollectionRunnerSheetModel() override;

    /// "Run All": clears the previous results and runs the collection. Nothing while a run is
    /// under way or when the collection has no requests.
    void runCollection();
    /// Stops the run under way; the results that arrived so far stay.
    void cancel();
    /// Takes one finished request of the run, after those that came before it. The run's own
    /// results arrive here; a result handed in from outside a run is shown the same way.
    void addResult(const RunResult& result);

    const Collection& collection() const { return m_collection; }
    const QList<RunResult>& results() const { return m_results; }
    bool isRunning() const { return m_isRunning; }
    /// 1-based position of the request being sent; 0 before the first.
    int progress() const { return m_progress; }
    int total() const { return m_total; }
    int passCount() const { return tally().passedRequests; }
    int failCount() const { return tally().failedRequests; }
    /// Sum of the results' durations, in seconds.
    double totalTime() const { return tally().duration; }
    /// The tests of every request so far that passed, and that failed.
    int testPassCount() const { return tally().passedTests; }
    int testFailCount() const { return tally().failedTests; }
    RunTally tally() const { return RunTally::of(m_results); }
    /// Whether "Run All" is enabled.
    bool canRun() const { return !m_isRunning && !m_collection.requests.isEmpty(); }

Q_SIGNALS:
    void resultsChanged();
    void isRunningChanged(bool isRunning);
    void progressChanged(int progress);
    void totalChanged(int total);

private:
    void setRunning(bool isRunning);
    void setProgress(int progress);
    void setTotal(int total);

    const Collection m_collection;
    Variables m_variables;
    NetworkService& m_service;
    QList<RunResult> m_results;
    bool m_isRunning = false;
    int m_progress = 0;
    int m_total = 0;
    CollectionRunner::RunHandle m_run;
};

} // namespace mako
