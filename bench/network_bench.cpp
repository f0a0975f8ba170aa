// The HTTP path against a loopback peer, as ratios measured in the same run:
//  1. 2,000 sequential small GETs through NetworkService::execute against a plain libcurl
//     easy-handle loop over the same URLs (target: at most 1.15x).
//  2. 200 requests started at once against the same 200 sent one after another.

#include "execution/networkservice.h"
#include "httpbench.h"
#include "support/httptestserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <cstdio>

using namespace mako;
using namespace mako::bench;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kSequential = 2000;
constexpr int kParallel = 200;

QList<PlainRequest> plain(const QList<QString>& targets)
{
    QList<PlainRequest> out;
    for (const QString& url : targets)
        out.append(PlainRequest {.url = url.toLatin1()});
    return out;
}

QList<QString> urls(const HttpTestServer& server, int count)
{
    QList<QString> out;
    for (int i = 0; i < count; ++i)
        out.append(server.baseUrl() + u"/item/%1?q=%2"_s.arg(i).arg(i % 7));
    return out;
}

// Built before the clock starts, as the baseline's URL list is.
QList<APIRequest> requests(const QList<QString>& targets)
{
    QList<APIRequest> out;
    for (const QString& url : targets)
        out.append(APIRequest {.url = url});
    return out;
}

double parallelExecute(NetworkService& service, const QList<APIRequest>& targets)
{
    QObject context;
    QEventLoop loop;
    qsizetype done = 0;
    QElapsedTimer timer;
    timer.start();
    for (const APIRequest& request : targets) {
        service.execute(request, std::nullopt, &context, [&](const NetworkResult& result) {
            if (!std::holds_alternative<APIResponse>(result))
                qFatal("request failed: %s",
                    qPrintable(std::get<NetworkError>(result).errorDescription()));
            if (++done == targets.size())
                loop.quit();
        });
    }
    loop.exec();
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    HttpTestServer server;
    server.setHandler(smallJson);
    NetworkService service;
    const QList<QString> targets = urls(server, kSequential);
    const QList<APIRequest> prepared = requests(targets);

    const QList<PlainRequest> baselineRequests = plain(targets);
    // Best of three alternating rounds, so neither side pays for a noisy moment alone.
    double baseline = 1e9;
    double ours = 1e9;
    for (int round = 0; round < 3; ++round) {
        baseline = std::min(baseline, plainCurlLoop(baselineRequests));
        ours = std::min(ours, sequentialExecute(service, prepared));
    }
    std::printf("%d sequential GETs: plain libcurl loop %.3f s, execute %.3f s, ratio %.3f "
                "(target <= 1.15)\n",
        kSequential, baseline, ours, ours / baseline);

    // The same with a server that takes 1 ms to answer, as even a nearby real one does: the
    // fixed cost of handing each request to the network thread and back stops mattering.
    server.setHandler([](const RecordedRequest& request) {
        ScriptedResponse response = smallJson(request);
        response.delayMs = 1;
        return response;
    });
    const QList<QString> slowTargets = targets.mid(0, 300);
    const double slowBaseline = plainCurlLoop(plain(slowTargets));
    const double slowOurs = sequentialExecute(service, requests(slowTargets));
    std::printf("%d sequential GETs, server delay 1 ms: plain libcurl loop %.3f s, execute %.3f s, "
                "ratio %.3f\n",
        int(slowTargets.size()), slowBaseline, slowOurs, slowOurs / slowBaseline);

    for (const int delayMs : {0, 20}) {
        server.setHandler([delayMs](const RecordedRequest& request) {
            ScriptedResponse response = smallJson(request);
            response.delayMs = delayMs;
            return response;
        });
        const QList<APIRequest> batch = requests(urls(server, kParallel));
        const double oneByOne = sequentialExecute(service, batch);
        const double atOnce = parallelExecute(service, batch);
        std::printf("%d requests, server delay %d ms: sequential %.3f s, all at once %.3f s, "
                    "at once / sequential %.3f\n",
            kParallel, delayMs, oneByOne, atOnce, atOnce / oneByOne);
    }
    return 0;
}
