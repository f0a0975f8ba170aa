#pragma once

#include "cli/console.h"
#include "execution/collectionrunner.h"
#include "execution/runtally.h"
#include "model/collection.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <algorithm>

namespace mako::cli {

/// One finished run as the reporters see it.
struct RunReport {
    Collection collection;
    /// One per request that ran, in collection order, iteration after iteration; after --bail
    /// fewer than the requests.
    QList<RunResult> results;
    QDateTime startedAt;
    /// Passes over the collection: one per row of iteration data, or 1.
    int iterations = 1;

    int passCount() const { return tally().passedRequests; }
    int failCount() const { return tally().failedRequests; }
    RunTally tally() const { return RunTally::of(results); }
    /// Requests that did not run because the run stopped at a failure.
    /// Never below 0: a script that sends the run back to an earlier request makes more results
    /// than requests.
    int skippedCount() const { return std::max(0, requestCount() - int(results.size())); }
    /// The requests of every iteration together.
    int requestCount() const { return int(collection.requests.size()) * iterations; }
    /// The sum of the results' durations, in seconds.
    double totalDuration() const { return tally().duration; }
};

/// The cli reporter's heading above the results of one (0-based) iteration.
QString iterationLine(int iteration, int iterations);
/// The cli reporter's lines for one result: pass or fail, method, name, status, time, error;
/// then, indented below, the scripts' console output, one line per test (a mark, its name and
/// why it failed) and the error of a script that failed.
QString resultLines(const Console& console, const RunResult& result);
/// The indented lines below a result: the scripts' console output, one line per test and the
/// error of a script that failed; nothing for an empty outcome.
QString scriptLines(const Console& console, const ScriptOutcome& scripts);
/// "N passed, M failed" and the total time (and what was skipped); with tests, their counts as
/// well.
QString summaryLine(const Console& console, const RunReport& report);
/// The results (each with its 1-based iteration, tests, console output and script error) and
/// the summary (with the test counts) as one JSON object.
QByteArray jsonReport(const RunReport& report);
/// A JUnit XML report: one test suite per iteration (named after the collection, and after
/// the iteration when there are several). A request without tests is one test case, failed
/// when the request failed (with its status or error); a request with tests is one test case
/// per test, whose class names the suite and the request, failed with the test's message. A
/// script that failed is an error of the request's own case, and the scripts' console output
/// the system-out of the request's first case. Requests not run are skipped.
QByteArray junitReport(const RunReport& report);

} // namespace mako::cli
