#include "execution/httpengine.h"

#include "execution/cookiejar.h"
#include "execution/curltransfer.h"

#include <array>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace mako {

/// A sequence's progress, on the network thread.
struct TransferSequence {
    std::shared_ptr<TransferState> state;
    SequenceStepBuilder build;
    qsizetype count = 0;
    qsizetype next = 0;
};

/// The network thread and the libcurl handles it alone drives.
class EngineCore {
public:
    EngineCore();
    ~EngineCore();

    void submit(std::unique_ptr<CurlTransfer> transfer);
    void submit(std::shared_ptr<TransferSequence> sequence);
    /// Interrupts the wait so that cancels and new transfers are seen at once.
    void wakeup() { curl_multi_wakeup(m_multi); }
    /// Ends every transfer as cancelled and joins the thread.
    void stop();
    CookieJar& cookies() { return m_cookies; }

private:
    void run();
    CURL* add(std::unique_ptr<CurlTransfer> transfer);
    void sweep();
    void readMessages();
    void complete(CURL* easy, const std::optional<NetworkError>& error, CURLcode code);
    /// Starts the sequence's next exchange, or ends the sequence.
    void advance(const std::shared_ptr<TransferSequence>& sequence);
    int pollTimeoutMs() const;

    static void lockShare(CURL*, curl_lock_data data, curl_lock_access, void* self);
    static void unlockShare(CURL*, curl_lock_data data, void* self);

    CURLM* m_multi = nullptr;
    CURLSH* m_share = nullptr;
    // The jar is read and changed from other threads through the share, so libcurl takes
    // these around every use of a shared part.
    std::array<std::mutex, CURL_LOCK_DATA_LAST> m_shareLocks;
    CookieJar m_cookies {nullptr};

    std::mutex m_mutex;
    std::vector<std::unique_ptr<CurlTransfer>> m_incoming;
    std::vector<std::shared_ptr<TransferSequence>> m_incomingSequences;
    bool m_stopping = false;

    // Network thread only.
    std::map<CURL*, std::unique_ptr<CurlTransfer>> m_active;
    // The active transfers that are a step of a sequence.
    std::map<CURL*, std::shared_ptr<TransferSequence>> m_sequenceOf;
    bool m_draining = false;

    std::thread m_thread;
};

EngineCore::EngineCore()
{
    static std::once_flag globalInit;
    std::call_once(globalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_multi = curl_multi_init();
    // One cookie store, one name cache and one TLS session cache for every transfer; the
    // multi handle itself keeps the connections for reuse.
    m_share = curl_share_init();
    curl_share_setopt(m_share, CURLSHOPT_LOCKFUNC, &EngineCore::lockShare);
    curl_share_setopt(m_share, CURLSHOPT_UNLOCKFUNC, &EngineCore::unlockShare);
    curl_share_setopt(m_share, CURLSHOPT_USERDATA, this);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    m_cookies.m_share = m_share;
    m_thread = std::thread([this] { run(); });
}

void EngineCore::lockShare(CURL*, curl_lock_data data, curl_lock_access, void* self)
{
    static_cast<EngineCore*>(self)->m_shareLocks.at(std::size_t(data)).lock();
}

void EngineCore::unlockShare(CURL*, curl_lock_data data, void* self)
{
    static_cast<EngineCore*>(self)->m_shareLocks.at(std::size_t(data)).unlock();
}

EngineCore::~EngineCore()
{
    stop();
    curl_multi_cleanup(m_multi);
    curl_share_cleanup(m_share);
}

void EngineCore::submit(std::unique_ptr<CurlTransfer> transfer)
{
    {
        std::lock_guard lock(m_mutex);
        m_incoming.push_back(std::move(transfer));
    }
    wakeup();
}

void EngineCore::submit(std::shared_ptr<TransferSequence> sequence)
{
    {
        std::lock_guard lock(m_mutex);
        m_incomingSequences.push_back(std::move(sequence));
    }
    wakeup();
}

void EngineCore::stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
    }
    wakeup();
    m_thread.join();
}

void EngineCore::run()
{
    for (;;) {
        std::vector<std::unique_ptr<CurlTransfer>> incoming;
        std::vector<std::shared_ptr<TransferSequence>> sequences;
        bool stopping = false;
        {
            std::lock_guard lock(m_mutex);
            incoming.swap(m_incoming);
            sequences.swap(m_incomingSequences);
            stopping = m_stopping;
        }
        for (auto& transfer : incoming)
            add(std::move(transfer));
        for (const auto& sequence : sequences)
            advance(sequence);
        if (stopping)
            break;
        sweep();
        int running = 0;
        curl_multi_perform(m_multi, &running);
        readMessages();
        curl_multi_poll(m_multi, nullptr, 0, pollTimeoutMs(), nullptr);
    }
    m_draining = true;
    const NetworkError cancelled = NetworkError::network(NetworkError::kCancelled);
    while (!m_active.empty())
        complete(m_active.begin()->first, cancelled, CURLE_OK);
}

