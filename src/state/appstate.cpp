#include "state/appstate.h"

#include "execution/networkservice.h"
#include "model/uuidtext.h"
#include "state/oauth2tokens.h"
#include "state/persistenceservice.h"
#include "state/secretstore.h"
#include "state/secretvariables.h"
#include "state/settings.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace mako {

AppState::AppState(PersistenceService* persistence, Settings* settings, QObject* parent,
    std::chrono::milliseconds autoSaveDelay, std::unique_ptr<SecretStore> secrets)
    : QObject(parent)
    , m_persistence(persistence)
    , m_settings(settings)
    , m_vault(std::make_unique<SecretVault>(
          secrets ? std::move(secrets) : std::make_unique<NoSecretStore>()))
    , m_oauth2(std::make_unique<OAuth2Tokens>(*m_vault, NetworkService::shared()))
    , m_collections(persistence, autoSaveDelay)
    , m_environments(persistence, autoSaveDelay)
    , m_history(persistence, settings, autoSaveDelay)
    , m_session(persistence, m_tabs, autoSaveDelay)
    , m_secretVariables(std::make_unique<SecretVariables>(m_environments, *m_vault))
    , m_folders(m_collections, m_environments, autoSaveDelay)
{
    forwardSignals();
    for (ListSaver* saver : {&m_collections.saver(), &m_environments.saver(),
             &m_environments.globalVariablesSaver(), &m_history.saver(), &m_session.saver()})
        connect(saver, &ListSaver::saveFailed, this, &AppState::reportSaveFailure);
    connect(&m_folders, &FolderCollections::failed, this,
        [this](const QString& message) { setAlertMessage(message); });
    connect(
        &m_folders, &FolderCollections::operationFinished, this, &AppState::fileOperationFinished);
    connect(
        &m_folders, &FolderCollections::requestReplaced, this, &AppState::handleRequestReplaced);
    connect(&m_folders, &FolderCollections::loadFinished, this, [this] {
        restoreActiveFolderEnvironment();
        if (m_sessionToRestore) {
            const auto [stored, damaged] = *std::exchange(m_sessionToRestore, std::nullopt);
            restoreSession(stored, damaged);
        }
        if (m_historyLoaded && !m_didLoad)
            finishStartup();
    });
    connect(&m_environments, &EnvironmentStore::activeEnvironmentChanged, this,
        &AppState::rememberActiveFolderEnvironment);
    if (auto* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &AppState::flushPendingSaves);
    loadData();
}

// The data folder's environments keep which one is active; one kept in a collection's folder is
// remembered in the preferences instead, once the start-up load has settled.
void AppState::rememberActiveFolderEnvironment()
{
    if (!m_settings || !m_didLoad || m_folders.isLoading())
        return;
    const auto active = m_environments.activeEnvironment();
    m_settings->setValue(SettingKeys::activeFolderEnvironment,
        active && !active->collectionID.isNull() ? uuidToText(active->id) : QString());
}

void AppState::restoreActiveFolderEnvironment()
{
    if (!m_settings || m_environments.activeEnvironment())
        return;
    const QUuid id(m_settings->value(SettingKeys::activeFolderEnvironment));
    const APIEnvironment* environment = id.isNull() ? nullptr : m_environments.environment(id);
    if (environment && !environment->collectionID.isNull())
        m_environments.setActiveEnvironment(id);
}

AppState::~AppState()
{
    flushPendingSaves();
}

void AppState::forwardSignals()
{
    connect(
        &m_collections, &CollectionStore::collectionsChanged, this, &AppState::collectionsChanged);
    connect(&m_environments, &EnvironmentStore::environmentsChanged, this,
        &AppState::environmentsChanged);
    connect(&m_environments, &EnvironmentStore::globalVariablesChanged, this,
        &AppState::globalVariablesChanged);
    connect(&m_history, &HistoryStore::historyChanged, this, &AppState::historyChanged);
    connect(&m_tabs, &TabStore::tabsChanged, this, &AppState::tabsChanged);
    connect(&m_tabs, &TabStore::activeTabIDChanged, this, &AppState::activeTabIDChanged);
    connect(&m_tabs, &TabStore::openRequestChanged, this, &AppState::openRequestChanged);
    connect(
        &m_tabs, &TabStore::openRequestOriginChanged, this, &AppState::openRequestOriginChanged);
}

