#pragma once

#include "cli/console.h"
#include "execution/collectionrunner.h"
#include "model/collection.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

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

    int passCount() const;
    int failCount() const;
    /// Requests that did not run because the run stopped at a failure.
    int skippedCount() const { return requestCount() - int(results.size()); }
    /// The requests of every iteration together.
    int requestCount() const { return int(collection.requests.size()) * iterations; }
    /// The sum of the results' durations, in seconds.
    double totalDuration() const;
};

/// The cli reporter's heading above the results of one (0-based) iteration.
QString iterationLine(int iteration, int iterations);
/// The cli reporter's line for one result: pass or fail, method, name, status, time, error.
QString resultLine(const Console& console, const RunResult& result);
/// "N passed, M failed" and the total time (and what was skipped).
QString summaryLine(const Console& console, const RunReport& report);
/// The results (each with its 1-based iteration) and summary as one JSON object.
QByteArray jsonReport(const RunReport& report);
/// A JUnit XML report: one test suite per iteration (named after the collection, and after
/// the iteration when there are several), one test case per request, a failure for each
/// request that failed (with its status or error), skipped cases for requests not run.
QByteArray junitReport(const RunReport& report);

} // namespace mako::cli
