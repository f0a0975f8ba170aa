#pragma once

#include "model/apirequest.h"

namespace mako::test {

/// A header, query, form or variable row as the tests write them: enabled unless told.
inline KeyValuePair row(const QString& key, const QString& value, bool enabled = true)
{
    return KeyValuePair {.key = key, .value = value, .isEnabled = enabled};
}

} // namespace mako::test
