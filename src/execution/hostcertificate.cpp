#include "execution/hostcertificate.h"

#include <QUrl>

namespace mako {

using namespace Qt::StringLiterals;

bool hostPatternMatches(const QString& pattern, const QString& host, int port)
{
    QStringView name = QStringView(pattern).trimmed();
    QStringView portText;
    if (name.startsWith(u'[')) {
        // A bracketed IPv6 address, perhaps with a port after the bracket.
        const qsizetype close = name.indexOf(u']');
        if (close < 0)
            return false;
        const QStringView rest = name.sliced(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(u':'))
            return false;
        portText = rest.isEmpty() ? QStringView() : rest.sliced(1);
        name = name.sliced(1, close - 1);
    } else if (name.count(u':') == 1) {
        // More than one colon is an IPv6 address written without brackets, and has no port.
        const qsizetype colon = name.indexOf(u':');
        portText = name.sliced(colon + 1);
        name = name.first(colon);
    }
    if (!portText.isNull()) {
        bool ok = false;
        if (portText.toInt(&ok) != port || !ok)
            return false;
    }
    if (name == u"*")
        return true;
    if (name.startsWith(u"*.")) {
        const QStringView domain = name.sliced(1); // ".corp.example"
        return host.size() > domain.size() && host.endsWith(domain, Qt::CaseInsensitive);
    }
    return name.compare(host, Qt::CaseInsensitive) == 0;
}

const HostCertificate* certificateForUrl(const QList<HostCertificate>& entries, const QUrl& url)
{
    const QString host = url.host();
    const int port = url.port(url.scheme().compare(u"http"_s, Qt::CaseInsensitive) == 0 ? 80 : 443);
    for (const HostCertificate& entry : entries) {
        if (hostPatternMatches(entry.host, host, port))
            return &entry;
    }
    return nullptr;
}

} // namespace mako
