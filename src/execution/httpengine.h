#pragma once

#include "execution/networkerror.h"
#include "execution/networksettings.h"
#include "execution/transferauth.h"
#include "model/apiresponse.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <variant>

namespace mako {

/// What a transfer ends with: the response, or why there is none.
using NetworkResult = std::variant<APIResponse, NetworkError>;

/// One HTTP exchange exactly as it goes on the wire: nothing left to substitute or decide.
struct HttpTransferRequest {
    /// Fully encoded; only http and https are spoken.
    QByteArray url;
    QByteArray method = "GET";
    /// In order, names as given; a later field does not replace an earlier one here. An empty
    /// value is sent as an empty field. The engine adds no Content-Type and no
    /// "Expect: 100-continue" of its own.
    QList<std::pair<QByteArray, QByteArray>> headers;
    /// Absent: no body at all. Present and empty: "Content-Length: 0".
    std::optional<QByteArray> body;
    /// Time-outs, redirects, User-Agent, proxy and trust. A `requestTimeout` (idle limit) or
    /// `resourceTimeout` (whole exchange) of 0 means no limit, which a quiet event stream needs.
    NetworkSettings settings;
    /// Digest, NTLM, Negotiate or an AWS signature, which libcurl answers or computes itself.
    /// Credentials go only to the URL's host, never to the host of a redirect.
    TransferAuth auth;
};

/// What the engine reports, each called on the thread of the transfer's context object.
/// Calls come in this order: `onResponse` at most once, `onData` any number of times,
/// `onFinished` exactly once (unless the context is destroyed first), then nothing more.
struct TransferCallbacks {
    /// The final reply's status, headers and HTTP version, as soon as its header block is in
    /// (redirects and interim replies are skipped). The body is empty.
    std::function<void(const APIResponse& head)> onResponse;
    /// Streaming: body bytes in arrival order. Everything that arrived since the previous call
    /// comes as one piece, so a fast stream costs one call per event-loop turn. When this is
    /// set the finished response carries no body (its `size` still counts the bytes).
    std::function<void(const QByteArray& data)> onData;
    /// The complete response (timing, headers, body unless streamed) or the error.
    std::function<void(const NetworkResult& result)> onFinished;
};

/// What a sequence of exchanges reports, each called on the thread of its context object, in
/// step order: `onStep(i)` as exchange i starts, `onStepFinished(i, result)` when it has ended,
/// and after the last step `onDone` exactly once (unless the context is destroyed first).
struct SequenceCallbacks {
    std::function<void(qsizetype index)> onStep;
    std::function<void(qsizetype index, const NetworkResult& result)> onStepFinished;
    /// `cancelled`: the handle stopped the sequence before its end.
    std::function<void(bool cancelled)> onDone;
};

/// Builds exchange `index` of a sequence, or the error that stands for it. Called on the
/// network thread, so it must only read what no other thread changes.
using SequenceStepBuilder
    = std::function<std::variant<HttpTransferRequest, NetworkError>(qsizetype index)>;

struct TransferState;

/// Refers to a running transfer. Copies refer to the same one; a default handle to none.
class TransferHandle {
public:
    TransferHandle() = default;
    explicit TransferHandle(std::shared_ptr<TransferState> state)
        : m_state(std::move(state))
    { }

    /// Ends the transfer: the connection work stops at once on the network thread and the
    /// callbacks receive "Request was cancelled." (code -999) on the next event-loop turn, even
    /// when the reply was already complete but not yet delivered. Does nothing once the
    /// finish has been delivered. Callable from any thread.
    void cancel() const;
    bool isValid() const { return m_state != nullptr; }

private:
    std::shared_ptr<TransferState> m_state;
};

class EngineCore;
class CookieJar;

/// The HTTP stack: one network thread driving every transfer of this engine at once on one
/// libcurl multi handle, so connections and resolved names are reused between transfers, and
/// one cookie store shared by all of them for the engine's life. Nothing here blocks the
/// calling thread.
///
/// Plain exchanges set only `onFinished`. A streaming client (server-sent events) sets
/// `onResponse` to learn the status, `onData` for the body pieces and `onFinished` for the
/// end, with both time-outs at 0, and cancels the handle to stop listening.
class HttpEngine {
public:
    HttpEngine();
    /// Ends every running transfer (their callbacks get the cancelled error if their contexts
    /// still live) and stops the network thread.
    ~HttpEngine();
    HttpEngine(const HttpEngine&) = delete;
    HttpEngine& operator=(const HttpEngine&) = delete;

    /// Starts `request` now. Callbacks run on `context`'s thread (which must not be null) and
    /// never after `context` is destroyed; destroying `context` ends the transfer.
    TransferHandle start(
        HttpTransferRequest request, QObject* context, TransferCallbacks callbacks);

    /// Runs `count` exchanges strictly one after another: each starts on the network thread the
    /// moment the previous one has ended, so a sequence never waits for `context`'s thread,
    /// however busy it is. Cancelling the handle abandons the exchange in flight (it is not
    /// reported) and starts no other; steps that had already ended are still reported, then
    /// `onDone(true)`. Destroying `context` stops the sequence the same way, silently.
    TransferHandle startSequence(
        qsizetype count, SequenceStepBuilder build, QObject* context, SequenceCallbacks callbacks);

    /// The cookie store every transfer of this engine reads and fills.
    CookieJar& cookies();

private:
    std::shared_ptr<EngineCore> m_core;
};

} // namespace mako
