#include "ui/response/emptyhint.h"

#include "ui/common/iconlabel.h"
#include "ui/common/icons.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// A symbol in one colour, drawn at paint time so it follows the palette and the icon theme.
class TintedIcon : public QWidget {
public:
    TintedIcon(QStringView symbol, SystemColor tint, int size)
        : m_icon(icons::icon(symbol))
        , m_tint(tint)
    {
        setFixedSize(size, size);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPixmap shape = m_icon.pixmap(size(), devicePixelRatio());
        {
            QPainter fill(&shape);
            fill.setCompositionMode(QPainter::CompositionMode_SourceIn);
            fill.fillRect(shape.rect(), systemColor(m_tint, palette()));
        }
        QPainter painter(this);
        painter.setOpacity(0.8);
        painter.drawPixmap(rect(), shape);
    }

private:
    QIcon m_icon;
    SystemColor m_tint;
};

} // namespace

QWidget* makeEmptyHint(QStringView symbol, const QString& caption, const QString& objectName,
    std::optional<SystemColor> tint, int symbolSize)
{
    auto* hint = new QWidget;
    hint->setObjectName(objectName);
    QWidget* icon = tint ? static_cast<QWidget*>(new TintedIcon(symbol, *tint, symbolSize))
                         : new IconLabel(symbol, symbolSize);
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
