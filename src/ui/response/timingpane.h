#pragma once

#include <QAbstractTableModel>
#include <QWidget>

class QStackedWidget;
class QTreeView;

namespace mako {

struct APIResponse;
class AppState;
class PhaseWaterfall;
class TimingChart;

/// The timing history of the active tab, newest first: status, duration, size, time of day.
/// Reads the tab through the state on every call; it keeps no rows of its own.
class TimingListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { statusColumn, durationColumn, sizeColumn, timeColumn, columnCount_ };
    /// The status code, for the badge delegate.
    static constexpr int kStatusCodeRole = Qt::UserRole + 1;

    explicit TimingListModel(const AppState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// The history changed.
    void refresh();

private:
    const AppState& m_state;
};

/// The Timing tab: the chart of the last replies, the phases of the current one, and the list
/// of every reply of the tab; a hint when the tab has none.
class TimingPane : public QWidget {
    Q_OBJECT

public:
    explicit TimingPane(const AppState& state, QWidget* parent = nullptr);

    /// Reads the active tab's history again; `response` is the reply shown (may be null).
    void refresh(const APIResponse* response);

private:
    const AppState& m_state;
    QStackedWidget* m_stack;
    TimingChart* m_chart;
    PhaseWaterfall* m_waterfall;
    TimingListModel* m_model;
    QTreeView* m_list;
};

} // namespace mako
