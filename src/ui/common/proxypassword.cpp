#include "ui/common/proxypassword.h"

#include <QPointer>
#include <QTimer>

#ifdef MAKO_HAVE_QTKEYCHAIN
#include <qt6keychain/keychain.h>
#endif

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QString kProxyPasswordKey = u"proxyPassword"_s;

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

ProxyPassword::ProxyPassword(std::shared_ptr<SecretStore> store, QObject* parent)
    : QObject(parent)
    , m_store(std::move(store))
{ }

void ProxyPassword::load()
{
    if (std::exchange(m_loaded, true))
        return;
    m_store->read(kProxyPasswordKey, [self = QPointer(this)](const QString& found, bool available) {
        if (!self)
            return;
        self->setKeptAcrossRuns(available);
        if (!self->m_edited && !found.isEmpty()) {
            self->m_password = found;
            Q_EMIT self->passwordChanged();
        }
    });
}

ProxyPassword::~ProxyPassword()
{
    // Typing ended with the application: what was typed is kept all the same.
    store();
}

void ProxyPassword::setPassword(const QString& password)
{
    m_edited = true;
    if (password == m_password)
        return;
    m_password = password;
    m_unstored = true;
    Q_EMIT passwordChanged();
}

void ProxyPassword::store()
{
    if (!std::exchange(m_unstored, false))
        return;
    m_store->write(kProxyPasswordKey, m_password, [self = QPointer(this)](bool available) {
        if (self)
            self->setKeptAcrossRuns(available);
    });
}

void ProxyPassword::setKeptAcrossRuns(bool kept)
{
    if (kept == m_keptAcrossRuns)
        return;
    m_keptAcrossRuns = kept;
    Q_EMIT keptAcrossRunsChanged();
}

} // namespace mako
