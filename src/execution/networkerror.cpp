#include "execution/networkerror.h"

namespace mako {

using namespace Qt::StringLiterals;

QString NetworkError::errorDescription() const
{
    switch (kind) {
    case Kind::invalidURL:
        if (urlText.isEmpty())
            return tr("Please enter a URL");
        if (!undefinedVariables.isEmpty())
            return (undefinedVariables.size() == 1
                    ? tr("Invalid URL: %1 is not defined in the active environment or the global "
                         "variables")
                    : tr("Invalid URL: %1 are not defined in the active environment or the "
                         "global variables"))
                .arg(undefinedVariables.join(u", "_s));
        return tr("Invalid URL: %1").arg(urlText);
    case Kind::invalidResponse:
        return tr("Server returned an invalid response");
    case Kind::network:
        break;
    }
    switch (code) {
    case kTimedOut:
        return tr("Request timed out — the server didn't respond in time. Try increasing the "
                  "timeout in Preferences.");
    case kNotConnectedToInternet:
        return tr("No internet connection. Mako works fully offline for saved data, but needs a "
                  "connection to send requests.");
    case kCannotFindHost:
        return tr("Cannot find host — check the URL is correct.");
    case kSecureConnectionFailed:
        return tr("SSL connection failed. If using a self-signed certificate, disable SSL "
                  "verification in Preferences.");
    case kServerCertificateUntrusted:
        return tr("Server certificate is not trusted. Disable SSL verification in Preferences "
                  "for self-signed certs.");
    case kClientCertificateRequired:
        return tr("The server requires a client certificate. Add one for this host in "
                  "Preferences → Certificates.");
    case kClientCertificateRejected:
        return tr("The server did not accept the client certificate.");
    case kClosedWithoutClientCertificate:
        return tr("The server closed the secure connection without replying. It may require a "
                  "client certificate: add one for this host in Preferences → Certificates.");
    case kClosedAfterClientCertificate:
        return tr("The server closed the secure connection without replying. It may not accept "
                  "the client certificate.");
    case kFileDoesNotExist:
        return tr("Certificate file not found: %1").arg(message);
    case kClientCertificatePassphrase:
        return tr("The client certificate could not be opened — check its passphrase.");
    case kClientCertificateUnreadable:
        return tr("The client certificate could not be read: %1").arg(message);
    case kCancelled:
        return tr("Request was cancelled.");
    default:
        return tr("Network error: %1").arg(message);
    }
}

} // namespace mako
