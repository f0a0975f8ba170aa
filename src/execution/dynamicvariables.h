#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace mako {

/// The names of the dynamic variables that placeholders such as {{$guid}} draw from, each
/// with its leading "$", in the order a completion lists them: the core ones first.
const QStringList& dynamicVariableNames();

/// A fresh value of the dynamic variable `name` (with its "$"), drawn anew on every call, or
/// nothing when no dynamic variable has that name.
std::optional<QString> dynamicVariableValue(QStringView name);

} // namespace mako
