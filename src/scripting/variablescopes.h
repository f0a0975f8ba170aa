#pragma once

#include "model/apienvironment.h"
#include "model/keyvaluepair.h"

#include <QList>

#include <optional>

namespace mako {

/// The variables a script sees and changes, by scope. A name may be set in several scopes;
/// the narrower one wins: local, then data, environment, collection and global.
struct VariableScopes {
    QList<KeyValuePair> globals;
    QList<KeyValuePair> collection;
    /// The active environment as a whole, so that what a script sets can go back into it.
    std::optional<APIEnvironment> environment;
    /// The row of iteration data of the pass that is running.
    QList<KeyValuePair> data;
    /// Set by `pm.variables.set`; they last until the end of the request's scripts and send.
    QList<KeyValuePair> local;

    /// The set to substitute with: every applicable row, narrowest scope first (substitution
    /// takes the first row of a name). Nothing when every scope is empty and there is no
    /// environment, as with no variables at all.
    std::optional<APIEnvironment> resolved() const;
};

} // namespace mako
