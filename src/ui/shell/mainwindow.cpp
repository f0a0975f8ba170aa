#include "ui/shell/mainwindow.h"

#include "execution/networkservice.h"
#include "state/appstate.h"
#include "state/settings.h"
#include "ui/commands/commands.h"
#include "ui/common/focusreturn.h"
#include "ui/common/icons.h"
#include "ui/editor/requestview.h"
#include "ui/response/responseview.h"
#include "ui/screens/graphqlscreen.h"
#include "ui/screens/ssescreen.h"
#include "ui/screens/websocketscreen.h"
#include "ui/shell/alertpresenter.h"
#include "ui/shell/commandpalette.h"
#include "ui/shell/cookiessheet.h"
#include "ui/shell/detailarea.h"
#include "ui/shell/environmentselector.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainmenu.h"
#include "ui/shell/protocolpicker.h"
#include "ui/shell/requestcommands.h"
#include "ui/shell/tabbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStyleHints>
#include <QToolBar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// The window's own place in the preference store, beside the preferences.
const SettingKey<QByteArray> kWindowGeometry {u"window/geometry"_s, {}};
const SettingKey<QByteArray> kWindowSplitter {u"window/splitter"_s, {}};
const SettingKey<bool> kSidebarHidden {u"window/sidebarHidden"_s, false};

} // namespace

MainWindow::MainWindow(AppState& state, Commands& commands, Settings& settings,
    FileDialogs& dialogs, const ShortcutMap& shortcuts, QWidget* parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_splitter(new QSplitter(Qt::Horizontal))
    , m_sidebar(buildSidebarSlot())
    , m_detailArea(new DetailArea(state, commands, shortcuts))
    , m_fileCommands(new FileCommands(state, dialogs, this))
{
    setObjectName(u"mainWindow"_s);
    setWindowTitle(tr("Mako"));
    setMinimumSize(kMinimumSize);
    setUnifiedTitleAndToolBarOnMac(true);
    // Closing a sheet puts a keyboard user back where they were, not at the window's start.
    new FocusReturn(this);

    m_splitter->setObjectName(u"mainSplitter"_s);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_sidebar);
    m_splitter->addWidget(m_detailArea);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    // The preferred starting width; a width the user dragged to is restored below.
    const int sidebarWidth = std::clamp(static_cast<int>(settings.value(SettingKeys::sidebarWidth)),
        kSidebarMinimumWidth, kSidebarMaximumWidth);
    m_splitter->setSizes({sidebarWidth, kDefaultSize.width() - sidebarWidth});
    setCentralWidget(m_splitter);
    // Choosing a width in the preferences is as good as dragging to it: it wins over the
    // remembered split from then on.
    connect(&settings, &Settings::valueChanged, this, [this](const QString& key) {
        if (key == SettingKeys::sidebarWidth.name)
            applySidebarWidth();
    });

    buildToolBar(state);
    new MainMenu(*this, state, commands, *m_fileCommands, shortcuts);
    new AlertPresenter(state, this);
    connect(
        &commands, &Commands::exportCollection, m_fileCommands, &FileCommands::exportCollection);
    connect(&commands, &Commands::importCurl, m_fileCommands, &FileCommands::importCurl);
    connect(&commands, &Commands::manageCookies, this, &MainWindow::openCookies);
    connect(&commands, &Commands::importPostman, m_fileCommands,
        &FileCommands::importPostmanCollection);
    buildRequestAreas(state, commands, dialogs, shortcuts);
    // A quit that closes no window (a signal from the desktop's session) still remembers the
    // window's place.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::saveWindowState);
    restoreWindowState();
}