CURL* EngineCore::add(std::unique_ptr<CurlTransfer> transfer)
{
    // A fresh handle each time: libcurl 7.88's curl_easy_reset keeps the cookie file list
    // of the handle it resets without ever freeing it.
    CURL* easy = transfer->easy();
    transfer->setUp();
    curl_easy_setopt(easy, CURLOPT_SHARE, m_share);
    // An empty file name switches the cookie engine on without reading any file.
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    transfer->markStarted();
    curl_multi_add_handle(m_multi, easy);
    m_active.emplace(easy, std::move(transfer));
    return easy;
}

// Cancels and idle time-outs are ours to enforce: libcurl only sees them at its next callback.
void EngineCore::sweep()
{
    const auto now = EngineClock::now();
    std::vector<std::pair<CURL*, NetworkError>> ended;
    for (const auto& [easy, transfer] : m_active) {
        if (transfer->state()->cancelRequested) {
            ended.push_back({easy, NetworkError::network(NetworkError::kCancelled)});
        } else if (const auto deadline = transfer->idleDeadline(); deadline && now >= *deadline) {
            ended.push_back({easy, NetworkError::network(NetworkError::kTimedOut)});
        }
    }
    for (const auto& [easy, error] : ended)
        complete(easy, error, CURLE_OK);
}

void EngineCore::readMessages()
{
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
        if (message->msg == CURLMSG_DONE)
            complete(message->easy_handle, std::nullopt, message->data.result);
    }
}

void EngineCore::complete(CURL* easy, const std::optional<NetworkError>& error, CURLcode code)
{
    const auto end = EngineClock::now();
    auto node = m_active.extract(easy);
    if (node.empty())
        return;
    curl_multi_remove_handle(m_multi, easy);
    CurlTransfer& transfer = *node.mapped();
    if (!transfer.setCookies().isEmpty())
        m_cookies.noteSetCookies(transfer.setCookies());
    NetworkResult result = error ? NetworkResult(*error) : transfer.takeResult(code, end);
    const auto step = m_sequenceOf.extract(easy);
    if (step.empty()) {
        transfer.state()->post(
            [&result](TransferState& state) { state.finish = std::move(result); });
    } else {
        // An abandoned step is not reported; the sequence ends at `advance`.
        transfer.state()->post([&result, index = step.mapped()->next - 1](TransferState& state) {
            if (!state.cancelRequested)
                state.steps.append({index, std::move(result)});
        });
    }
    node.mapped().reset();
    if (!step.empty())
        advance(step.mapped());
}

void EngineCore::advance(const std::shared_ptr<TransferSequence>& sequence)
{
    const std::shared_ptr<TransferState>& state = sequence->state;
    while (sequence->next < sequence->count && !state->cancelRequested && !m_draining) {
        const qsizetype index = sequence->next++;
        state->post([index](TransferState& events) { events.steps.append({index, std::nullopt}); });
        auto built = sequence->build(index);
        if (auto* request = std::get_if<HttpTransferRequest>(&built)) {
            auto transfer = std::make_unique<CurlTransfer>(std::move(*request), state);
            CURL* easy = add(std::move(transfer));
            m_sequenceOf.emplace(easy, sequence);
            return;
        }
        state->post([index, error = std::get<NetworkError>(built)](TransferState& events) {
            events.steps.append({index, error});
        });
    }
    const bool cancelled = sequence->next < sequence->count;
    state->post([cancelled](TransferState& events) {
        events.finish = cancelled ? NetworkResult(NetworkError::network(NetworkError::kCancelled))
                                  : NetworkResult(APIResponse {});
    });
}

int EngineCore::pollTimeoutMs() const
{
    long curlTimeout = -1;
    curl_multi_timeout(m_multi, &curlTimeout);
    auto timeout = std::chrono::milliseconds(curlTimeout < 0 ? 1000 : std::min(curlTimeout, 1000L));
    const auto now = EngineClock::now();
    for (const auto& entry : m_active) {
        if (const auto deadline = entry.second->idleDeadline()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - now);
            timeout = std::min(timeout, std::max(left, std::chrono::milliseconds(0)));
        }
    }
    return int(timeout.count());
}

