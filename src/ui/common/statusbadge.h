#pragma once

#include "ui/common/colors.h"

#include <QWidget>

class QPainter;

namespace mako {

/// The colour of a status code wherever the window shows one: 2xx green, 3xx blue, 4xx orange,
/// 5xx red, anything else (informational codes, 0, codes past 599) grey.
SystemColor statusColor(int statusCode);

/// Draws the badge of `statusCode` into `rect`: the code in bold monospaced digits in its status
/// colour, on a rounded fill of the same colour at 12% opacity. List delegates share it with
/// the widget, so a badge looks the same in a row as on its own.
void paintStatusBadge(
    QPainter& painter, const QRect& rect, int statusCode, const QPalette& palette);

/// The size a badge needs for `statusCode` with the badge font.
QSize statusBadgeSize(int statusCode);

/// A status code as a small coloured badge.
class StatusBadge : public QWidget {
    Q_OBJECT

public:
    explicit StatusBadge(int statusCode = 0, QWidget* parent = nullptr);

    int statusCode() const { return m_statusCode; }
    void setStatusCode(int statusCode);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_statusCode;
};

} // namespace mako