void MainWindow::buildRequestAreas(
    AppState& state, Commands& commands, FileDialogs& dialogs, const ShortcutMap& shortcuts)
{
    auto* tabBar = new TabBar(state, shortcuts);
    m_detailArea->setTabBar(tabBar);
    m_tabBar = tabBar;
    // The tab bar's own command, listed in the File menu above the window's.
    if (auto* closeWindow = findChild<QAction*>(u"closeWindowAction"_s)) {
        if (auto* fileMenu = menuBar()->findChild<QMenu*>(u"fileMenu"_s))
            fileMenu->insertAction(closeWindow, tabBar->closeTabAction());
    }
    m_detailArea->setProtocolScreen(RequestProtocol::http, [&state, &commands, &dialogs, this] {
        auto* requestView = new RequestView(state, commands, m_settings);
        auto* response = new ResponseView(state, &m_settings, &dialogs);
        connect(
            response, &ResponseView::manageCookiesRequested, &commands, &Commands::manageCookies);
        requestView->setResponsePane(response);
        return requestView;
    });
    m_detailArea->setProtocolScreen(RequestProtocol::graphql, [&state, &commands, &dialogs, this] {
        return new GraphQLScreen(state, commands, &m_settings, &dialogs);
    });
    m_detailArea->setProtocolScreen(RequestProtocol::websocket,
        [&state, &commands] { return new WebSocketScreen(state, commands); });
    m_detailArea->setProtocolScreen(
        RequestProtocol::sse, [&state, &commands] { return new SSEScreen(state, commands); });
    setEnvironmentSelector(new EnvironmentSelector(state));
    auto* requestCommands = new RequestCommands(state, this);
    connect(&commands, &Commands::saveToCollection, requestCommands,
        &RequestCommands::saveCurrentRequest);
    connect(&commands, &Commands::duplicateRequest, requestCommands,
        &RequestCommands::duplicateCurrentRequest);
    auto* palette = new CommandPalette(state, m_detailArea);
    palette->setObjectName(u"commandPalette"_s);
    // Every menu item, so that a keyboard user finds any command by its name.
    QList<QAction*> menuCommands;
    for (QAction* menu : menuBar()->actions()) {
        if (menu->menu())
            menuCommands += menu->menu()->actions();
    }
    palette->setCommands(menuCommands);
    connect(&commands, &Commands::commandPalette, palette, &CommandPalette::toggle);
}

void MainWindow::openCookies()
{
    if (!m_cookiesSheet) {
        m_cookiesSheet
            = new CookiesSheet(NetworkService::shared().engine().cookies(), m_settings, this);
        m_cookiesSheet->open();
    }
    m_cookiesSheet->raise();
    m_cookiesSheet->activateWindow();
}

void MainWindow::setSidebar(QWidget* sidebar)
{
    sidebar->setMinimumWidth(kSidebarMinimumWidth);
    sidebar->setMaximumWidth(kSidebarMaximumWidth);
    sidebar->setHidden(m_sidebar->isHidden());
    const QList<int> sizes = m_splitter->sizes();
    delete m_splitter->replaceWidget(0, sidebar);
    m_sidebar = sidebar;
    m_splitter->setSizes(sizes);
}

void MainWindow::setEnvironmentSelector(QWidget* selector)
{
    QAction* old = m_environmentSelector;
    m_environmentSelector = m_toolBar->insertWidget(old, selector);
    m_toolBar->removeAction(old);
    delete old;
}

void MainWindow::toggleSidebar()
{
    m_sidebar->setVisible(!m_sidebar->isVisible());
}

void MainWindow::saveWindowState()
{
    m_settings.setValue(kWindowGeometry, saveGeometry());
    m_settings.setValue(kWindowSplitter, m_splitter->saveState());
    m_settings.setValue(kSidebarHidden, m_sidebar->isHidden());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveWindowState();
    QMainWindow::closeEvent(event);
}

