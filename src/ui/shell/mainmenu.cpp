#include "ui/shell/mainmenu.h"

#include "state/appstate.h"
#include "ui/commands/commands.h"
#include "ui/commands/shortcutmap.h"
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
#include <optional>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QUrl kWebsite {u"https://mako.quorin.com/"_s};
const QUrl kShortcutsPage {u"https://mako.quorin.com/docs/keyboard-shortcuts"_s};
const QUrl kSupportPage {u"https://mako.quorin.com/support"_s};

struct Item {
    QString objectName;
    QString text;
    std::optional<Shortcut> shortcut;
    QStringView symbol;
    std::function<void()> run;
};

QAction* addItem(QMenu* menu, QObject* context, const ShortcutMap& shortcuts, const Item& item)
{
    QAction* action = menu->addAction(item.text);
    action->setObjectName(item.objectName);
    if (item.shortcut)
        shortcuts.bind(action, *item.shortcut);
    if (!item.symbol.isEmpty())
        action->setIcon(icons::icon(item.symbol));
    QObject::connect(action, &QAction::triggered, context, item.run);
    return action;
}

} // namespace

MainMenu::MainMenu(MainWindow& window, AppState& state, Commands& commands, FileCommands& files,
    const ShortcutMap& shortcuts)
    : QObject(&window)
    , m_window(window)
    , m_state(state)
    , m_commands(commands)
    , m_files(files)
    , m_shortcuts(shortcuts)
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
    addItem(menu, this, m_shortcuts,
        {u"newRequestAction"_s, tr("New Request"), Shortcut::newRequest, u"doc.badge.plus",
            [this] { m_state.openNewRequest(); }});
    menu->addSeparator();
    addItem(menu, this, m_shortcuts,
        {u"importPostmanCollectionAction"_s, tr("Import Postman Collection..."),
            Shortcut::importPostmanCollection, u"square.and.arrow.down.fill",
            [this] { m_files.importPostmanCollection(); }});
    addItem(menu, this, m_shortcuts,
        {u"importPostmanEnvironmentAction"_s, tr("Import Postman Environment..."),
            Shortcut::importPostmanEnvironment, {},
            [this] { m_files.importPostmanEnvironment(); }});
    menu->addSeparator();
    m_exportCollection = addItem(menu, this, m_shortcuts,
        {u"exportCollectionAction"_s, tr("Export Collection..."), Shortcut::exportCollection,
            u"square.and.arrow.up", [this] { Q_EMIT m_commands.exportCollection(); }});
    addItem(menu, this, m_shortcuts,
        {u"importMakoCollectionAction"_s, tr("Import Mako Collection..."),
            Shortcut::importMakoCollection, {}, [this] { m_files.importMakoCollection(); }});
    addItem(menu, this, m_shortcuts,
        {u"openFolderCollectionAction"_s, tr("Open Folder as Collection..."), std::nullopt,
            u"folder", [this] { m_files.openFolderCollection(); }});
    menu->addSeparator();
    addItem(menu, this, m_shortcuts,
        {u"importCurlAction"_s, tr("Import from cURL..."), Shortcut::importCurl, u"terminal.fill",
            [this] { Q_EMIT m_commands.importCurl(); }});
    menu->addSeparator();
    m_openRequestActions = {
        addItem(menu, this, m_shortcuts,
            {u"sendRequestAction"_s, tr("Send Request"), Shortcut::sendRequest, u"paperplane.fill",
                [this] { Q_EMIT m_commands.sendRequest(); }}),
        addItem(menu, this, m_shortcuts,
            {u"saveToCollectionAction"_s, tr("Save to Collection"), Shortcut::saveToCollection,
                u"square.and.arrow.down", [this] { Q_EMIT m_commands.saveToCollection(); }}),
        addItem(menu, this, m_shortcuts,
            {u"duplicateRequestAction"_s, tr("Duplicate Request"), Shortcut::duplicateRequest,
                u"doc.on.doc", [this] { Q_EMIT m_commands.duplicateRequest(); }}),
    };
    menu->addSeparator();
    QAction* preferences = addItem(menu, this, m_shortcuts,
        {u"preferencesAction"_s, tr("Preferences..."), Shortcut::preferences, u"gearshape",
            [this] { Q_EMIT m_commands.preferences(); }});
    preferences->setMenuRole(QAction::PreferencesRole);
    menu->addSeparator();
    addItem(menu, this, m_shortcuts,
        {u"closeWindowAction"_s, tr("Close Window"), Shortcut::closeWindow, {},
            [this] { m_window.close(); }});
    addItem(menu, this, m_shortcuts, {u"quitAction"_s, tr("Quit"), Shortcut::quit, u"power", [] {
                                          // Closing first lets every window remember its place.
                                          QApplication::closeAllWindows();
                                          QCoreApplication::quit();
                                      }});
}

void MainMenu::buildViewMenu(QMenu* menu)
{
    menu->setObjectName(u"viewMenu"_s);
    addItem(menu, this, m_shortcuts,
        {u"toggleSidebarAction"_s, tr("Toggle Sidebar"), Shortcut::toggleSidebar, u"sidebar.left",
            [this] { m_window.toggleSidebar(); }});
    addItem(menu, this, m_shortcuts,
        {u"quickOpenAction"_s, tr("Quick Open"), Shortcut::quickOpen, u"magnifyingglass",
            [this] { Q_EMIT m_commands.commandPalette(); }});
}

void MainMenu::buildWindowMenu(QMenu* menu)
{
    menu->setObjectName(u"windowMenu"_s);
    addItem(menu, this, m_shortcuts,
        {u"cookiesAction"_s, tr("Cookies..."), Shortcut::manageCookies, {},
            [this] { Q_EMIT m_commands.manageCookies(); }});
    menu->addSeparator();
    addItem(menu, this, m_shortcuts,
        {u"minimizeAction"_s, tr("Minimize"), Shortcut::minimize, {},
            [this] { m_window.showMinimized(); }});
}

void MainMenu::buildHelpMenu(QMenu* menu)
{
    menu->setObjectName(u"helpMenu"_s);
    const auto open = [](const QUrl& url) { return [url] { QDesktopServices::openUrl(url); }; };
    addItem(menu, this, m_shortcuts,
        {u"websiteAction"_s, tr("Mako Website"), {}, u"globe", open(kWebsite)});
    addItem(menu, this, m_shortcuts,
        {u"keyboardShortcutsAction"_s, tr("Keyboard Shortcuts"), {}, u"keyboard",
            open(kShortcutsPage)});
    menu->addSeparator();
    addItem(menu, this, m_shortcuts,
        {u"supportAction"_s, tr("♥ Support Mako"), {}, {}, open(kSupportPage)});
}

void MainMenu::updateEnabledActions()
{
    m_exportCollection->setEnabled(!m_state.collections().isEmpty());
    // Without an open request these would have nothing to act on.
    for (QAction* action : m_openRequestActions)
        action->setEnabled(m_state.openRequest().has_value());
}

} // namespace mako
