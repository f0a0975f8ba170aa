#include "ui/shell/filecommands.h"

#include "interchange/collectionexporter.h"
#include "state/appstate.h"
#include "ui/common/filedialogs.h"
#include "ui/editor/curlimportsheet.h"
#include "ui/shell/collectionpickersheet.h"

#include <QWidget>

#include <algorithm>

namespace mako {

FileCommands::FileCommands(AppState& state, FileDialogs& dialogs, QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_window(window)
{ }

void FileCommands::importPostmanCollection()
{
    askForFileToImport(tr("Import Postman Collection"), &AppState::importPostmanCollection);
}

void FileCommands::importPostmanEnvironment()
{
    askForFileToImport(tr("Import Postman Environment"), &AppState::importPostmanEnvironment);
}

void FileCommands::importMakoCollection()
{
    askForFileToImport(tr("Import Mako Collection"), &AppState::importMakoCollection);
}

void FileCommands::openFolderCollection()
{
    m_dialogs.openFolder(m_window, tr("Open Folder as Collection"),
        [state = QPointer<AppState>(&m_state)](const QString& path) {
            if (state)
                state->openFolderCollection(path);
        });
}

void FileCommands::exportCollection()
{
    const AppState::SidebarItem& selected = m_state.selectedSidebarItem();
    const QList<Collection>& collections = m_state.collections();
    const bool selectedExists = selected.kind == AppState::SidebarItem::Kind::collection
        && std::ranges::any_of(collections,
            [&](const Collection& collection) { return collection.id == selected.collectionID; });
    if (selectedExists) {
        exportTo(selected.collectionID);
        return;
    }
    auto* sheet = new CollectionPickerSheet(m_state, m_window);
    connect(sheet, &CollectionPickerSheet::collectionChosen, this, &FileCommands::exportTo);
    sheet->open();
}

void FileCommands::importCurl()
{
    if (!m_curlSheet) {
        m_curlSheet = new CurlImportSheet(m_state, m_window);
        m_curlSheet->open();
    }
    m_curlSheet->raise();
    m_curlSheet->activateWindow();
}

void FileCommands::askForFileToImport(
    const QString& title, void (AppState::*import)(const QString&))
{
    m_dialogs.openJson(
        m_window, title, [state = QPointer<AppState>(&m_state), import](const QString& path) {
            if (state)
                (state->*import)(path);
        });
}

void FileCommands::exportTo(const QUuid& collectionID)
{
    const auto collection = std::ranges::find(m_state.collections(), collectionID, &Collection::id);
    if (collection == m_state.collections().end())
        return;
    m_dialogs.saveJson(m_window, tr("Export Collection"),
        CollectionExporter::exportFileName(collection->name),
        [state = QPointer<AppState>(&m_state), collectionID](const QString& path) {
            if (state)
                state->exportCollection(collectionID, path);
        });
}

} // namespace mako
