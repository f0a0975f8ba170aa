#pragma once

#include <QIcon>
#include <QStringView>

namespace mako {

/// The icon for one of the design's symbol names ("plus", "gearshape", ...) used by the
/// window's areas, from the desktop's icon theme; a null icon for a name it does not know.
QIcon symbolIcon(QStringView symbolName);

} // namespace mako
