#include "execution/httpengine.h"

#include "execution/curltransfer.h"

#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace mako {

/// The network thread and the libcurl handles it alone drives.
class EngineCore {
public:
    EngineCore();
    ~EngineCore();

    void submit(std::unique_ptr<CurlTransfer> transfer);
    /// Interrupts the wait so that cancels and new transfers are seen at once.
    void wakeup() { curl_multi_wakeup(m_multi); }
    /// Ends every transfer as cancelled and joins the thread.
    void stop();

private:
    void run();
    void add(std::unique_ptr<CurlTransfer> transfer);
    void sweep();
    void readMessages();
    void complete(CURL* easy, const std::optional<NetworkError>& error, CURLcode code);
    int pollTimeoutMs() const;

    CURLM* m_multi = nullptr;
    CURLSH* m_share = nullptr;

    std::mutex m_mutex;
    std::vector<std::unique_ptr<CurlTransfer>> m_incoming;
    bool m_stopping = false;

    // Network thread only.
    std::map<CURL*, std::unique_ptr<CurlTransfer>> m_active;

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
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    m_thread = std::thread([this] { run(); });
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
        bool stopping = false;
        {
            std::lock_guard lock(m_mutex);
            incoming.swap(m_incoming);
            stopping = m_stopping;
        }
        for (auto& transfer : incoming)
            add(std::move(transfer));
        if (stopping)
            break;
        sweep();
        int running = 0;
        curl_multi_perform(m_multi, &running);
        readMessages();
        curl_multi_poll(m_multi, nullptr, 0, pollTimeoutMs(), nullptr);
    }
    const NetworkError cancelled = NetworkError::network(NetworkError::kCancelled);
    while (!m_active.empty())
        complete(m_active.begin()->first, cancelled, CURLE_OK);
}

void EngineCore::add(std::unique_ptr<CurlTransfer> transfer)
{
    CURL* easy = transfer->easy();
    curl_easy_setopt(easy, CURLOPT_SHARE, m_share);
    // An empty file name switches the cookie engine on without reading any file.
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    transfer->markStarted();
    curl_multi_add_handle(m_multi, easy);
    m_active.emplace(easy, std::move(transfer));
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
    NetworkResult result = error ? NetworkResult(*error) : transfer.takeResult(code, end);
    transfer.state()->post([&result](TransferState& state) { state.finish = std::move(result); });
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

void deliverTransferEvents(const std::shared_ptr<TransferState>& state)
{
    std::optional<APIResponse> head;
    QByteArray data;
    std::optional<NetworkResult> finish;
    {
        QMutexLocker lock(&state->mutex);
        head.swap(state->head);
        data.swap(state->data);
        finish = state->finish;
        state->deliveryScheduled = false;
    }
    if (state->finishDelivered)
        return;
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
    state->finishDelivered = true;
    auto onFinished = std::move(callbacks.onFinished);
    callbacks = {};
    // The connection's functor holds the state; letting go of it ends the state's life.
    QObject::disconnect(state->connection);
    if (onFinished)
        onFinished(*finish);
}

void TransferHandle::cancel() const
{
    if (!m_state)
        return;
    m_state->cancelRequested = true;
    {
        QMutexLocker lock(&m_state->mutex);
        m_state->scheduleDelivery();
    }
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

TransferHandle HttpEngine::start(
    HttpTransferRequest request, QObject* context, TransferCallbacks callbacks)
{
    auto state = std::make_shared<TransferState>();
    state->engine = m_core;
    state->callbacks = std::move(callbacks);
    state->connection = QObject::connect(
        &state->notifier, &TransferNotifier::ready, context,
        [state] { deliverTransferEvents(state); }, Qt::QueuedConnection);
    m_core->submit(std::make_unique<CurlTransfer>(std::move(request), state));
    return TransferHandle(state);
}

} // namespace mako
