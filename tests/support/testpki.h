#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace mako::test {

/// A certificate and its unencrypted private key, both PEM files.
struct PemIdentity {
    QString certificate;
    QString key;
    QByteArray certificatePem() const;
    QByteArray keyPem() const;
};

/// A throw-away public-key infrastructure made with the openssl tool in a temporary folder:
/// certificate authorities, server certificates for 127.0.0.1 and client certificates. Every
/// step that fails ends the test run, as no TLS test means anything without its files.
class TestPki {
public:
    TestPki();

    QString folder() const { return m_dir.path(); }
    PemIdentity makeAuthority(const QString& name);
    /// Signed by `authority`; valid for the address 127.0.0.1.
    PemIdentity makeServer(const QString& name, const PemIdentity& authority);
    PemIdentity makeClient(const QString& name, const PemIdentity& authority);
    /// A PKCS #12 file holding `identity`, locked with `passphrase`.
    QString makePkcs12(const QString& name, const PemIdentity& identity, const QString& passphrase);

private:
    PemIdentity issue(const QString& name, const PemIdentity& authority, const QString& extensions);
    void run(const QStringList& arguments);

    QTemporaryDir m_dir;
};

} // namespace mako::test
