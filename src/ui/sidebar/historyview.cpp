#include "ui/sidebar/historyview.h"

#include "state/appstate.h"
#include "ui/common/clearbutton.h"
#include "ui/common/iconlabel.h"
#include "ui/common/icons.h"
#include "ui/sidebar/historyitemdelegate.h"
#include "ui/sidebar/historylistmodel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

HistoryView::HistoryView(AppState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_model(new HistoryListModel(state, this))
    , m_search(new QLineEdit)
    , m_list(new QListView)
    , m_content(new QStackedWidget)
{
    setObjectName(u"historyView"_s);
    m_search->setObjectName(u"historySearchField"_s);
    m_search->setPlaceholderText(tr("Search history..."));
    m_search->setAccessibleName(tr("Search history"));
    enableClearButton(m_search);
    connect(m_search, &QLineEdit::textChanged, m_model, &HistoryListModel::setSearchText);

    buildList();
    m_noHistory = buildEmptyState(u"noHistoryState"_s, u"clock", tr("No history yet"));
    m_noMatches
        = buildEmptyState(u"noMatchesState"_s, u"magnifyingglass", tr("No matching requests"));
    m_content->addWidget(m_list);
    m_content->addWidget(m_noHistory);
    m_content->addWidget(m_noMatches);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(m_search);
    layout->addWidget(m_content, 1);

    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_model, signal, this, &HistoryView::showListOrEmptyState);
    connect(m_model, &QAbstractItemModel::modelReset, this, &HistoryView::showListOrEmptyState);
    showListOrEmptyState();

    // "5 min. ago" grows older by itself: a repaint a minute keeps the visible rows right.
    auto* clock = new QTimer(this);
    clock->setInterval(std::chrono::minutes(1));
    connect(clock, &QTimer::timeout, m_list->viewport(), qOverload<>(&QWidget::update));
    clock->start();
}

void HistoryView::buildList()
{
    m_list->setObjectName(u"historyList"_s);
    m_list->setAccessibleName(tr("History"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new HistoryItemDelegate(m_list));
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->viewport()->setBackgroundRole(QPalette::Window);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QListView::clicked, this, &HistoryView::open);
    connect(m_list, &QListView::activated, this, &HistoryView::open);
    connect(m_list, &QListView::customContextMenuRequested, this, [this](const QPoint& point) {
        if (QMenu* menu = menuFor(m_list->indexAt(point).row(), this)) {
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(m_list->viewport()->mapToGlobal(point));
        }
    });
}

QWidget* HistoryView::buildEmptyState(
    const QString& objectName, QStringView symbol, const QString& text)
{
    auto* state = new QWidget;
    state->setObjectName(objectName);
    auto* label = new QLabel(text);
    label->setObjectName(objectName + u"Text"_s);
    label->setForegroundRole(QPalette::PlaceholderText);
    auto* layout = new QVBoxLayout(state);
    layout->addStretch();
    layout->addWidget(new IconLabel(symbol, 24), 0, Qt::AlignHCenter);
    layout->addWidget(label, 0, Qt::AlignHCenter);
    layout->addStretch();
    return state;
}

void HistoryView::showListOrEmptyState()
{
    if (m_state.history().isEmpty())
        m_content->setCurrentWidget(m_noHistory);
    else if (m_model->rowCount() == 0)
        m_content->setCurrentWidget(m_noMatches);
    else
        m_content->setCurrentWidget(m_list);
}

void HistoryView::open(const QModelIndex& index)
{
    if (const HistoryItem* item = m_model->itemAt(index))
        m_state.openFromHistory(APIRequest(item->request));
}

QMenu* HistoryView::menuFor(int row, QWidget* parent)
{
    const HistoryItem* item = m_model->itemAt(m_model->index(row));
    if (!item)
        return nullptr;
    const APIRequest request = item->request;
    auto* menu = new QMenu(parent);
    menu->setObjectName(u"historyContextMenu"_s);
    QAction* rerun = menu->addAction(icons::icon(u"arrow.right.circle"), tr("Rerun"));
    rerun->setObjectName(u"rerunAction"_s);
    connect(
        rerun, &QAction::triggered, this, [this, request] { m_state.openFromHistory(request); });
    QMenu* save = menu->addMenu(icons::icon(u"square.and.arrow.down"), tr("Save to Collection"));
    save->setObjectName(u"saveToCollectionMenu"_s);
    for (const Collection& collection : m_state.collections()) {
        QAction* into = save->addAction(collection.name);
        connect(into, &QAction::triggered, this,
            [this, request, id = collection.id] { m_state.saveRequestToCollection(request, id); });
    }
    save->setEnabled(!save->isEmpty());
    return menu;
}

} // namespace mako
