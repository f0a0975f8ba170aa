// The HTTP path against a loopback peer, as ratios measured in the same run:
//  1. 2,000 sequential small GETs through NetworkService::execute against a plain libcurl
//     easy-handle loop over the same URLs (target: at most 1.15x).
//  2. 200 requests started at once against the same 200 sent one after another.

#include "execution/networkservice.h"
#include "support/httptestserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <cstdio>
#include <curl/curl.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kSequential = 2000;
constexpr int kParallel = 200;

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

size_t keepBody(char* data, size_t size, size_t count, void* body)
{
    static_cast<QByteArray*>(body)->append(data, qsizetype(size * count));
    return size * count;
}

// The baseline: one easy handle reused, so it keeps its connection alive like our engine.
double plainCurlLoop(const QList<QString>& targets)
{
    CURL* easy = curl_easy_init();
    QByteArray body;
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &keepBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
    QElapsedTimer timer;
    timer.start();
    for (const QString& url : targets) {
        body.clear();
        const QByteArray encoded = url.toLatin1();
        curl_easy_setopt(easy, CURLOPT_URL, encoded.constData());
        if (curl_easy_perform(easy) != CURLE_OK)
            qFatal("baseline request failed");
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    curl_easy_cleanup(easy);
    return seconds;
}

// Sends each request when the previous one has come back, as a user clicking "Send" would.
double sequentialExecute(NetworkService& service, const QList<APIRequest>& targets)
{
    QObject context;
    QEventLoop loop;
    qsizetype next = 0;
    std::function<void()> sendNext = [&] {
        if (next == targets.size())
            return loop.quit();
        service.execute(targets[next++], std::nullopt, &context, [&](const NetworkResult& result) {
            if (!std::holds_alternative<APIResponse>(result))
                qFatal("request failed: %s",
                    qPrintable(std::get<NetworkError>(result).errorDescription()));
            sendNext();
        });
    };
    QElapsedTimer timer;
    timer.start();
    sendNext();
    loop.exec();
    return timer.nsecsElapsed() / 1e9;
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

ScriptedResponse smallJson(const RecordedRequest& request)
{
    return ScriptedResponse {
        .headers = {{"Content-Type", "application/json"}},
        .body = R"({"id":1,"path":")" + request.target + R"("})",
    };
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

    // Best of three alternating rounds, so neither side pays for a noisy moment alone.
    double baseline = 1e9;
    double ours = 1e9;
    for (int round = 0; round < 3; ++round) {
        baseline = std::min(baseline, plainCurlLoop(targets));
        ours = std::min(ours, sequentialExecute(service, prepared));
    }
    std::printf("%d sequential GETs: plain libcurl loop %.3f s, execute %.3f s, ratio %.3f "
                "(target <= 1.15)\n",
        kSequential, baseline, ours, ours / baseline);

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
