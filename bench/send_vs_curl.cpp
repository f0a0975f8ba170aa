// One GET to the loopback peer, whole process each: `mako-cli send` against `curl -s` of the
// same URL, median of interleaved runs in the same process (target: at most 3x curl's time).

#include "model/recordjson.h"
#include "processtiming.h"
#include "support/httptestserver.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace mako;
using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    test::HttpTestServer server;
    QTemporaryDir dir;
    const QString url = server.baseUrl() + u"/items/1"_s;
    const QString requestPath = dir.filePath(u"request.json"_s);
    QFile file(requestPath);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(writeJson(toJson(APIRequest {.url = url}), JsonStyle::Compact)) < 0)
        return 1;
    file.close();

    constexpr int kRuns = 31;
    const std::vector<double> medians
        = bench::medianTimes({{MAKO_CLI_PATH, "send", requestPath.toStdString()},
                                 {"curl", "-s", "-o", "/dev/null", url.toStdString()}},
            kRuns);
    if (medians[0] < 0) {
        std::fprintf(stderr, "mako-cli send or curl failed (is curl installed?)\n");
        return 1;
    }
    std::printf("one GET, whole process, median of %d runs\n", kRuns);
    std::printf("mako-cli send: %.1f ms\n", medians[0] * 1000);
    std::printf("curl -s:       %.1f ms\n", medians[1] * 1000);
    std::printf("ratio: mako-cli send takes %.2fx the time of curl -s (target: at most 3x)\n",
        medians[0] / medians[1]);
    return 0;
}
