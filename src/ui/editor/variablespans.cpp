#include "ui/editor/variablespans.h"

#include "execution/dynamicvariables.h"
#include "execution/variables.h"
#include "state/variablesmodel.h"

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

// Whether `value` shows a secret: the variable named is one, or what it turned into holds
// one's value (through another variable, "Bearer {{token}}").
bool showsSecret(
    const QString& name, const QString& value, const std::optional<APIEnvironment>& environment)
{
    if (!environment)
        return false;
    for (const KeyValuePair& row : environment->variables) {
        if (row.isApplicable() && row.key == name) {
            if (row.isSecret)
                return true;
            break;
        }
    }
    return std::any_of(environment->variables.cbegin(), environment->variables.cend(),
        [&value](const KeyValuePair& row) {
            return row.isSecret && row.isApplicable() && !row.value.isEmpty()
                && value.contains(row.value);
        });
}

} // namespace

QString VariableSpan::explanation() const
{
    if (isDynamic)
        return QCoreApplication::translate(
            "VariableSpan", "%1 is a dynamic variable: a new value on each send, such as %2")
            .arg(name, value);
    if (isDefined)
        return QCoreApplication::translate("VariableSpan", "%1 = %2")
            .arg(name, isSecret ? VariablesModel::kMask.toString() : value);
    return QCoreApplication::translate(
        "VariableSpan", "%1 is not defined in the active environment or globals")
        .arg(name);
}

QString SecretStandIns::masked(QString text) const
{
    for (const QString& standIn : standIns)
        text.replace(standIn, VariablesModel::kMask.toString());
    return text;
}

SecretStandIns withSecretStandIns(const std::optional<APIEnvironment>& environment)
{
    SecretStandIns result {environment, {}};
    if (!result.environment)
        return result;
    for (KeyValuePair& row : result.environment->variables) {
        if (!row.isSecret || row.value.isEmpty())
            continue;
        // Lower-case letters, digits and "-": the same in a host, a path and a query, encoded
        // or not; the number sits inside, so that no stand-in begins another.
        row.value = u"mako-secret-%1-value"_s.arg(result.standIns.size());
        result.standIns.append(row.value);
    }
    return result;
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
        span.isDynamic = !span.isDefined && dynamicVariableNames().contains(span.name);
        span.isDefined = span.isDefined || span.isDynamic;
        if (span.isDefined) {
            span.value = substituteVariables(match.captured(), environment);
            span.isSecret = showsSecret(span.name, span.value, environment);
        }
        spans.append(span);
    }
    return spans;
}

QStringList undefinedVariableNames(
    const APIRequest& request, const std::optional<APIEnvironment>& environment)
{
    QStringList texts {request.url};
    for (const QList<KeyValuePair>* rows : {&request.queryParams, &request.headers}) {
        for (const KeyValuePair& row : *rows) {
            if (row.isApplicable())
                texts.append(row.value);
        }
    }
    if (request.bodyType == RequestBodyType::json || request.bodyType == RequestBodyType::raw)
        texts.append(request.body);
    if (request.authType != AuthType::none)
        texts << request.authToken << request.authDomain << request.awsRegion << request.awsService
              << request.awsSessionToken;
    QStringList names;
    for (const QString& text : std::as_const(texts)) {
        // Most texts hold none; a long body is not scanned for them.
        if (!text.contains(u"{{"_s))
            continue;
        for (const VariableSpan& span : variableSpans(text, environment)) {
            if (!span.isDefined && !names.contains(span.name))
                names.append(span.name);
        }
    }
    return names;
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
