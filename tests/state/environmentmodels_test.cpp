#include "state/environmentlistmodel.h"
#include "state/variablesmodel.h"
#include "staterun.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

const APIEnvironment kDev {.name = u"Dev"_s,
    .variables = {KeyValuePair {.key = u"host"_s, .value = u"dev.test"_s}},
    .isActive = true};
const APIEnvironment kProd {.name = u"Prod"_s};

StateRun storedEnvironmentsRun()
{
    return StateRun({.files = {{kEnvironmentsFile, encodeRecords(QList {kDev, kProd})}}});
}

// The models' own notifications, to check that they move rows rather than reset.
struct ModelSpies {
    explicit ModelSpies(QAbstractItemModel* model)
        : inserted(model, &QAbstractItemModel::rowsInserted)
        , removed(model, &QAbstractItemModel::rowsRemoved)
        , changed(model, &QAbstractItemModel::dataChanged)
        , reset(model, &QAbstractItemModel::modelReset)
    { }

    static QList<int> rows(const QSignalSpy& spy, qsizetype at)
    {
        return {spy.at(at).at(1).toInt(), spy.at(at).at(2).toInt()};
    }
    static int row(const QSignalSpy& spy, qsizetype at)
    {
        return spy.at(at).at(0).value<QModelIndex>().row();
    }

    QSignalSpy inserted, removed, changed, reset;
};

} // namespace

TEST(EnvironmentListModel, editsReachTheStateAndItsFileAndRowsMoveWithoutReset)
{
    StateRun run = storedEnvironmentsRun();
    EnvironmentListModel model(&run.state);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ModelSpies spies(&model);
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(0).data().toString(), u"Dev"_s);
    EXPECT_TRUE(model.index(0).data(EnvironmentListModel::ActiveRole).toBool());
    EXPECT_EQ(model.index(1).data(EnvironmentListModel::IDRole).toUuid(), kProd.id);
    const QPersistentModelIndex prod = model.index(1);

    EXPECT_TRUE(model.setData(prod, u"Production"_s));
    EXPECT_TRUE(model.setData(prod, true, EnvironmentListModel::ActiveRole));
    EXPECT_EQ(run.state.activeEnvironment()->id, kProd.id);
    ASSERT_EQ(spies.changed.size(), 3); // the name, then both active flags
    EXPECT_EQ(ModelSpies::row(spies.changed, 1), 0);
    EXPECT_TRUE(model.setData(prod, false, EnvironmentListModel::ActiveRole));
    EXPECT_FALSE(run.state.activeEnvironment().has_value());

    run.state.addEnvironment(u"New"_s);
    run.state.deleteEnvironment(kDev.id);
    ASSERT_EQ(spies.inserted.size(), 1);
    EXPECT_EQ(ModelSpies::rows(spies.inserted, 0), (QList {2, 2}));
    ASSERT_EQ(spies.removed.size(), 1);
    EXPECT_EQ(ModelSpies::rows(spies.removed, 0), (QList {0, 0}));
    EXPECT_TRUE(spies.reset.isEmpty());
    // A view's selection of Prod follows it to its new row.
    EXPECT_EQ(prod.row(), 0);
    EXPECT_EQ(prod.data().toString(), u"Production"_s);

    const auto stored = run.stored<APIEnvironment>(kEnvironmentsFile);
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].name, u"Production"_s);
    EXPECT_FALSE(stored[0].isActive);
}

TEST(VariablesModel, rowEditsInsertsAndRemovalsGoThroughTheState)
{
    StateRun run = storedEnvironmentsRun();
    VariablesModel model(&run.state);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 0); // the global variables, none yet
    model.showEnvironment(kDev.id);
    ModelSpies spies(&model);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, VariablesModel::ValueColumn).data().toString(), u"dev.test"_s);

    ASSERT_TRUE(model.insertRows(1, 2));
    EXPECT_FALSE(model.insertRows(4, 1));
    EXPECT_EQ(ModelSpies::rows(spies.inserted, 0), (QList {1, 2}));
    EXPECT_TRUE(model.setData(model.index(2, VariablesModel::KeyColumn), u"token"_s));
    EXPECT_TRUE(model.setData(model.index(2, VariablesModel::ValueColumn), u"abc"_s));
    EXPECT_TRUE(model.setData(
        model.index(0, VariablesModel::EnabledColumn), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(model.setData(model.index(0, VariablesModel::EnabledColumn), u"x"_s));
    ASSERT_TRUE(model.removeRows(1, 1));
    EXPECT_FALSE(model.removeRows(1, 5));
    EXPECT_EQ(ModelSpies::rows(spies.removed, 0), (QList {1, 1}));
    EXPECT_TRUE(spies.reset.isEmpty());

    const QList<KeyValuePair> rows = run.state.environments()[0].variables;
    ASSERT_EQ(rows.size(), 2);
    EXPECT_FALSE(rows[0].isEnabled);
    EXPECT_EQ(model.index(0, VariablesModel::EnabledColumn).data(Qt::CheckStateRole),
        QVariant(Qt::Unchecked));
    EXPECT_EQ(rows[1].key, u"token"_s);
    EXPECT_EQ(rows[1].value, u"abc"_s);
    EXPECT_EQ(run.stored<APIEnvironment>(kEnvironmentsFile).at(0).variables, rows);

    // An edit made elsewhere shows in its row.
    KeyValuePair edited = rows[1];
    edited.value = u"xyz"_s;
    run.state.updateVariable(kDev.id, edited);
    EXPECT_EQ(ModelSpies::row(spies.changed, spies.changed.size() - 1), 1);
    EXPECT_EQ(model.index(1, VariablesModel::ValueColumn).data().toString(), u"xyz"_s);

    // The global variables: their own rows, in memory only.
    model.showEnvironment(std::nullopt);
    ASSERT_TRUE(model.insertRows(0, 1));
    EXPECT_TRUE(model.setData(model.index(0, VariablesModel::KeyColumn), u"base"_s));
    ASSERT_EQ(run.state.globalVariables().size(), 1);
    EXPECT_EQ(run.state.globalVariables()[0].key, u"base"_s);
    EXPECT_EQ(run.state.environments()[0].variables.size(), 2);

    // The shown environment going empties the table, and nothing can be added to it.
    model.showEnvironment(kDev.id);
    run.state.deleteEnvironment(kProd.id);
    EXPECT_EQ(model.rowCount(), 2);
    run.state.deleteEnvironment(kDev.id);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.insertRows(0, 1));
    EXPECT_EQ(run.state.globalVariables().size(), 1);
}
