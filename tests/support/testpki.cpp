#include "support/testpki.h"

#include <QFile>
#include <QProcess>

namespace mako::test {

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// Elliptic-curve keys: making them takes a moment where RSA keys take seconds.
const QStringList kNewKey {
    u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s, u"ec_paramgen_curve:prime256v1"_s, u"-nodes"_s};

} // namespace

QByteArray PemIdentity::certificatePem() const
{
    return contents(certificate);
}

QByteArray PemIdentity::keyPem() const
{
    return contents(key);
}

TestPki::TestPki()
{
    if (!m_dir.isValid())
        qFatal("no temporary folder for test certificates");
}

PemIdentity TestPki::makeAuthority(const QString& name)
{
    const PemIdentity made {m_dir.filePath(name + u".pem"_s), m_dir.filePath(name + u".key"_s)};
    run(QStringList {u"req"_s, u"-x509"_s} + kNewKey
        + QStringList {u"-days"_s, u"2"_s, u"-subj"_s, u"/CN="_s + name, u"-addext"_s,
            u"basicConstraints=critical,CA:TRUE"_s, u"-addext"_s,
            u"keyUsage=critical,keyCertSign,cRLSign"_s, u"-keyout"_s, made.key, u"-out"_s,
            made.certificate});
    return made;
}

PemIdentity TestPki::makeServer(const QString& name, const PemIdentity& authority)
{
    return issue(name, authority,
        u"basicConstraints=CA:FALSE\nsubjectAltName=IP:127.0.0.1\nextendedKeyUsage=serverAuth\n"_s);
}

PemIdentity TestPki::makeClient(const QString& name, const PemIdentity& authority)
{
    return issue(name, authority, u"basicConstraints=CA:FALSE\nextendedKeyUsage=clientAuth\n"_s);
}

QString TestPki::makePkcs12(
    const QString& name, const PemIdentity& identity, const QString& passphrase)
{
    const QString path = m_dir.filePath(name + u".p12"_s);
    run({u"pkcs12"_s, u"-export"_s, u"-in"_s, identity.certificate, u"-inkey"_s, identity.key,
        u"-passout"_s, u"pass:"_s + passphrase, u"-out"_s, path});
    return path;
}

PemIdentity TestPki::issue(
    const QString& name, const PemIdentity& authority, const QString& extensions)
{
    const PemIdentity made {m_dir.filePath(name + u".pem"_s), m_dir.filePath(name + u".key"_s)};
    const QString request = m_dir.filePath(name + u".csr"_s);
    const QString extensionFile = m_dir.filePath(name + u".ext"_s);
    QFile file(extensionFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(extensions.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(extensionFile));
    file.close();
    run(QStringList {u"req"_s, u"-new"_s} + kNewKey
        + QStringList {u"-subj"_s, u"/CN="_s + name, u"-keyout"_s, made.key, u"-out"_s, request});
    run({u"x509"_s, u"-req"_s, u"-in"_s, request, u"-CA"_s, authority.certificate, u"-CAkey"_s,
        authority.key, u"-CAcreateserial"_s, u"-days"_s, u"2"_s, u"-extfile"_s, extensionFile,
        u"-out"_s, made.certificate});
    return made;
}

void TestPki::run(const QStringList& arguments)
{
    QProcess openssl;
    openssl.setWorkingDirectory(m_dir.path());
    openssl.start(u"openssl"_s, arguments);
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit
        || openssl.exitCode() != 0)
        qFatal("openssl %s failed: %s", qPrintable(arguments.join(u' ')),
            openssl.readAllStandardError().constData());
}

} // namespace mako::test
