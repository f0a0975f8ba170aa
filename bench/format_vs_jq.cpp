// Pretty-printing a 50 MB JSON reply: `mako-cli format` against `jq -S .` on the same file,
// whole process each, best of three, in the same run. Prints wall times, peak resident memory
// and the ratios.

#include "benchdata.h"
#include "processtiming.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

// Best of `runs`; nothing when a run failed.
std::optional<mako::bench::ProcessRun> bestOf(int runs, const std::vector<std::string>& argv)
{
    std::optional<mako::bench::ProcessRun> best;
    for (int i = 0; i < runs; ++i) {
        const auto run = mako::bench::runProcess(argv);
        if (!run)
            return std::nullopt;
        if (!best || run->seconds < best->seconds)
            best = run;
    }
    return best;
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

    const auto mako = bestOf(3, {MAKO_CLI_PATH, "format", pathBytes.toStdString()});
    const auto jq = bestOf(3, {"jq", "-S", ".", pathBytes.toStdString()});
    if (!mako) {
        std::fprintf(stderr, "mako-cli format failed\n");
        return 1;
    }
    if (!jq) {
        std::fprintf(stderr, "jq failed or is not installed (apt-get install jq)\n");
        return 1;
    }
    std::printf("body: %.1f MiB of JSON\n", bodyMiB);
    std::printf("mako-cli format: %.3f s, peak RSS %.0f MiB (%.2fx the body)\n", mako->seconds,
        mako->peakMiB, mako->peakMiB / bodyMiB);
    std::printf("jq -S .:         %.3f s, peak RSS %.0f MiB (%.2fx the body)\n", jq->seconds,
        jq->peakMiB, jq->peakMiB / bodyMiB);
    std::printf(
        "speed: mako-cli format is %.2fx faster than jq -S .\n", jq->seconds / mako->seconds);
    return 0;
}
