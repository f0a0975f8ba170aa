#include "state/appstate.h"

#include "execution/variables.h"
#include "state/persistenceservice.h"

using namespace Qt::StringLiterals;

namespace mako {

AppState::AppState(PersistenceService* persistence, Settings* settings, QObject* parent,
    std::chrono::milliseconds autoSaveDelay)
    : QObject(parent)
    , m_persistence(persistence)
    , m_settings(settings)
{
    for (QTimer* timer : {&m_collectionsAutoSave, &m_environmentsAutoSave}) {
        timer->setSingleShot(true);
        timer->setInterval(autoSaveDelay);
    }
    connect(&m_collectionsAutoSave, &QTimer::timeout, this, &AppState::saveCollections);
    connect(&m_environmentsAutoSave, &QTimer::timeout, this, &AppState::saveEnvironments);
    loadData();
}

void AppState::setCollections(QList<Collection> collections)
{
    m_collections = std::move(collections);
    Q_EMIT collectionsChanged();
}

void AppState::setEnvironments(QList<APIEnvironment> environments)
{
    m_environments = std::move(environments);
    Q_EMIT environmentsChanged();
}

void AppState::setHistory(QList<HistoryItem> history)
{
    m_history = std::move(history);
    Q_EMIT historyChanged();
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

void AppState::setGlobalVariables(QList<KeyValuePair> variables)
{
    m_globalVariables = std::move(variables);
    Q_EMIT globalVariablesChanged();
}

std::optional<APIEnvironment> AppState::activeEnvironment() const
{
    return mako::activeEnvironment(m_environments);
}

std::optional<APIEnvironment> AppState::mergedEnvironment() const
{
    return mako::mergedEnvironment(m_globalVariables, m_environments);
}

void AppState::setActiveEnvironment(const std::optional<QUuid>& id)
{
    QList<APIEnvironment> environments = m_environments;
    mako::setActiveEnvironment(environments, id);
    setEnvironments(std::move(environments));
    saveEnvironments();
}

void AppState::addEnvironment(const QString& name)
{
    QList<APIEnvironment> environments = m_environments;
    environments.append(APIEnvironment {.name = name, .variables = {KeyValuePair {}}});
    setEnvironments(std::move(environments));
    saveEnvironments();
}

void AppState::deleteEnvironment(const QUuid& id)
{
    QList<APIEnvironment> environments = m_environments;
    environments.removeIf(
        [&id](const APIEnvironment& environment) { return environment.id == id; });
    setEnvironments(std::move(environments));
    saveEnvironments();
}

void AppState::saveCollections()
{
    if (isRead(PersistenceService::kCollectionsFile))
        m_persistence->save(m_collections, PersistenceService::kCollectionsFile);
}

void AppState::saveEnvironments()
{
    if (isRead(PersistenceService::kEnvironmentsFile))
        m_persistence->save(m_environments, PersistenceService::kEnvironmentsFile);
}

void AppState::saveHistory()
{
    if (isRead(PersistenceService::kHistoryFile))
        m_persistence->save(m_history, PersistenceService::kHistoryFile);
}

void AppState::loadData()
{
    // All three reads are queued at once, ahead of any save, and a file that fails does not
    // stop the others: leaving a valid file unread would let the next save of its empty list
    // replace it.
    m_persistence->load<Collection>(
        PersistenceService::kCollectionsFile, this, [this](Result<QList<Collection>> loaded) {
            finishLoad(PersistenceService::kCollectionsFile, std::move(loaded), m_collections,
                &AppState::setCollections, &AppState::saveCollections);
        });
    m_persistence->load<APIEnvironment>(
        PersistenceService::kEnvironmentsFile, this, [this](Result<QList<APIEnvironment>> loaded) {
            finishLoad(PersistenceService::kEnvironmentsFile, std::move(loaded), m_environments,
                &AppState::setEnvironments, &AppState::saveEnvironments);
        });
    m_persistence->load<HistoryItem>(
        PersistenceService::kHistoryFile, this, [this](Result<QList<HistoryItem>> loaded) {
            finishLoad(PersistenceService::kHistoryFile, std::move(loaded), m_history,
                &AppState::setHistory, &AppState::saveHistory);
            setupAutoSave();
        });
}

template <typename T>
void AppState::finishLoad(const QString& fileName, Result<QList<T>> loaded, const QList<T>& current,
    void (AppState::*assign)(QList<T>), void (AppState::*save)())
{
    m_readFiles.insert(fileName);
    // Before the load every list is empty, so whatever it holds now was added meanwhile. It
    // is kept beside the stored records (the history is newest first, so its additions go in
    // front) and saved, instead of being dropped or written over the stored records.
    const bool addedMeanwhile = !current.isEmpty();
    if (loaded) {
        QList<T> records = std::move(loaded).value();
        if constexpr (std::is_same_v<T, HistoryItem>)
            records = trimmedHistory(current + records);
        else
            records = records + current;
        (this->*assign)(std::move(records));
    } else {
        reportLoadFailure(loaded.errorMessage());
    }
    if (addedMeanwhile)
        (this->*save)();
}

void AppState::reportLoadFailure(const QString& description)
{
    m_loadFailures.append(description);
    setAlertMessage(u"Failed to load data: "_s + m_loadFailures.join(u"; "_s));
}

void AppState::setupAutoSave()
{
    m_didLoad = true;
    // Every change restarts the wait, so a burst of edits is written once, after it ends.
    connect(
        this, &AppState::collectionsChanged, &m_collectionsAutoSave, qOverload<>(&QTimer::start));
    connect(
        this, &AppState::environmentsChanged, &m_environmentsAutoSave, qOverload<>(&QTimer::start));
    Q_EMIT didLoadChanged();
}

} // namespace mako
