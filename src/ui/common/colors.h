#pragma once

#include <QColor>
#include <QPalette>
#include <QStringView>

#include <optional>

namespace mako {

/// The named colours of the window (status badges, method labels, quick actions, the accent).
/// Each has a light and a dark shade, so it stays readable on either palette.
enum class SystemColor { blue, purple, pink, red, orange, green, teal, cyan, indigo, grey };

/// Whether `palette` draws light text on a dark window.
bool isDark(const QPalette& palette);

/// The shade of `color` that suits `palette`.
QColor systemColor(SystemColor color, const QPalette& palette);

/// The colour an "accentColorName" preference names ("blue", "purple", "indigo", "teal",
/// "orange"); nothing for any other text.
std::optional<SystemColor> accentColor(QStringView name);

/// `color` laid over `background` at `opacity` (0 to 1), for tinted fills that must stay
/// opaque.
QColor blend(const QColor& background, const QColor& color, qreal opacity);

} // namespace mako
