#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <memory>
#include <mutex>
#include <utility>

namespace mako {

/// How work on a pool thread hands its pieces back to a QObject on the window's thread. The
/// receiver closes the channel when it wants no more (a newer reply or query arrived) or when
/// it goes away; the work reads that as its cancel, and pieces already queued are dropped on
/// arrival.
class ResultChannel {
public:
    explicit ResultChannel(QObject* receiver)
        : m_receiver(receiver)
    { }

    /// Window thread only.
    void close()
    {
        std::lock_guard lock(m_mutex);
        m_receiver = nullptr;
    }

    /// Any thread: whether the receiver still wants pieces.
    bool isOpen() const
    {
        std::lock_guard lock(m_mutex);
        return m_receiver != nullptr;
    }

    /// Any thread: runs `piece` on the receiver's thread, unless the channel is closed by then.
    template <typename Piece> bool post(const std::shared_ptr<ResultChannel>& self, Piece piece)
    {
        std::lock_guard lock(m_mutex);
        if (!m_receiver)
            return false;
        QMetaObject::invokeMethod(
            m_receiver,
            [self, piece = std::move(piece)]() mutable {
                if (self->isOpen())
                    piece();
            },
            Qt::QueuedConnection);
        return true;
    }

private:
    mutable std::mutex m_mutex;
    QObject* m_receiver;
};

/// Starts `work(channel)` on the shared pool and returns the channel the work reports through.
template <typename Work> std::shared_ptr<ResultChannel> startWork(QObject* receiver, Work work)
{
    auto channel = std::make_shared<ResultChannel>(receiver);
    QThreadPool::globalInstance()->start([channel, work = std::move(work)]() mutable {
        if (channel->isOpen())
            work(channel);
    });
    return channel;
}

} // namespace mako