void AppState::setSelectedSidebarItem(const SidebarItem& item)
{
    if (item == m_selectedSidebarItem)
        return;
    m_selectedSidebarItem = item;
    Q_EMIT selectedSidebarItemChanged();
}

void AppState::setAlertMessage(const std::optional<QString>& message)
{
    if (message == m_alertMessage)
        return;
    m_alertMessage = message;
    Q_EMIT alertMessageChanged();
}

void AppState::setImportReport(const std::optional<ImportReport>& report)
{
    if (report == m_importReport)
        return;
    m_importReport = report;
    Q_EMIT importReportChanged();
}

void AppState::saveCollections()
{
    m_collections.save();
}

void AppState::saveEnvironments()
{
    m_environments.save();
}

void AppState::saveHistory()
{
    m_history.save();
}

void AppState::saveGlobalVariables()
{
    m_environments.saveGlobalVariables();
}

void AppState::flushPendingSaves()
{
    m_collections.saver().flush();
    m_environments.saver().flush();
    m_environments.globalVariablesSaver().flush();
    m_history.saver().flush();
    m_session.saver().flush();
    m_folders.flush();
}

void AppState::reportSaveFailure(const QString& fileName, const QString& reason)
{
    setAlertMessage(tr("Failed to save data: %1: %2. The changes stay in memory and are written "
                       "again at the next change.")
                        .arg(m_persistence->filePath(fileName), reason));
}

void AppState::loadData()
{
    // All reads are queued at once, ahead of any save, and a file that fails does not stop the
    // others: leaving a valid file unread would let the next save of its empty list replace
    // it. The session comes right after the collections, which it is checked against, so the
    // tabs are back before the environments and the history are decoded.
    m_persistence->load<Collection>(
        PersistenceService::kCollectionsFile, this, [this](Result<QList<Collection>> loaded) {
            m_collections.finishLoad(takeLoaded(std::move(loaded)));
            m_folders.loadAll();
        });
    m_persistence->load<SessionTab>(
        PersistenceService::kSessionFile, this, [this](Result<QList<SessionTab>> loaded) {
            const bool damaged = !loaded.ok();
            // Tabs of requests kept in folders are checked against those once they are read.
            if (m_folders.isLoading())
                m_sessionToRestore.emplace(takeLoaded(std::move(loaded)), damaged);
            else
                restoreSession(takeLoaded(std::move(loaded)), damaged);
        });
    m_persistence->load<APIEnvironment>(
        PersistenceService::kEnvironmentsFile, this, [this](Result<QList<APIEnvironment>> loaded) {
            m_environments.finishLoad(takeLoaded(std::move(loaded)));
        });
    m_persistence->load<KeyValuePair>(
        PersistenceService::kGlobalVariablesFile, this, [this](Result<QList<KeyValuePair>> loaded) {
            m_environments.finishGlobalVariablesLoad(takeLoaded(std::move(loaded)));
        });
    m_persistence->load<HistoryItem>(
        PersistenceService::kHistoryFile, this, [this](Result<QList<HistoryItem>> loaded) {
            m_history.finishLoad(takeLoaded(std::move(loaded)));
            m_historyLoaded = true;
            if (!m_folders.isLoading())
                finishStartup();
        });
}

template <typename T> QList<T> AppState::takeLoaded(Result<QList<T>> loaded)
{
    if (loaded)
        return std::move(loaded).value();
    reportLoadFailure(loaded.errorMessage());
    return {};
}

void AppState::restoreSession(const QList<SessionTab>& stored, bool damaged)
{
    const bool openedMeanwhile = !tabs().isEmpty();
    const RestoredSession session = restoredSession(stored, collections());
    m_tabs.restoreTabs(session.tabs, session.activeTabID);
    // A damaged file, once kept aside, is replaced at once: left in place it would be reported
    // again at every start until the tabs change.
    m_session.finishLoad(openedMeanwhile || damaged);
}

void AppState::reportLoadFailure(const QString& description)
{
    m_loadFailures.append(description);
    setAlertMessage(tr("Failed to load data: %1").arg(m_loadFailures.join(u"; "_s)));
}

void AppState::finishStartup()
{
    m_didLoad = true;
    Q_EMIT didLoadChanged();
}

} // namespace mako
