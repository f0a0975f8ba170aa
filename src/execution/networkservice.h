#pragma once

#include "execution/httpengine.h"
#include "execution/networkerror.h"
#include "execution/networksettings.h"
#include "model/apienvironment.h"
#include "model/apirequest.h"

#include <QMutex>
#include <QObject>

#include <atomic>
#include <functional>
#include <optional>

namespace mako {

/// The trust decision of every request the service sends.
struct SSLSessionDelegate {
    /// False accepts any server certificate. Read once at the start of each request, so a
    /// change takes effect with the next send, without a restart. Writable from any thread.
    std::atomic<bool> verifySSL {true};
};

/// Sends the requests the user composes. One engine (network thread, connection pool, cookie
/// store) serves every request of the service; many may be in flight at once.
class NetworkService {
public:
    /// Called once with the outcome, on the thread of the context object given to `execute`.
    using Completion = std::function<void(const NetworkResult& result)>;

    /// Each request's own idle limit; a longer request time-out is cut down to it.
    static constexpr double kPerRequestTimeout = 60;

    /// The application's instance, created on first use with default settings; the
    /// preferences are handed to it with `updateSettings` / `updateTimeout`.
    static NetworkService& shared();

    explicit NetworkService(const NetworkSettings& settings = {});
    NetworkService(const NetworkService&) = delete;
    NetworkService& operator=(const NetworkService&) = delete;

    /// Substitutes variables, builds the URL, headers, auth and body, and sends the request.
    /// `completion` runs on `context`'s thread (the caller passes itself, so the result comes
    /// back to the caller's thread), never after `context` is destroyed (which stops the
    /// transfer), and never before `execute` returns. Any HTTP status is a response; a failure
    /// is a NetworkError whose `errorDescription` is the text to show. Cancel through the
    /// returned handle.
    TransferHandle execute(const APIRequest& request,
        const std::optional<APIEnvironment>& environment, QObject* context, Completion completion);

    /// Sends `requests` with `environment` strictly one after another, each the moment the
    /// previous one has ended, without a round trip through `context`'s thread in between.
    /// Each request is prepared and sent as `execute` would; the callbacks (see
    /// SequenceCallbacks) run on `context`'s thread, in order, none before this returns.
    TransferHandle executeSequence(const QList<APIRequest>& requests,
        const std::optional<APIEnvironment>& environment, QObject* context,
        SequenceCallbacks callbacks);

    /// Sets the request (idle) time-out from a preference value: 30 seconds for 0, a negative
    /// value or none, else the value clamped to 5..300. Requests already running keep theirs.
    void updateTimeout(double seconds);
    /// Replaces every engine option for the requests started from now on; `verifySSL` goes to
    /// the trust delegate.
    void updateSettings(const NetworkSettings& settings);
    /// The options the next request starts with.
    NetworkSettings settings() const;

    SSLSessionDelegate& sslDelegate() { return m_sslDelegate; }
    /// The engine behind the service, for clients that stream (server-sent events) and want
    /// the same connections, cookies and settings.
    HttpEngine& engine() { return m_engine; }

private:
    /// `request` ready for the engine with the options of this moment, or why it cannot go.
    std::variant<HttpTransferRequest, NetworkError> transferFor(
        const APIRequest& request, const std::optional<APIEnvironment>& environment) const;

    mutable QMutex m_mutex;
    NetworkSettings m_settings;
    SSLSessionDelegate m_sslDelegate;
    HttpEngine m_engine;
};

} // namespace mako
