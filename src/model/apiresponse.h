#pragma once

#include "model/timestamp.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

namespace mako {

/// How long each phase of an exchange took, in seconds, as the HTTP stack measured it. Phases
/// that did not happen (a reused connection, plain HTTP) are 0.
struct TimingPhases {
    double nameLookup = 0;
    double connect = 0;
    double tlsHandshake = 0;
    /// From the request sent to the first byte of the reply.
    double timeToFirstByte = 0;
    /// From the first byte of the reply to the last.
    double transfer = 0;
    /// Spent on redirects before the final request.
    double redirect = 0;
};

/// One "Set-Cookie" field as it arrived, with the URL that was requested at that hop of the
/// exchange (a redirect's reply has its own). Memory only.
struct SetCookieField {
    QString url;
    QByteArray value;
    bool operator==(const SetCookieField&) const = default;
};

/// The value of the header `name` in `headers`, compared ignoring case (HTTP/2 sends names in
/// lower case, some servers write "Content-type"); nothing when there is no such header.
std::optional<QString> headerValue(const QMap<QString, QString>& headers, QStringView name);

/// The result of one HTTP exchange. Held in memory only; it has no stored form.
struct APIResponse {
    QUuid id = QUuid::createUuid();
    int statusCode = 0;
    /// Header fields of the final reply by name, as the server spelled them.
    QMap<QString, QString> headers;
    QByteArray body;
    /// Seconds from the start of the send to the arrival of the whole body.
    double duration = 0;
    qint64 size = 0;
    /// Memory only, for the timing view.
    TimingPhases timingPhases;
    /// "HTTP/1.1", "HTTP/2", ...; memory only.
    QString httpVersion;
    /// Every "Set-Cookie" field of the exchange, redirects included, in arrival order.
    QList<SetCookieField> setCookies;

    std::optional<QString> header(QStringView name) const { return headerValue(headers, name); }

    /// The "Content-Type" header in any letter case, else empty.
    QString contentType() const;

    /// The body re-indented with sorted keys when it is a JSON object or array, else the body as
    /// text. Returned as UTF-8 bytes: a large body would take twice the memory as UTF-16.
    /// Number literals are kept exactly as the server wrote them. Gives up, returning nothing,
    /// once `stopRequested` says so (asked now and then while the work runs).
    QByteArray prettyJSON(const std::function<bool()>& stopRequested = {}) const;

    /// The text of the pretty view, chosen by content type: JSON pretty-printed, XML and HTML
    /// indented, anything else as it came. UTF-8 bytes. Stops as prettyJSON does.
    QByteArray prettyBody(const std::function<bool()>& stopRequested = {}) const;
};

/// What a body is, judged from its content type. Media types compare ignoring case, so
/// "Application/JSON; charset=UTF-8" is JSON.
enum class BodyKind { json, markup, other };
BodyKind bodyKind(QStringView contentType);

/// What the text views show for a body that is not UTF-8.
inline constexpr char kUndecodableBodyText[] = "Unable to decode response";

/// Indents markup that arrives on one line. Keeps every input character in order and only inserts
/// line breaks and two-space indentation before tags. Returns nothing once `stopRequested`, asked
/// now and then, says to stop.
QString formatXML(QStringView text, const std::function<bool()>& stopRequested = {});

/// One reply received in a tab, for the tab's timing chart. Memory only.
struct ResponseTiming {
    QUuid id = QUuid::createUuid();
    int statusCode = 0;
    double duration = 0;
    qint64 size = 0;
    Timestamp timestamp = currentTimestamp();
};

} // namespace mako
