#pragma once

#include "model/apiresponse.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QNetworkCookie>
#include <QString>
#include <QUrl>

#include <functional>

namespace mako {

/// The cookies an engine keeps for its transfers, open to the user: listed, edited and removed
/// from any thread while transfers read and set them on the network thread. libcurl's own store
/// stays the one that decides what goes out, so what is listed here is what is sent.
///
/// A cookie's domain follows Qt's convention: a leading dot means the cookie also goes to
/// subdomains, none means that host only. Cookies are told apart by name, domain and path.
class CookieJar {
public:
    /// Every cookie that has not expired, ordered by domain (without its dot), path and name.
    QList<QNetworkCookie> all() const;
    /// The cookies a request to `url` carries, in the jar's order.
    QList<QNetworkCookie> forUrl(const QUrl& url) const;

    /// Adds `cookie`, or replaces the one with its name, domain and path. A cookie without a
    /// name, or whose name or value holds a control character, is refused (false).
    bool insert(const QNetworkCookie& cookie);
    /// Replaces `before` by `after`, which may differ in name, domain or path.
    bool replace(const QNetworkCookie& before, const QNetworkCookie& after);
    void remove(const QNetworkCookie& cookie);
    /// Removes every cookie whose domain, without its dot, is `domain`.
    void removeDomain(const QString& domain);
    void clear();

    /// The jar in the Netscape cookie-file format that curl's -b/-c read and write. Session
    /// cookies are left out unless `withSession`.
    QByteArray toNetscape(bool withSession) const;
    /// Adds the cookies of a Netscape cookie file; lines that do not parse are skipped.
    void addNetscape(const QByteArray& text);

    /// `changed` runs, on whatever thread made the change, after every change: a transfer that
    /// set cookies, or a call above. Returns the id that `removeChangeHandler` takes; once that
    /// returns, the handler is not running and never runs again.
    int addChangeHandler(std::function<void()> changed);
    void removeChangeHandler(int id);

private:
    friend class EngineCore;
    explicit CookieJar(void* share);
    /// Called by the engine after a transfer that received "Set-Cookie" fields, which carry the
    /// SameSite attribute libcurl does not keep.
    void noteSetCookies(const QList<SetCookieField>& fields);
    /// Hands `lines` to libcurl's store, one at a time.
    void feed(const QList<QByteArray>& lines) const;
    void notify() const;

    void* m_share;
    mutable QMutex m_mutex;
    // SameSite as the server stated it, by "domain\tpath\tname".
    QHash<QString, QNetworkCookie::SameSite> m_sameSite;
    // Held while handlers run, so that a removed one is never left running.
    mutable QMutex m_handlersMutex;
    QMap<int, std::function<void()>> m_handlers;
    int m_nextHandler = 1;
};

} // namespace mako
