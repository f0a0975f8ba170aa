#include "ui/sidebar/sidebar.h"

#include "interchange/harexporter.h"
#include "state/appstate.h"
#include "state/settings.h"
#include "state/sidebaractions.h"
#include "ui/commands/shortcutmap.h"
#include "ui/common/clearbutton.h"
#include "ui/common/filedialogs.h"
#include "ui/common/icons.h"
#include "ui/common/symbolbutton.h"
#include "ui/sidebar/collectionauthsheet.h"
#include "ui/sidebar/collectioncommands.h"
#include "ui/sidebar/collectiontreemodel.h"
#include "ui/sidebar/collectiontreeview.h"
#include "ui/sidebar/historyview.h"
#include "ui/sidebar/namesheets.h"
#include "ui/sidebar/runnersheet.h"
#include "ui/sidebar/scriptssheet.h"
#include "ui/sidebar/searchresultsmodel.h"
#include "ui/sidebar/sidebaritemdelegate.h"
#include "ui/sidebar/templatesheet.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

Sidebar::Sidebar(AppState& state, Settings& settings, FileDialogs& dialogs,
    const ShortcutMap& shortcuts, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_shortcuts(shortcuts)
    , m_actions(new SidebarActions(&state, this))
    , m_treeModel(new CollectionTreeModel(state, *m_actions, this))
    , m_commands(new CollectionCommands(state, *m_actions, settings, dialogs, *m_treeModel, this))
    , m_search(new QLineEdit)
    , m_searchResults(new SearchResultsModel(state, this))
    , m_history(new HistoryView(state))
    , m_tree(new CollectionTreeView(*m_actions))
{
    setObjectName(u"sidebar"_s);
    setAccessibleName(tr("Sidebar"));
    buildTree();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(buildToolBar());
    layout->addWidget(buildSearchField());
    layout->addWidget(buildSearchResults(), 1);
    layout->addWidget(sectionTitle(tr("History"), u"historySectionTitle"_s));
    layout->addWidget(buildRecentRow());
    layout->addWidget(m_history, 1);
    layout->addWidget(sectionTitle(tr("Collections"), u"collectionsSectionTitle"_s));
    layout->addWidget(m_tree, 1);

    connect(&state, &AppState::selectedSidebarItemChanged, this, &Sidebar::showSelection);
    connect(m_actions, &SidebarActions::renamingIDChanged, this, &Sidebar::showRenameSheet);
    connect(m_commands, &CollectionCommands::runRequested, this, &Sidebar::showRunner);
    connect(m_commands, &CollectionCommands::scriptsRequested, this, &Sidebar::showScripts);
    connect(m_commands, &CollectionCommands::authRequested, this, &Sidebar::showCollectionAuth);
    connect(&settings, &Settings::valueChanged, this, [this](const QString& key) {
        if (key == SettingKeys::showMethodBadges.name) {
            m_tree->viewport()->update();
            m_searchSection->update();
        }
    });
    showSelection();
}

QWidget* Sidebar::buildToolBar()
{
    auto* bar = new QWidget;
    bar->setObjectName(u"sidebarToolBar"_s);
    QToolButton* add
        = makeSymbolButton(u"sidebarAddButton"_s, u"plus", tr("+"), tr("New Collection"), bar);
    add->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(add);
    menu->setObjectName(u"sidebarAddMenu"_s);
    QAction* newCollection
        = menu->addAction(icons::icon(u"folder.badge.plus"), tr("New Collection"));
    newCollection->setObjectName(u"newCollectionAction"_s);
    connect(newCollection, &QAction::triggered, this, &Sidebar::showNewCollection);
    QAction* fromTemplate = menu->addAction(icons::icon(u"doc.on.doc"), tr("From Template..."));
    fromTemplate->setObjectName(u"fromTemplateAction"_s);
    connect(fromTemplate, &QAction::triggered, this, &Sidebar::showTemplates);
    add->setMenu(menu);
    add->setToolTip(tr("New Collection or Template"));
    add->setAccessibleName(tr("New Collection or Template"));
    QToolButton* newRequest = makeSymbolButton(
        u"sidebarNewRequestButton"_s, u"doc.badge.plus", tr("New"), tr("New Request"), bar);
    const auto showKey = [this, newRequest] {
        const QString key = m_shortcuts.text(Shortcut::newRequest);
        const QString help = key.isEmpty() ? tr("New Request") : tr("New Request (%1)").arg(key);
        newRequest->setToolTip(help);
        newRequest->setAccessibleName(help);
    };
    showKey();
    connect(&m_shortcuts, &ShortcutMap::changed, newRequest, showKey);
    connect(newRequest, &QToolButton::clicked, this, [this] { m_state.openNewRequest(); });

    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(6, 0, 6, 0);
    layout->addWidget(add);
    layout->addStretch();
    layout->addWidget(newRequest);
    return bar;
}

QWidget* Sidebar::buildSearchField()
{
    m_search->setObjectName(u"sidebarSearchField"_s);
    m_search->setPlaceholderText(tr("Search requests..."));
    m_search->setAccessibleName(tr("Search requests"));
    enableClearButton(m_search);
    connect(m_search, &QLineEdit::textChanged, this, &Sidebar::handleSearchTextChanged);
    m_search->installEventFilter(this);
    auto* find = new QShortcut(this);
    find->setContext(Qt::WindowShortcut);
    m_shortcuts.bind(find, Shortcut::search);
    connect(find, &QShortcut::activated, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });

    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(6, 0, 6, 4);
    layout->addWidget(m_search);
    return row;
}

