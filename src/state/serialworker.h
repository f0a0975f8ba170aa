#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <functional>

namespace mako {

/// A thread of its own that runs posted jobs one at a time, in the order they were posted.
/// Destroying it runs every job already posted (and the jobs those post in turn) before the
/// thread stops, so no save asked for before shutdown is dropped.
class SerialWorker {
public:
    enum class Start { Now, OnRequest };

    /// With `Start::OnRequest` jobs wait in the queue until `start()`; the destructor starts the
    /// thread itself if nobody did.
    explicit SerialWorker(const QString& name, Start start = Start::Now);
    ~SerialWorker();

    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    /// Starts running the queued jobs. Idempotent; call from the thread that made the worker.
    void start();

    /// Queues `job` behind everything posted before. Callable from any thread.
    void post(std::function<void()> job);

    /// Queues `job` behind everything posted before and behind every job that those post while
    /// they run (one level deep), which is what "after all the work asked for so far" means for
    /// jobs that schedule a follow-up of their own.
    void postAfterFollowUps(std::function<void()> job);

private:
    QThread m_thread;
    QObject* m_context = nullptr;
    bool m_started = false;
};

} // namespace mako
