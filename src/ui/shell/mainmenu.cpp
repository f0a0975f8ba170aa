#include "ui/shell/mainmenu.h"

#include "state/appstate.h"
#include "ui/commands/commands.h"
#include "ui/commands/shortcuts.h"
#include "ui/common/icons.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

#include <functional>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QUrl kWebsite {u"https://mako.quorin.com/"_s};
const QUrl kShortcutsPage {u"https://mako.quorin.com/docs/keyboard-shortcuts"_s};
const QUrl kSupportPage {u"https://mako.quorin.com/support"_s};

struct Item {
    QString objectName;
    QString text;
    QKeySequence shortcut;
    QStringView symbol;
    std::function<void()> run;
};

QAction* addItem(QMenu* menu, QObject* context, const Item& item)
{
    QAction* action = menu->addAction(item.text);
    action->setObjectName(item.objectName);
    action->setShortcut(item.shortcut);
    if (!item.symbol.isEmpty())
        action->setIcon(icons::icon(item.symbol));
    QObject::connect(action, &QAction::triggered, context, item.run);
    return action;
}

} // namespace

MainMenu::MainMenu(MainWindow& window, AppState& state, Commands& commands, FileCommands& files)
    : QObject(&window)
    , m_window(window)
    , m_state(state)
    , m_commands(commands)
    , m_files(files)
{
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(u"menuBar"_s);
    buildFileMenu(bar->addMenu(tr("&File")));
    buildViewMenu(bar->addMenu(tr("&View")));
    buildWindowMenu(bar->addMenu(tr("&Window")));
    buildHelpMenu(bar->addMenu(tr("&Help")));
    connect(&m_state, &AppState::collectionsChanged, this, &MainMenu::updateEnabledActions);
    connect(&m_state, &AppState::openRequestChanged, this, &MainMenu::updateEnabledActions);
    updateEnabledActions();
}

void MainMenu::buildFileMenu(QMenu* menu)
{
    menu->setObjectName(u"fileMenu"_s);
    addItem(menu, this,
        {u"newRequestAction"_s, tr("New Request"), shortcuts::newRequest, u"doc.badge.plus",
            [this] { m_state.openNewRequest(); }});
    menu->addSeparator();
    addItem(menu, this,
        {u"importPostmanCollectionAction"_s, tr("Import Postman Collection..."),
            shortcuts::importPostmanCollection, u"square.and.arrow.down.fill",
            [this] { m_files.importPostmanCollection(); }});
    addItem(menu, this,
        {u"importPostmanEnvironmentAction"_s, tr("Import Postman Environment..."), {}, {},
            [this] { m_files.importPostmanEnvironment(); }});
    menu->addSeparator();
    m_exportCollection = addItem(menu, this,
        {u"exportCollectionAction"_s, tr("Export Collection..."), {}, u"square.and.arrow.up",
            [this] { Q_EMIT m_commands.exportCollection(); }});
    addItem(menu, this,
        {u"importMakoCollectionAction"_s, tr("Import Mako Collection..."), {}, {},
            [this] { m_files.importMakoCollection(); }});
    menu->addSeparator();
    addItem(menu, this,
        {u"importCurlAction"_s, tr("Import from cURL..."), shortcuts::importCurl, u"terminal.fill",
            [this] { Q_EMIT m_commands.importCurl(); }});
    menu->addSeparator();
    m_openRequestActions = {
        addItem(menu, this,
            {u"sendRequestAction"_s, tr("Send Request"), shortcuts::sendRequest, u"paperplane.fill",
                [this] { Q_EMIT m_commands.sendRequest(); }}),
        addItem(menu, this,
            {u"saveToCollectionAction"_s, tr("Save to Collection"), shortcuts::saveToCollection,
                u"square.and.arrow.down", [this] { Q_EMIT m_commands.saveToCollection(); }}),
        addItem(menu, this,
            {u"duplicateRequestAction"_s, tr("Duplicate Request"), shortcuts::duplicateRequest,
                u"doc.on.doc", [this] { Q_EMIT m_commands.duplicateRequest(); }}),
    };
    menu->addSeparator();
    QAction* preferences = addItem(menu, this,
        {u"preferencesAction"_s, tr("Preferences..."), shortcuts::preferences, u"gearshape",
            [this] { Q_EMIT m_commands.preferences(); }});
    preferences->setMenuRole(QAction::PreferencesRole);
    menu->addSeparator();
    addItem(menu, this,
        {u"closeWindowAction"_s, tr("Close Window"), shortcuts::closeWindow, {},
            [this] { m_window.close(); }});
    addItem(menu, this, {u"quitAction"_s, tr("Quit"), shortcuts::quit, u"power", [] {
                             // Closing first lets every window remember its place.
                             QApplication::closeAllWindows();
                             QCoreApplication::quit();
                         }});
}

void MainMenu::buildViewMenu(QMenu* menu)
{
    menu->setObjectName(u"viewMenu"_s);
    addItem(menu, this,
        {u"toggleSidebarAction"_s, tr("Toggle Sidebar"), shortcuts::toggleSidebar, u"sidebar.left",
            [this] { m_window.toggleSidebar(); }});
    addItem(menu, this,
        {u"quickOpenAction"_s, tr("Quick Open"), shortcuts::quickOpen, u"magnifyingglass",
            [this] { Q_EMIT m_commands.commandPalette(); }});
}

void MainMenu::buildWindowMenu(QMenu* menu)
{
    menu->setObjectName(u"windowMenu"_s);
    addItem(menu, this, {u"minimizeAction"_s, tr("Minimize"), shortcuts::minimize, {}, [this] {
                             m_window.showMinimized();
                         }});
}

void MainMenu::buildHelpMenu(QMenu* menu)
{
    menu->setObjectName(u"helpMenu"_s);
    const auto open = [](const QUrl& url) { return [url] { QDesktopServices::openUrl(url); }; };
    addItem(menu, this, {u"websiteAction"_s, tr("Mako Website"), {}, u"globe", open(kWebsite)});
    addItem(menu, this,
        {u"keyboardShortcutsAction"_s, tr("Keyboard Shortcuts"), {}, u"keyboard",
            open(kShortcutsPage)});
    menu->addSeparator();
    addItem(menu, this, {u"supportAction"_s, tr("♥ Support Mako"), {}, {}, open(kSupportPage)});
}

void MainMenu::updateEnabledActions()
{
    m_exportCollection->setEnabled(!m_state.collections().isEmpty());
    // Without an open request these would have nothing to act on.
    for (QAction* action : m_openRequestActions)
        action->setEnabled(m_state.openRequest().has_value());
}

} // namespace mako
