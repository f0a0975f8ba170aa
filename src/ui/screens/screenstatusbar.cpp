#include "ui/screens/screenstatusbar.h"

#include "ui/common/iconlabel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QLabel* makeLabel(const QString& objectName)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void setTextColor(QLabel* label, std::optional<QColor> color)
{
    QPalette palette = label->parentWidget() ? label->parentWidget()->palette() : label->palette();
    if (color)
        palette.setColor(QPalette::WindowText, *color);
    label->setPalette(palette);
}

} // namespace

ScreenStatusBar::ScreenStatusBar(QStringView symbol, const QString& title,
    std::optional<SystemColor> titleColor, QWidget* parent)
    : QWidget(parent)
    , m_titleColor(titleColor)
    , m_title(makeLabel(u"statusTitle"_s))
    , m_connected(makeLabel(u"statusConnected"_s))
    , m_note(makeLabel(u"statusNote"_s))
    , m_count(makeLabel(u"statusCount"_s))
{
    setObjectName(u"screenStatusBar"_s);
    setBackgroundRole(QPalette::AlternateBase);
    setAutoFillBackground(true);
    m_title->setText(title);
    m_connected->setText(tr("Connected"));
    m_connected->hide();
    m_note->hide();
    m_count->hide();
    for (QLabel* label : {m_title, m_connected, m_note, m_count}) {
        QFont small = label->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        label->setFont(small);
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 4);
    auto* icon = new IconLabel(symbol, 0, this);
    icon->setObjectName(u"statusSymbol"_s);
    layout->addWidget(icon);
    layout->addWidget(m_title);
    layout->addSpacing(12);
    layout->addWidget(m_connected);
    layout->addSpacing(12);
    layout->addWidget(m_note, 1);
    layout->addStretch();
    layout->addWidget(m_count);
    recolour();
}

void ScreenStatusBar::setConnected(bool connected)
{
    m_connected->setVisible(connected);
}

void ScreenStatusBar::setNote(const QString& text, bool isFailure)
{
    m_note->setText(text);
    m_note->setToolTip(text);
    m_note->setVisible(!text.isEmpty());
    m_noteIsFailure = isFailure;
    recolour();
}

void ScreenStatusBar::setCount(const QString& text)
{
    m_count->setText(text);
    m_count->setVisible(!text.isEmpty());
}

void ScreenStatusBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        recolour();
}

void ScreenStatusBar::recolour()
{
    const QPalette& shown = palette();
    const auto colour = [&](std::optional<SystemColor> color) -> std::optional<QColor> {
        return color ? std::optional(systemColor(*color, shown)) : std::nullopt;
    };
    setTextColor(m_title, colour(m_titleColor));
    setTextColor(m_connected, systemColor(SystemColor::green, shown));
    setTextColor(m_note,
        m_noteIsFailure ? std::optional(systemColor(SystemColor::red, shown))
                        : std::optional(shown.color(QPalette::PlaceholderText)));
    setTextColor(m_count, shown.color(QPalette::PlaceholderText));
}

} // namespace mako
