#pragma once

// Internal to the engine: one libcurl easy handle and everything its callbacks touch. Lives on
// the network thread once submitted.

#include "execution/transferstate.h"

#include <chrono>
#include <curl/curl.h>
#include <memory>

namespace mako {

using EngineClock = std::chrono::steady_clock;

struct CurlEasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct CurlListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

class CurlTransfer {
public:
    CurlTransfer(HttpTransferRequest request, std::shared_ptr<TransferState> state);

    /// Sets the easy handle's options, on the network thread. Nothing is sent before the engine
    /// adds the handle to its multi handle.
    void setUp();
    CURL* easy() const { return m_easy.get(); }
    const std::shared_ptr<TransferState>& state() const { return m_state; }

    /// Called by the engine right before the first byte may move.
    void markStarted();
    /// When the idle limit runs out, if there is one.
    std::optional<EngineClock::time_point> idleDeadline() const;
    /// The outcome for libcurl's result `code`, the end time taken as the transfer completed.
    /// Moves the body out.
    NetworkResult takeResult(CURLcode code, EngineClock::time_point end);
    const QList<SetCookieField>& setCookies() const { return m_setCookies; }

private:
    static size_t handleHeader(char* data, size_t size, size_t count, void* self);
    static size_t handleBody(char* data, size_t size, size_t count, void* self);
    static int handleProgress(
        void* self, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal, curl_off_t ulNow);

    void setUpMethodAndBody();
    void setUpHeaders();
    void setUpConnection();
    void setUpAuth();
    void recordSetCookie(const QByteArray& value);
    void headerBlockEnded();
    void deliverHead();
    APIResponse responseHead() const;
    void setUpCertificate();
    NetworkError errorFor(CURLcode code) const;
    /// The clearer account of a failure the host's certificate entry explains, if any.
    std::optional<NetworkError> certificateErrorFor(CURLcode code) const;

    HttpTransferRequest m_request;
    std::shared_ptr<TransferState> m_state;
    std::unique_ptr<CURL, CurlEasyDeleter> m_easy;
    std::unique_ptr<curl_slist, CurlListDeleter> m_headerList;
    bool m_streaming = false;
    /// The entry for the request's host, if one matched.
    std::optional<HostCertificate> m_certificate;

    // Reply so far; headers of interim and redirect replies are dropped at each status line.
    int m_statusCode = 0;
    QByteArray m_statusVersion;
    QList<std::pair<QByteArray, QByteArray>> m_headers;
    // Kept across hops: a redirect's reply may set cookies too.
    QList<SetCookieField> m_setCookies;
    QByteArray m_body;
    qint64 m_received = 0;
    bool m_headDelivered = false;

    EngineClock::time_point m_started;
    EngineClock::time_point m_lastActivity;
    curl_off_t m_lastDownloaded = 0;
    curl_off_t m_lastUploaded = 0;
    char m_errorBuffer[CURL_ERROR_SIZE] = {};
};

} // namespace mako
