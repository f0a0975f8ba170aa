#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

namespace mako {

/// A duration in seconds as whole milliseconds, fraction dropped: 0.2349 shows "234ms".
QString durationText(double seconds);

/// A byte count in 1024-based units ("512 bytes", "1.5 KiB", "200.0 MiB").
QString byteCountText(qint64 bytes);

/// A small symbol beside a short value, on the control background with rounded corners.
class MetricPill : public QWidget {
    Q_OBJECT

public:
    MetricPill(QStringView symbol, const QString& value = {}, QWidget* parent = nullptr);

    QString value() const { return m_value; }
    void setValue(const QString& value);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon m_icon;
    QString m_value;
};

} // namespace mako
