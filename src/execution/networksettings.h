#pragma once

#include "execution/hostcertificate.h"

#include <QList>
#include <QString>

namespace mako {

/// A proxy that every request goes through when enabled.
struct ProxySettings {
    enum class Type { http, https, socks5 };
    bool enabled = false;
    /// When no proxy is enabled: true takes the proxy from the environment as curl does
    /// (http_proxy, https_proxy, all_proxy and no_proxy; loopback never goes through one),
    /// false goes straight to every server whatever the environment says.
    bool useSystem = true;
    Type type = Type::http;
    QString host;
    int port = 8080;
    /// Sent only when `authenticate` is set.
    bool authenticate = false;
    QString username;
    QString password;

    bool operator==(const ProxySettings&) const = default;
};

/// The HTTP version the engine asks for. `automatic` is libcurl's own choice: HTTP/2 over TLS
/// where the server offers it, HTTP/1.1 otherwise.
enum class HttpVersion { automatic, http1_1, http2 };

/// What Mako calls itself when the user has not said otherwise; some APIs refuse a request
/// that names no client.
inline constexpr auto kDefaultUserAgent = "Mako/1.0";

/// The options of the HTTP engine, taken as a snapshot when a request starts: a change affects
/// the requests started after it, never one already running.
struct NetworkSettings {
    /// Seconds without any byte moving (connecting included) before a request fails as timed
    /// out. Each request also carries its own 60-second limit; the shorter one applies.
    double requestTimeout = 30;
    /// Seconds the whole exchange may take.
    double resourceTimeout = 300;
    bool followRedirects = true;
    int maxRedirects = 10;
    /// Sent as "User-Agent" only when the request has none; empty sends none.
    QString defaultUserAgent = QString::fromLatin1(kDefaultUserAgent);
    ProxySettings proxy;
    /// False accepts any server certificate.
    bool verifySSL = true;
    HttpVersion httpVersion = HttpVersion::automatic;
    /// Per host, in order; the first match applies.
    QList<HostCertificate> certificates;

    bool operator==(const NetworkSettings&) const = default;
};

/// The request time-out a stored preference stands for: 30 when it is 0, negative or absent
/// (NaN), otherwise the value clamped to 5..300 seconds.
inline double requestTimeoutFromPreference(double seconds)
{
    if (!(seconds > 0))
        return 30;
    return seconds < 5 ? 5 : (seconds > 300 ? 300 : seconds);
}

} // namespace mako