namespace {

// Lets go of everything the delivery holds; the connection's functor holds the state.
void endDelivery(TransferState& state)
{
    state.finishDelivered = true;
    state.callbacks = {};
    state.sequence.reset();
    QObject::disconnect(state.connection);
    QObject::disconnect(state.contextWatch);
}

void deliverSequenceEvents(const std::shared_ptr<TransferState>& state,
    const QList<std::pair<qsizetype, std::optional<NetworkResult>>>& steps,
    const std::optional<NetworkResult>& finish)
{
    for (const auto& [index, result] : steps) {
        // A callback may cancel, or destroy the context.
        if (state->finishDelivered || !state->receiver)
            return;
        const SequenceCallbacks& callbacks = *state->sequence;
        if (result && callbacks.onStepFinished)
            callbacks.onStepFinished(index, *result);
        else if (!result && !state->cancelRequested && callbacks.onStep)
            callbacks.onStep(index);
    }
    if (state->finishDelivered || !state->receiver || !(finish || state->cancelRequested))
        return;
    auto onDone = std::move(state->sequence->onDone);
    // The engine shutting down ends a sequence as a cancel does.
    const bool cancelled = state->cancelRequested || std::holds_alternative<NetworkError>(*finish);
    endDelivery(*state);
    if (onDone)
        onDone(cancelled);
}

} // namespace

void deliverTransferEvents(const std::shared_ptr<TransferState>& state)
{
    std::optional<APIResponse> head;
    QByteArray data;
    std::optional<NetworkResult> finish;
    QList<std::pair<qsizetype, std::optional<NetworkResult>>> steps;
    {
        QMutexLocker lock(&state->mutex);
        head.swap(state->head);
        data.swap(state->data);
        steps.swap(state->steps);
        finish = state->finish;
        state->deliveryScheduled = false;
    }
    if (state->finishDelivered)
        return;
    if (state->sequence)
        return deliverSequenceEvents(state, steps, finish);
    TransferCallbacks& callbacks = state->callbacks;
    if (state->cancelRequested) {
        finish = NetworkError::network(NetworkError::kCancelled);
    } else {
        if (head && callbacks.onResponse)
            callbacks.onResponse(*head);
        if (!data.isEmpty() && callbacks.onData && !state->cancelRequested)
            callbacks.onData(data);
    }
    if (!finish)
        return;
    auto onFinished = std::move(callbacks.onFinished);
    endDelivery(*state);
    if (onFinished)
        onFinished(*finish);
}

void TransferHandle::cancel() const
{
    if (!m_state)
        return;
    bool announce = false;
    {
        // Under the mutex, so that a sequence step ending from now on is never reported.
        QMutexLocker lock(&m_state->mutex);
        m_state->cancelRequested = true;
        announce = m_state->claimDelivery();
    }
    if (announce)
        m_state->announce();
    if (const auto core = m_state->engine.lock())
        core->wakeup();
}

HttpEngine::HttpEngine()
    : m_core(std::make_shared<EngineCore>())
{ }

HttpEngine::~HttpEngine()
{
    m_core->stop();
}

CookieJar& HttpEngine::cookies()
{
    return m_core->cookies();
}

namespace {

// Deliveries go to the context's thread, and when the context is gone nobody is left to report
// to: the transfer stops at once instead of keeping a connection busy until its time-out (a
// closed editor, a stream whose screen went away).
void watchContext(const std::shared_ptr<TransferState>& state, QObject* context)
{
    state->receiver = context;
    state->connection = QObject::connect(
        &state->notifier, &TransferNotifier::ready, context,
        [state] { deliverTransferEvents(state); }, Qt::QueuedConnection);
    state->contextWatch
        = QObject::connect(context, &QObject::destroyed, [weak = std::weak_ptr(state)] {
              if (auto watched = weak.lock())
                  TransferHandle(std::move(watched)).cancel();
          });
}

} // namespace

TransferHandle HttpEngine::startSequence(
    qsizetype count, SequenceStepBuilder build, QObject* context, SequenceCallbacks callbacks)
{
    auto state = std::make_shared<TransferState>();
    state->engine = m_core;
    state->sequence = std::move(callbacks);
    watchContext(state, context);
    m_core->submit(std::make_shared<TransferSequence>(
        TransferSequence {.state = state, .build = std::move(build), .count = count}));
    return TransferHandle(state);
}

TransferHandle HttpEngine::start(
    HttpTransferRequest request, QObject* context, TransferCallbacks callbacks)
{
    auto state = std::make_shared<TransferState>();
    state->engine = m_core;
    state->callbacks = std::move(callbacks);
    watchContext(state, context);
    m_core->submit(std::make_unique<CurlTransfer>(std::move(request), state));
    return TransferHandle(state);
}

} // namespace mako
