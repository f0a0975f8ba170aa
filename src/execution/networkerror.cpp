#include "execution/networkerror.h"

namespace mako {

using namespace Qt::StringLiterals;

QString NetworkError::errorDescription() const
{
    switch (kind) {
    case Kind::invalidURL:
        if (urlText.isEmpty())
            return u"Please enter a URL"_s;
        if (!undefinedVariables.isEmpty())
            return u"Invalid URL: "_s + undefinedVariables.join(u", "_s)
                + (undefinedVariables.size() == 1 ? u" is"_s : u" are"_s)
                + u" not defined in the active environment or the global variables"_s;
        return u"Invalid URL: "_s + urlText;
    case Kind::invalidResponse:
        return u"Server returned an invalid response"_s;
    case Kind::network:
        break;
    }
    switch (code) {
    case kTimedOut:
        return u"Request timed out — the server didn't respond in time. Try increasing the "
               "timeout in Preferences."_s;
    case kNotConnectedToInternet:
        return u"No internet connection. Mako works fully offline for saved data, but needs a "
               "connection to send requests."_s;
    case kCannotFindHost:
        return u"Cannot find host — check the URL is correct."_s;
    case kSecureConnectionFailed:
        return u"SSL connection failed. If using a self-signed certificate, disable SSL "
               "verification in Preferences."_s;
    case kServerCertificateUntrusted:
        return u"Server certificate is not trusted. Disable SSL verification in Preferences for "
               "self-signed certs."_s;
    case kCancelled:
        return u"Request was cancelled."_s;
    default:
        return u"Network error: "_s + message;
    }
}

} // namespace mako
