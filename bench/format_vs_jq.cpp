// Pretty-printing a 50 MB JSON reply: `mako-cli format` against `jq -S .` on the same file,
// whole process each, best of three, in the same run. Prints wall times, peak resident memory
// and the ratios.

#include "benchdata.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Measurement {
    double seconds = 0;
    double peakMiB = 0;
};

// Runs argv with stdout to /dev/null; returns wall time and the child's peak RSS.
bool measure(const std::vector<const char*>& argv, Measurement& out)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        std::vector<char*> args;
        for (const char* a : argv)
            args.push_back(const_cast<char*>(a));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    out.peakMiB = double(usage.ru_maxrss) / 1024.0;
    return true;
}

bool bestOf(int runs, const std::vector<const char*>& argv, Measurement& best)
{
    best.seconds = 1e9;
    for (int i = 0; i < runs; ++i) {
        Measurement m;
        if (!measure(argv, m))
            return false;
        if (m.seconds < best.seconds)
            best = m;
    }
    return true;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("body.json"));
    const QByteArray body = mako::bench::generateJsonBody(50 << 20);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size())
        return 1;
    file.close();
    const double bodyMiB = double(body.size()) / (1 << 20);
    const QByteArray pathBytes = path.toLocal8Bit();

    Measurement mako;
    Measurement jq;
    if (!bestOf(3, {MAKO_CLI_PATH, "format", pathBytes.constData()}, mako)) {
        std::fprintf(stderr, "mako-cli format failed\n");
        return 1;
    }
    if (!bestOf(3, {"jq", "-S", ".", pathBytes.constData()}, jq)) {
        std::fprintf(stderr, "jq failed or is not installed (apt-get install jq)\n");
        return 1;
    }
    std::printf("body: %.1f MiB of JSON\n", bodyMiB);
    std::printf("mako-cli format: %.3f s, peak RSS %.0f MiB (%.2fx the body)\n", mako.seconds,
        mako.peakMiB, mako.peakMiB / bodyMiB);
    std::printf("jq -S .:         %.3f s, peak RSS %.0f MiB (%.2fx the body)\n", jq.seconds,
        jq.peakMiB, jq.peakMiB / bodyMiB);
    std::printf("speed: mako-cli format is %.2fx faster than jq -S .\n", jq.seconds / mako.seconds);
    return 0;
}
