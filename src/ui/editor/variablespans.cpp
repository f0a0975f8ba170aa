#include "ui/editor/variablespans.h"

#include "execution/variables.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

bool isDefined(const QString& name, const std::optional<APIEnvironment>& environment)
{
    return environment
        && std::any_of(environment->variables.cbegin(), environment->variables.cend(),
            [&name](const KeyValuePair& row) { return row.isEnabled && row.key == name; });
}

} // namespace

QString VariableSpan::explanation() const
{
    if (isDefined)
        return QCoreApplication::translate("VariableSpan", "%1 = %2").arg(name, value);
    return QCoreApplication::translate(
        "VariableSpan", "%1 is not defined in the active environment or globals")
        .arg(name);
}

QList<VariableSpan> variableSpans(
    const QString& text, const std::optional<APIEnvironment>& environment)
{
    // The same shape of placeholder as the substitution looks for.
    static const QRegularExpression placeholder(u"\\{\\{([^{}]+)\\}\\}"_s);
    QList<VariableSpan> spans;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text)) {
        VariableSpan span {.start = int(match.capturedStart()),
            .length = int(match.capturedLength()),
            .name = match.captured(1)};
        span.isDefined = isDefined(span.name, environment);
        if (span.isDefined)
            span.value = substituteVariables(match.captured(), environment);
        spans.append(span);
    }
    return spans;
}

const VariableSpan* spanAt(const QList<VariableSpan>& spans, int position)
{
    for (const VariableSpan& span : spans) {
        if (position >= span.start && position < span.start + span.length)
            return &span;
    }
    return nullptr;
}

} // namespace mako
