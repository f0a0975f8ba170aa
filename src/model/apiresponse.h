#pragma once

#include "model/timestamp.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QUuid>

#include <functional>

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

    /// The "Content-Type" header, else "content-type", else empty; no other spelling counts.
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
