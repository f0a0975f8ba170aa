#include "ui/common/iconlabel.h"

#include "ui/common/icons.h"

#include <QPainter>

namespace mako {

IconLabel::IconLabel(QStringView symbol, int size, QWidget* parent)
    : QWidget(parent)
    , m_icon(icons::icon(symbol))
    , m_size(size > 0 ? size : fontMetrics().height())
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize IconLabel::sizeHint() const
{
    return {m_size, m_size};
}

void IconLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_icon.paint(&painter, rect(), Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

} // namespace mako
