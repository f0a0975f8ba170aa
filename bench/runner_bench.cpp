// A collection run against the loopback peer, as ratios measured in the same run: 500 requests
// (GETs, and POSTs with a JSON body) through CollectionRunner::run against a plain libcurl
// easy-handle loop sending the same exchanges (target: at most 1.2x), and against the same
// requests sent one after another through NetworkService::execute, which shows what chaining the
// requests on the network thread saves over a round trip through this thread for each.

#include "benchdata.h"
#include "execution/collectionrunner.h"
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

constexpr int kRequests = 500;

// The same exchanges, written out for libcurl before the clock starts.
QList<PlainRequest> plainRequests(const Collection& source, const QString& base)
{
    QList<PlainRequest> out;
    for (const APIRequest& request : source.requests) {
        PlainRequest plain {.url = QString(request.url).replace(u"{{base}}"_s, base).toUtf8(),
            .headers = {"X-Run: bench"}};
        if (request.method == HTTPMethod::post) {
            plain.method = "POST";
            plain.headers.append("Content-Type: application/json");
            plain.body = request.body.toUtf8();
        }
        out.append(plain);
    }
    return out;
}

double runCollection(NetworkService& service, const Collection& source,
    const std::optional<APIEnvironment>& environment)
{
    QObject context;
    QEventLoop loop;
    qsizetype passed = 0;
    QElapsedTimer timer;
    timer.start();
    CollectionRunner::run(
        source, environment, &context, {},
        [&](const RunResult& result) { passed += result.passed; },
        [&](const QList<RunResult>&) { loop.quit(); }, service);
    loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (passed != source.requests.size())
        qFatal("only %lld of %lld requests passed", qlonglong(passed),
            qlonglong(source.requests.size()));
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    HttpTestServer server;
    server.setHandler(smallJson);
    NetworkService service;
    const Collection source = generateRunCollection(kRequests);
    const std::optional<APIEnvironment> environment
        = APIEnvironment {.variables = {{.key = u"base"_s, .value = server.baseUrl()}}};
    const QList<PlainRequest> baselineRequests = plainRequests(source, server.baseUrl());

    // Best of three alternating rounds, so neither side pays for a noisy moment alone.
    double baseline = 1e9;
    double execute = 1e9;
    double ours = 1e9;
    for (int round = 0; round < 3; ++round) {
        baseline = std::min(baseline, plainCurlLoop(baselineRequests));
        execute = std::min(execute, sequentialExecute(service, source.requests, environment));
        ours = std::min(ours, runCollection(service, source, environment));
    }
    std::printf("%d-request collection: plain libcurl loop %.3f s, execute one by one %.3f s, "
                "CollectionRunner::run %.3f s\n",
        kRequests, baseline, execute, ours);
    std::printf("run / plain libcurl %.3f (target <= 1.2), run / execute %.3f\n", ours / baseline,
        ours / execute);
    return 0;
}
