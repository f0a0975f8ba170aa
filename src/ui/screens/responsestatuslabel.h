#pragma once

#include "ui/common/colors.h"

#include <QLabel>

namespace mako {

/// The colour of a status code: 2xx green, 3xx blue, 4xx orange, 5xx red, anything else grey.
SystemColor statusCodeColor(int statusCode);

/// A status code as a small tinted badge in the colour of its class.
class ResponseStatusLabel : public QLabel {
    Q_OBJECT

public:
    explicit ResponseStatusLabel(QWidget* parent = nullptr);

    void setStatusCode(int statusCode);
    int statusCode() const { return m_statusCode; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_statusCode = 0;
};

} // namespace mako
