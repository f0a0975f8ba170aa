#include "ui/common/sheettitle.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace mako {

QLabel* sheetTitle(const QString& text)
{
    auto* title = new QLabel(text);
    title->setObjectName(u"sheetTitle"_s);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    title->setFont(bold);
    return title;
}

} // namespace mako
