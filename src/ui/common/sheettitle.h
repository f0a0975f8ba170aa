#pragma once

#include <QString>

class QLabel;

namespace mako {

/// The title at the top of a sheet. Desktops that attach a sheet to its window hide the
/// sheet's title bar, so the title is written inside it as well.
QLabel* sheetTitle(const QString& text);

} // namespace mako
