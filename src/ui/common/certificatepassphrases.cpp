#include "ui/common/certificatepassphrases.h"

#include "state/secretstore.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QString secretKey(const QString& host)
{
    return u"certificatePassphrase/"_s + host;
}

} // namespace

CertificatePassphrases::CertificatePassphrases(std::shared_ptr<SecretStore> store, QObject* parent)
    : QObject(parent)
    , m_store(std::move(store))
{ }

void CertificatePassphrases::load(const QStringList& hosts)
{
    for (const QString& host : hosts) {
        if (m_known.contains(host))
            continue;
        m_known.insert(host);
        m_store->read(
            secretKey(host), [self = QPointer(this), host](const QString& found, bool available) {
                if (!self)
                    return;
                self->setKeptAcrossRuns(available);
                if (found.isEmpty() || self->m_passphrases.contains(host))
                    return;
                self->m_passphrases.insert(host, found);
                Q_EMIT self->passphrasesChanged();
            });
    }
}

void CertificatePassphrases::store(const QString& host, const QString& passphrase)
{
    m_known.insert(host);
    if (m_passphrases.value(host) == passphrase && m_passphrases.contains(host))
        return;
    if (passphrase.isEmpty())
        m_passphrases.remove(host);
    else
        m_passphrases.insert(host, passphrase);
    Q_EMIT passphrasesChanged();
    m_store->write(secretKey(host), passphrase, [self = QPointer(this)](bool available) {
        if (self)
            self->setKeptAcrossRuns(available);
    });
}

QList<HostCertificate> CertificatePassphrases::withPassphrases(QList<HostCertificate> entries) const
{
    for (HostCertificate& entry : entries)
        entry.passphrase = passphrase(entry.host);
    return entries;
}

void CertificatePassphrases::setKeptAcrossRuns(bool kept)
{
    if (kept == m_keptAcrossRuns)
        return;
    m_keptAcrossRuns = kept;
    Q_EMIT keptAcrossRunsChanged();
}

} // namespace mako
