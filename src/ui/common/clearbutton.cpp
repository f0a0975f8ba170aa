#include "ui/common/clearbutton.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace mako {

void enableClearButton(QLineEdit* field)
{
    field->setClearButtonEnabled(true);
    // Qt's own name for the action it adds; the button shows the action's text as its name.
    if (auto* clear = field->findChild<QAction*>(u"_q_qlineeditclearaction"_s)) {
        clear->setText(QCoreApplication::translate("ClearButton", "Clear"));
        clear->setToolTip(clear->text());
    }
}

} // namespace mako
