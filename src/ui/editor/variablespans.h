#pragma once

#include "model/apienvironment.h"
#include "model/apirequest.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace mako {

/// One {{name}} placeholder in a text the user typed, and what sending would make of it.
struct VariableSpan {
    int start = 0;
    int length = 0;
    /// The placeholder's name, between the braces.
    QString name;
    /// Some enabled row of the environment names it, or it is a dynamic variable.
    bool isDefined = false;
    /// A dynamic variable that no row names: it draws a new value on every send.
    bool isDynamic = false;
    /// What it turns into when sent (one sample draw of a dynamic variable); empty while not
    /// defined.
    QString value;
    /// The value is, or holds, that of a secret variable: it is not shown.
    bool isSecret = false;

    /// The tooltip that explains the placeholder.
    QString explanation() const;
};

/// The variables a preview of a send is built with: each secret's value stands in as a word
/// that encoding leaves alone, and `masked` turns those words in the finished text into the
/// mask, so that a preview shows where a secret goes but never the secret.
struct SecretStandIns {
    std::optional<APIEnvironment> environment;
    QStringList standIns;

    QString masked(QString text) const;
};
SecretStandIns withSecretStandIns(const std::optional<APIEnvironment>& environment);

/// The placeholders of `text`, left to right, judged against the variables a send would use
/// (the merged environment), by the same rule that substitutes them.
QList<VariableSpan> variableSpans(
    const QString& text, const std::optional<APIEnvironment>& environment);

/// The placeholder that covers the character at `position`, if any.
const VariableSpan* spanAt(const QList<VariableSpan>& spans, int position);

/// The names of the placeholders that sending `request` would leave as typed, each once, in
/// the order they first appear in the texts that a send substitutes: the URL, the values of
/// the applicable query rows (a form's fields) and headers, a JSON or raw body and the
/// credential of an authorisation kind.
QStringList undefinedVariableNames(
    const APIRequest& request, const std::optional<APIEnvironment>& environment);

} // namespace mako
