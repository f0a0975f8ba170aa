#pragma once

#include "execution/networkservice.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <optional>

namespace mako::test {

/// Runs the service's asynchronous send to its end on this thread's event loop.
inline NetworkResult sendAndWait(NetworkService& service, const APIRequest& request,
    const std::optional<APIEnvironment>& environment = std::nullopt)
{
    std::optional<NetworkResult> result;
    QObject context;
    QEventLoop loop;
    service.execute(request, environment, &context, [&](const NetworkResult& outcome) {
        result = outcome;
        loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    return result.value_or(NetworkError::network(0, QStringLiteral("no result delivered")));
}

} // namespace mako::test
