#include "execution/cookiemanager.h"

#include <QHostAddress>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QUrl>

namespace mako::CookieManager {

using namespace Qt::StringLiterals;

namespace {

// Qt's jar knows the public-suffix list but accepts a Domain that is a subdomain of the host,
// which RFC 6265 forbids; the two checks together give the RFC's rule.
class SuffixCheck : public QNetworkCookieJar {
public:
    using QNetworkCookieJar::validateCookie;
};

bool domainMatches(const QString& host, QString domain)
{
    if (domain.startsWith(u'.'))
        domain.remove(0, 1);
    if (host.compare(domain, Qt::CaseInsensitive) == 0)
        return true;
    // A suffix match counts for names only, never for an IP address.
    return !QHostAddress(host).isNull() ? false : host.endsWith(u'.' + domain, Qt::CaseInsensitive);
}

} // namespace

QList<KeyValuePair> extractCookies(const QMap<QString, QString>& headers, const QString& url)
{
    if (headers.isEmpty())
        return {};
    auto it = headers.constFind(u"Set-Cookie"_s);
    if (it == headers.cend())
        it = headers.constFind(u"set-cookie"_s);
    if (it == headers.cend())
        return {};
    const QUrl parsed(url, QUrl::StrictMode);
    if (url.isEmpty() || !parsed.isValid() || parsed.host().isEmpty())
        return {};
    const SuffixCheck jar;
    QList<KeyValuePair> rows;
    for (QNetworkCookie cookie : QNetworkCookie::parseCookies(it.value().toUtf8())) {
        const bool explicitDomain = !cookie.domain().isEmpty();
        cookie.normalize(parsed);
        if (explicitDomain
            && (!domainMatches(parsed.host(), cookie.domain())
                || !jar.validateCookie(cookie, parsed)))
            continue;
        rows.append(KeyValuePair {
            .key = QString::fromUtf8(cookie.name()), .value = QString::fromUtf8(cookie.value())});
    }
    return rows;
}

} // namespace mako::CookieManager
