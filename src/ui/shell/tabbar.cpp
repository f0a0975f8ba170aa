#include "ui/shell/tabbar.h"

#include "state/appstate.h"
#include "state/unsavedchanges.h"
#include "ui/commands/shortcutmap.h"
#include "ui/common/symbolbutton.h"
#include "ui/shell/tabcloser.h"

#include <QAction>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QString kMethodLabelName = u"tabMethodLabel"_s;
const QString kUnsavedMarkName = u"tabUnsavedMark"_s;

// The method for plain HTTP, where it is what tells two requests apart; the protocol otherwise.
QString protocolLabel(const APIRequest& request)
{
    if (request.requestProtocol == RequestProtocol::http)
        return methodName(request);
    return rawValue(request.requestProtocol);
}

// Shrunk to make room, a tab keeps a dozen characters of its name; past that the bar scrolls.
// Qt's own minimum keeps three, which reads as one letter and an ellipsis.
class RequestTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize minimumTabSizeHint(int index) const override
    {
        constexpr int kMoreCharacters = 9;
        QSize size = QTabBar::minimumTabSizeHint(index);
        const int readable = size.width() + fontMetrics().averageCharWidth() * kMoreCharacters;
        size.setWidth(std::min(tabSizeHint(index).width(), readable));
        return size;
    }
};

} // namespace

TabBar::TabBar(AppState& state, const ShortcutMap& shortcuts, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_tabs(new RequestTabBar(this))
    , m_newTab(makeSymbolButton(u"newTabButton"_s, u"plus", u"+"_s, tr("New Request"), this))
    , m_nextTab(new QAction(tr("Next Tab"), this))
    , m_previousTab(new QAction(tr("Previous Tab"), this))
    , m_closeTab(new QAction(tr("Close Tab"), this))
    , m_closer(new TabCloser(state, this))
{
    setObjectName(u"tabBar"_s);
    m_tabs->setObjectName(u"requestTabs"_s);
    m_tabs->setAccessibleName(tr("Open Requests"));
    m_tabs->setDocumentMode(true);
    m_tabs->setExpanding(false);
    m_tabs->setElideMode(Qt::ElideRight);
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tabs->installEventFilter(this);

    m_newTab->setAutoRaise(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_newTab);
    layout->addStretch();

    setUpShortcuts(shortcuts);
    connect(m_newTab, &QToolButton::clicked, this, [this] { m_state.openNewRequest(); });
    connect(m_tabs, &QTabBar::currentChanged, this, &TabBar::handleCurrentChanged);
    connect(m_tabs, &QTabBar::customContextMenuRequested, this, &TabBar::showContextMenu);
    followState();
}

void TabBar::setUpShortcuts(const ShortcutMap& shortcuts)
{
    // Ctrl+Tab, and Ctrl+Shift+Tab, which arrives as a back-tab.
    m_nextTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
    m_previousTab->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    for (QAction* action : {m_nextTab, m_previousTab}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(m_nextTab, &QAction::triggered, this, [this] { cycle(1); });
    connect(m_previousTab, &QAction::triggered, this, [this] { cycle(-1); });

    m_closeTab->setObjectName(u"closeTabAction"_s);
    shortcuts.bind(m_closeTab, Shortcut::closeTab);
    m_closeTab->setShortcutContext(Qt::WindowShortcut);
    addAction(m_closeTab);
    connect(m_closeTab, &QAction::triggered, this, [this] {
        if (const auto& active = m_state.activeTabID())
            m_closer->closeTab(*active);
    });
}

void TabBar::followState()
{
    const TabStore& tabs = m_state.tabStore();
    connect(&tabs, &TabStore::tabsInserted, this, &TabBar::insertTabs);
    connect(&tabs, &TabStore::tabsRemoved, this, &TabBar::removeTabs);
    connect(&tabs, &TabStore::tabChanged, this, &TabBar::updateTab);
    connect(&tabs, &TabStore::activeTabIDChanged, this, &TabBar::showActiveTab);
    connect(&tabs, &TabStore::openRequestChanged, this, &TabBar::updateActiveItem);
    connect(&tabs, &TabStore::openRequestOriginChanged, this, &TabBar::updateActiveItem);
    connect(&m_state.collectionStore(), &CollectionStore::collectionsChanged, this,
        &TabBar::updateUnsavedMarks);

    m_closeTab->setEnabled(false);
    if (!m_state.tabs().isEmpty())
        insertTabs(0, int(m_state.tabs().size()) - 1);
    showActiveTab();
}

void TabBar::insertTabs(int first, int last)
{
    const QScopedValueRollback following(m_following, true);
    m_closeTab->setEnabled(true);
    for (int index = first; index <= last; ++index) {
        m_tabs->insertTab(index, QString());
        m_tabs->setTabData(index, m_state.tabs().at(index).id);
        m_tabs->setTabButton(index, QTabBar::LeftSide, makeLeadingWidget());
        m_tabs->setTabButton(index, QTabBar::RightSide, makeCloseButton());
        updateItem(index);
    }
}

void TabBar::removeTabs(int first, int last)
{
    const QScopedValueRollback following(m_following, true);
    for (int index = last; index >= first; --index)
        m_tabs->removeTab(index);
    // With no tab, Ctrl+W has nothing to close (and must not close the window either).
    m_closeTab->setEnabled(m_tabs->count() > 0);
    showActiveTab();
}

QWidget* TabBar::makeLeadingWidget()
{
    auto* leading = new QWidget;
    auto* method = new QLabel(leading);
    method->setObjectName(kMethodLabelName);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(true);
    font.setPixelSize(10);
    method->setFont(font);

    auto* mark = new QLabel(u"\u25CF"_s, leading);
    mark->setObjectName(kUnsavedMarkName);
    mark->setForegroundRole(QPalette::Highlight);
    mark->setToolTip(tr("Unsaved changes"));
    mark->setAccessibleName(tr("Unsaved changes"));

    auto* layout = new QHBoxLayout(leading);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(method);
    layout->addWidget(mark);
    return leading;
}

QToolButton* TabBar::makeCloseButton()
{
    QToolButton* button
        = makeSymbolButton(u"closeTabButton"_s, u"xmark", u"\u00D7"_s, tr("Close Tab"), nullptr);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, button] { handleCloseClicked(button); });
    return button;
}