QWidget* Sidebar::buildSearchResults()
{
    m_searchSection = new QWidget;
    m_searchSection->setObjectName(u"searchResultsSection"_s);
    auto* list = new QListView;
    m_searchList = list;
    list->setObjectName(u"searchResultsList"_s);
    list->setAccessibleName(tr("Search Results"));
    list->setModel(m_searchResults);
    list->setItemDelegate(new SidebarItemDelegate(m_settings, list));
    list->setUniformItemSizes(true);
    list->setFrameShape(QFrame::NoFrame);
    list->viewport()->setBackgroundRole(QPalette::Window);
    const auto open = [this](const QModelIndex& index) {
        const APIRequest* request = m_searchResults->requestAt(index);
        if (!request)
            return;
        if (const std::optional<QUuid> collection = m_state.collectionForRequest(request->id))
            m_state.openFromCollection(APIRequest(*request), *collection);
    };
    connect(list, &QListView::clicked, this, open);
    connect(list, &QListView::activated, this, open);
    auto* layout = new QVBoxLayout(m_searchSection);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sectionTitle(tr("Search Results"), u"searchResultsTitle"_s));
    layout->addWidget(list, 1);
    m_searchSection->hide();
    return m_searchSection;
}

QWidget* Sidebar::buildRecentRow()
{
    m_recent = new QToolButton;
    m_recent->setObjectName(u"recentRow"_s);
    m_recent->setText(tr("Recent"));
    m_recent->setAccessibleName(tr("Recent"));
    m_recent->setIcon(icons::icon(u"clock"));
    m_recent->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_recent->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_recent->setCheckable(true);
    m_recent->setAutoRaise(true);
    m_recent->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_recent, &QToolButton::clicked, this, [this] {
        m_state.setSelectedSidebarItem(AppState::SidebarItem::history());
        showSelection();
    });
    connect(m_recent, &QToolButton::customContextMenuRequested, this, [this](const QPoint& at) {
        auto* menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction* clear = menu->addAction(icons::icon(u"trash"), tr("Clear History"));
        clear->setObjectName(u"clearHistoryAction"_s);
        connect(clear, &QAction::triggered, &m_state, &AppState::clearHistory);
        QAction* exportHar
            = menu->addAction(icons::icon(u"square.and.arrow.up"), tr("Export History as HAR..."));
        exportHar->setObjectName(u"exportHistoryHarAction"_s);
        connect(exportHar, &QAction::triggered, this, [this] {
            m_dialogs.saveFile(window(), tr("Export History as HAR"),
                QStringView(HarExporter::kDefaultFileName).toString(),
                [state = QPointer<AppState>(&m_state)](const QString& path) {
                    if (state)
                        state->exportHistoryAsHar(path);
                });
        });
        menu->popup(m_recent->mapToGlobal(at));
    });
    return m_recent;
}

void Sidebar::buildTree()
{
    m_tree->setObjectName(u"collectionTree"_s);
    m_tree->setAccessibleName(tr("Collections"));
    m_tree->setModel(m_treeModel);
    m_tree->setItemDelegate(new SidebarItemDelegate(m_settings, m_tree));
    m_tree->setFrameShape(QFrame::NoFrame);
    // The column reads as one surface with the window, as a source list does.
    m_tree->viewport()->setBackgroundRole(QPalette::Window);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &Sidebar::handleCurrentRowChanged);
    connect(m_tree, &QTreeView::clicked, this, &Sidebar::handleRowClicked);
    connect(m_tree, &CollectionTreeView::openRequested, this, [this](const QModelIndex& index) {
        if (m_treeModel->requestAt(index))
            m_commands->open(index);
        else
            m_tree->setExpanded(index, !m_tree->isExpanded(index));
    });
    connect(m_tree, &CollectionTreeView::renameRequested, m_commands, &CollectionCommands::rename);
    connect(m_tree, &CollectionTreeView::deleteRequested, m_commands, &CollectionCommands::remove);
    connect(m_tree, &QTreeView::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QMenu* menu = m_commands->menuFor(m_tree->indexAt(at), this)) {
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(m_tree->viewport()->mapToGlobal(at));
        }
    });
}

