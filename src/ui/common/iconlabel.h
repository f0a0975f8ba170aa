#pragma once

#include <QIcon>
#include <QWidget>

namespace mako {

/// A symbol beside a text. It draws the icon at paint time, so it follows the icon theme when
/// the appearance changes (a pixmap in a QLabel would keep the old one).
class IconLabel : public QWidget {
    Q_OBJECT

public:
    /// `size` 0 takes the height of a line of the widget's font.
    explicit IconLabel(QStringView symbol, int size = 0, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon m_icon;
    int m_size;
};

} // namespace mako
