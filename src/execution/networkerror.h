#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace mako {

/// Why `NetworkService::execute` produced no response. `network` carries a code on the URL-
/// loading scale that the texts are keyed on (-1001 timed out, -999 cancelled, ...), whatever
/// HTTP stack produced the failure.
struct NetworkError {
    enum class Kind { invalidURL, network, invalidResponse };
    static constexpr int kCancelled = -999;
    static constexpr int kTimedOut = -1001;
    static constexpr int kCannotFindHost = -1003;
    static constexpr int kNotConnectedToInternet = -1009;
    static constexpr int kSecureConnectionFailed = -1200;
    static constexpr int kServerCertificateUntrusted = -1202;
    static constexpr int kClientCertificateRejected = -1205;
    static constexpr int kClientCertificateRequired = -1206;
    /// `message` holds the path.
    static constexpr int kFileDoesNotExist = -1100;
    /// Mako's own: the client certificate could not be opened, its passphrase being the likely
    /// cause, or for another reason; `message` holds the stack's description.
    static constexpr int kClientCertificatePassphrase = -1290;
    static constexpr int kClientCertificateUnreadable = -1291;
    /// Mako's own: the server closed the connection right after the TLS handshake, before any
    /// reply, without or with a client certificate.
    static constexpr int kClosedWithoutClientCertificate = -1292;
    static constexpr int kClosedAfterClientCertificate = -1293;
    /// Any other failure of the stack; `message` then holds the stack's own description.
    static constexpr int kUnknown = -1;

    Kind kind = Kind::network;
    /// invalidURL: the URL text after substitution.
    QString urlText;
    int code = kUnknown;
    QString message;
    /// invalidURL: the {{placeholders}} left in the URL because no variable defines them,
    /// which is why the URL does not parse.
    QStringList undefinedVariables;

    static NetworkError invalidURL(const QString& text, const QStringList& undefined = {})
    {
        return {Kind::invalidURL, text, kUnknown, {}, undefined};
    }
    static NetworkError network(int code, const QString& message = {})
    {
        return {Kind::network, {}, code, message};
    }
    static NetworkError invalidResponse() { return {Kind::invalidResponse}; }

    /// The sentence shown to the user.
    QString errorDescription() const;

    bool operator==(const NetworkError&) const = default;

    // The sentences go through translate() where they are made (the core has no widgets, no
    // QObject here); mako-cli installs no translator and so prints them in English.
    Q_DECLARE_TR_FUNCTIONS(mako::NetworkError)
};

} // namespace mako
