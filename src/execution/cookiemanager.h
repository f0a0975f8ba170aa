#pragma once

#include "model/apiresponse.h"
#include "model/keyvaluepair.h"

#include <QList>
#include <QMap>
#include <QNetworkCookie>
#include <QString>

namespace mako::CookieManager {

/// The cookies a reply sets, as rows for display: name and value of each cookie in the
/// "Set-Cookie" header (its name in any letter case), which may hold several cookies joined by
/// commas. Cookies whose Domain does not domain-match the URL's host (RFC 6265), or names a
/// public suffix, are left out. No rows when the URL does not parse.
QList<KeyValuePair> extractCookies(const QMap<QString, QString>& headers, const QString& url);

/// Every cookie set during an exchange, redirect hops included, in arrival order: each field
/// is judged against the URL that was requested at its hop, by the same rules as
/// extractCookies. Domain and path are filled in from that URL where the cookie leaves them
/// out, as a browser would store them.
QList<QNetworkCookie> cookiesSet(const QList<SetCookieField>& fields);

} // namespace mako::CookieManager
