#pragma once

#include "ui/common/colors.h"

#include <QString>
#include <QStringView>

#include <optional>

class QLabel;
class QWidget;

namespace mako {

/// A symbol above a caption, centred: what a pane shows when it has nothing else. The
/// caption label is named `objectName` + "Text". With `tint` the symbol is drawn in that
/// colour at 80% opacity (a warning in red) instead of its own colours.
QWidget* makeEmptyHint(QStringView symbol, const QString& caption, const QString& objectName,
    std::optional<SystemColor> tint = std::nullopt, int symbolSize = 28);

} // namespace mako
