#include "ui/response/emptyhint.h"

#include "ui/common/iconlabel.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

QWidget* makeEmptyHint(
    QStringView symbol, const QString& caption, const QString& objectName, int symbolSize)
{
    auto* hint = new QWidget;
    hint->setObjectName(objectName);
    auto* icon = new IconLabel(symbol, symbolSize);
    auto* text = new QLabel(caption);
    text->setObjectName(objectName + u"Text"_s);
    text->setForegroundRole(QPalette::PlaceholderText);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(hint);
    layout->addStretch();
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(text);
    layout->addStretch();
    return hint;
}

} // namespace mako
