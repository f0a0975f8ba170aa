#pragma once

#include <QString>
#include <QStringView>

class QToolButton;
class QWidget;

namespace mako {

/// A small tool button showing the icon of `symbol` (its `text` where no icon theme has one),
/// with `help` as its tooltip and its name for screen readers.
QToolButton* makeSymbolButton(const QString& objectName, QStringView symbol, const QString& text,
    const QString& help, QWidget* parent);

} // namespace mako
