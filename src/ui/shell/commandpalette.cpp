#include "ui/shell/commandpalette.h"

#include "state/appstate.h"
#include "ui/common/icons.h"
#include "ui/common/symbolbutton.h"
#include "ui/shell/commandpalettemodel.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr int kTopMargin = 40;
constexpr int kSideMargin = 16;
constexpr int kMinimumHeight = 160;

// One match: the request's method (bold, monospaced), the title, and at the right, dimmed, the
// request's URL or the command's shortcut.
class PaletteRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString title = item.text;
        item.text.clear();
        QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

        QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget)
                         .adjusted(4, 0, -4, 0);
        const bool selected = item.state & QStyle::State_Selected;
        const QColor primary
            = item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const QColor secondary
            = item.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText);
        painter->save();
        if (const QString badge = index.data(CommandPaletteModel::BadgeRole).toString();
            !badge.isEmpty()) {
            QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
            font.setBold(true);
            painter->setFont(font);
            painter->setPen(secondary);
            const int width = QFontMetrics(font).horizontalAdvance(u"OPTIONS"_s);
            painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, badge);
            text.setLeft(text.left() + width + 8);
        }
        painter->setFont(item.font);
        const QFontMetrics metrics(item.font);
        if (const QString detail = index.data(CommandPaletteModel::DetailRole).toString();
            !detail.isEmpty()) {
            // A pixel to spare: eliding measures with fractions the advance rounds away.
            const int width = std::min(metrics.horizontalAdvance(detail) + 1, text.width() / 2);
            painter->setPen(secondary);
            painter->drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                metrics.elidedText(detail, Qt::ElideMiddle, width));
            text.setRight(text.right() - width - 12);
        }
        painter->setPen(primary);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(title, Qt::ElideRight, text.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 8);
    }
};

} // namespace

