#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace mako {

/// Where secrets outlive the run: the desktop's secret service, or nothing.
class SecretStore {
public:
    /// `found` is empty for no stored secret; `available` is false when there is no secret
    /// service to ask.
    using ReadDone = std::function<void(const QString& found, bool available)>;
    using WriteDone = std::function<void(bool available)>;

    virtual ~SecretStore() = default;
    /// Both answer later, on the calling thread; an empty `secret` removes the entry.
    virtual void read(const QString& key, ReadDone done) = 0;
    virtual void write(const QString& key, const QString& secret, WriteDone done) = 0;
};

/// No secret service at all: nothing is kept beyond the run.
class NoSecretStore : public SecretStore {
public:
    void read(const QString& key, ReadDone done) override;
    void write(const QString& key, const QString& secret, WriteDone done) override;
};

/// One store behind several owners (the proxy password, the vault), each holding its own handle.
class SharedSecretStore : public SecretStore {
public:
    explicit SharedSecretStore(std::shared_ptr<SecretStore> store)
        : m_store(std::move(store))
    { }
    void read(const QString& key, ReadDone done) override { m_store->read(key, std::move(done)); }
    void write(const QString& key, const QString& secret, WriteDone done) override
    {
        m_store->write(key, secret, std::move(done));
    }

private:
    std::shared_ptr<SecretStore> m_store;
};

/// The desktop's own secret store when Mako was built with QtKeychain, else NoSecretStore.
std::unique_ptr<SecretStore> createSystemSecretStore();

/// The secrets of OAuth 2.0 clients and tokens, certificates and the like: held in memory for the
/// run, and kept in the secret store where there is one. Data files, exports and backups never
/// see them; they hold only what finds a secret here (its key).
class SecretVault : public QObject {
    Q_OBJECT

public:
    explicit SecretVault(std::unique_ptr<SecretStore> store, QObject* parent = nullptr);
    ~SecretVault() override;

    /// What the run knows now; empty when nothing is known (or not read yet: see `load`).
    QString value(const QString& key) const { return m_values.value(key); }
    /// Asks the secret store once per key, and answers on the calling thread with what is known
    /// then. A value set in the meantime wins over the stored one.
    void load(const QString& key, std::function<void(const QString&)> done);
    /// Takes effect at once, and reaches the secret store once the changes have paused for a
    /// moment (or at `flush`): a secret typed key by key is one write, not one per key, and a
    /// locked keyring asks to be unlocked once. Empty removes the secret.
    void setValue(const QString& key, const QString& secret);
    /// Hands every change still waiting to the secret store.
    void flush();
    /// False once the secret store has said it cannot keep anything: secrets then last for this
    /// run only.
    bool isKeptAcrossRuns() const { return m_keptAcrossRuns; }

Q_SIGNALS:
    void valueChanged(const QString& key);
    /// `isKeptAcrossRuns` turned false.
    void keptAcrossRunsChanged();

private:
    std::unique_ptr<SecretStore> m_store;
    QHash<QString, QString> m_values;
    /// Keys whose stored value has been asked for (or made moot by a value set in this run).
    QHash<QString, bool> m_loaded;
    /// Changes not yet handed to the secret store, by key.
    QHash<QString, QString> m_unwritten;
    QTimer* m_writeTimer;
    bool m_keptAcrossRuns = true;

    void noteNoSecretService();
};

} // namespace mako
