#include "state/historyfilter.h"
#include "state/sidebaractions.h"
#include "ui/common/badges.h"
#include "ui/sidebar/collectiontreemodel.h"
#include "ui/sidebar/historylistmodel.h"
#include "windowtesting.h"

#include <QAbstractItemModelTester>

#include <functional>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// The tree as lines: two blanks per level, a count after collections and folders.
QStringList render(const QAbstractItemModel& model, const QModelIndex& parent = {}, int depth = 0)
{
    QStringList lines;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        QString line = QString(depth * 2, u' ') + index.data().toString();
        if (const QVariant count = index.data(CollectionTreeModel::CountRole); count.isValid())
            line += u' ' + QString::number(count.toInt());
        lines.append(line);
        lines += render(model, index, depth + 1);
    }
    return lines;
}

APIRequest named(const QString& name)
{
    return APIRequest {.name = name};
}

} // namespace

TEST(SidebarModels, collectionTreeShowsFoldersFirstAndSkipsStaleIDs)
{
    StateRun run;
    SidebarActions actions(&run.state);
    const APIRequest a = named(u"a"_s), b = named(u"b"_s), c = named(u"c"_s);
    const QUuid api = run.addCollection(u"API"_s, {a, b, c});
    run.state.addFolder(u"F"_s, api);
    const QUuid folder = run.collection(api).folders[0].id;
    run.state.moveRequestToFolder(c.id, folder, api);
    run.state.moveRequestToFolder(a.id, folder, api);
    // A folder may list a request that is gone: a file edited by hand, an old import.
    Collection stale = run.collection(api);
    stale.id = QUuid::createUuid();
    stale.name = u"Stale"_s;
    stale.folders[0].requestIDs.append(QUuid::createUuid());
    run.state.appendCollection(stale);

    CollectionTreeModel model(run.state, actions);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(render(model),
        (QStringList {u"API 3"_s, u"  F 2"_s, u"    c"_s, u"    a"_s, u"  b"_s, u"Stale 3"_s,
            u"  F 2"_s, u"    c"_s, u"    a"_s, u"  b"_s}));
}

TEST(SidebarModels, collectionTreeFollowsEveryEditRowByRow)
{
    StateRun run;
    SidebarActions actions(&run.state);
    const APIRequest a = named(u"a"_s), b = named(u"b"_s), c = named(u"c"_s);
    const QUuid api = run.addCollection(u"API"_s, {a, b, c});
    const QUuid other = run.addCollection(u"Other"_s, {named(u"o"_s)});
    run.state.addFolder(u"F"_s, api);
    run.state.addFolder(u"G"_s, api);
    const auto folder = [&](int i) { return run.collection(api).folders[i].id; };

    CollectionTreeModel model(run.state, actions);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);
    const QPersistentModelIndex otherRow = model.collectionIndex(other);

    const struct {
        const char* name;
        std::function<void()> edit;
    } edits[] = {
        {"file a", [&] { run.state.moveRequestToFolder(a.id, folder(0), api); }},
        {"file b", [&] { run.state.moveRequestToFolder(b.id, folder(0), api); }},
        {"refile a", [&] { run.state.moveRequestToFolder(a.id, folder(1), api); }},
        {"rename", [&] { run.state.renameRequest(b.id, api, u"b2"_s); }},
        {"new request", [&] { actions.addRequestToFolder(folder(0), api); }},
        {"to the folder's end", [&] { run.state.moveRequestToFolder(b.id, folder(0), api); }},
        {"unfile b", [&] { run.state.moveRequestToFolder(b.id, std::nullopt, api); }},
        {"remove c", [&] { run.state.removeRequest(c.id, api); }},
        {"delete folder", [&] { run.state.deleteFolder(folder(1), api); }},
        {"move folder", [&] { run.state.moveFolderToCollection(folder(0), other); }},
        {"duplicate", [&] { actions.duplicateCollection(api); }},
        {"delete collection", [&] { run.state.deleteCollection(api); }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        edit();
        // Step by step, the rows come out as a model built afresh shows them.
        const CollectionTreeModel fresh(run.state, actions);
        EXPECT_EQ(render(model), render(fresh));
    }
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(layouts.count(), 0);
    EXPECT_EQ(otherRow.data().toString(), u"Other"_s);
}

TEST(SidebarModels, historyListFollowsRecordsAndTrimsUnderItsFilter)
{
    StateRun run;
    run.settings.setValue(SettingKeys::historyRetention, 4);
    HistoryListModel model(run.state);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto send = [&](const QString& url) {
        run.state.addHistoryItem(APIRequest {.url = url}, 200, 0.0125);
    };
    const auto shown = [&] {
        QStringList urls;
        for (int row = 0; row < model.rowCount(); ++row)
            urls.append(model.index(row).data().toString());
        return urls;
    };
    const auto expected = [&] {
        QStringList urls;
        for (const HistoryItem& item : filteredHistory(run.state.history(), model.searchText()))
            urls.append(item.request.url);
        return urls;
    };
    send(u"https://a.test/users"_s);
    send(u"https://a.test/orders"_s);
    model.setSearchText(u"USERS"_s);
    EXPECT_EQ(shown(), QStringList {u"https://a.test/users"_s});
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    for (const QString& url : {u"https://b.test/users/1"_s, u"https://b.test/x"_s,
             u"https://c.test/users"_s, u"https://d.test/y"_s, u"https://e.test/z"_s}) {
        send(url);
        EXPECT_EQ(shown(), expected()) << url.toStdString();
    }
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(model.index(0).data(HistoryListModel::DurationRole).toString(), u"12ms"_s);
    // A GraphQL query goes out as a POST, whatever method field its record carries.
    model.setSearchText({});
    run.state.addHistoryItem(
        APIRequest {.method = HTTPMethod::get, .requestProtocol = RequestProtocol::graphql}, 200,
        0);
    EXPECT_EQ(model.index(0).data(HistoryListModel::MethodRole).toString(), u"POST"_s);
    // Any other method shows by its name, on a neutral badge.
    run.state.addHistoryItem(
        APIRequest {.method = HTTPMethod::custom, .customMethod = u"REPORT"_s}, 207, 0);
    const QString custom = model.index(0).data(HistoryListModel::MethodRole).toString();
    EXPECT_EQ(custom, u"REPORT"_s);
    EXPECT_EQ(methodColor(custom), SystemColor::grey);
    EXPECT_EQ(methodColor(u"POST"_s), SystemColor::orange);
    run.state.clearHistory();
    EXPECT_EQ(model.rowCount(), 0);
}