QList<QWidget*> MainWindow::focusChainInReadingOrder() const
{
    // Qt's chain runs in the order the widgets joined the window: the toolbar after the split,
    // the sidebar and every screen built on first use after both. Within each area that order
    // is right; the areas themselves go as a reader sees them.
    const QWidget* const areas[] {m_toolBar, m_sidebar, m_tabBar, m_detailArea};
    const auto areaOf = [&areas](const QWidget* widget) {
        for (qsizetype index = 0; index < std::ssize(areas); ++index) {
            if (areas[index] && (areas[index] == widget || areas[index]->isAncestorOf(widget)))
                return index;
        }
        return qsizetype(std::ssize(areas));
    };
    QList<std::pair<qsizetype, QWidget*>> chain;
    for (QWidget* widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain())
        chain.append({areaOf(widget), widget});
    std::stable_sort(
        chain.begin(), chain.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<QWidget*> ordered;
    ordered.reserve(chain.size());
    for (const auto& [area, widget] : chain)
        ordered.append(widget);
    return ordered;
}

bool MainWindow::focusNextPrevChild(bool next)
{
    const QList<QWidget*> chain = focusChainInReadingOrder();
    QWidget* current = focusWidget();
    const qsizetype start = current ? chain.indexOf(current) : -1;
    if (chain.isEmpty() || start < 0)
        return QMainWindow::focusNextPrevChild(next);
    const Qt::FocusPolicy wanted
        = QGuiApplication::styleHints()->tabFocusBehavior() == Qt::TabFocusAllControls
        ? Qt::TabFocus
        : Qt::StrongFocus;
    const qsizetype count = chain.size();
    // The rules Qt's own Tab follows, over the reordered chain.
    for (qsizetype step = 1; step < count; ++step) {
        QWidget* candidate = chain[((next ? start + step : start - step) % count + count) % count];
        QWidget* proxy = candidate->focusProxy();
        while (proxy && proxy->focusProxy())
            proxy = proxy->focusProxy();
        const Qt::FocusPolicy policy = proxy ? proxy->focusPolicy() : candidate->focusPolicy();
        // Into a compound widget through its proxy only from the right side, so that Tab does
        // not bounce between the widget and its own child.
        const bool composite
            = proxy && (next ? proxy->isAncestorOf(candidate) : candidate->isAncestorOf(proxy));
        if ((policy & wanted) == wanted && !composite && candidate->isVisibleTo(this)
            && candidate->isEnabled() && proxy != current) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

QWidget* MainWindow::buildSidebarSlot()
{
    // The sidebar's column; its contents come with the sidebar itself.
    auto* sidebar = new QWidget;
    sidebar->setObjectName(u"sidebar"_s);
    sidebar->setMinimumWidth(kSidebarMinimumWidth);
    sidebar->setMaximumWidth(kSidebarMaximumWidth);
    return sidebar;
}

void MainWindow::buildToolBar(AppState& state)
{
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(u"mainToolBar"_s);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    QAction* sidebarToggle = m_toolBar->addAction(
        icons::icon(u"sidebar.left"), tr("Toggle Sidebar"), this, &MainWindow::toggleSidebar);
    sidebarToggle->setObjectName(u"sidebarToggleAction"_s);
    QWidget* toggleButton = m_toolBar->widgetForAction(sidebarToggle);
    toggleButton->setObjectName(u"sidebarToggleButton"_s);
    // The toolbar's first control, where a keyboard user starts: Tab reaches it as any other.
    toggleButton->setFocusPolicy(Qt::TabFocus);
    toggleButton->setAccessibleDescription(
        tr("Shows or hides the sidebar with the collections and the history"));
    m_toolBar->addSeparator();
    m_toolBar->addWidget(new ProtocolPicker(state));
    auto* spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    // The environment selector's place.
    auto* selector = new QWidget;
    selector->setObjectName(u"environmentSelector"_s);
    m_environmentSelector = m_toolBar->addWidget(selector);
}

void MainWindow::applySidebarWidth()
{
    const int width = std::clamp(static_cast<int>(m_settings.value(SettingKeys::sidebarWidth)),
        kSidebarMinimumWidth, kSidebarMaximumWidth);
    const QList<int> sizes = m_splitter->sizes();
    m_splitter->setSizes({width, std::max(0, sizes.value(0) + sizes.value(1) - width)});
}

void MainWindow::restoreWindowState()
{
    const QByteArray geometry = m_settings.value(kWindowGeometry);
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(kDefaultSize);
    const QByteArray splitter = m_settings.value(kWindowSplitter);
    if (!splitter.isEmpty())
        m_splitter->restoreState(splitter);
    m_sidebar->setHidden(m_settings.value(kSidebarHidden));
}

} // namespace mako
