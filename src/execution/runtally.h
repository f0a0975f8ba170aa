#pragma once

#include "execution/collectionrunner.h"

#include <QList>

namespace mako {

/// The counts a run's summary shows: requests by their verdict, and the tests their scripts
/// declared, whatever request they belong to. Memory only.
struct RunTally {
    int passedRequests = 0;
    int failedRequests = 0;
    int passedTests = 0;
    int failedTests = 0;
    /// The sum of the results' durations, in seconds.
    double duration = 0;

    int tests() const { return passedTests + failedTests; }

    static RunTally of(const QList<RunResult>& results);

    bool operator==(const RunTally&) const = default;
};

} // namespace mako
