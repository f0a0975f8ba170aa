#include "state/sidebaractions.h"
#include "staterun.h"

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

QList<QUuid> requestIDs(const Collection& collection)
{
    QList<QUuid> ids;
    for (const APIRequest& request : collection.requests)
        ids.append(request.id);
    return ids;
}

APIRequest named(const QString& name)
{
    return APIRequest {.name = name, .url = u"https://a.test/"_s + name};
}

} // namespace

TEST(Collections, folderMembershipAndRemovalKeepOneFolderPerRequest)
{
    StateRun run;
    AppState& state = run.state;
    const APIRequest r1 = named(u"r1"_s), r2 = named(u"r2"_s), r3 = named(u"r3"_s);
    const QUuid id = run.addCollection(u"API"_s, {r1, r2, r3});
    state.addFolder(u"A"_s, id);
    state.addFolder(u"B"_s, id);
    state.addFolder(u"Lost"_s, QUuid::createUuid());
    const QUuid a = run.collection(id).folders[0].id, b = run.collection(id).folders[1].id;

    state.moveRequestToFolder(r1.id, a, id);
    state.moveRequestToFolder(r2.id, a, id);
    state.moveRequestToFolder(r1.id, b, id);
    state.moveRequestToFolder(r3.id, b, id);
    state.moveRequestToFolder(r3.id, std::nullopt, id);
    EXPECT_EQ(run.collection(id).folders[0].requestIDs, QList<QUuid> {r2.id});
    EXPECT_EQ(run.collection(id).folders[1].requestIDs, QList<QUuid> {r1.id});

    APIRequest changed = r2;
    changed.name = u"second version"_s;
    state.saveRequestToCollection(changed, id);
    EXPECT_EQ(run.collection(id).requests[1].name, u"second version"_s);
    state.removeRequest(r2.id, id);
    state.deleteFolder(b, id);

    const QList<Collection> stored = run.storedCollections();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(requestIDs(stored[0]), (QList<QUuid> {r1.id, r3.id}));
    ASSERT_EQ(stored[0].folders.size(), 1);
    EXPECT_TRUE(stored[0].folders[0].requestIDs.isEmpty());
}

TEST(Collections, duplicatesGetFreshIdsAndPlainHTTPCopiesKeepTheirFolders)
{
    StateRun run;
    SidebarActions sidebar(&run.state);
    const APIRequest graphql {
        .name = u"r3"_s, .requestProtocol = RequestProtocol::graphql, .graphqlQuery = u"{ me }"_s};
    APIRequest r1 = named(u"r1"_s);
    r1.testScript = u"t1()"_s;
    const APIRequest r2 = named(u"r2"_s);
    // The folder's last id is stale: no request has it. Scripts and variables go with the copy.
    const Collection source {.name = u"API"_s,
        .requests = {r1, r2, graphql},
        .folders = {CollectionFolder {.name = u"F"_s,
            .requestIDs = {r1.id, graphql.id, QUuid::createUuid()},
            .preRequestScript = u"f()"_s}},
        .variables = {KeyValuePair {.key = u"k"_s, .value = u"v"_s}},
        .preRequestScript = u"p()"_s,
        .testScript = u"t()"_s};
    const QUuid id = source.id;
    run.state.appendCollection(source);

    sidebar.duplicateCollection(id);
    ASSERT_EQ(run.state.collections().size(), 2);
    const Collection copy = run.state.collections()[1];
    EXPECT_EQ(copy.name, u"API (Copy)"_s);
    ASSERT_EQ(copy.requests.size(), 3);
    EXPECT_NE(copy.requests[0].id, r1.id);
    EXPECT_EQ(copy.requests[0].testScript, r1.testScript);
    EXPECT_EQ(copy.requests[2].requestProtocol, RequestProtocol::http);
    EXPECT_TRUE(copy.requests[2].graphqlQuery.isEmpty());
    ASSERT_EQ(copy.folders.size(), 1);
    EXPECT_EQ(
        copy.folders[0].requestIDs, (QList<QUuid> {copy.requests[0].id, copy.requests[2].id}));
    EXPECT_EQ(copy.folders[0].preRequestScript, u"f()"_s);
    EXPECT_EQ(copy.variables, source.variables);
    EXPECT_EQ(copy.preRequestScript + copy.testScript, u"p()t()"_s);

    // Copied into the other collection: a plain duplicate, the query kept.
    sidebar.duplicateRequest(graphql, copy.id);
    const APIRequest duplicate = run.collection(copy.id).requests.last();
    EXPECT_EQ(duplicate.name, u"r3 (Copy)"_s);
    EXPECT_EQ(duplicate.graphqlQuery, graphql.graphqlQuery);
    EXPECT_EQ(run.storedCollections().size(), 2);
}

