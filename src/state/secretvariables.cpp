#include "state/secretvariables.h"

#include "state/environmentstore.h"
#include "state/listedits.h"
#include "state/secretstore.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace mako {

SecretVariables::SecretVariables(EnvironmentStore& store, SecretVault& vault, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_vault(vault)
{
    connect(&store, &EnvironmentStore::environmentsInserted, this,
        &SecretVariables::noteArrivedEnvironments);
    connect(&store, &EnvironmentStore::variablesInserted, this, &SecretVariables::noteArrivedRows);
    connect(&store, &EnvironmentStore::environmentsChanged, this, &SecretVariables::reconcile);
    connect(&store, &EnvironmentStore::globalVariablesChanged, this, &SecretVariables::reconcile);
    reconcile();
}

QString SecretVariables::vaultKey(const std::optional<QUuid>& environmentID, const QUuid& rowID)
{
    return u"variable/%1/%2"_s.arg(
        environmentID ? environmentID->toString(QUuid::WithoutBraces) : u"global"_s,
        rowID.toString(QUuid::WithoutBraces));
}

QList<KeyValuePair> SecretVariables::withKnownValues(
    const std::optional<QUuid>& environmentID, QList<KeyValuePair> rows) const
{
    for (KeyValuePair& row : rows) {
        if (row.isSecret && row.value.isEmpty())
            row.value = m_vault.value(vaultKey(environmentID, row.id));
    }
    return rows;
}

QStringList SecretVariables::secretNames(const QList<KeyValuePair>& globals,
    const QList<APIEnvironment>& environments, const QList<Collection>& collections)
{
    QStringList names;
    const auto note = [&names](const QList<KeyValuePair>& rows) {
        for (const KeyValuePair& row : rows) {
            if (row.isSecret && !row.key.isEmpty() && !names.contains(row.key))
                names.append(row.key);
        }
    };
    note(globals);
    for (const APIEnvironment& environment : environments)
        note(environment.variables);
    for (const Collection& collection : collections)
        note(collection.variables);
    return names;
}

void SecretVariables::noteArrivedEnvironments(int first, int last)
{
    for (int index = first; index <= last; ++index) {
        const APIEnvironment& environment = m_store.environments().at(index);
        for (const KeyValuePair& row : environment.variables) {
            if (row.isSecret)
                m_arrived.insert(vaultKey(environment.id, row.id));
        }
    }
}

void SecretVariables::noteArrivedRows(
    const std::optional<QUuid>& environmentID, int first, int last)
{
    const QList<KeyValuePair>* rows = m_store.variables(environmentID);
    for (int index = first; rows && index <= last; ++index) {
        if (rows->at(index).isSecret)
            m_arrived.insert(vaultKey(environmentID, rows->at(index).id));
    }
}

void SecretVariables::reconcile()
{
    QHash<QString, QString> current;
    QHash<QString, Location> locations;
    const auto collect
        = [&](const std::optional<QUuid>& environmentID, const QList<KeyValuePair>& rows) {
              for (const KeyValuePair& row : rows) {
                  if (!row.isSecret)
                      continue;
                  const QString key = vaultKey(environmentID, row.id);
                  current.insert(key, row.value);
                  locations.insert(key, Location {environmentID, row.id});
              }
          };
    collect(std::nullopt, m_store.globalVariables());
    for (const APIEnvironment& environment : m_store.environments())
        collect(environment.id, environment.variables);

    for (const auto& [key, value] : current.asKeyValueRange()) {
        const bool arrived = m_arrived.contains(key) || !m_known.contains(key);
        if (arrived && value.isEmpty()) {
            // Read from a file (or just marked without a value): the vault may know it.
            m_vault.load(key,
                [self = QPointer(this), location = locations.value(key)](const QString& found) {
                    if (self)
                        self->fill(location, found);
                });
        } else if (arrived || m_known.value(key) != value) {
            m_vault.setValue(key, value);
        }
    }
    // Gone, or no longer secret: the vault keeps nothing the files do not name as a secret.
    for (auto known = m_known.cbegin(); known != m_known.cend(); ++known) {
        if (!current.contains(known.key()))
            m_vault.setValue(known.key(), {});
    }
    m_known = std::move(current);
    m_arrived.clear();
}

void SecretVariables::fill(const Location& location, const QString& value)
{
    if (value.isEmpty())
        return;
    const QList<KeyValuePair>* rows = m_store.variables(location.environmentID);
    const int index = rows ? indexOfID(*rows, location.rowID) : -1;
    // Typed over, unmarked or removed in the meantime: what the user did wins.
    if (index < 0 || !rows->at(index).isSecret || !rows->at(index).value.isEmpty())
        return;
    KeyValuePair filled = rows->at(index);
    filled.value = value;
    m_store.updateVariable(location.environmentID, filled);
}

} // namespace mako
