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

// The cookies of one "Set-Cookie" value that `url` may set, normalised against it.
QList<QNetworkCookie> acceptedCookies(const QByteArray& value, const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return {};
    const SuffixCheck jar;
    QList<QNetworkCookie> accepted;
    for (QNetworkCookie cookie : QNetworkCookie::parseCookies(separateJoinedCookies(value))) {
        const bool explicitDomain = !cookie.domain().isEmpty();
        cookie.normalize(url);
        if (explicitDomain
            && (!domainMatches(url.host(), cookie.domain()) || !jar.validateCookie(cookie, url)))
            continue;
        accepted.append(cookie);
    }
    return accepted;
}

} // namespace

QList<KeyValuePair> extractCookies(const QMap<QString, QString>& headers, const QString& url)
{
    const std::optional<QString> value = headerValue(headers, u"Set-Cookie");
    if (!value || url.isEmpty())
        return {};
    QList<KeyValuePair> rows;
    for (const QNetworkCookie& cookie :
        acceptedCookies(value->toUtf8(), QUrl(url, QUrl::StrictMode)))
        rows.append(KeyValuePair {
            .key = QString::fromUtf8(cookie.name()), .value = QString::fromUtf8(cookie.value())});
    return rows;
}

QList<QNetworkCookie> cookiesSet(const QList<SetCookieField>& fields)
{
    QList<QNetworkCookie> cookies;
    for (const SetCookieField& field : fields)
        cookies += acceptedCookies(field.value, QUrl(field.url));
    return cookies;
}

} // namespace mako::CookieManager
