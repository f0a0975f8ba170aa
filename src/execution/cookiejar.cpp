#include "execution/cookiejar.h"

#include "execution/cookiemanager.h"

#include <QDateTime>
#include <QHostAddress>
#include <QNetworkCookieJar>

#include <algorithm>
#include <curl/curl.h>
#include <memory>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

// A short-lived handle on the engine's store: libcurl reaches a shared store only through a
// handle, and the share's locks make that safe beside the network thread.
Easy handleOn(void* share)
{
    Easy easy(curl_easy_init());
    curl_easy_setopt(easy.get(), CURLOPT_SHARE, static_cast<CURLSH*>(share));
    return easy;
}

QList<QByteArray> storedLines(void* share)
{
    const Easy easy = handleOn(share);
    curl_slist* list = nullptr;
    QList<QByteArray> lines;
    if (curl_easy_getinfo(easy.get(), CURLINFO_COOKIELIST, &list) != CURLE_OK)
        return lines;
    for (const curl_slist* item = list; item; item = item->next)
        lines.append(QByteArray(item->data));
    curl_slist_free_all(list);
    return lines;
}

constexpr QByteArrayView kHttpOnlyPrefix = "#HttpOnly_";

// One line of libcurl's own listing: domain, subdomains flag, path, secure flag, expiry in
// seconds (0 for a session cookie), name, value.
std::optional<QNetworkCookie> fromStoredLine(QByteArray line)
{
    QNetworkCookie cookie;
    if (line.startsWith(kHttpOnlyPrefix)) {
        line.remove(0, kHttpOnlyPrefix.size());
        cookie.setHttpOnly(true);
    }
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() < 7)
        return std::nullopt;
    cookie.setDomain(QString::fromUtf8(fields[0]));
    cookie.setPath(QString::fromUtf8(fields[2]));
    cookie.setSecure(fields[3] == "TRUE");
    if (const qint64 expires = fields[4].toLongLong(); expires != 0)
        cookie.setExpirationDate(QDateTime::fromSecsSinceEpoch(expires, Qt::UTC));
    cookie.setName(fields[5]);
    cookie.setValue(fields.mid(6).join('\t'));
    return cookie;
}

bool expired(const QNetworkCookie& cookie, const QDateTime& now)
{
    return !cookie.isSessionCookie() && cookie.expirationDate() <= now;
}

QString bareDomain(const QString& domain)
{
    return domain.startsWith(u'.') ? domain.mid(1) : domain;
}

QString identity(const QNetworkCookie& cookie)
{
    return cookie.domain().toLower() + u'\t' + cookie.path() + u'\t'
        + QString::fromUtf8(cookie.name());
}

bool clean(QByteArrayView text)
{
    return std::none_of(
        text.begin(), text.end(), [](char c) { return uchar(c) < 0x20 || uchar(c) == 0x7f; });
}

QByteArray lineFor(const QNetworkCookie& cookie, std::optional<qint64> expiresOverride = {})
{
    const QString domain = cookie.domain();
    const qint64 expires = expiresOverride.value_or(cookie.isSessionCookie()
            ? 0
            : std::max<qint64>(1, cookie.expirationDate().toSecsSinceEpoch()));
    return (cookie.isHttpOnly() ? kHttpOnlyPrefix.toByteArray() : QByteArray()) + domain.toUtf8()
        + '\t' + (domain.startsWith(u'.') ? "TRUE" : "FALSE") + '\t'
        + (cookie.path().isEmpty() ? u"/"_s : cookie.path()).toUtf8() + '\t'
        + (cookie.isSecure() ? "TRUE" : "FALSE") + '\t' + QByteArray::number(expires) + '\t'
        + cookie.name() + '\t' + cookie.value();
}

// Qt's matching of domain, path, Secure and expiry, so none of it is written out here.
class Matcher : public QNetworkCookieJar {
public:
    using QNetworkCookieJar::setAllCookies;
};

} // namespace

CookieJar::CookieJar(void* share)
    : m_share(share)
{ }

QList<QNetworkCookie> CookieJar::all() const
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<QNetworkCookie> cookies;
    for (const QByteArray& line : storedLines(m_share)) {
        auto cookie = fromStoredLine(line);
        if (cookie && !expired(*cookie, now))
            cookies.append(*cookie);
    }
    {
        QMutexLocker lock(&m_mutex);
        for (QNetworkCookie& cookie : cookies)
            cookie.setSameSitePolicy(
                m_sameSite.value(identity(cookie), QNetworkCookie::SameSite::Default));
    }
    std::stable_sort(cookies.begin(), cookies.end(), [](const auto& a, const auto& b) {
        return std::tuple(bareDomain(a.domain()).toLower(), a.path(), a.name())
            < std::tuple(bareDomain(b.domain()).toLower(), b.path(), b.name());
    });
    return cookies;
}

