#include "state/appstate.h"

namespace mako {

void AppState::openFolderCollection(const QString& path)
{
    m_folders.open(path);
}

void AppState::saveCollectionToFolder(const QUuid& collectionID, const QString& path)
{
    m_folders.moveTo(collectionID, path);
}

bool AppState::setEnvironmentCollection(QUuid environmentID, std::optional<QUuid> collectionID)
{
    if (!m_environments.environment(environmentID))
        return false;
    // A folder not read yet (or gone) would take the environment into memory only: it would
    // be in neither file and lost at quit.
    if (collectionID && !m_folders.isLoaded(*collectionID))
        return false;
    m_environments.setEnvironmentCollection(environmentID, collectionID);
    // A deliberate move, not a keystroke: both files are written now, not after the quiet time.
    m_folders.flush();
    m_environments.save();
    return true;
}

void AppState::handleRequestReplaced(
    const QUuid& collectionID, const APIRequest& before, const APIRequest& after)
{
    QList<QUuid> following;
    for (const RequestTab& tab : tabs()) {
        if (tab.origin != RequestOrigin::collection(collectionID) || tab.request.id != before.id)
            continue;
        const bool active = tab.id == activeTabID();
        const APIRequest& shown = active && openRequest() ? *openRequest() : tab.request;
        // A tab without edits shows the collection's request: it follows the file. One with
        // edits is the user's work, which only the user may give up.
        if (shown == before) {
            following.append(tab.id);
        } else {
            m_diskVersions.insert(tab.id, after);
            Q_EMIT requestChangedOnDisk(tab.id, after.name);
        }
    }
    for (const QUuid& tabID : following)
        m_tabs.replaceTabRequest(tabID, after);
}

void AppState::resolveChangeOnDisk(const QUuid& tabID, bool useFileVersion)
{
    const auto version = m_diskVersions.constFind(tabID);
    if (version == m_diskVersions.cend())
        return;
    const APIRequest request = *version;
    m_diskVersions.erase(version);
    if (useFileVersion)
        m_tabs.replaceTabRequest(tabID, request);
}

} // namespace mako
