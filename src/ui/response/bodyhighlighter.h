#pragma once

#include "ui/response/bodyview.h"

#include <QStringView>

namespace mako {

/// Colours of one row of pretty-printed JSON: keys, strings, numbers and the literals true,
/// false and null. A row is coloured on its own, which suits the printer's one member per line.
QList<BodyView::Run> highlightJsonRow(QStringView row, const QPalette& palette);

/// Colours of one row of markup: tag names, attribute names, quoted values and comments.
QList<BodyView::Run> highlightMarkupRow(QStringView row, const QPalette& palette);

} // namespace mako