TEST(Collections, dropsMoveWithinAndAcrossCollections)
{
    enum class Drag { request, folder, unknownRequest };
    const struct {
        const char* name;
        Drag drag;
        bool toOtherCollection, ontoFolder, handled;
        QList<int> sourceRequests, targetRequests; // indices of r0, r1, r2 (source), t (3)
        int targetFolders;
    } cases[] = {
        {"request onto own folder", Drag::request, false, true, true, {0, 1, 2}, {3}, 1},
        {"request onto other folder", Drag::request, true, true, true, {1, 2}, {3, 0}, 1},
        {"folder onto own collection", Drag::folder, false, false, false, {0, 1, 2}, {3}, 1},
        {"folder onto other collection", Drag::folder, true, false, true, {0}, {3, 1, 2}, 2},
        {"unknown request", Drag::unknownRequest, true, false, false, {0, 1, 2}, {3}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StateRun run;
        SidebarActions sidebar(&run.state);
        const QList<APIRequest> all {named(u"r0"_s), named(u"r1"_s), named(u"r2"_s), named(u"t"_s)};
        const QUuid source = run.addCollection(u"S"_s, all.mid(0, 3));
        const QUuid target = run.addCollection(u"T"_s, {all[3]});
        run.state.addFolder(u"SF"_s, source);
        run.state.addFolder(u"TF"_s, target);
        const QUuid sourceFolder = run.collection(source).folders[0].id;
        run.state.moveRequestToFolder(all[1].id, sourceFolder, source);
        run.state.moveRequestToFolder(all[2].id, sourceFolder, source);
        run.state.openFromCollection(all[0], source);
        run.state.openNewRequest();

        if (c.drag == Drag::folder) {
            EXPECT_EQ(sidebar.startDraggingFolder(sourceFolder),
                u"folder:"_s + sourceFolder.toString(QUuid::WithoutBraces));
        } else {
            sidebar.startDraggingRequest(c.drag == Drag::request ? all[0].id : QUuid::createUuid());
        }
        const QUuid to = c.toOtherCollection ? target : source;
        const std::optional<QUuid> folder
            = c.ontoFolder ? std::optional(run.collection(to).folders[0].id) : std::nullopt;
        EXPECT_EQ(sidebar.handleDrop(folder, to), c.handled);

        QList<QUuid> expectedSource, expectedTarget;
        for (int i : c.sourceRequests)
            expectedSource.append(all[i].id);
        for (int i : c.targetRequests)
            expectedTarget.append(all[i].id);
        EXPECT_EQ(requestIDs(run.collection(source)), expectedSource);
        EXPECT_EQ(requestIDs(run.collection(target)), expectedTarget);
        EXPECT_EQ(run.collection(target).folders.size(), c.targetFolders);
        if (c.ontoFolder) {
            EXPECT_TRUE(run.collection(to).folders[0].requestIDs.contains(all[0].id));
        }
        // The moved request's tab closes; a move within the collection keeps it.
        const bool moved = c.handled && c.drag == Drag::request && c.toOtherCollection;
        EXPECT_EQ(run.state.tabs().size(), moved ? 1 : 2);
        EXPECT_EQ(run.storedCollections()[1].requests.size(), c.targetRequests.size());
    }
}

TEST(Collections, aDropActsOnlyOnTheDragThatIsUnderWay)
{
    StateRun run;
    SidebarActions sidebar(&run.state);
    const APIRequest request = named(u"r"_s);
    const QUuid source = run.addCollection(u"S"_s, {request});
    const QUuid target = run.addCollection(u"T"_s);
    run.state.addFolder(u"F"_s, source);
    const QUuid folder = run.collection(source).folders[0].id;

    // A request drag let go outside any target, then a folder drag: the folder moves, the
    // request stays where it was.
    sidebar.startDraggingRequest(request.id);
    sidebar.startDraggingFolder(folder);
    EXPECT_TRUE(sidebar.handleDrop(std::nullopt, target));
    EXPECT_EQ(requestIDs(run.collection(source)), QList<QUuid> {request.id});
    EXPECT_TRUE(run.collection(source).folders.isEmpty());
    EXPECT_EQ(run.collection(target).folders.size(), 1);

    // The other way round, and a drag that ends without a drop leaves nothing to drop.
    sidebar.startDraggingFolder(folder);
    sidebar.startDraggingRequest(request.id);
    EXPECT_FALSE(sidebar.draggedFolderID().has_value());
    sidebar.endDragging();
    EXPECT_FALSE(sidebar.draggedRequestID().has_value());
    EXPECT_FALSE(sidebar.handleDrop(std::nullopt, target));
    EXPECT_EQ(requestIDs(run.collection(source)), QList<QUuid> {request.id});
}

TEST(Collections, renameAppliesTheTextAsTypedToCollectionFolderOrRequest)
{
    StateRun run;
    SidebarActions sidebar(&run.state);
    const QUuid id = run.addCollection(u"API"_s, {named(u"r"_s)});
    run.state.addFolder(u"New Folder"_s, id);
    const QUuid folder = run.collection(id).folders[0].id;
    sidebar.addRequestToFolder(folder, id);
    const APIRequest added = run.collection(id).requests.last();
    EXPECT_EQ(run.collection(id).folders[0].requestIDs, QList<QUuid> {added.id});
    EXPECT_EQ(run.state.openRequestOrigin(), RequestOrigin::collection(id));

    const struct {
        QUuid id;
        QString text;
    } renames[] = {{id, u" Spaced "_s}, {folder, QString()}, {added.id, u"Renamed"_s},
        {QUuid::createUuid(), u"nobody"_s}};
    for (const auto& rename : renames) {
        sidebar.startRename(rename.id, u"old"_s);
        sidebar.setRenameText(rename.text);
        sidebar.applyRename(rename.id);
        EXPECT_FALSE(sidebar.renamingID().has_value());
    }
    const Collection renamed = run.collection(id);
    EXPECT_EQ(renamed.folders[0].name, QString());
    EXPECT_EQ(renamed.requests.last().name, u"Renamed"_s);
    EXPECT_EQ(run.state.openRequest()->name, u"Renamed"_s);
    EXPECT_EQ(run.storedCollections()[0].name, u" Spaced "_s);
}

// The scripts of a collection or of one of its folders are replaced as a pair and stored; the
// other level and an unknown target keep theirs.
TEST(Collections, scriptsOfACollectionOrFolderAreReplacedAndStored)
{
    StateRun run;
    const QUuid id = run.addCollection(u"API"_s, {named(u"r"_s)});
    run.state.addFolder(u"F"_s, id);
    run.state.addFolder(u"G"_s, id);
    const QUuid folder = run.collection(id).folders[0].id;

    run.state.setScripts(id, std::nullopt, u"pm.environment.set('a', 1);"_s, u"t()"_s);
    run.state.setScripts(id, folder, u"f()"_s, QString());
    run.state.setScripts(id, QUuid::createUuid(), u"lost"_s, u"lost"_s);
    run.state.setScripts(QUuid::createUuid(), std::nullopt, u"lost"_s, u"lost"_s);

    run.state.saveCollections();
    const QList<Collection> stored = run.storedCollections();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].preRequestScript, u"pm.environment.set('a', 1);"_s);
    EXPECT_EQ(stored[0].testScript, u"t()"_s);
    ASSERT_EQ(stored[0].folders.size(), 2);
    EXPECT_EQ(stored[0].folders[0].preRequestScript, u"f()"_s);
    EXPECT_EQ(stored[0].folders[0].testScript, QString());
    EXPECT_EQ(stored[0].folders[1].preRequestScript, QString());
}

