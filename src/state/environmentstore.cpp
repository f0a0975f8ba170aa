#include "state/environmentstore.h"

#include "execution/variables.h"
#include "state/listedits.h"
#include "state/persistenceservice.h"

#include <algorithm>

namespace mako {

EnvironmentStore::EnvironmentStore(
    PersistenceService* persistence, std::chrono::milliseconds autoSaveDelay, QObject* parent)
    : QObject(parent)
    , m_persistence(persistence)
    , m_saver(persistence, PersistenceService::kEnvironmentsFile, autoSaveDelay,
          [this] {
              // The environments of a folder collection are kept in its folder instead.
              QList<APIEnvironment> own = m_environments;
              own.removeIf([](const APIEnvironment& environment) {
                  return !environment.collectionID.isNull();
              });
              m_persistence->save(own, PersistenceService::kEnvironmentsFile);
          })
    , m_globalsSaver(persistence, PersistenceService::kGlobalVariablesFile, autoSaveDelay, [this] {
        m_persistence->save(m_globalVariables, PersistenceService::kGlobalVariablesFile);
    })
{
    connect(this, &EnvironmentStore::environmentsChanged, &m_saver, &ListSaver::scheduleSave);
    connect(
        this, &EnvironmentStore::globalVariablesChanged, &m_globalsSaver, &ListSaver::scheduleSave);
}

const APIEnvironment* EnvironmentStore::environment(const QUuid& id) const
{
    const int index = indexOfID(m_environments, id);
    return index < 0 ? nullptr : &m_environments[index];
}

const QList<KeyValuePair>* EnvironmentStore::variables(
    const std::optional<QUuid>& environmentID) const
{
    if (!environmentID)
        return &m_globalVariables;
    const APIEnvironment* found = environment(*environmentID);
    return found ? &found->variables : nullptr;
}

QList<KeyValuePair>* EnvironmentStore::findVariables(const std::optional<QUuid>& environmentID)
{
    if (!environmentID)
        return &m_globalVariables;
    const int index = indexOfID(m_environments, *environmentID);
    return index < 0 ? nullptr : &m_environments[index].variables;
}

std::optional<APIEnvironment> EnvironmentStore::activeEnvironment() const
{
    return mako::activeEnvironment(m_environments);
}

std::optional<APIEnvironment> EnvironmentStore::mergedEnvironment() const
{
    return mako::mergedEnvironment(m_globalVariables, m_environments);
}

std::optional<QUuid> EnvironmentStore::activeID() const
{
    for (const APIEnvironment& environment : m_environments) {
        if (environment.isActive)
            return environment.id;
    }
    return std::nullopt;
}

void EnvironmentStore::finish(bool changed, const std::optional<QUuid>& activeBefore)
{
    if (activeID() != activeBefore)
        Q_EMIT activeEnvironmentChanged();
    if (changed)
        Q_EMIT environmentsChanged();
}

bool EnvironmentStore::append(const QList<APIEnvironment>& environments)
{
    return appendAll(m_environments, environments,
        [this](int first, int last) { Q_EMIT environmentsInserted(first, last); });
}

void EnvironmentStore::addEnvironment(const QString& name)
{
    appendEnvironment(APIEnvironment {.name = name, .variables = {KeyValuePair {}}});
}

void EnvironmentStore::appendEnvironment(const APIEnvironment& environment)
{
    const std::optional<QUuid> activeBefore = activeID();
    finish(append({environment}), activeBefore);
}

void EnvironmentStore::deleteEnvironment(QUuid id)
{
    const std::optional<QUuid> activeBefore = activeID();
    const bool removed = removeRuns(
        m_environments, [&id](const APIEnvironment& environment) { return environment.id == id; },
        [this](int first, int last) { Q_EMIT environmentsRemoved(first, last); });
    finish(removed, activeBefore);
}

void EnvironmentStore::renameEnvironment(QUuid id, const QString& name)
{
    const int index = indexOfID(m_environments, id);
    if (index < 0 || m_environments[index].name == name)
        return;
    m_environments[index].name = name;
    Q_EMIT environmentChanged(id);
    finish(true, activeID());
}

void EnvironmentStore::setEnvironmentCollection(QUuid id, std::optional<QUuid> collectionID)
{
    const int index = indexOfID(m_environments, id);
    const QUuid place = collectionID.value_or(QUuid());
    if (index < 0 || m_environments[index].collectionID == place)
        return;
    // One change, seen by both writers: the data folder's file leaves it out (or takes it in)
    // and the folder collections write their environments/ files.
    m_environments[index].collectionID = place;
    Q_EMIT environmentChanged(id);
    finish(true, activeID());
}

void EnvironmentStore::setActiveEnvironment(std::optional<QUuid> id)
{
    const std::optional<QUuid> activeBefore = activeID();
    bool changed = false;
    for (APIEnvironment& environment : m_environments) {
        const bool active = id && environment.id == *id;
        if (environment.isActive == active)
            continue;
        environment.isActive = active;
        changed = true;
        Q_EMIT environmentChanged(environment.id);
    }
    finish(changed, activeBefore);
}

void EnvironmentStore::finishVariables(const std::optional<QUuid>& environmentID, bool changed)
{
    if (!changed)
        return;
    if (environmentID)
        Q_EMIT environmentsChanged();
    else
        Q_EMIT globalVariablesChanged();
}

bool EnvironmentStore::insertVariables(
    std::optional<QUuid> environmentID, int row, QList<KeyValuePair> rows)
{
    QList<KeyValuePair>* variables = findVariables(environmentID);
    if (!variables || row < 0 || row > variables->size())
        return false;
    if (rows.isEmpty())
        return true;
    variables->insert(row, rows.size(), KeyValuePair {});
    std::copy(rows.cbegin(), rows.cend(), variables->begin() + row);
    Q_EMIT variablesInserted(environmentID, row, row + int(rows.size()) - 1);
    finishVariables(environmentID, true);
    return true;
}

bool EnvironmentStore::removeVariables(std::optional<QUuid> environmentID, int row, int count)
{
    QList<KeyValuePair>* variables = findVariables(environmentID);
    if (!variables || row < 0 || count < 0 || row + count > variables->size())
        return false;
    if (count == 0)
        return true;
    variables->remove(row, count);
    Q_EMIT variablesRemoved(environmentID, row, row + count - 1);
    finishVariables(environmentID, true);
    return true;
}

void EnvironmentStore::updateVariable(
    std::optional<QUuid> environmentID, const KeyValuePair& variable)
{
    QList<KeyValuePair>* variables = findVariables(environmentID);
    const int index = variables ? indexOfID(*variables, variable.id) : -1;
    if (index < 0 || (*variables)[index] == variable)
        return;
    (*variables)[index] = variable;
    Q_EMIT variableChanged(environmentID, variable.id);
    finishVariables(environmentID, true);
}

void EnvironmentStore::setVariables(
    std::optional<QUuid> environmentID, const QList<KeyValuePair>& rows)
{
    finishVariables(environmentID, replaceRows(environmentID, rows));
}

bool EnvironmentStore::replaceRows(
    const std::optional<QUuid>& environmentID, const QList<KeyValuePair>& rows)
{
    QList<KeyValuePair>* variables = findVariables(environmentID);
    if (!variables || *variables == rows)
        return false;
    const bool sameRows = variables->size() == rows.size()
        && std::equal(rows.cbegin(), rows.cend(), variables->cbegin(),
            [](const KeyValuePair& a, const KeyValuePair& b) { return a.id == b.id; });
    if (sameRows) {
        for (qsizetype index = 0; index < rows.size(); ++index) {
            if ((*variables)[index] == rows[index])
                continue;
            (*variables)[index] = rows[index];
            Q_EMIT variableChanged(environmentID, rows[index].id);
        }
        return true;
    }
    if (!variables->isEmpty()) {
        const int last = int(variables->size()) - 1;
        variables->clear();
        Q_EMIT variablesRemoved(environmentID, 0, last);
    }
    appendAll(*variables, rows,
        [&](int first, int last) { Q_EMIT variablesInserted(environmentID, first, last); });
    return true;
}

void EnvironmentStore::finishLoad(QList<APIEnvironment> stored)
{
    m_saver.markRead();
    // As for the collections: what was added before the file was read goes after the stored
    // records and is written; the stored records themselves are no edit.
    const bool addedMeanwhile = !m_environments.isEmpty();
    if (!stored.isEmpty()) {
        const std::optional<QUuid> activeBefore = activeID();
        const int count = int(stored.size());
        m_environments = stored + m_environments;
        Q_EMIT environmentsInserted(0, count - 1);
        finish(true, activeBefore);
    }
    if (addedMeanwhile)
        m_saver.saveNow();
    else
        m_saver.cancelPending();
}

void EnvironmentStore::finishGlobalVariablesLoad(QList<KeyValuePair> stored)
{
    m_globalsSaver.markRead();
    // Rows typed before the file was read go after the stored ones, as with the environments.
    const bool addedMeanwhile = !m_globalVariables.isEmpty();
    if (!stored.isEmpty())
        setVariables(std::nullopt, stored + m_globalVariables);
    if (addedMeanwhile)
        m_globalsSaver.saveNow();
    else
        m_globalsSaver.cancelPending();
}

void EnvironmentStore::replaceGlobalVariables(const QList<KeyValuePair>& variables)
{
    setVariables(std::nullopt, variables);
    m_globalsSaver.cancelPending();
}

void EnvironmentStore::replaceAll(const QList<APIEnvironment>& environments)
{
    const std::optional<QUuid> activeBefore = activeID();
    const bool removed = removeRuns(
        m_environments, [](const APIEnvironment&) { return true; },
        [this](int first, int last) { Q_EMIT environmentsRemoved(first, last); });
    finish(append(environments) || removed, activeBefore);
    m_saver.cancelPending();
}

void EnvironmentStore::replaceCollectionEnvironments(
    QUuid collectionID, QList<APIEnvironment> environments)
{
    const std::optional<QUuid> activeBefore = activeID();
    QList<APIEnvironment> kept;
    for (const APIEnvironment& environment : m_environments) {
        if (environment.collectionID == collectionID)
            kept.append(environment);
    }
    // Read again from a file, the rows come with new ids: rows that hold the same keep theirs,
    // and an environment that holds the same stays as it is.
    const auto sameRow = [](KeyValuePair a, const KeyValuePair& b) {
        a.id = b.id;
        return a == b;
    };
    for (APIEnvironment& environment : environments) {
        environment.collectionID = collectionID;
        const int index = indexOfID(kept, environment.id);
        if (index < 0)
            continue;
        const APIEnvironment& old = kept[index];
        environment.isActive = old.isActive;
        // A file never holds a secret's value: an empty one there is the value this run knows.
        for (KeyValuePair& row : environment.variables) {
            if (!row.isSecret || !row.value.isEmpty())
                continue;
            for (const KeyValuePair& known : old.variables) {
                if (known.id == row.id && known.isSecret)
                    row.value = known.value;
            }
        }
        if (std::ranges::equal(environment.variables, old.variables, sameRow))
            environment.variables = old.variables;
    }
    const bool same = std::ranges::equal(kept, environments, [](const auto& a, const auto& b) {
        return a.id == b.id && a.name == b.name && a.variables == b.variables;
    });
    if (same)
        return;
    bool changed = removeRuns(
                       m_environments,
                       [&](const APIEnvironment& environment) {
                           return environment.collectionID == collectionID;
                       },
                       [this](int first, int last) { Q_EMIT environmentsRemoved(first, last); })
        > 0;
    changed |= append(environments);
    finish(changed, activeBefore);
}

} // namespace mako
