#include "ui/common/metricpill.h"

#include "ui/common/icons.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr int kIconSize = 9;
constexpr int kGap = 3;
constexpr int kPadX = 8;
constexpr int kPadY = 3;

QFont pillFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(11);
    return font;
}

} // namespace

QString durationText(double seconds)
{
    return QCoreApplication::translate("Duration", "%1ms")
        .arg(QLocale().toString(static_cast<qint64>(seconds * 1000)));
}

QString byteCountText(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeIecFormat);
}

MetricPill::MetricPill(QStringView symbol, const QString& value, QWidget* parent)
    : QWidget(parent)
    , m_icon(icons::icon(symbol))
    , m_value(value)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(value);
}

void MetricPill::setValue(const QString& value)
{
    if (value == m_value)
        return;
    m_value = value;
    setAccessibleName(value);
    updateGeometry();
    update();
}

QSize MetricPill::sizeHint() const
{
    const QFontMetrics metrics(pillFont());
    return {2 * kPadX + kIconSize + kGap + metrics.horizontalAdvance(m_value),
        2 * kPadY + std::max(kIconSize, metrics.height())};
}

void MetricPill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), 4, 4);
    painter.fillPath(path, palette().color(QPalette::Button));
    const QRect iconRect(kPadX, (height() - kIconSize) / 2, kIconSize, kIconSize);
    m_icon.paint(&painter, iconRect);
    painter.setFont(pillFont());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect textRect = rect().adjusted(kPadX + kIconSize + kGap, 0, -kPadX, 0);
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, m_value);
}

} // namespace mako
