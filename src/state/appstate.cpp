#include "state/appstate.h"

#include "execution/variables.h"
#include "state/persistenceservice.h"

#include <QCoreApplication>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// The records compare field by field here; lists that share their data compare at once.
bool same(const CollectionFolder& a, const CollectionFolder& b)
{
    return a.id == b.id && a.name == b.name && a.requestIDs == b.requestIDs;
}

bool same(const Collection& a, const Collection& b)
{
    return a.id == b.id && a.name == b.name && a.createdAt == b.createdAt
        && a.requests == b.requests
        && std::ranges::equal(a.folders, b.folders,
            [](const CollectionFolder& x, const CollectionFolder& y) { return same(x, y); });
}

bool same(const APIEnvironment& a, const APIEnvironment& b)
{
    return a.id == b.id && a.name == b.name && a.variables == b.variables
        && a.isActive == b.isActive;
}

bool same(const HistoryItem& a, const HistoryItem& b)
{
    return a.id == b.id && a.request == b.request && a.statusCode == b.statusCode
        && a.duration == b.duration && a.timestamp == b.timestamp;
}

template <typename T> bool sameList(const QList<T>& a, const QList<T>& b)
{
    return std::ranges::equal(a, b, [](const T& x, const T& y) { return same(x, y); });
}

} // namespace

AppState::AppState(PersistenceService* persistence, Settings* settings, QObject* parent,
    std::chrono::milliseconds autoSaveDelay)
    : QObject(parent)
    , m_persistence(persistence)
    , m_settings(settings)
{
    for (QTimer* timer : {&m_collectionsAutoSave, &m_environmentsAutoSave, &m_historyAutoSave}) {
        timer->setSingleShot(true);
        timer->setInterval(autoSaveDelay);
    }
    connect(&m_collectionsAutoSave, &QTimer::timeout, this, &AppState::saveCollections);
    connect(&m_environmentsAutoSave, &QTimer::timeout, this, &AppState::saveEnvironments);
    connect(&m_historyAutoSave, &QTimer::timeout, this, &AppState::saveHistory);
    // Every change restarts the wait, so a burst of edits is written once, after it ends.
    connect(
        this, &AppState::collectionsChanged, &m_collectionsAutoSave, qOverload<>(&QTimer::start));
    connect(
        this, &AppState::environmentsChanged, &m_environmentsAutoSave, qOverload<>(&QTimer::start));
    connect(this, &AppState::historyChanged, &m_historyAutoSave, qOverload<>(&QTimer::start));
    connect(m_persistence, &PersistenceService::saveFinished, this, &AppState::reportSaveOutcome);
    if (auto* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &AppState::flushPendingSaves);
    loadData();
}

AppState::~AppState()
{
    flushPendingSaves();
}

void AppState::setCollections(QList<Collection> collections)
{
    if (sameList(collections, m_collections))
        return;
    m_collections = std::move(collections);
    Q_EMIT collectionsChanged();
}

void AppState::setEnvironments(QList<APIEnvironment> environments)
{
    if (sameList(environments, m_environments))
        return;
    m_environments = std::move(environments);
    Q_EMIT environmentsChanged();
}

void AppState::setHistory(QList<HistoryItem> history)
{
    if (sameList(history, m_history))
        return;
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
    if (variables == m_globalVariables)
        return;
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
}

void AppState::addEnvironment(const QString& name)
{
    QList<APIEnvironment> environments = m_environments;
    environments.append(APIEnvironment {.name = name, .variables = {KeyValuePair {}}});
    setEnvironments(std::move(environments));
}

void AppState::deleteEnvironment(const QUuid& id)
{
    QList<APIEnvironment> environments = m_environments;
    environments.removeIf(
        [&id](const APIEnvironment& environment) { return environment.id == id; });
    setEnvironments(std::move(environments));
}

void AppState::saveCollections()
{
    m_collectionsAutoSave.stop();
    if (isRead(PersistenceService::kCollectionsFile))
        m_persistence->save(m_collections, PersistenceService::kCollectionsFile);
}

void AppState::saveEnvironments()
{
    m_environmentsAutoSave.stop();
    if (isRead(PersistenceService::kEnvironmentsFile))
        m_persistence->save(m_environments, PersistenceService::kEnvironmentsFile);
}

void AppState::saveHistory()
{
    m_historyAutoSave.stop();
    if (isRead(PersistenceService::kHistoryFile))
        m_persistence->save(m_history, PersistenceService::kHistoryFile);
}

void AppState::flushPendingSaves()
{
    // A file whose last write failed is tried again too: its folder may be writable by now.
    const auto pending = [this](const QString& fileName) {
        return autoSaveOf(fileName)->isActive() || m_saveFailures.contains(fileName);
    };
    if (pending(PersistenceService::kCollectionsFile))
        saveCollections();
    if (pending(PersistenceService::kEnvironmentsFile))
        saveEnvironments();
    if (pending(PersistenceService::kHistoryFile))
        saveHistory();
}

QTimer* AppState::autoSaveOf(const QString& fileName)
{
    if (fileName == PersistenceService::kCollectionsFile)
        return &m_collectionsAutoSave;
    if (fileName == PersistenceService::kEnvironmentsFile)
        return &m_environmentsAutoSave;
    return &m_historyAutoSave;
}

void AppState::reportSaveOutcome(const QString& fileName, bool written, const QString& failure)
{
    if (written) {
        m_saveFailures.remove(fileName);
        return;
    }
    // A folder that stays unwritable fails every save of the file; the user hears of it once,
    // and again only if the reason changes or the file was written in between.
    const auto reported = m_saveFailures.constFind(fileName);
    if (reported != m_saveFailures.cend() && *reported == failure)
        return;
    m_saveFailures.insert(fileName, failure);
    setAlertMessage(kSaveFailurePrefix + m_persistence->filePath(fileName) + u": "_s + failure
        + u". The changes stay in memory and are written again at the next change."_s);
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
            finishStartup();
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
    // The load's own assignment is no edit: only what was added meanwhile is written.
    if (addedMeanwhile)
        (this->*save)();
    else
        autoSaveOf(fileName)->stop();
}

void AppState::reportLoadFailure(const QString& description)
{
    m_loadFailures.append(description);
    setAlertMessage(u"Failed to load data: "_s + m_loadFailures.join(u"; "_s));
}

void AppState::finishStartup()
{
    m_didLoad = true;
    Q_EMIT didLoadChanged();
}

} // namespace mako
