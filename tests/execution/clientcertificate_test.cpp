#include "execution/networkservice.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"
#include "support/sendwait.h"
#include "support/testpki.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// Files shared by every case: making keys takes openssl a moment each.
struct Pki {
    TestPki pki;
    PemIdentity serverAuthority = pki.makeAuthority(u"server-ca"_s);
    PemIdentity clientAuthority = pki.makeAuthority(u"client-ca"_s);
    PemIdentity server = pki.makeServer(u"server"_s, serverAuthority);
    PemIdentity client = pki.makeClient(u"client"_s, clientAuthority);
    PemIdentity stranger = pki.makeClient(u"stranger"_s, serverAuthority);
    QString clientP12 = pki.makePkcs12(u"client"_s, client, u"s3cret"_s);
    // A second authority that stands for the system's own store.
    PemIdentity systemAuthority = pki.makeAuthority(u"system-ca"_s);
    PemIdentity systemServer = pki.makeServer(u"system-server"_s, systemAuthority);
};

Pki& pki()
{
    static Pki made;
    return made;
}

QString outcome(const NetworkResult& result)
{
    if (const auto* error = std::get_if<NetworkError>(&result))
        return error->errorDescription();
    return u"HTTP %1"_s.arg(std::get<APIResponse>(result).statusCode);
}

QString hostOf(const HttpTestServer& server)
{
    return u"127.0.0.1:%1"_s.arg(server.port());
}

} // namespace

// A server that asks every client for a certificate from its own authority: the entry for the
// request's host decides which certificate goes, and a failure says what went wrong.
TEST(ClientCertificate, theHostsEntryDecidesWhatTheServerSees)
{
    const Pki& files = pki();
    HttpTestServer server(TlsServerIdentity {files.server.certificatePem(), files.server.keyPem(),
        files.clientAuthority.certificatePem()});
    const QString here = hostOf(server);
    const HostCertificate pem {.host = here,
        .certificateFile = files.client.certificate,
        .keyFile = files.client.key,
        .caBundleFile = files.serverAuthority.certificate};
    const HostCertificate p12 {.host = u"127.0.0.1"_s,
        .type = HostCertificate::Type::pkcs12,
        .certificateFile = files.clientP12,
        .passphrase = u"s3cret"_s,
        .caBundleFile = files.serverAuthority.certificate};
    HostCertificate wrongPassphrase = p12;
    wrongPassphrase.passphrase = u"guess"_s;
    HostCertificate missingKey = pem;
    missingKey.keyFile = files.pki.folder() + u"/gone.key"_s;
    HostCertificate untrusted = pem;
    untrusted.certificateFile = files.stranger.certificate;
    untrusted.keyFile = files.stranger.key;
    const HostCertificate trustOnly {
        .host = here, .caBundleFile = files.serverAuthority.certificate};
    const HostCertificate otherHost {.host = u"127.0.0.2"_s,
        .certificateFile = files.client.certificate,
        .keyFile = files.client.key};
    HostCertificate otherPort = pem;
    otherPort.host = u"127.0.0.1:1"_s;

    // The test peer drops a refused client without a TLS alert, as many servers do.
    const QString required
        = NetworkError::network(NetworkError::kClosedWithoutClientCertificate).errorDescription();
    const struct {
        const char* name;
        QList<HostCertificate> entries;
        QString expected;
    } cases[] = {
        {"no certificate", {trustOnly}, required},
        {"PEM certificate and key", {pem}, u"HTTP 200"_s},
        {"PKCS #12 with its passphrase", {p12}, u"HTTP 200"_s},
        {"the first match wins", {otherHost, otherPort, p12, wrongPassphrase}, u"HTTP 200"_s},
        {"wrong passphrase", {wrongPassphrase},
            u"The client certificate could not be opened — check its passphrase."_s},
        {"missing key file", {missingKey}, u"Certificate file not found: "_s + missingKey.keyFile},
        {"certificate the server does not trust", {untrusted},
            NetworkError::network(NetworkError::kClosedAfterClientCertificate).errorDescription()},
        {"entries for other hosts and ports are not used", {otherHost, otherPort, trustOnly},
            required},
    };
    for (const auto& testCase : cases) {
        NetworkService service(NetworkSettings {.certificates = testCase.entries});
        EXPECT_EQ(outcome(sendAndWait(service, APIRequest {.url = server.baseUrl() + u"/a"_s})),
            testCase.expected)
            << testCase.name;
    }
}

// A custom authority is trusted in addition to the system store, never instead of it.
TEST(ClientCertificate, aCustomAuthorityAddsToTheSystemStore)
{
    const Pki& files = pki();
    HttpTestServer custom(
        TlsServerIdentity {files.server.certificatePem(), files.server.keyPem(), {}});
    HttpTestServer system(
        TlsServerIdentity {files.systemServer.certificatePem(), files.systemServer.keyPem(), {}});
    // The process's system store is pointed at a bundle of our making, as OpenSSL allows.
    const QByteArray previous = qgetenv("SSL_CERT_FILE");
    qputenv("SSL_CERT_FILE", QFile::encodeName(files.systemAuthority.certificate));
    const HostCertificate trust {
        .host = u"127.0.0.1"_s, .caBundleFile = files.serverAuthority.certificate};
    const QString untrusted = u"Server certificate is not trusted. Disable SSL verification in "
                              "Preferences for self-signed certs."_s;
    const struct {
        const char* name;
        const HttpTestServer& server;
        QList<HostCertificate> entries;
        QString expected;
    } cases[] = {
        {"custom authority without its entry", custom, {}, untrusted},
        {"custom authority with its entry", custom, {trust}, u"HTTP 200"_s},
        {"system authority without an entry", system, {}, u"HTTP 200"_s},
        {"system authority with the entry", system, {trust}, u"HTTP 200"_s},
    };
    for (const auto& testCase : cases) {
        NetworkService service(NetworkSettings {.certificates = testCase.entries});
        EXPECT_EQ(outcome(sendAndWait(service, APIRequest {.url = testCase.server.baseUrl()})),
            testCase.expected)
            << testCase.name;
    }
    if (previous.isNull())
        qunsetenv("SSL_CERT_FILE");
    else
        qputenv("SSL_CERT_FILE", previous);
}

TEST(ClientCertificate, hostPatterns)
{
    const struct {
        QString pattern;
        QString host;
        int port;
        bool matches;
    } cases[] = {
        {u"api.example.com"_s, u"API.example.com"_s, 443, true},
        {u"api.example.com"_s, u"example.com"_s, 443, false},
        {u"*.corp.example"_s, u"a.b.corp.example"_s, 443, true},
        {u"*.corp.example"_s, u"corp.example"_s, 443, false},
        {u"*.corp.example"_s, u"evilcorp.example"_s, 443, false},
        {u"*.corp.example:8443"_s, u"a.corp.example"_s, 8443, true},
        {u"*.corp.example:8443"_s, u"a.corp.example"_s, 443, false},
        {u"*"_s, u"anything"_s, 1, true},
        {u"[::1]:8443"_s, u"::1"_s, 8443, true},
        {u"[::1]"_s, u"::1"_s, 1, true},
        {u"::1"_s, u"::1"_s, 1, true},
        {u"host:notaport"_s, u"host"_s, 443, false},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(
            hostPatternMatches(testCase.pattern, testCase.host, testCase.port), testCase.matches)
            << testCase.pattern.toStdString() << " " << testCase.host.toStdString();
    }
}
