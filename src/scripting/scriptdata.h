#pragma once

#include "scripting/scriptengine.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace mako {

/// What the scripting API starts a run from, as the JSON text it parses: the request, the
/// reply, the variables by scope and `pm.info`.
QString scriptContextJSON(const ScriptContext& context);

/// A reply as the scripting API's responses take it (also for `pm.sendRequest`).
QJsonObject scriptResponseJSON(const APIResponse& response);

/// The run's result from the JSON text the scripting API ends with, applied on top of what the
/// run started from, so that rows the scripts left alone keep their ids.
ScriptRun scriptRunFromJSON(const QByteArray& json, const ScriptContext& context);

} // namespace mako
