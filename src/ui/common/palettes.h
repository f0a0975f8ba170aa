#pragma once

#include <QColor>
#include <QPalette>

namespace mako {

/// The palettes of the "light" and "dark" appearances, for the Fusion style. Every role is set,
/// so nothing of the desktop's own palette shows through; `accent` colours selections and links.
QPalette lightPalette(const QColor& accent);
QPalette darkPalette(const QColor& accent);

} // namespace mako
