#include "scripting/variablescopes.h"

namespace mako {

using namespace Qt::StringLiterals;

std::optional<APIEnvironment> VariableScopes::resolved() const
{
    if (globals.isEmpty() && collection.isEmpty() && !environment && data.isEmpty()
        && local.isEmpty())
        return std::nullopt;
    APIEnvironment merged {
        .name = environment ? environment->name : u"Global"_s,
        .variables = {},
        .isActive = true,
    };
    for (const QList<KeyValuePair>* scope :
        {&local, &data, environment ? &environment->variables : nullptr, &collection, &globals}) {
        if (!scope)
            continue;
        for (const KeyValuePair& row : *scope) {
            if (row.isApplicable())
                merged.variables.append(row);
        }
    }
    return merged;
}

} // namespace mako
