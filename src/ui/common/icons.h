#pragma once

#include <QIcon>
#include <QStringView>

#include <span>

namespace mako::icons {

/// One symbol of the window: the name the design gives it and the freedesktop icon that shows
/// it.
struct Symbol {
    QStringView name;
    QStringView themeIcon;
};

/// Every symbol the window shows.
std::span<const Symbol> symbols();

/// The icon for a symbol name, from the desktop's icon theme, or from Breeze where that theme
/// has none; a null icon for a name that is not in the table.
QIcon icon(QStringView symbolName);

/// Where icons come from. `Desktop` keeps the desktop's theme and fills its gaps from Breeze
/// (light or dark to suit the palette); `Light` and `Dark` show Breeze alone, so a forced
/// appearance does not mix with the desktop's icons.
enum class IconTheme { Desktop, Light, Dark };
void useIconTheme(IconTheme theme, bool darkPalette);

} // namespace mako::icons