QList<QNetworkCookie> CookieJar::forUrl(const QUrl& url) const
{
    Matcher matcher;
    matcher.setAllCookies(all());
    // libcurl treats loopback as a secure origin, so Secure cookies go there over plain HTTP.
    QUrl judged = url;
    if (url.scheme() == u"http"
        && (url.host() == u"localhost" || QHostAddress(url.host()).isLoopback()))
        judged.setScheme(u"https"_s);
    return matcher.cookiesForUrl(judged);
}

void CookieJar::feed(const QList<QByteArray>& lines) const
{
    const Easy easy = handleOn(m_share);
    for (const QByteArray& line : lines)
        curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, line.constData());
}

bool CookieJar::insert(const QNetworkCookie& cookie)
{
    if (cookie.name().isEmpty() || cookie.domain().isEmpty() || !clean(cookie.name())
        || !clean(cookie.value()) || !clean(cookie.domain().toUtf8())
        || !clean(cookie.path().toUtf8()) || cookie.name().contains(';')
        || cookie.name().contains('='))
        return false;
    {
        QMutexLocker lock(&m_mutex);
        feed({lineFor(cookie)});
        if (cookie.sameSitePolicy() == QNetworkCookie::SameSite::Default)
            m_sameSite.remove(identity(cookie));
        else
            m_sameSite.insert(identity(cookie), cookie.sameSitePolicy());
    }
    notify();
    return true;
}

bool CookieJar::replace(const QNetworkCookie& before, const QNetworkCookie& after)
{
    if (identity(before) != identity(after)) {
        if (after.name().isEmpty() || !clean(after.name()) || !clean(after.value()))
            return false;
        remove(before);
    }
    return insert(after);
}

void CookieJar::remove(const QNetworkCookie& cookie)
{
    {
        QMutexLocker lock(&m_mutex);
        // libcurl has no call that drops one cookie; one that expired long ago replaces it
        // and is never sent or listed again.
        feed({lineFor(cookie, 1)});
        m_sameSite.remove(identity(cookie));
    }
    notify();
}

void CookieJar::removeDomain(const QString& domain)
{
    QList<QByteArray> lines;
    const QString bare = bareDomain(domain);
    for (const QNetworkCookie& cookie : all()) {
        if (bareDomain(cookie.domain()).compare(bare, Qt::CaseInsensitive) == 0)
            lines.append(lineFor(cookie, 1));
    }
    {
        QMutexLocker lock(&m_mutex);
        feed(lines);
        m_sameSite.removeIf([&](const auto& entry) {
            return bareDomain(entry.key().section(u'\t', 0, 0)).compare(bare, Qt::CaseInsensitive)
                == 0;
        });
    }
    notify();
}

void CookieJar::clear()
{
    {
        QMutexLocker lock(&m_mutex);
        feed({"ALL"});
        m_sameSite.clear();
    }
    notify();
}

QByteArray CookieJar::toNetscape(bool withSession) const
{
    QByteArray text = "# Netscape HTTP Cookie File\n# Written by Mako.\n\n";
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QByteArray& line : storedLines(m_share)) {
        const auto cookie = fromStoredLine(line);
        if (cookie && !expired(*cookie, now) && (withSession || !cookie->isSessionCookie()))
            text += line + '\n';
    }
    return text;
}

void CookieJar::addNetscape(const QByteArray& text)
{
    QList<QByteArray> lines;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        // libcurl skips other comments itself, but an empty line would read as a command.
        if (!line.trimmed().isEmpty() && fromStoredLine(line))
            lines.append(line);
    }
    {
        QMutexLocker lock(&m_mutex);
        feed(lines);
    }
    notify();
}

int CookieJar::addChangeHandler(std::function<void()> changed)
{
    QMutexLocker lock(&m_handlersMutex);
    m_handlers.insert(m_nextHandler, std::move(changed));
    return m_nextHandler++;
}

void CookieJar::removeChangeHandler(int id)
{
    QMutexLocker lock(&m_handlersMutex);
    m_handlers.remove(id);
}

void CookieJar::noteSetCookies(const QList<SetCookieField>& fields)
{
    {
        QMutexLocker lock(&m_mutex);
        for (const QNetworkCookie& cookie : CookieManager::cookiesSet(fields)) {
            if (cookie.sameSitePolicy() == QNetworkCookie::SameSite::Default)
                m_sameSite.remove(identity(cookie));
            else
                m_sameSite.insert(identity(cookie), cookie.sameSitePolicy());
        }
    }
    notify();
}

void CookieJar::notify() const
{
    QMutexLocker lock(&m_handlersMutex);
    for (const auto& changed : m_handlers)
        changed();
}

} // namespace mako