void TabBar::updateTab(const QUuid& tabID)
{
    const int index = indexOf(tabID);
    if (index >= 0)
        updateItem(index);
}

void TabBar::updateItem(int index)
{
    const QUuid id = idAt(index);
    const RequestTab* tab = m_state.tabStore().tab(id);
    const APIRequest* request = shownRequest(id);
    if (!tab || !request)
        return;
    const bool active = m_state.activeTabID() == id;
    const RequestOrigin& origin = active ? m_state.openRequestOrigin() : tab->origin;

    QWidget* leading = m_tabs->tabButton(index, QTabBar::LeftSide);
    leading->findChild<QLabel*>(kMethodLabelName)->setText(protocolLabel(*request));
    leading->findChild<QLabel*>(kUnsavedMarkName)
        ->setVisible(hasUnsavedChanges(*request, origin, m_state.collections()));
    leading->adjustSize();
    // Set last: it lays the tabs out again, with the leading widget's new size. A tab's text
    // is a mnemonic string, so an ampersand in a name must be doubled to stay one.
    m_tabs->setTabText(index, QString(request->name).replace(u'&', u"&&"_s));
    m_tabs->setTabToolTip(index, request->name);
}

void TabBar::updateActiveItem()
{
    if (const auto& active = m_state.activeTabID())
        updateTab(*active);
}

void TabBar::updateUnsavedMarks()
{
    for (int index = 0; index < m_tabs->count(); ++index)
        updateItem(index);
}

void TabBar::showActiveTab()
{
    const QScopedValueRollback following(m_following, true);
    const auto& active = m_state.activeTabID();
    const int index = active ? indexOf(*active) : -1;
    if (index >= 0)
        m_tabs->setCurrentIndex(index);
}

void TabBar::handleCurrentChanged(int index)
{
    if (m_following || index < 0)
        return;
    m_state.switchToTab(idAt(index));
}

void TabBar::handleCloseClicked(QToolButton* button)
{
    for (int index = 0; index < m_tabs->count(); ++index) {
        if (m_tabs->tabButton(index, QTabBar::RightSide) == button) {
            m_closer->closeTab(idAt(index));
            return;
        }
    }
}

void TabBar::showContextMenu(const QPoint& position)
{
    const int index = m_tabs->tabAt(position);
    if (index < 0)
        return;
    const QUuid id = idAt(index);
    auto* menu = new QMenu(this);
    menu->setObjectName(u"tabContextMenu"_s);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("Close"), this, [this, id] { m_closer->closeTab(id); });
    menu->addAction(tr("Close Others"), this, [this, id] { m_closer->closeOtherTabs(id); });
    menu->addAction(tr("Close All"), this, [this] { m_closer->closeAllTabs(); });
    menu->popup(m_tabs->mapToGlobal(position));
}

bool TabBar::eventFilter(QObject* watched, QEvent* event)
{
    // A middle click closes the tab under the pointer, as in a browser.
    if (watched == m_tabs && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int index = m_tabs->tabAt(mouse->position().toPoint());
        if (mouse->button() == Qt::MiddleButton && index >= 0) {
            m_closer->closeTab(idAt(index));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TabBar::cycle(int step)
{
    const int count = m_tabs->count();
    if (count == 0)
        return;
    const auto& active = m_state.activeTabID();
    const int current = active ? indexOf(*active) : -1;
    const int next = current < 0 ? (step > 0 ? 0 : count - 1) : (current + step + count) % count;
    m_state.switchToTab(idAt(next));
}

QUuid TabBar::idAt(int index) const
{
    return m_tabs->tabData(index).toUuid();
}

int TabBar::indexOf(const QUuid& tabID) const
{
    for (int index = 0; index < m_tabs->count(); ++index) {
        if (idAt(index) == tabID)
            return index;
    }
    return -1;
}

const APIRequest* TabBar::shownRequest(const QUuid& tabID) const
{
    if (m_state.activeTabID() == tabID && m_state.openRequest())
        return &*m_state.openRequest();
    const RequestTab* tab = m_state.tabStore().tab(tabID);
    return tab ? &tab->request : nullptr;
}

} // namespace mako
