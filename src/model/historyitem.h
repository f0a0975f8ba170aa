#pragma once

#include "model/apirequest.h"

namespace mako {

/// One sent request as the history records it: the request before substitution, and its reply.
struct HistoryItem {
    QUuid id = QUuid::createUuid();
    APIRequest request;
    int statusCode = 0;
    double duration = 0;
    Timestamp timestamp = currentTimestamp();
};

} // namespace mako
