#include "ui/common/symbolbutton.h"

#include "ui/common/icons.h"

#include <QToolButton>

namespace mako {

QToolButton* makeSymbolButton(const QString& objectName, QStringView symbol, const QString& text,
    const QString& help, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setIcon(icons::icon(symbol));
    button->setText(text);
    button->setToolTip(help);
    button->setAccessibleName(help);
    return button;
}

} // namespace mako
