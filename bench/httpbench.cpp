#include "httpbench.h"

#include "execution/networksettings.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QtGlobal>

#include <curl/curl.h>

namespace mako::bench {

namespace {

size_t keepBody(char* data, size_t size, size_t count, void* body)
{
    static_cast<QByteArray*>(body)->append(data, qsizetype(size * count));
    return size * count;
}

} // namespace

double plainCurlLoop(const QList<PlainRequest>& requests)
{
    CURL* easy = curl_easy_init();
    QByteArray body;
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &keepBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
    // Mako asks for compressed bodies and names itself; so does the baseline, so both put the
    // same bytes on the wire and the server does the same work for each.
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(easy, CURLOPT_USERAGENT, mako::kDefaultUserAgent);
    QElapsedTimer timer;
    timer.start();
    for (const PlainRequest& request : requests) {
        body.clear();
        curl_slist* headers = nullptr;
        for (const QByteArray& line : request.headers)
            headers = curl_slist_append(headers, line.constData());
        curl_easy_setopt(easy, CURLOPT_URL, request.url.constData());
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
        if (request.body) {
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(request.body->size()));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body->constData());
        } else {
            curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        }
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST,
            request.method == "GET" || request.method == "POST" ? nullptr
                                                                : request.method.constData());
        const CURLcode code = curl_easy_perform(easy);
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, nullptr);
        curl_slist_free_all(headers);
        if (code != CURLE_OK)
            qFatal("baseline request failed: %s", curl_easy_strerror(code));
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    curl_easy_cleanup(easy);
    return seconds;
}

double sequentialExecute(NetworkService& service, const QList<APIRequest>& requests,
    const std::optional<APIEnvironment>& environment)
{
    QObject context;
    QEventLoop loop;
    qsizetype next = 0;
    std::function<void()> sendNext = [&] {
        if (next == requests.size())
            return loop.quit();
        service.execute(requests[next++], environment, &context, [&](const NetworkResult& result) {
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

test::ScriptedResponse smallJson(const test::RecordedRequest& request)
{
    return test::ScriptedResponse {
        .headers = {{"Content-Type", "application/json"}},
        .body = R"({"id":1,"path":")" + request.target + R"("})",
    };
}

} // namespace mako::bench
