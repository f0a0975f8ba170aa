#include "execution/runtally.h"

namespace mako {

RunTally RunTally::of(const QList<RunResult>& results)
{
    RunTally tally;
    for (const RunResult& result : results) {
        ++(result.passed ? tally.passedRequests : tally.failedRequests);
        const int failed = result.scripts.failedTests();
        tally.failedTests += failed;
        tally.passedTests += int(result.scripts.tests.size()) - failed;
        tally.duration += result.duration;
    }
    return tally;
}

} // namespace mako
