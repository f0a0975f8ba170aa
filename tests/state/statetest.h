#pragma once

#include "state/appstate.h"
#include "state/persistenceservice.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

namespace mako::test {

/// Runs the event loop until every load and save asked of `service` so far has finished and
/// its replies have been delivered. False on a time-out.
inline bool waitUntilIdle(PersistenceService& service)
{
    QEventLoop loop;
    bool idle = false;
    service.whenIdle(&loop, [&] {
        idle = true;
        loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    return idle;
}

/// Waits for the start-up load of `state` to finish. False on a time-out.
inline bool waitUntilLoaded(AppState& state)
{
    QSignalSpy loaded(&state, &AppState::didLoadChanged);
    return state.didLoad() || loaded.wait(20000);
}

} // namespace mako::test
