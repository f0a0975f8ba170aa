#include "ui/sidebar/collectioncommands.h"

#include "interchange/collectionexporter.h"
#include "interchange/postmanexporter.h"
#include "state/appstate.h"
#include "state/settings.h"
#include "state/sidebaractions.h"
#include "ui/common/filedialogs.h"
#include "ui/common/icons.h"
#include "ui/sidebar/collectiontreemodel.h"

#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QAction* addEntry(QMenu* menu, const QString& objectName, QStringView symbol, const QString& text,
    std::function<void()> effect)
{
    QAction* action = menu->addAction(icons::icon(symbol), text);
    action->setObjectName(objectName);
    QObject::connect(action, &QAction::triggered, menu, std::move(effect));
    return action;
}

} // namespace

CollectionCommands::CollectionCommands(AppState& state, SidebarActions& actions,
    const Settings& settings, FileDialogs& dialogs, const CollectionTreeModel& model,
    QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_actions(actions)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_model(model)
    , m_window(window)
{ }

QMenu* CollectionCommands::menuFor(const QModelIndex& index, QWidget* parent)
{
    if (!index.isValid())
        return nullptr;
    auto* menu = new QMenu(parent);
    menu->setObjectName(u"sidebarContextMenu"_s);
    using Kind = CollectionTreeModel::Kind;
    switch (static_cast<Kind>(index.data(CollectionTreeModel::KindRole).toInt())) {
    case Kind::collection:
        fillCollectionMenu(menu, index);
        break;
    case Kind::folder:
        fillFolderMenu(menu, index);
        break;
    case Kind::request:
        fillRequestMenu(menu, index);
        break;
    }
    return menu;
}

void CollectionCommands::fillCollectionMenu(QMenu* menu, const QModelIndex& index)
{
    const QUuid id = index.data(CollectionTreeModel::IDRole).toUuid();
    addEntry(menu, u"newRequestAction"_s, u"doc.badge.plus", tr("New Request"),
        [this, id] { m_actions.addRequestToCollection(id); });
    addEntry(menu, u"newFolderAction"_s, u"folder.badge.plus", tr("New Folder"),
        [this, id] { m_state.addFolder(tr("New Folder"), id); });
    menu->addSeparator();
    addEntry(menu, u"runCollectionAction"_s, u"play.fill", tr("Run Collection"),
        [this, id] { Q_EMIT runRequested(id); });
    addEntry(menu, u"exportCollectionAction"_s, u"square.and.arrow.up", tr("Export..."),
        [this, id] { exportCollection(id); });
    addEntry(menu, u"exportK6ScriptAction"_s, u"square.and.arrow.up", tr("Export as k6 Script..."),
        [this, id] { exportK6Script(id); });
    addEntry(menu, u"exportPostmanAction"_s, u"square.and.arrow.up",
        tr("Export as Postman Collection..."), [this, id] { exportPostmanCollection(id); });
    addEntry(menu, u"saveToFolderAction"_s, u"folder.badge.gearshape",
        tr("Save Collection to Folder..."), [this, id] { saveToFolder(id); });
    addEntry(menu, u"collectionScriptsAction"_s, u"curlybraces", tr("Scripts..."),
        [this, id] { Q_EMIT scriptsRequested(id, std::nullopt); });
    addEntry(menu, u"collectionAuthAction"_s, u"lock.shield", tr("Auth..."),
        [this, id] { Q_EMIT authRequested(id); });
    menu->addSeparator();
    const QPersistentModelIndex row(index);
    addEntry(menu, u"renameAction"_s, u"pencil", tr("Rename"), [this, row] { rename(row); });
    addEntry(menu, u"duplicateCollectionAction"_s, u"plus.square.on.square",
        tr("Duplicate Collection"), [this, id] { m_actions.duplicateCollection(id); });
    menu->addSeparator();
    addEntry(menu, u"deleteCollectionAction"_s, u"trash", tr("Delete Collection"),
        [this, row] { remove(row); });
}

void CollectionCommands::fillFolderMenu(QMenu* menu, const QModelIndex& index)
{
    const QUuid id = index.data(CollectionTreeModel::IDRole).toUuid();
    const QUuid collectionID = index.data(CollectionTreeModel::CollectionIDRole).toUuid();
    const QPersistentModelIndex row(index);
    addEntry(menu, u"newRequestAction"_s, u"doc.badge.plus", tr("New Request"),
        [this, id, collectionID] { m_actions.addRequestToFolder(id, collectionID); });
    addEntry(menu, u"renameAction"_s, u"pencil", tr("Rename"), [this, row] { rename(row); });
    addEntry(menu, u"folderScriptsAction"_s, u"curlybraces", tr("Scripts..."),
        [this, id, collectionID] { Q_EMIT scriptsRequested(collectionID, id); });
    menu->addSeparator();
    addEntry(
        menu, u"deleteFolderAction"_s, u"trash", tr("Delete Folder"), [this, row] { remove(row); });
}

void CollectionCommands::fillRequestMenu(QMenu* menu, const QModelIndex& index)
{
    const APIRequest* found = m_model.requestAt(index);
    const Collection* collection = m_model.collectionAt(index);
    if (!found || !collection)
        return;
    const APIRequest request = *found;
    const QUuid collectionID = collection->id;
    const QPersistentModelIndex row(index);
    addEntry(menu, u"openRequestAction"_s, u"arrow.right.circle", tr("Open"),
        [this, row] { open(row); });
    addEntry(menu, u"duplicateRequestAction"_s, u"plus.square.on.square", tr("Duplicate"),
        [this, request, collectionID] { m_actions.duplicateRequest(request, collectionID); });

    QMenu* move = menu->addMenu(tr("Move to Folder"));
    move->setObjectName(u"moveToFolderMenu"_s);
    addEntry(move, u"moveToRootAction"_s, {}, tr("(Root)"), [this, request, collectionID] {
        m_state.moveRequestToFolder(request.id, std::nullopt, collectionID);
    });
    for (const CollectionFolder& folder : collection->folders) {
        addEntry(move, {}, u"folder", folder.name, [this, request, collectionID, id = folder.id] {
            m_state.moveRequestToFolder(request.id, id, collectionID);
        });
    }
    QMenu* copy = menu->addMenu(tr("Copy to Collection"));
    copy->setObjectName(u"copyToCollectionMenu"_s);
    for (const Collection& other : m_state.collections()) {
        if (other.id != collectionID) {
            addEntry(copy, {}, {}, other.name,
                [this, request, id = other.id] { m_actions.duplicateRequest(request, id); });
        }
    }
    copy->setEnabled(!copy->isEmpty());
    menu->addSeparator();
    addEntry(menu, u"renameAction"_s, u"pencil", tr("Rename"), [this, row] { rename(row); });
    addEntry(menu, u"deleteRequestAction"_s, u"trash", tr("Delete"), [this, row] { remove(row); });
}

void CollectionCommands::open(const QModelIndex& index)
{
    const APIRequest* request = m_model.requestAt(index);
    const Collection* collection = m_model.collectionAt(index);
    if (request && collection)
        m_state.openFromCollection(APIRequest(*request), collection->id);
}

void CollectionCommands::rename(const QModelIndex& index)
{
    if (index.isValid()) {
        m_actions.startRename(index.data(CollectionTreeModel::IDRole).toUuid(),
            index.data(Qt::DisplayRole).toString());
    }
}

void CollectionCommands::remove(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const QUuid id = index.data(CollectionTreeModel::IDRole).toUuid();
    const QUuid collectionID = index.data(CollectionTreeModel::CollectionIDRole).toUuid();
    const QString name = index.data(Qt::DisplayRole).toString();
    using Kind = CollectionTreeModel::Kind;
    switch (static_cast<Kind>(index.data(CollectionTreeModel::KindRole).toInt())) {
    case Kind::collection:
        if (const Collection* collection = m_state.collectionStore().collection(id);
            collection && !collection->folderPath.isEmpty()) {
            // The folder is the team's, under version control: Mako only lets go of it.
            confirmThen(
                tr("Remove the collection \"%1\" from Mako?").arg(name),
                [this, id] { m_state.deleteCollection(id); },
                tr("Its folder %1 and the files in it stay as they are.")
                    .arg(collection->folderPath));
            break;
        }
        confirmThen(tr("Delete the collection \"%1\" and its requests?").arg(name),
            [this, id] { m_state.deleteCollection(id); });
        break;
    case Kind::folder:
        confirmThen(tr("Delete the folder \"%1\"? Its requests stay in the collection.").arg(name),
            [this, id, collectionID] { m_state.deleteFolder(id, collectionID); });
        break;
    case Kind::request:
        confirmThen(tr("Delete the request \"%1\"?").arg(name),
            [this, id, collectionID] { m_state.removeRequest(id, collectionID); });
        break;
    }
}

void CollectionCommands::confirmThen(
    const QString& question, std::function<void()> action, const QString& detail)
{
    if (!m_settings.value(SettingKeys::confirmBeforeDelete)) {
        action();
        return;
    }
    auto* box = new QMessageBox(
        QMessageBox::Warning, tr("Delete?"), question, QMessageBox::Cancel, m_window);
    box->setObjectName(u"deleteConfirmation"_s);
    box->setInformativeText(detail.isEmpty() ? tr("This cannot be undone.") : detail);
    QPushButton* remove = box->addButton(tr("Delete"), QMessageBox::DestructiveRole);
    remove->setObjectName(u"confirmDeleteButton"_s);
    box->setDefaultButton(QMessageBox::Cancel);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::buttonClicked, this, [box, remove, action](QAbstractButton* button) {
        if (button == remove)
            action();
    });
    box->open();
}