CommandPalette::CommandPalette(AppState& state, QWidget* area)
    : QFrame(area)
    , m_state(state)
    , m_model(new CommandPaletteModel(state, this))
    , m_query(new QLineEdit(this))
    , m_clear(makeSymbolButton(
          u"clearSearchButton"_s, u"xmark.circle.fill", u"\u00D7"_s, tr("Clear"), this))
    , m_close(new QToolButton(this))
    , m_results(new QListView(this))
    , m_noMatches(new QLabel(tr("No matching requests"), this))
{
    setObjectName(u"commandPalette"_s);
    setAccessibleName(tr("Command Palette"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    buildControls();

    auto* queryRow = new QHBoxLayout;
    queryRow->addWidget(m_query);
    queryRow->addWidget(m_clear);
    queryRow->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(queryRow);
    layout->addWidget(m_results);
    layout->addWidget(m_noMatches);

    connect(m_query, &QLineEdit::textChanged, m_model, &CommandPaletteModel::setQuery);
    connect(m_query, &QLineEdit::returnPressed, this,
        [this] { activateRow(m_results->currentIndex().row()); });
    connect(m_clear, &QToolButton::clicked, m_query, &QLineEdit::clear);
    connect(m_close, &QToolButton::clicked, this, &CommandPalette::hidePalette);
    connect(m_results, &QListView::clicked, this,
        [this](const QModelIndex& index) { activateRow(index.row()); });
    connect(m_results, &QListView::activated, this,
        [this](const QModelIndex& index) { activateRow(index.row()); });
    connect(m_model, &QAbstractItemModel::modelReset, this, &CommandPalette::showResults);

    area->installEventFilter(this);
    hide();
}

void CommandPalette::buildControls()
{
    m_query->setObjectName(u"paletteQuery"_s);
    m_query->setPlaceholderText(tr("Search requests..."));
    m_query->setAccessibleName(tr("Search requests"));
    QAction* glass
        = m_query->addAction(icons::icon(u"magnifyingglass"), QLineEdit::LeadingPosition);
    glass->setText(tr("Search"));
    m_query->installEventFilter(this);

    m_clear->setAutoRaise(true);
    m_clear->setFocusPolicy(Qt::NoFocus);
    m_close->setObjectName(u"closePaletteButton"_s);
    m_close->setText(tr("Esc"));
    m_close->setToolTip(tr("Close"));
    m_close->setAccessibleName(tr("Close"));
    m_close->setFocusPolicy(Qt::NoFocus);

    m_results->setObjectName(u"paletteResults"_s);
    m_results->setAccessibleName(tr("Matches"));
    m_results->setModel(m_model);
    // One size for every row, so that commands without an icon line up with those with one.
    m_results->setIconSize(QSize(16, 16));
    m_results->setItemDelegate(new PaletteRowDelegate(m_results));
    m_results->setUniformItemSizes(true);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_noMatches->setObjectName(u"noMatchesLabel"_s);
    m_noMatches->setAlignment(Qt::AlignCenter);
    m_noMatches->setForegroundRole(QPalette::PlaceholderText);
}

void CommandPalette::setCommands(const QList<QAction*>& commands)
{
    m_model->setCommands(commands);
}

void CommandPalette::showPalette()
{
    if (isVisible())
        return;
    m_previousFocus = QApplication::focusWidget();
    {
        const QSignalBlocker quiet(m_query);
        m_query->clear();
    }
    m_model->setQuery(QString());
    place();
    show();
    raise();
    m_query->setFocus();
    // Watches every press in the application, to close when one lands outside.
    qApp->installEventFilter(this);
}

void CommandPalette::hidePalette()
{
    if (isHidden())
        return;
    dismiss(true);
}

void CommandPalette::dismiss(bool returnFocus)
{
    qApp->removeEventFilter(this);
    hide();
    m_model->deactivate();
    if (returnFocus && m_previousFocus && m_previousFocus->isVisible())
        m_previousFocus->setFocus();
}

bool CommandPalette::focusNextPrevChild(bool next)
{
    // While open, Tab goes round the palette's own controls: it floats over the window, and
    // a focus that wandered off under it would leave it open but deaf.
    QList<QWidget*> stops;
    for (QWidget* widget = nextInFocusChain(); widget != this;
         widget = widget->nextInFocusChain()) {
        if (isAncestorOf(widget) && widget->isVisible() && widget->isEnabled()
            && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy())
            stops.append(widget);
    }
    if (stops.isEmpty())
        return true;
    const qsizetype at = stops.indexOf(QApplication::focusWidget());
    const qsizetype count = stops.size();
    const qsizetype to = at < 0 ? 0 : (at + (next ? 1 : count - 1)) % count;
    stops[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void CommandPalette::toggle()
{
    if (isVisible())
        hidePalette();
    else
        showPalette();
}

void CommandPalette::place()
{
    const QRect area = parentWidget()->rect();
    const int width = std::min(kMaximumWidth, area.width() - 2 * kSideMargin);
    const int height = std::max(
        kMinimumHeight, std::min(kMaximumHeight, area.height() - kTopMargin - kSideMargin));
    setGeometry((area.width() - width) / 2, kTopMargin, width, height);
}

void CommandPalette::showResults()
{
    const bool found = m_model->rowCount() > 0;
    m_clear->setVisible(!m_query->text().isEmpty());
    m_results->setVisible(found);
    m_noMatches->setVisible(!found);
    if (found)
        m_results->setCurrentIndex(m_model->index(0));
}

void CommandPalette::moveHighlight(int step)
{
    const int count = m_model->rowCount();
    if (count == 0)
        return;
    const int row = std::clamp(m_results->currentIndex().row() + step, 0, count - 1);
    m_results->setCurrentIndex(m_model->index(row));
}

void CommandPalette::activateRow(int row)
{
    // A double click reports its row twice; the first one has closed the palette.
    if (isHidden() || row < 0)
        return;
    if (const auto match = m_model->requestAt(row)) {
        const Collection& collection = m_state.collections()[match->collection];
        const APIRequest request = collection.requests[match->request];
        const QUuid collectionID = collection.id;
        hidePalette();
        m_state.openFromCollection(request, collectionID);
        return;
    }
    // Closed first, so that a command that opens a sheet or moves the focus keeps it.
    const QPointer<QAction> command = m_model->commandAt(row);
    hidePalette();
    if (command)
        command->trigger();
}

bool CommandPalette::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == parentWidget() && isVisible())
            place();
        break;
    case QEvent::KeyPress:
        if (watched == m_query) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Down || key == Qt::Key_Up) {
                moveHighlight(key == Qt::Key_Down ? 1 : -1);
                return true;
            }
        }
        break;
    case QEvent::FocusIn: {
        // The focus went elsewhere by another way than Tab (a shortcut, a sheet): the palette
        // no longer has the keyboard, so it goes, leaving the focus where it went.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget != this && !isAncestorOf(widget) && isVisible())
            dismiss(false);
        break;
    }
    case QEvent::MouseButtonPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget != this && !isAncestorOf(widget))
            hidePalette();
        break;
    }
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void CommandPalette::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hidePalette();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace mako
