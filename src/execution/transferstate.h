#pragma once

// Internal to the engine: what the network thread and the receiving thread share about one
// transfer.

#include "execution/httpengine.h"

#include <QMetaObject>
#include <QMutex>
#include <QPointer>

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

    // Sequences: steps started (no result yet) and ended, in order, not yet delivered.
    QList<std::pair<qsizetype, std::optional<NetworkResult>>> steps;

    // Only touched on the context's thread.
    TransferCallbacks callbacks;
    /// Set for a sequence, whose `finish` then only marks its end.
    std::optional<SequenceCallbacks> sequence;
    QPointer<QObject> receiver;
    QMetaObject::Connection contextWatch;
    bool finishDelivered = false;
    QMetaObject::Connection connection;

    TransferNotifier notifier;

    /// Runs `change` on the pending events and makes sure one delivery is on its way. Nothing
    /// is queued after the finish.
    template <typename Change> void post(Change&& change)
    {
        {
            QMutexLocker lock(&mutex);
            if (finish)
                return;
            change(*this);
            if (!claimDelivery())
                return;
        }
        announce();
    }

    /// Caller holds `mutex`. True when no delivery is pending yet: the caller then announces
    /// one, after letting go of the mutex, so that the woken thread does not find it still held.
    bool claimDelivery()
    {
        if (deliveryScheduled)
            return false;
        deliveryScheduled = true;
        return true;
    }

    void announce() { Q_EMIT notifier.ready(); }
};

/// Hands the pending events to the callbacks, on the context's thread.
void deliverTransferEvents(const std::shared_ptr<TransferState>& state);

} // namespace mako
