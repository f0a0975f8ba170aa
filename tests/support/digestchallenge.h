#pragma once

#include "support/httptestserver.h"

#include <QCryptographicHash>

namespace mako::test {

/// A handler for HttpTestServer that knows one password: a request without a valid Digest
/// answer gets a 401 challenge for `algorithm` ("MD5", "SHA-256"; qop "auth"), one whose answer
/// RFC 7616 confirms gets 200 and "welcome USER".
ScriptedResponse digestChallenge(const RecordedRequest& request, QCryptographicHash::Algorithm hash,
    const QByteArray& algorithm, const QByteArray& password);

} // namespace mako::test
