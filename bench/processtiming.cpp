#include "processtiming.h"

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mako::bench {

std::optional<ProcessRun> runProcess(
    const std::vector<std::string>& argv, std::vector<int> acceptedStatuses)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status))
        return std::nullopt;
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool accepted
        = std::find(acceptedStatuses.begin(), acceptedStatuses.end(), WEXITSTATUS(status))
        != acceptedStatuses.end();
    if (!accepted)
        return std::nullopt;
    return ProcessRun {seconds, double(usage.ru_maxrss) / 1024.0};
}

double timeProcess(const std::vector<std::string>& argv, std::vector<int> acceptedStatuses)
{
    const auto run = runProcess(argv, std::move(acceptedStatuses));
    return run ? run->seconds : -1;
}

std::vector<double> medianTimes(
    const std::vector<std::vector<std::string>>& commands, int runs, std::vector<int> accepted)
{
    std::vector<std::vector<double>> times(commands.size());
    for (int run = 0; run < runs; ++run) {
        for (size_t i = 0; i < commands.size(); ++i) {
            const double seconds = timeProcess(commands[i], accepted);
            if (seconds < 0)
                return std::vector<double>(commands.size(), -1);
            times[i].push_back(seconds);
        }
    }
    std::vector<double> medians;
    for (auto& list : times) {
        std::sort(list.begin(), list.end());
        medians.push_back(list[list.size() / 2]);
    }
    return medians;
}

bool isExecutable(const std::string& path)
{
    return access(path.c_str(), X_OK) == 0;
}

} // namespace mako::bench
