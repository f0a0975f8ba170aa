#pragma once

#include "model/apiresponse.h"

#include <QList>
#include <QWidget>

namespace mako {

/// The height of the bar for `duration` among `entries`: its share of the longest duration
/// of them times 80, never below 4 (also when the longest is 0).
double barHeight(double duration, const QList<ResponseTiming>& entries);

/// The bar chart of the last replies of a tab, oldest on the left.
class TimingChart : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxBars = 30;

    struct Bar {
        double height;
        int statusCode;
        QString label;
    };

    explicit TimingChart(QWidget* parent = nullptr);

    /// Charts the last kMaxBars of `history` (oldest first).
    void setHistory(const QList<ResponseTiming>& history);
    const QList<Bar>& bars() const { return m_bars; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<Bar> m_bars;
};

/// The phases of one exchange (name lookup, connect, TLS, first byte, transfer) as a
/// waterfall of bars along one time axis, with the HTTP version.
class PhaseWaterfall : public QWidget {
    Q_OBJECT

public:
    struct Phase {
        QString name;
        double start;
        double length;
    };

    explicit PhaseWaterfall(QWidget* parent = nullptr);

    void setResponse(const APIResponse& response);
    const QList<Phase>& phases() const { return m_phases; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<Phase> m_phases;
    QString m_version;
};

} // namespace mako
