#include "ui/response/timingchart.h"

#include "ui/common/metricpill.h"
#include "ui/common/statusbadge.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace mako {

namespace {

constexpr int kChartHeight = 120;
constexpr int kBarWidth = 16;
constexpr int kBarGap = 6;
constexpr int kPhaseRow = 16;
constexpr int kPhaseLabelWidth = 90;

} // namespace

double barHeight(double duration, const QList<ResponseTiming>& entries)
{
    double longest = 1.0;
    if (!entries.isEmpty()) {
        longest
            = std::max_element(entries.cbegin(), entries.cend(), [](const auto& a, const auto& b) {
                  return a.duration < b.duration;
              })->duration;
    }
    const double height = duration / longest * 80;
    // A zero longest duration gives no number; such a bar still shows.
    return std::isfinite(height) ? std::max(4.0, height) : 4.0;
}

TimingChart::TimingChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("responseTimingChart"));
    setAccessibleName(tr("Response times"));
    setFixedHeight(kChartHeight);
}

void TimingChart::setHistory(const QList<ResponseTiming>& history)
{
    const QList<ResponseTiming> shown
        = history.mid(std::max<qsizetype>(0, history.size() - kMaxBars));
    m_bars.clear();
    for (const ResponseTiming& entry : shown)
        m_bars.append({barHeight(entry.duration, shown), entry.statusCode,
            QString::number(static_cast<qint64>(entry.duration * 1000))});
    update();
}

QSize TimingChart::sizeHint() const
{
    return {int(m_bars.size()) * (kBarWidth + kBarGap) + kBarGap, kChartHeight};
}

void TimingChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont small = font();
    small.setPixelSize(8);
    painter.setFont(small);
    const int baseline = height() - 4;
    int x = kBarGap;
    for (const Bar& bar : m_bars) {
        const QColor color = systemColor(statusColor(bar.statusCode), palette());
        const QRectF rect(x, baseline - bar.height, kBarWidth, bar.height);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawRoundedRect(rect, 2, 2);
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(QRectF(x - kBarGap, rect.top() - 12, kBarWidth + 2 * kBarGap, 10),
            Qt::AlignHCenter | Qt::AlignBottom, bar.label);
        x += kBarWidth + kBarGap;
    }
}

PhaseWaterfall::PhaseWaterfall(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("responsePhaseWaterfall"));
    setAccessibleName(tr("Timing phases"));
}

void PhaseWaterfall::setResponse(const APIResponse& response)
{
    const TimingPhases& p = response.timingPhases;
    const std::pair<QString, double> parts[]
        = {{tr("Redirects"), p.redirect}, {tr("DNS lookup"), p.nameLookup},
            {tr("Connect"), p.connect}, {tr("TLS handshake"), p.tlsHandshake},
            {tr("First byte"), p.timeToFirstByte}, {tr("Transfer"), p.transfer}};
    m_phases.clear();
    double start = 0;
    for (const auto& [name, length] : parts) {
        // A phase that did not happen (a reused connection, plain HTTP) takes no row.
        if (length > 0)
            m_phases.append({name, start, length});
        start += length;
    }
    m_version = response.httpVersion;
    updateGeometry();
    update();
}

QSize PhaseWaterfall::sizeHint() const
{
    return {300, int(m_phases.size() + 1) * kPhaseRow + 4};
}

void PhaseWaterfall::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const double total = m_phases.isEmpty() ? 0 : m_phases.last().start + m_phases.last().length;
    const int axis = std::max(10, width() - kPhaseLabelWidth - 60);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(QRect(0, 0, width(), kPhaseRow), Qt::AlignLeft | Qt::AlignVCenter,
        m_version.isEmpty() ? tr("Phases") : tr("Phases (%1)").arg(m_version));
    int y = kPhaseRow;
    const QColor color = systemColor(SystemColor::teal, palette());
    for (const Phase& phase : m_phases) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(
            QRect(0, y, kPhaseLabelWidth, kPhaseRow), Qt::AlignLeft | Qt::AlignVCenter, phase.name);
        const int left = kPhaseLabelWidth + int(phase.start / total * axis);
        const int span = std::max(2, int(phase.length / total * axis));
        painter.fillRect(QRect(left, y + 3, span, kPhaseRow - 6), color);
        painter.drawText(QRect(left + span + 4, y, 80, kPhaseRow), Qt::AlignLeft | Qt::AlignVCenter,
            durationText(phase.length));
        y += kPhaseRow;
    }
}

} // namespace mako
