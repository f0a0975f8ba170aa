#pragma once

#include "model/apienvironment.h"
#include "model/keyvaluepair.h"
#include "state/listsaver.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <chrono>
#include <optional>

namespace mako {

class PersistenceService;

/// The user's environments and the global variables, each stored in a data file of its own,
/// with their notifications. `AppState` owns the one instance and is its only writer;
/// everyone else reads it and listens to it through `AppState::environmentStore()`.
///
/// The variable operations name their rows by an optional environment id: an environment's
/// rows, or the global variables when there is no id. Notifications follow the rules of
/// `CollectionStore`: one per step, right after it, positions as the list is then, changes in
/// place by id, the coarse signal once per operation, nothing for an operation that changes
/// nothing.
class EnvironmentStore : public QObject {
    Q_OBJECT

public:
    /// `persistence` outlives the store. Changes are written after `autoSaveDelay` of quiet.
    EnvironmentStore(PersistenceService* persistence, std::chrono::milliseconds autoSaveDelay,
        QObject* parent = nullptr);

    /// In display order.
    const QList<APIEnvironment>& environments() const { return m_environments; }
    const QList<KeyValuePair>& globalVariables() const { return m_globalVariables; }
    /// The environment with `id`, or null; valid until the next change.
    const APIEnvironment* environment(const QUuid& id) const;
    /// The rows of the environment with `environmentID`, or the global variables without an
    /// id; null when no environment has the id. Valid until the next change.
    const QList<KeyValuePair>* variables(const std::optional<QUuid>& environmentID) const;
    /// The first environment, in list order, that is active.
    std::optional<APIEnvironment> activeEnvironment() const;
    /// The variable set to send with, made fresh on every call.
    std::optional<APIEnvironment> mergedEnvironment() const;

    /// Appends an inactive environment with one blank enabled row.
    void addEnvironment(const QString& name);
    /// Appends the environment as given (an import).
    void appendEnvironment(const APIEnvironment& environment);
    /// Removes every environment with `id`.
    void deleteEnvironment(QUuid id);
    void renameEnvironment(QUuid id, const QString& name);
    /// Keeps the environment with `id` with the folder collection `collectionID`, or in the
    /// data folder without one. It stays where it is in the list, with its rows and their ids
    /// (so its secret values stay found in the vault), and its active flag.
    void setEnvironmentCollection(QUuid id, std::optional<QUuid> collectionID);
    /// Makes the environment with `id` the only active one (none for no id or an unknown one).
    void setActiveEnvironment(std::optional<QUuid> id);

    /// Inserts `rows` before position `row` (0 to the row count). False, changing nothing, for
    /// an unknown environment or a position out of range.
    bool insertVariables(std::optional<QUuid> environmentID, int row, QList<KeyValuePair> rows);
    /// Removes `count` rows from `row`. False, changing nothing, when they are not all there.
    bool removeVariables(std::optional<QUuid> environmentID, int row, int count);
    /// Replaces the row with the same id.
    void updateVariable(std::optional<QUuid> environmentID, const KeyValuePair& variable);
    /// Replaces every row. Rows that keep their ids and order are changed in place; otherwise
    /// the old rows are removed and the new ones inserted.
    void setVariables(std::optional<QUuid> environmentID, const QList<KeyValuePair>& rows);

    /// Replaces the environments kept with the folder collection `collectionID` by
    /// `environments` (those keep their active flag when they keep their id); they are appended
    /// after the others. Environments with the same id and rows are left in place.
    void replaceCollectionEnvironments(QUuid collectionID, QList<APIEnvironment> environments);

    /// Writes the environments at once, in place of the pending auto-save.
    void save() { m_saver.saveNow(); }
    /// The same for the global variables.
    void saveGlobalVariables() { m_globalsSaver.saveNow(); }

Q_SIGNALS:
    void environmentsInserted(int first, int last);
    void environmentsRemoved(int first, int last);
    /// The environment's name, active flag or place (`collectionID`) changed.
    void environmentChanged(const QUuid& environmentID);
    /// `activeEnvironment` names another environment, or none, or one again.
    void activeEnvironmentChanged();
    void variablesInserted(const std::optional<QUuid>& environmentID, int first, int last);
    void variablesRemoved(const std::optional<QUuid>& environmentID, int first, int last);
    void variableChanged(const std::optional<QUuid>& environmentID, const QUuid& variableID);
    /// Once after every operation that changed the environments or their rows.
    void environmentsChanged();
    /// Once after every operation that changed the global variables.
    void globalVariablesChanged();

private:
    friend class AppState;
    /// The stored records have been read (none when the file failed): they go in front of what
    /// was added meanwhile, which is then written.
    void finishLoad(QList<APIEnvironment> stored);
    /// Replaces the whole list of environments (a restored backup); the caller writes it.
    void replaceAll(const QList<APIEnvironment>& environments);
    /// The stored global variables have been read: as `finishLoad`.
    void finishGlobalVariablesLoad(QList<KeyValuePair> stored);
    /// Replaces the global variables (a restored backup); the caller writes them.
    void replaceGlobalVariables(const QList<KeyValuePair>& variables);
    ListSaver& saver() { return m_saver; }
    ListSaver& globalVariablesSaver() { return m_globalsSaver; }

    std::optional<QUuid> activeID() const;
    QList<KeyValuePair>* findVariables(const std::optional<QUuid>& environmentID);
    bool append(const QList<APIEnvironment>& environments);
    bool replaceRows(const std::optional<QUuid>& environmentID, const QList<KeyValuePair>& rows);
    /// Ends an operation: the active-environment and coarse notifications it owes.
    void finish(bool changed, const std::optional<QUuid>& activeBefore);
    void finishVariables(const std::optional<QUuid>& environmentID, bool changed);

    PersistenceService* m_persistence;
    QList<APIEnvironment> m_environments;
    QList<KeyValuePair> m_globalVariables;
    ListSaver m_saver;
    ListSaver m_globalsSaver;
};

} // namespace mako
