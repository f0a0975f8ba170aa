#pragma once

// Whole-process timing for the benchmarks that compare mako-cli with other command-line tools.

#include <optional>
#include <string>
#include <vector>

namespace mako::bench {

/// One finished run of a command: wall time and the process's peak resident memory.
struct ProcessRun {
    double seconds = 0;
    double peakMiB = 0;
};

/// Runs `argv` with standard output and standard error sent to /dev/null; nothing when it could
/// not start or exited with a status other than one of `acceptedStatuses`.
std::optional<ProcessRun> runProcess(
    const std::vector<std::string>& argv, std::vector<int> acceptedStatuses = {0});

/// Runs `argv` with standard output and standard error sent to /dev/null and returns its wall
/// time in seconds, or a negative value when it could not start or exited with a status other
/// than one of `acceptedStatuses`.
double timeProcess(const std::vector<std::string>& argv, std::vector<int> acceptedStatuses = {0});

/// The median wall time of `runs` runs of each command, interleaved so that both see the same
/// machine load. Negative when a run failed.
std::vector<double> medianTimes(const std::vector<std::vector<std::string>>& commands, int runs,
    std::vector<int> accepted = {0});

/// Whether `path` names an executable file.
bool isExecutable(const std::string& path);

} // namespace mako::bench
