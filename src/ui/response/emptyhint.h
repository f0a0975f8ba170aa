#pragma once

#include <QString>
#include <QStringView>

class QLabel;
class QWidget;

namespace mako {

/// A symbol above a caption, centred: what a pane shows when it has nothing else. The
/// caption label is named `objectName` + "Text".
QWidget* makeEmptyHint(
    QStringView symbol, const QString& caption, const QString& objectName, int symbolSize = 28);

} // namespace mako
