#include "state/cookiekeeper.h"

#include "execution/cookiejar.h"
#include "state/persistenceservice.h"
#include "state/settings.h"

#include <QMutex>

namespace mako {

// What the jar's change handler reaches from the network thread.
struct CookieKeeper::Shared {
    QMutex mutex;
    PersistenceService* persistence = nullptr;
    bool keep = false;
    /// The jar while the keeper lives; after it, the jar's last lasting cookies, so that a write
    /// still waiting on the service's thread never reaches a jar that is gone.
    CookieJar* jar = nullptr;
    QByteArray lastCookies;

    void save(const std::shared_ptr<Shared>& self)
    {
        QMutexLocker lock(&mutex);
        if (persistence && keep) {
            persistence->saveBytes(PersistenceService::kCookiesFile, [self] {
                QMutexLocker lock(&self->mutex);
                return self->jar ? self->jar->toNetscape(false) : self->lastCookies;
            });
        }
    }
};

CookieKeeper::CookieKeeper(
    CookieJar& jar, PersistenceService& persistence, Settings& settings, QObject* parent)
    : QObject(parent)
    , m_jar(jar)
    , m_settings(settings)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->persistence = &persistence;
    m_shared->jar = &jar;
    m_shared->keep = settings.value(SettingKeys::keepCookies);
    if (m_shared->keep) {
        persistence.loadBytes(
            PersistenceService::kCookiesFile, this, [this](const Result<QByteArray>& bytes) {
                // Cookies that arrived meanwhile are newer than the file's and stay.
                if (bytes && !bytes.value().isEmpty()) {
                    const QList<QNetworkCookie> arrived = m_jar.all();
                    m_jar.addNetscape(bytes.value());
                    for (const QNetworkCookie& cookie : arrived)
                        m_jar.insert(cookie);
                }
            });
    } else {
        persistence.removeFile(PersistenceService::kCookiesFile);
    }
    m_handler = m_jar.addChangeHandler([shared = m_shared] { shared->save(shared); });
    connect(&settings, &Settings::valueChanged, this, [this](const QString& key) {
        if (key == SettingKeys::keepCookies.name)
            applyPreference();
    });
}

CookieKeeper::~CookieKeeper()
{
    m_jar.removeChangeHandler(m_handler);
    QMutexLocker lock(&m_shared->mutex);
    m_shared->lastCookies = m_jar.toNetscape(false);
    m_shared->jar = nullptr;
}

void CookieKeeper::applyPreference()
{
    const bool keep = m_settings.value(SettingKeys::keepCookies);
    {
        QMutexLocker lock(&m_shared->mutex);
        if (keep == m_shared->keep)
            return;
        m_shared->keep = keep;
        if (!keep)
            m_shared->persistence->removeFile(PersistenceService::kCookiesFile);
    }
    if (keep)
        m_shared->save(m_shared);
}

} // namespace mako
