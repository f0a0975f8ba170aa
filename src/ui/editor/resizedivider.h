#pragma once

#include <QPointer>
#include <QWidget>

namespace mako {

/// The bar between the request's tabs and the response: drag it to share the height between
/// them. Drawn in the accent colour while the pointer is over it.
class ResizeDivider : public QWidget {
    Q_OBJECT

public:
    static constexpr int kThickness = 6;

    explicit ResizeDivider(QWidget* parent = nullptr);

    QSize sizeHint() const override;

Q_SIGNALS:
    /// The pointer dragged the bar to `y`, in the parent's coordinates.
    void dragged(int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_hovered = false;
};

/// The request's tabs above and the response below, with a ResizeDivider between them. The
/// response's share of the height stays within 0.2 to 0.8 and survives whatever is shown.
class SplitArea : public QWidget {
    Q_OBJECT

public:
    static constexpr double kMinimumFraction = 0.2;
    static constexpr double kMaximumFraction = 0.8;

    /// The response's share for the divider dragged to `y` of an area `height` high.
    static double fractionForDrag(double y, double height);

    SplitArea(QWidget* top, QWidget* bottom, QWidget* parent = nullptr);

    double responseFraction() const { return m_fraction; }
    void setResponseFraction(double fraction);
    /// Puts `bottom` in the lower place; the area takes it over and deletes the old one.
    void setBottom(QWidget* bottom);
    QWidget* bottom() const { return m_bottom; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutChildren();

    QWidget* m_top;
    ResizeDivider* m_divider;
    QWidget* m_bottom;
    double m_fraction = 0.5;
};

} // namespace mako
