#pragma once

#include "execution/hostcertificate.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

namespace mako {

class SecretStore;

/// The passphrases of the certificate entries, one per host pattern. Like the proxy password
/// they live in memory for the run and in the secret store when there is one, never in the
/// preference file.
class CertificatePassphrases : public QObject {
    Q_OBJECT

public:
    explicit CertificatePassphrases(std::shared_ptr<SecretStore> store, QObject* parent = nullptr);

    /// Reads the stored passphrase of each host not asked about yet in this run. Only users
    /// with certificate entries call it, as asking may make the desktop prompt to unlock.
    void load(const QStringList& hosts);
    QString passphrase(const QString& host) const { return m_passphrases.value(host); }
    /// Keeps `passphrase` for `host` at once and writes it to the secret store; an empty one
    /// removes it there.
    void store(const QString& host, const QString& passphrase);
    /// `entries` with their passphrases filled in, for the engine.
    QList<HostCertificate> withPassphrases(QList<HostCertificate> entries) const;
    /// False once the secret store has said it cannot keep anything.
    bool isKeptAcrossRuns() const { return m_keptAcrossRuns; }

Q_SIGNALS:
    void passphrasesChanged();
    void keptAcrossRunsChanged();

private:
    void setKeptAcrossRuns(bool kept);

    std::shared_ptr<SecretStore> m_store;
    QHash<QString, QString> m_passphrases;
    /// Hosts read from the store, or given a passphrase, in this run: a late answer from the
    /// store must not overwrite what the user typed meanwhile.
    QSet<QString> m_known;
    bool m_keptAcrossRuns = true;
};

} // namespace mako
