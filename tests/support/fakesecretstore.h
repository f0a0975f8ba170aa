#pragma once

#include "state/secretstore.h"

#include <QHash>
#include <QTimer>

namespace mako::test {

/// Keeps secrets in a hash the test owns, standing in for the desktop's secret service; with
/// `available` false it behaves like a desktop that has none.
struct FakeSecretStore : SecretStore {
    QHash<QString, QString>* entries;
    int* reads;
    int* writes;
    bool available = true;
    explicit FakeSecretStore(
        QHash<QString, QString>* held, int* readCount = nullptr, int* writeCount = nullptr)
        : entries(held)
        , reads(readCount)
        , writes(writeCount)
    { }
    void read(const QString& key, ReadDone done) override
    {
        if (reads)
            ++*reads;
        // The answer is taken now: the store may be gone by the time it is delivered.
        QTimer::singleShot(
            0, [found = available ? entries->value(key) : QString(), done, ok = available] {
                done(found, ok);
            });
    }
    void write(const QString& key, const QString& secret, WriteDone done) override
    {
        if (writes)
            ++*writes;
        if (available)
            entries->insert(key, secret);
        QTimer::singleShot(0, [done, ok = available] { done(ok); });
    }
};

} // namespace mako::test
