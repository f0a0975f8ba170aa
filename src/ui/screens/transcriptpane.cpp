#include "ui/screens/transcriptpane.h"

#include "ui/common/clearbutton.h"
#include "ui/common/symbolbutton.h"
#include "ui/common/tableview.h"
#include "ui/screens/streamlistmodel.h"
#include "ui/screens/streamrowdelegate.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace mako {

TranscriptPane::TranscriptPane(
    StreamListModel* model, bool twoLineRows, const QString& filterPlaceholder, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_proxy(new QSortFilterProxyModel(this))
    , m_filter(new QLineEdit)
    , m_view(new TableView)
{
    m_proxy->setFilterRole(StreamListModel::FilterTextRole);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);

    m_filter->setObjectName(u"transcriptFilter"_s);
    m_filter->setPlaceholderText(filterPlaceholder);
    m_filter->setAccessibleName(filterPlaceholder);
    enableClearButton(m_filter);
    connect(m_filter, &QLineEdit::textChanged, this, &TranscriptPane::applyFilter);
    // Parented by the layout, after the filter, so that Tab meets them in the order drawn.
    m_clear
        = makeSymbolButton(u"transcriptClearButton"_s, u"trash", tr("Clear"), tr("Clear"), nullptr);
    m_clear->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_clear, &QToolButton::clicked, m_model, &StreamListModel::clear);

    setUpView(twoLineRows, filterPlaceholder);
    followNewestRows();

    auto* tools = new QHBoxLayout;
    tools->addWidget(m_filter, 1);
    tools->addWidget(m_clear);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->addLayout(tools);
    layout->addWidget(m_view, 1);
}

void TranscriptPane::setUpView(bool twoLineRows, const QString& accessibleName)
{
    m_view->setObjectName(u"transcriptView"_s);
    m_view->setModel(m_model);
    auto* delegate = new StreamRowDelegate(twoLineRows, m_view);
    m_view->setItemDelegate(delegate);
    // A table of one column whose rows all have one fixed height: its header takes in new rows
    // without a pass over the old ones, which a list view makes for every insertion.
    QHeaderView* rows = m_view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    QStyleOptionViewItem measure;
    measure.initFrom(m_view);
    rows->setDefaultSectionSize(delegate->sizeHint(measure, {}).height());
    m_view->horizontalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setAlternatingRowColors(true);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->setAccessibleName(accessibleName);
    connect(
        m_view, &QTableView::customContextMenuRequested, this, &TranscriptPane::showContextMenu);
    auto* copy = new QAction(tr("Copy"), m_view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &TranscriptPane::copySelection);
    m_view->addAction(copy);
}

void TranscriptPane::followNewestRows()
{
    // Whether to follow is decided before the rows arrive: at the bottom then, at the bottom
    // after. Scrolling up to read stops the following until the user scrolls down again.
    for (QAbstractItemModel* shown :
        {static_cast<QAbstractItemModel*>(m_model), static_cast<QAbstractItemModel*>(m_proxy)}) {
        connect(shown, &QAbstractItemModel::rowsAboutToBeInserted, this, [this, shown] {
            const QScrollBar* bar = m_view->verticalScrollBar();
            if (m_view->model() == shown)
                m_followNewest = bar->value() >= bar->maximum();
        });
        connect(shown, &QAbstractItemModel::rowsInserted, this, [this, shown] {
            if (m_view->model() == shown && m_followNewest)
                m_view->scrollToBottom();
        });
        connect(shown, &QAbstractItemModel::modelReset, m_view, &QTableView::scrollToBottom);
    }
}

void TranscriptPane::applyFilter(const QString& text)
{
    // Without a filter the view shows the model itself: a proxy in between would cost every
    // arriving row a mapping, and the view's layout a lookup per row.
    const bool filtering = !text.isEmpty();
    m_proxy->setSourceModel(filtering ? m_model : nullptr);
    m_proxy->setFilterFixedString(text);
    QAbstractItemModel* shown = filtering ? static_cast<QAbstractItemModel*>(m_proxy) : m_model;
    if (m_view->model() == shown)
        return;
    // The view leaves its old selection model to whoever set it.
    QItemSelectionModel* oldSelection = m_view->selectionModel();
    m_view->setModel(shown);
    delete oldSelection;
    m_view->scrollToBottom();
}

void TranscriptPane::copySelection() const
{
    QModelIndexList rows = m_view->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList texts;
    for (const QModelIndex& row : std::as_const(rows))
        texts.append(row.data(Qt::EditRole).toString());
    if (!texts.isEmpty())
        QGuiApplication::clipboard()->setText(texts.join(u'\n'));
}

void TranscriptPane::showContextMenu(const QPoint& position)
{
    if (!m_view->indexAt(position).isValid())
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("Copy"), this, &TranscriptPane::copySelection);
    menu->popup(m_view->viewport()->mapToGlobal(position));
}

} // namespace mako
