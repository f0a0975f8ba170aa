#pragma once

#include "model/apienvironment.h"
#include "model/collection.h"
#include "model/keyvaluepair.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

namespace mako {

class EnvironmentStore;
class SecretVault;

/// Keeps the values of secret variables (rows of an environment or of the global variables
/// marked `isSecret`) in the vault, so that they outlive the run without reaching a data file.
///
/// In memory a secret row holds its value like any other row: sends, scripts and the editor
/// read it there. The stored forms write it empty, so a row read back from a file arrives
/// without its value; this object then asks the vault for it and puts it into the row when it
/// comes (a send made before that goes with what the row holds). It follows the store's
/// notifications: a secret typed, changed or cleared is written to the vault, a row marked
/// secret moves its value there, a row removed or no longer secret takes its entry out (an
/// unmarked row keeps its value, which is then stored as usual).
///
/// A secret is found in the vault by the ids of its environment and its row, never by its
/// name: renaming the variable or its environment keeps it, two environments may each have a
/// secret of the same name, a copy of an environment (which gets an id of its own) is a
/// secret of its own, and the ids are what every stored form keeps (data files, backups, the
/// environments of a collection kept in a folder).
class SecretVariables : public QObject {
    Q_OBJECT

public:
    /// Both must outlive this object.
    SecretVariables(EnvironmentStore& store, SecretVault& vault, QObject* parent = nullptr);

    /// Where the vault keeps the secret row `rowID` of the environment `environmentID`, or of
    /// the global variables without one.
    static QString vaultKey(const std::optional<QUuid>& environmentID, const QUuid& rowID);

    /// `rows` (of the environment `environmentID`, or the globals) with the values the vault
    /// already knows put into their empty secret rows: for rows read from a file that replace
    /// rows of the same ids.
    QList<KeyValuePair> withKnownValues(
        const std::optional<QUuid>& environmentID, QList<KeyValuePair> rows) const;

    /// The names of the secret rows among `globals`, `environments` and the variables of
    /// `collections`, as a file holding them leaves them out: in that order, each name once.
    static QStringList secretNames(const QList<KeyValuePair>& globals,
        const QList<APIEnvironment>& environments, const QList<Collection>& collections = {});

private:
    struct Location {
        std::optional<QUuid> environmentID;
        QUuid rowID;
    };

    void noteArrivedEnvironments(int first, int last);
    void noteArrivedRows(const std::optional<QUuid>& environmentID, int first, int last);
    /// Compares the secret rows with what they held at the last change and tells the vault.
    void reconcile();
    void fill(const Location& location, const QString& value);

    EnvironmentStore& m_store;
    SecretVault& m_vault;
    /// The values of the secret rows at the last change, by vault key.
    QHash<QString, QString> m_known;
    /// Keys of rows inserted since the last change (read, restored, imported or re-inserted):
    /// an empty value there means "not known yet", not "cleared".
    QSet<QString> m_arrived;
};

} // namespace mako
