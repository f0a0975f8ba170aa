#pragma once

#include <QList>
#include <QString>

class QUrl;

namespace mako {

/// A client certificate, and certificate authorities trusted besides the system's, for the
/// servers a host pattern names.
struct HostCertificate {
    enum class Type { pem, pkcs12 };
    /// "api.example.com"; "*.corp.example" for any of its sub-domains (not the domain itself);
    /// "*" for every host. Either may end in ":port" to apply to that port only.
    QString host;
    Type type = Type::pem;
    /// The PEM certificate, or the PKCS #12 file holding certificate and key. Empty: no client
    /// certificate, only the extra trust.
    QString certificateFile;
    /// PEM only: the private key; empty when the certificate file holds it too.
    QString keyFile;
    /// Opens the key or the PKCS #12 file.
    QString passphrase;
    /// PEM certificate authorities trusted in addition to the system store.
    QString caBundleFile;

    bool operator==(const HostCertificate&) const = default;
};

/// Whether `pattern` (see HostCertificate::host) names `host` on `port`. Case-insensitive.
bool hostPatternMatches(const QString& pattern, const QString& host, int port);

/// The first entry whose pattern names the URL's host and port (the scheme's port when it
/// gives none), or null.
const HostCertificate* certificateForUrl(const QList<HostCertificate>& entries, const QUrl& url);

} // namespace mako