QLabel* Sidebar::sectionTitle(const QString& text, const QString& objectName)
{
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setContentsMargins(8, 6, 8, 2);
    return label;
}

void Sidebar::handleSearchTextChanged(const QString& text)
{
    m_searchResults->setSearchText(text);
    m_searchSection->setVisible(!text.isEmpty());
}

bool Sidebar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && event->type() == QEvent::ShortcutOverride) {
        // Escape belongs to the field while it has something to clear or somewhere to go.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            event->accept();
    } else if (watched == m_search && event->type() == QEvent::KeyPress) {
        if (handleSearchKey(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool Sidebar::handleSearchKey(const QKeyEvent& key)
{
    if (key.modifiers() != Qt::NoModifier && key.modifiers() != Qt::KeypadModifier)
        return false;
    // The results while searching, the collections otherwise: Down and Escape lead to the list
    // that is showing.
    QAbstractItemView* list
        = m_searchSection->isVisible() ? static_cast<QAbstractItemView*>(m_searchList) : m_tree;
    if (key.key() == Qt::Key_Down) {
        list->setFocus(Qt::TabFocusReason);
        if (!list->currentIndex().isValid() && list->model()->rowCount() > 0)
            list->setCurrentIndex(list->model()->index(0, 0));
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        if (!m_search->text().isEmpty())
            m_search->clear();
        else
            m_tree->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void Sidebar::handleCurrentRowChanged(const QModelIndex& current)
{
    if (m_showingSelection || !current.isValid())
        return;
    // While the history list is shown, only a collection row moves the selection there. Moving
    // to the collection of a request or folder row would fold the list away during the mouse
    // press: the tree would jump up under the pointer and the release would miss the row.
    using Kind = CollectionTreeModel::Kind;
    const bool showingHistory
        = m_state.selectedSidebarItem().kind == AppState::SidebarItem::Kind::history;
    if (showingHistory
        && static_cast<Kind>(current.data(CollectionTreeModel::KindRole).toInt())
            != Kind::collection)
        return;
    m_state.setSelectedSidebarItem(AppState::SidebarItem::collection(
        current.data(CollectionTreeModel::CollectionIDRole).toUuid()));
}

void Sidebar::handleRowClicked(const QModelIndex& index)
{
    handleCurrentRowChanged(index);
    if (m_treeModel->requestAt(index))
        m_commands->open(index);
}

void Sidebar::showSelection()
{
    const AppState::SidebarItem& selected = m_state.selectedSidebarItem();
    const bool history = selected.kind == AppState::SidebarItem::Kind::history;
    m_recent->setChecked(history);
    m_history->setVisible(history);
    const QScopedValueRollback guard(m_showingSelection, true);
    if (history) {
        m_tree->selectionModel()->clear();
        return;
    }
    const QModelIndex current = m_tree->currentIndex();
    if (current.data(CollectionTreeModel::CollectionIDRole).toUuid() != selected.collectionID)
        m_tree->setCurrentIndex(m_treeModel->collectionIndex(selected.collectionID));
}

void Sidebar::showRenameSheet()
{
    // A sheet that has just closed is still around until the event loop deletes it.
    if (!m_actions->renamingID() || (m_renameSheet && m_renameSheet->isVisible()))
        return;
    m_renameSheet = new RenameSheet(*m_actions, window());
    m_renameSheet->open();
}

void Sidebar::showNewCollection()
{
    (new NewCollectionSheet(m_state, window()))->open();
}

void Sidebar::showTemplates()
{
    (new TemplateSheet(m_state, window()))->open();
}

void Sidebar::showRunner(const QUuid& collectionID)
{
    if (const Collection* collection = m_state.collectionStore().collection(collectionID))
        (new RunnerSheet(m_state, *collection, window()))->open();
}

void Sidebar::showScripts(const QUuid& collectionID, const std::optional<QUuid>& folderID)
{
    if (ScriptsSheet::canEdit(m_state, collectionID, folderID))
        (new ScriptsSheet(m_state, m_settings, collectionID, folderID, window()))->open();
}

void Sidebar::showCollectionAuth(const QUuid& collectionID)
{
    if (CollectionAuthSheet::canEdit(m_state, collectionID))
        (new CollectionAuthSheet(m_state, collectionID, window()))->open();
}

} // namespace mako
