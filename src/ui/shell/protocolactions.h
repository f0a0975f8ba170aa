#pragma once

#include "model/requestenums.h"

#include <QString>

namespace mako {

class AppState;

/// Opens a new request tab for `protocol`, named `name`.
void openNewRequest(AppState& state, RequestProtocol protocol, const QString& name);

/// Makes the open request use `protocol`, keeping its name and every other field; opens a new
/// request first when none is open.
void switchOpenRequestProtocol(AppState& state, RequestProtocol protocol);

} // namespace mako
