#pragma once

#include <QTest>

#include <functional>

namespace mako::test {

/// Runs the event loop until `condition` holds, for at most ten seconds; whether it came to.
inline bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, 10000);
}

} // namespace mako::test
