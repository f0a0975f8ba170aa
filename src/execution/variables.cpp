#include "execution/variables.h"

#include "execution/dynamicvariables.h"

#include <QRegularExpression>

namespace mako {

using namespace Qt::StringLiterals;

std::optional<APIEnvironment> activeEnvironment(const QList<APIEnvironment>& environments)
{
    for (const APIEnvironment& environment : environments) {
        if (environment.isActive)
            return environment;
    }
    return std::nullopt;
}

std::optional<APIEnvironment> mergedEnvironment(const QList<KeyValuePair>& globalVariables,
    const QList<APIEnvironment>& environments, const QList<KeyValuePair>& collectionVariables)
{
    const std::optional<APIEnvironment> active = activeEnvironment(environments);
    if (globalVariables.isEmpty() && collectionVariables.isEmpty() && !active)
        return std::nullopt;

    APIEnvironment merged {
        .name = active ? active->name : u"Global"_s,
        .variables = {},
        .isActive = true,
    };
    // The environment's rows go in unfiltered; substitution skips the ones that do not apply.
    // They come first because substitution takes the first row of a name, and an environment
    // is chosen for the moment while globals and collection variables hold the defaults.
    if (active)
        merged.variables.append(active->variables);
    for (const QList<KeyValuePair>* scope : {&collectionVariables, &globalVariables}) {
        for (const KeyValuePair& row : *scope) {
            if (row.isApplicable())
                merged.variables.append(row);
        }
    }
    return merged;
}

void setActiveEnvironment(QList<APIEnvironment>& environments, const std::optional<QUuid>& id)
{
    for (APIEnvironment& environment : environments)
        environment.isActive = id.has_value() && environment.id == *id;
}

QString substituteVariables(const QString& text, const std::optional<APIEnvironment>& environment)
{
    if (!text.contains(u"{{"))
        return text;
    QString result = text;
    if (environment) {
        for (const KeyValuePair& row : environment->variables) {
            if (!row.isApplicable())
                continue;
            result.replace(u"{{"_s + row.key + u"}}"_s, row.value);
        }
    }
    // The rows go first, so a variable of the user's own named $guid wins over the dynamic one,
    // as collections that define such a name expect; and a row's value may itself hold one.
    if (!result.contains(u"{{$"))
        return result;
    static const QRegularExpression dynamic(u"\\{\\{(\\$[A-Za-z0-9]+)\\}\\}"_s);
    QString drawn;
    qsizetype copied = 0;
    for (const auto& match : dynamic.globalMatch(result)) {
        const std::optional<QString> value = dynamicVariableValue(match.capturedView(1));
        if (!value)
            continue;
        drawn.append(QStringView(result).sliced(copied, match.capturedStart() - copied));
        drawn.append(*value);
        copied = match.capturedEnd();
    }
    if (copied == 0)
        return result;
    return drawn.append(QStringView(result).sliced(copied));
}

QStringList placeholdersIn(const QString& text)
{
    static const QRegularExpression placeholder(u"\\{\\{[^{}]+\\}\\}"_s);
    QStringList found;
    for (const auto& match : placeholder.globalMatch(text)) {
        if (!found.contains(match.captured()))
            found.append(match.captured());
    }
    return found;
}

} // namespace mako
