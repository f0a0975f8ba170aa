#include "state/secretstore.h"

#include <QPointer>
#include <QTimer>

#include <utility>

#ifdef MAKO_HAVE_QTKEYCHAIN
#include <qt6keychain/keychain.h>
#endif

using namespace Qt::StringLiterals;

namespace mako {

namespace {

#ifdef MAKO_HAVE_QTKEYCHAIN
const QString kService = u"com.quorin.mako"_s;

// Errors that mean there is no secret service to keep anything in, as opposed to a missing
// entry or a refusal for this one secret.
bool meansNoBackend(QKeychain::Error error)
{
    return error == QKeychain::NoBackendAvailable || error == QKeychain::NotImplemented
        || error == QKeychain::OtherError;
}

class KeychainSecretStore : public SecretStore {
public:
    void read(const QString& key, ReadDone done) override
    {
        auto* job = new QKeychain::ReadPasswordJob(kService);
        prepare(job, key);
        QObject::connect(job, &QKeychain::Job::finished, job, [job, done] {
            done(job->error() == QKeychain::NoError ? job->textData() : QString(),
                !meansNoBackend(job->error()));
        });
        job->start();
    }

    void write(const QString& key, const QString& secret, WriteDone done) override
    {
        QKeychain::Job* job = nullptr;
        if (secret.isEmpty()) {
            job = new QKeychain::DeletePasswordJob(kService);
        } else {
            auto* writeJob = new QKeychain::WritePasswordJob(kService);
            writeJob->setTextData(secret);
            job = writeJob;
        }
        prepare(job, key);
        QObject::connect(job, &QKeychain::Job::finished, job,
            [job, done] { done(!meansNoBackend(job->error())); });
        job->start();
    }

private:
    static void prepare(QKeychain::Job* job, const QString& key)
    {
        job->setKey(key);
        job->setAutoDelete(true);
        // QtKeychain's fallback writes the secret into a settings file in plain text.
        job->setInsecureFallback(false);
    }
};
#endif

} // namespace

void NoSecretStore::read(const QString&, ReadDone done)
{
    QTimer::singleShot(0, [done] { done({}, false); });
}

void NoSecretStore::write(const QString&, const QString&, WriteDone done)
{
    QTimer::singleShot(0, [done] { done(false); });
}

std::unique_ptr<SecretStore> createSystemSecretStore()
{
#ifdef MAKO_HAVE_QTKEYCHAIN
    return std::make_unique<KeychainSecretStore>();
#else
    return std::make_unique<NoSecretStore>();
#endif
}

SecretVault::SecretVault(std::unique_ptr<SecretStore> store, QObject* parent)
    : QObject(parent)
    , m_store(std::move(store))
    , m_writeTimer(new QTimer(this))
{
    m_writeTimer->setSingleShot(true);
    m_writeTimer->setInterval(1000);
    connect(m_writeTimer, &QTimer::timeout, this, &SecretVault::flush);
}

SecretVault::~SecretVault()
{
    // What was typed last is kept all the same.
    flush();
}

void SecretVault::load(const QString& key, std::function<void(const QString&)> done)
{
    if (m_loaded.value(key)) {
        QTimer::singleShot(0, this, [this, key, done] { done(value(key)); });
        return;
    }
    m_loaded.insert(key, true);
    m_store->read(key, [self = QPointer(this), key, done](const QString& found, bool available) {
        if (!self)
            return;
        if (!available)
            self->noteNoSecretService();
        if (!found.isEmpty() && !self->m_values.contains(key)) {
            self->m_values.insert(key, found);
            Q_EMIT self->valueChanged(key);
        }
        done(self->value(key));
    });
}

void SecretVault::setValue(const QString& key, const QString& secret)
{
    m_loaded.insert(key, true);
    if (m_values.value(key) == secret)
        return;
    if (secret.isEmpty())
        m_values.remove(key);
    else
        m_values.insert(key, secret);
    Q_EMIT valueChanged(key);
    m_unwritten.insert(key, secret);
    m_writeTimer->start();
}

void SecretVault::flush()
{
    m_writeTimer->stop();
    const QHash<QString, QString> unwritten = std::exchange(m_unwritten, {});
    for (const auto& [key, secret] : unwritten.asKeyValueRange()) {
        m_store->write(key, secret, [self = QPointer(this)](bool available) {
            if (self && !available)
                self->noteNoSecretService();
        });
    }
}

void SecretVault::noteNoSecretService()
{
    if (!std::exchange(m_keptAcrossRuns, false))
        return;
    Q_EMIT keptAcrossRunsChanged();
}

} // namespace mako
