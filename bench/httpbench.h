#pragma once

// Pieces shared by the benchmarks of the HTTP path.

#include "execution/networkservice.h"
#include "support/httptestserver.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace mako::bench {

/// One exchange exactly as it goes on the wire, for the plain libcurl baseline.
struct PlainRequest {
    QByteArray url;
    QByteArray method = "GET";
    /// Whole header lines, "Name: value".
    QList<QByteArray> headers;
    std::optional<QByteArray> body;
};

/// The baseline the HTTP path is measured against: one easy handle reused for every request, so
/// it keeps its connection alive as our engine does, sending the same request bytes as Mako.
/// Returns the seconds the loop took; a failed request ends the program.
double plainCurlLoop(const QList<PlainRequest>& requests);

/// Sends each request through `service` when the previous one has come back, as a user clicking
/// "Send" would. Returns the seconds it took; a request without a response ends the program.
double sequentialExecute(NetworkService& service, const QList<APIRequest>& requests,
    const std::optional<APIEnvironment>& environment = std::nullopt);

/// A small JSON reply naming the request's target, as a typical API answers.
test::ScriptedResponse smallJson(const test::RecordedRequest& request);

} // namespace mako::bench
