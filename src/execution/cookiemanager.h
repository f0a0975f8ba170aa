#pragma once

#include "model/keyvaluepair.h"

#include <QList>
#include <QMap>
#include <QString>

namespace mako::CookieManager {

/// The cookies a reply sets, as rows for display: name and value of each cookie in the
/// "Set-Cookie" header (else "set-cookie"; no other spelling), which may hold several cookies
/// joined by commas. Cookies whose Domain does not domain-match the URL's host (RFC 6265), or
/// names a public suffix, are left out. No rows when the URL does not parse.
QList<KeyValuePair> extractCookies(const QMap<QString, QString>& headers, const QString& url);

} // namespace mako::CookieManager
