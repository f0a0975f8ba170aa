#pragma once

#include "state/secretstore.h"

#include <QObject>
#include <QString>

#include <memory>

namespace mako {

/// The proxy password. It lives in memory for the run and in the secret store when there is
/// one, and never in the preference file, which other programs and backups read freely.
class ProxyPassword : public QObject {
    Q_OBJECT

public:
    /// The store may be shared with the other keepers of secrets.
    explicit ProxyPassword(std::shared_ptr<SecretStore> store, QObject* parent = nullptr);
    ~ProxyPassword() override;

    /// Reads the stored password once. Not at start-up for everyone: asking the secret service
    /// can make the desktop prompt to unlock it, which only users of an authenticating proxy
    /// should ever see.
    void load();

    const QString& password() const { return m_password; }
    /// Takes effect at once for the next request, in memory only: called at every keystroke,
    /// it must not start a secret-service job each time (a locked keyring would ask again and
    /// again).
    void setPassword(const QString& password);
    /// Writes the password into the secret store if it changed since it was last written there;
    /// called when editing ends (and when the application goes away).
    void store();
    /// False once the secret store has said it cannot keep anything: the password then lasts
    /// for this run only.
    bool isKeptAcrossRuns() const { return m_keptAcrossRuns; }

Q_SIGNALS:
    void passwordChanged();
    void keptAcrossRunsChanged();

private:
    void setKeptAcrossRuns(bool kept);

    std::shared_ptr<SecretStore> m_store;
    QString m_password;
    bool m_keptAcrossRuns = true;
    /// Set once the user typed, so a slow first read does not overwrite what they typed.
    bool m_edited = false;
    bool m_loaded = false;
    /// The password has changed since the secret store last got it.
    bool m_unstored = false;
};

} // namespace mako
