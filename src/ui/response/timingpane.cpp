#include "ui/response/timingpane.h"

#include "state/appstate.h"
#include "ui/common/metricpill.h"
#include "ui/common/statusbadge.h"
#include "ui/response/emptyhint.h"
#include "ui/response/timingchart.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QList<ResponseTiming>& activeHistory(const AppState& state)
{
    static const QList<ResponseTiming> none;
    const RequestTab* tab = state.tabStore().activeTab();
    return tab ? tab->responseHistory : none;
}

class BadgeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, QModelIndex());
        const int code = index.data(TimingListModel::kStatusCodeRole).toInt();
        paintStatusBadge(*painter, option.rect.adjusted(4, 1, 0, -1), code, option.palette);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        return statusBadgeSize(index.data(TimingListModel::kStatusCodeRole).toInt()) + QSize(8, 4);
    }
};

} // namespace

TimingListModel::TimingListModel(const AppState& state, QObject* parent)
    : QAbstractTableModel(parent)
    , m_state(state)
{ }

int TimingListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(activeHistory(m_state).size());
}

int TimingListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columnCount_;
}

QVariant TimingListModel::data(const QModelIndex& index, int role) const
{
    const QList<ResponseTiming>& history = activeHistory(m_state);
    if (!index.isValid() || index.row() >= history.size())
        return {};
    const ResponseTiming& entry = history[history.size() - 1 - index.row()];
    if (role == kStatusCodeRole)
        return entry.statusCode;
    if (role == Qt::ForegroundRole && index.column() == timeColumn)
        return QColor(QGuiApplication::palette().color(QPalette::PlaceholderText));
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case statusColumn:
        return role == Qt::AccessibleTextRole ? QVariant(QString::number(entry.statusCode))
                                              : QVariant();
    case durationColumn:
        return durationText(entry.duration);
    case sizeColumn:
        return byteCountText(entry.size);
    case timeColumn:
        return QLocale().toString(
            timestampToDateTime(entry.timestamp).toLocalTime().time(), QLocale::ShortFormat);
    }
    return {};
}

QVariant TimingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case statusColumn:
        return tr("Status");
    case durationColumn:
        return tr("Time");
    case sizeColumn:
        return tr("Size");
    case timeColumn:
        return tr("Received");
    }
    return {};
}

void TimingListModel::refresh()
{
    beginResetModel();
    endResetModel();
}

TimingPane::TimingPane(const AppState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_stack(new QStackedWidget)
    , m_chart(new TimingChart)
    , m_waterfall(new PhaseWaterfall)
    , m_model(new TimingListModel(state, this))
    , m_list(new QTreeView)
{
    setObjectName(u"responseTimingPane"_s);
    m_list->setObjectName(u"responseTimingList"_s);
    m_list->setAccessibleName(tr("Timing History"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemDelegateForColumn(TimingListModel::statusColumn, new BadgeDelegate(m_list));
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The list keeps a few rows in sight; below that the whole tab scrolls, so that a short
    // response pane never squeezes the chart or the phases.
    constexpr int kRowsInSight = 4;
    m_list->setMinimumHeight(m_list->header()->sizeHint().height()
        + kRowsInSight * (statusBadgeSize(200).height() + 4) + 2 * m_list->frameWidth());
    m_waterfall->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(m_chart);
    layout->addWidget(m_waterfall);
    layout->addWidget(m_list, 1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(u"responseTimingScroll"_s);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    m_stack->addWidget(makeEmptyHint(
        u"chart.bar", tr("Send requests to see timing data"), u"responseTimingEmpty"_s));
    m_stack->addWidget(scroll);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_stack);
}

void TimingPane::refresh(const APIResponse* response)
{
    const QList<ResponseTiming>& history = activeHistory(m_state);
    m_stack->setCurrentIndex(history.isEmpty() ? 0 : 1);
    m_chart->setHistory(history);
    m_model->refresh();
    m_waterfall->setVisible(response != nullptr);
    if (response)
        m_waterfall->setResponse(*response);
}

} // namespace mako
