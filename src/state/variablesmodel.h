#pragma once

#include "model/keyvaluepair.h"

#include <QAbstractTableModel>
#include <QList>
#include <QUuid>

#include <optional>

namespace mako {

class AppState;

/// The variable rows of one environment, or the global variables, as a table: whether the row
/// is enabled (a check box), its key, its value and whether it is secret (a check box). Edits,
/// inserted rows (blank and enabled) and removed rows go through the state's operations, and
/// the rows follow the variable notifications one step at a time. Showing another list of rows
/// is a reset.
///
/// A secret's value is shown (and named to assistive tools) as `kMask` until the values are
/// revealed; it is edited as it is in either case.
class VariablesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { EnabledColumn, KeyColumn, ValueColumn, SecretColumn, ColumnCount };
    /// The row's id (QUuid), in every column.
    static constexpr int IDRole = Qt::UserRole;
    /// In the value column: true while the value is shown masked.
    static constexpr int MaskedRole = Qt::UserRole + 1;
    /// What stands for a secret value, whatever its length.
    static constexpr QStringView kMask = u"\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022";

    /// Shows the global variables until `showEnvironment` picks an environment. `state` must
    /// outlive the model.
    explicit VariablesModel(AppState* state, QObject* parent = nullptr);

    /// The environment shown, or none for the global variables.
    const std::optional<QUuid>& environmentID() const { return m_environmentID; }
    /// Shows the rows of the environment with `environmentID`, or the global variables without
    /// one. While no environment has the id, there are no rows and none can be inserted.
    void showEnvironment(const std::optional<QUuid>& environmentID);
    /// Whether secret values are shown as they are (false: masked, the default).
    bool valuesRevealed() const { return m_revealed; }
    void setValuesRevealed(bool revealed);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    const QList<KeyValuePair>* shownRows() const;
    const KeyValuePair* variableAt(int row) const;
    void reload();
    void handleInserted(const std::optional<QUuid>& environmentID, int first, int last);
    void handleRemoved(const std::optional<QUuid>& environmentID, int first, int last);
    void handleChanged(const std::optional<QUuid>& environmentID, const QUuid& variableID);
    void handleEnvironmentsChanged();

    AppState* m_state;
    std::optional<QUuid> m_environmentID;
    // Whether the rows shown are those of an existing list (an environment can go and, with a
    // restored backup, come back).
    bool m_attached = true;
    bool m_revealed = false;
    // The ids of the rows as the notifications so far describe them.
    QList<QUuid> m_ids;
};

} // namespace mako
