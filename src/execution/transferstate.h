#pragma once

// Internal to the engine: what the network thread and the receiving thread share about one
// transfer.

#include "execution/httpengine.h"

#include <QMetaObject>
#include <QMutex>

#include <atomic>

namespace mako {

/// Emits `ready` from the network thread; a queued connection carries the call to the
/// context's thread, and Qt drops it safely when the context is gone.
class TransferNotifier : public QObject {
    Q_OBJECT
Q_SIGNALS:
    void ready();
};

struct TransferState {
    std::atomic<bool> cancelRequested {false};
    std::weak_ptr<EngineCore> engine;

    // Handed over from the network thread; guarded by `mutex`.
    QMutex mutex;
    std::optional<APIResponse> head;
    QByteArray data;
    std::optional<NetworkResult> finish;
    bool deliveryScheduled = false;

    // Only touched on the context's thread.
    TransferCallbacks callbacks;
    bool finishDelivered = false;
    QMetaObject::Connection connection;

    TransferNotifier notifier;

    /// Runs `change` on the pending events and makes sure one delivery is on its way. Nothing
    /// is queued after the finish.
    template <typename Change> void post(Change&& change)
    {
        QMutexLocker lock(&mutex);
        if (finish)
            return;
        change(*this);
        scheduleDelivery();
    }

    /// Caller holds `mutex`.
    void scheduleDelivery()
    {
        if (deliveryScheduled)
            return;
        deliveryScheduled = true;
        Q_EMIT notifier.ready();
    }
};

/// Hands the pending events to the callbacks, on the context's thread.
void deliverTransferEvents(const std::shared_ptr<TransferState>& state);

} // namespace mako
