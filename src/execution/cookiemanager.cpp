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

// The HTTP stack joins repeated "Set-Cookie" fields with ", ", and Qt's parser only separates
// cookies at line breaks. A comma starts a new cookie when what follows, up to the next ";" or
// ",", reads "name=..." with a name free of spaces; the comma of an Expires date never does.
QByteArray separateJoinedCookies(const QByteArray& value)
{
    QByteArray out = value;
    for (qsizetype comma = out.indexOf(','); comma >= 0; comma = out.indexOf(',', comma + 1)) {
        qsizetype end = comma + 1;
        while (end < out.size() && out[end] != ';' && out[end] != ',')
            ++end;
        const QByteArray next = out.mid(comma + 1, end - comma - 1).trimmed();
        const qsizetype equals = next.indexOf('=');
        if (equals > 0 && !next.first(equals).trimmed().contains(' '))
            out[comma] = '\n';
    }
    return out;
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
    for (QNetworkCookie cookie :
        QNetworkCookie::parseCookies(separateJoinedCookies(it.value().toUtf8()))) {
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
