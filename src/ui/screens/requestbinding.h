#pragma once

#include "model/apirequest.h"

#include <functional>

class QLineEdit;
class QPlainTextEdit;

namespace mako {

class AppState;

/// Applies `edit` to the open request and writes it back; nothing when no request is open.
void editOpenRequest(AppState& state, const std::function<void(APIRequest&)>& edit);

/// Two-way binding of a text field to one text field of the open request: the field shows the
/// request's value (empty while none is open) and every edit goes straight back into it.
void bindText(QLineEdit* field, AppState& state, QString APIRequest::*member);
void bindText(QPlainTextEdit* editor, AppState& state, QString APIRequest::*member);

} // namespace mako
