#pragma once

class QLineEdit;

namespace mako {

/// Shows the clear button in `field` once it holds text, named for assistive tools as it is
/// for everyone else: Qt leaves the button without a name.
void enableClearButton(QLineEdit* field);

} // namespace mako