void CollectionCommands::saveToFolder(const QUuid& collectionID)
{
    if (!m_state.collectionStore().collection(collectionID))
        return;
    m_dialogs.openFolder(m_window, tr("Save Collection to Folder"),
        [state = QPointer<AppState>(&m_state), collectionID](const QString& path) {
            if (state)
                state->saveCollectionToFolder(collectionID, path);
        });
}

void CollectionCommands::exportCollection(const QUuid& collectionID)
{
    const Collection* collection = m_state.collectionStore().collection(collectionID);
    if (!collection)
        return;
    m_dialogs.saveJson(m_window, tr("Export Collection"),
        CollectionExporter::exportFileName(collection->name),
        [state = QPointer<AppState>(&m_state), collectionID](const QString& path) {
            if (state)
                state->exportCollection(collectionID, path);
        });
}

void CollectionCommands::exportK6Script(const QUuid& collectionID)
{
    const Collection* collection = m_state.collectionStore().collection(collectionID);
    if (!collection)
        return;
    // "Name.json" becomes "Name.k6.js": the same safe name, with the ending k6 users know.
    m_dialogs.saveFile(m_window, tr("Export as k6 Script"),
        CollectionExporter::exportFileName(collection->name).chopped(5) + u".k6.js"_s,
        [state = QPointer<AppState>(&m_state), collectionID](const QString& path) {
            if (state)
                state->exportK6Script(collectionID, path);
        });
}

void CollectionCommands::exportPostmanCollection(const QUuid& collectionID)
{
    const Collection* collection = m_state.collectionStore().collection(collectionID);
    if (!collection)
        return;
    m_dialogs.saveJson(m_window, tr("Export as Postman Collection"),
        PostmanExporter::exportFileName(collection->name),
        [state = QPointer<AppState>(&m_state), collectionID](const QString& path) {
            if (state)
                state->exportPostmanCollection(collectionID, path);
        });
}

} // namespace mako