// A request made inside a collection goes with the collection's auth until told otherwise; one
// saved into it keeps its own. The collection's auth is stored, and copied with the collection.
TEST(Collections, newRequestsInheritTheCollectionsAuthWhichIsStoredAndDuplicated)
{
    StateRun run;
    SidebarActions sidebar(&run.state);
    const QUuid id = run.addCollection(u"API"_s);
    run.state.addFolder(u"F"_s, id);
    sidebar.addRequestToCollection(id);
    sidebar.addRequestToFolder(run.collection(id).folders[0].id, id);
    APIRequest saved = named(u"saved"_s);
    saved.authType = AuthType::basic;
    run.state.saveRequestToCollection(saved, id);
    QList<AuthType> kinds;
    for (const APIRequest& request : run.collection(id).requests)
        kinds.append(request.authType);
    EXPECT_EQ(kinds, (QList<AuthType> {AuthType::inherit, AuthType::inherit, AuthType::basic}));
    EXPECT_EQ(run.state.openRequest()->authType, AuthType::inherit);

    APIRequest auth;
    auth.authType = AuthType::bearer;
    auth.authToken = u"t"_s;
    run.state.setCollectionAuth(id, auth);
    const Collection stored = run.storedCollections().value(0);
    EXPECT_EQ(stored.authType, AuthType::bearer);
    EXPECT_EQ(stored.authToken, u"t"_s);
    // A collection has nothing above it to inherit from.
    auth.authType = AuthType::inherit;
    run.state.setCollectionAuth(id, auth);
    EXPECT_EQ(run.collection(id).authType, AuthType::none);
    run.state.setCollectionAuth(id, APIRequest {.authType = AuthType::apiKey, .authToken = u"k"_s});
    sidebar.duplicateCollection(id);
    const Collection copy = run.state.collections().value(1);
    EXPECT_EQ(copy.authType, AuthType::apiKey);
    EXPECT_EQ(copy.authToken, u"k"_s);
}
