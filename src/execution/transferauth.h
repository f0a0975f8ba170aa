#pragma once

#include <QString>

namespace mako {

/// Authentication that takes a challenge round trip or a signature over the whole request.
/// libcurl does it per transfer, so it travels beside the headers rather than as one of them.
struct TransferAuth {
    enum class Scheme { none, digest, ntlm, negotiate, awsSigV4 };
    Scheme scheme = Scheme::none;
    /// For NTLM with a domain: "DOMAIN\user". For AWS: the access key.
    QString username;
    /// For AWS: the secret key.
    QString password;
    /// "aws:amz:REGION:SERVICE" (region and service may be left out: libcurl then reads them
    /// from the host name).
    QString awsSigV4;

    bool operator==(const TransferAuth&) const = default;
};

} // namespace mako
