#include "ui/editor/resizedivider.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

ResizeDivider::ResizeDivider(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"resizeDivider"_s);
    setAccessibleName(tr("Resize response"));
    setAccessibleDescription(
        tr("Drag it, or press Up or Down, to share the height between request and response"));
    setCursor(Qt::SplitVCursor);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
}

QSize ResizeDivider::sizeHint() const
{
    return {0, kThickness};
}

void ResizeDivider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_hovered || hasFocus()) {
        QColor accent = palette().color(QPalette::Link);
        accent.setAlphaF(0.5f);
        painter.fillRect(rect(), accent);
        return;
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, height() / 2, width(), height() / 2);
}

void ResizeDivider::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QWidget::enterEvent(event);
}

void ResizeDivider::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QWidget::leaveEvent(event);
}

void ResizeDivider::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void ResizeDivider::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        Q_EMIT dragged(mapToParent(event->position().toPoint()).y());
}

void ResizeDivider::keyPressEvent(QKeyEvent* event)
{
    // The keyboard moves the bar in steps of a tenth of the area.
    const int step = parentWidget() ? parentWidget()->height() / 10 : 10;
    const int centre = mapToParent(rect().center()).y();
    if (event->key() == Qt::Key_Up)
        Q_EMIT dragged(centre - step);
    else if (event->key() == Qt::Key_Down)
        Q_EMIT dragged(centre + step);
    else
        QWidget::keyPressEvent(event);
}

double SplitArea::fractionForDrag(double y, double height)
{
    if (height <= 0)
        return kMinimumFraction;
    return std::clamp(1.0 - y / height, kMinimumFraction, kMaximumFraction);
}

SplitArea::SplitArea(QWidget* top, QWidget* bottom, QWidget* parent)
    : QWidget(parent)
    , m_top(top)
    , m_divider(nullptr)
    , m_bottom(bottom)
{
    // Tab follows the order in which the parts join: the top part with all its controls, the
    // divider, then the bottom part. (An order set afterwards with setTabOrder would move only
    // the divider itself, before the top part's controls.)
    m_top->setParent(this);
    m_divider = new ResizeDivider(this);
    m_bottom->setParent(this);
    connect(m_divider, &ResizeDivider::dragged, this,
        [this](int y) { setResponseFraction(fractionForDrag(y, height())); });
}

void SplitArea::setResponseFraction(double fraction)
{
    m_fraction = std::clamp(fraction, kMinimumFraction, kMaximumFraction);
    layoutChildren();
}

void SplitArea::setBottom(QWidget* bottom)
{
    QWidget* old = m_bottom;
    m_bottom = bottom;
    m_bottom->setParent(this);
    m_bottom->show();
    delete old;
    setTabOrder(m_divider, m_bottom);
    layoutChildren();
}

void SplitArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void SplitArea::layoutChildren()
{
    const int total = height();
    const int dividerTop = qRound((1.0 - m_fraction) * total) - ResizeDivider::kThickness / 2;
    const int bottomTop = dividerTop + ResizeDivider::kThickness;
    m_top->setGeometry(0, 0, width(), qMax(0, dividerTop));
    m_divider->setGeometry(0, dividerTop, width(), ResizeDivider::kThickness);
    m_bottom->setGeometry(0, bottomTop, width(), qMax(0, total - bottomTop));
}

} // namespace mako
