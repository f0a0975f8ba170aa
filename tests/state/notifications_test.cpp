#include "staterun.h"

#include <QMetaMethod>

#include <functional>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

template <typename T> QList<QUuid> ids(const QList<T>& records)
{
    QList<QUuid> result;
    for (const T& record : records)
        result.append(record.id);
    return result;
}

// Follows every notification of the stores as a model would: it keeps its own copy of each
// list's ids, applies each insertion and removal to it, and checks after every notification
// that the copy is the list as it is at that moment. It logs what it saw, ids by name.
class Follower {
public:
    Follower(const AppState& state, const QHash<QUuid, QString>& names)
        : m_state(state)
        , m_names(names)
        , m_collections(ids(state.collections()))
        , m_environments(ids(state.environments()))
        , m_history(ids(state.history()))
        , m_tabs(ids(state.tabs()))
    {
        for (const Collection& collection : state.collections())
            mirrorCollection(collection.id);
        m_variables[QUuid()] = ids(state.globalVariables());
        for (const APIEnvironment& environment : state.environments())
            m_variables[environment.id] = ids(environment.variables);
        followCollections();
        followEnvironments();
        followHistoryAndTabs();
    }

    QStringList log;

    bool inStep() const
    {
        if (m_collections != ids(m_state.collections()) || m_history != ids(m_state.history())
            || m_tabs != ids(m_state.tabs()) || m_environments != ids(m_state.environments())
            || m_variables.value(QUuid()) != ids(m_state.globalVariables()))
            return false;
        for (const Collection& collection : m_state.collections()) {
            if (m_requests.value(collection.id) != ids(collection.requests)
                || m_folders.value(collection.id) != ids(collection.folders))
                return false;
        }
        for (const APIEnvironment& environment : m_state.environments()) {
            if (m_variables.value(environment.id) != ids(environment.variables))
                return false;
        }
        return true;
    }

private:
    QString name(const QUuid& id) const { return m_names.value(id, u"?"_s); }
    QString name(const std::optional<QUuid>& id) const { return id ? name(*id) : u"global"_s; }

    void note(const QString& entry)
    {
        log.append(entry);
        EXPECT_TRUE(inStep()) << "after " << entry.toStdString();
    }
    void noteRange(const QString& signal, const QString& owner, int first, int last)
    {
        note(signal + (owner.isEmpty() ? QString() : u" "_s + owner)
            + u" %1-%2"_s.arg(first).arg(last));
    }

    void mirrorCollection(const QUuid& id)
    {
        const Collection* collection = m_state.collectionStore().collection(id);
        m_requests[id] = ids(collection->requests);
        m_folders[id] = ids(collection->folders);
    }

    // Applies an insertion of rows first..last to `mirror`, from `actual`.
    template <typename T>
    static void insert(QList<QUuid>& mirror, const QList<T>& actual, int first, int last)
    {
        for (int row = first; row <= last; ++row)
            mirror.insert(row, actual.at(row).id);
    }
    static QUuid key(const QUuid& id) { return id; }
    static QUuid key(const std::optional<QUuid>& id) { return id.value_or(QUuid()); }

    // Follows "<name>Inserted" and "<name>Removed" of a whole list into `mirror`; `list` gives
    // the list as it is, `added` runs for each inserted row.
    template <typename Store, typename List>
    void followRows(const Store* store, void (Store::*inserted)(int, int),
        void (Store::*removed)(int, int), QList<QUuid>& mirror, const QString& name, List list,
        std::function<void(int)> added = {})
    {
        QObject::connect(store, inserted, &m_context, [=, this, &mirror](int f, int l) {
            insert(mirror, list(), f, l);
            for (int row = f; row <= l && added; ++row)
                added(row);
            noteRange(name + u"Inserted"_s, {}, f, l);
        });
        QObject::connect(store, removed, &m_context, [=, this, &mirror](int f, int l) {
            mirror.remove(f, l - f + 1);
            noteRange(name + u"Removed"_s, {}, f, l);
        });
    }

    // The same for the rows one owner holds (a collection's folders, an environment's rows).
    template <typename Store, typename Owner, typename List>
    void followOwnedRows(const Store* store, void (Store::*inserted)(Owner, int, int),
        void (Store::*removed)(Owner, int, int), QHash<QUuid, QList<QUuid>>& mirrors,
        const QString& name, List list)
    {
        QObject::connect(store, inserted, &m_context, [=, this, &mirrors](Owner o, int f, int l) {
            insert(mirrors[key(o)], list(o), f, l);
            noteRange(name + u"Inserted"_s, this->name(o), f, l);
        });
        QObject::connect(store, removed, &m_context, [=, this, &mirrors](Owner o, int f, int l) {
            mirrors[key(o)].remove(f, l - f + 1);
            noteRange(name + u"Removed"_s, this->name(o), f, l);
        });
    }

    // Notes a signal that says only that something changed.
    template <typename Sender> void noteOn(const Sender* sender, void (Sender::*signal)())
    {
        const QString text = QString::fromLatin1(QMetaMethod::fromSignal(signal).name());
        QObject::connect(sender, signal, &m_context, [this, text] { note(text); });
    }

    void followCollections()
    {
        const CollectionStore* store = &m_state.collectionStore();
        followRows(
            store, &CollectionStore::collectionsInserted, &CollectionStore::collectionsRemoved,
            m_collections, u"collections"_s, [store] { return store->collections(); },
            [this](int row) { mirrorCollection(m_collections[row]); });
        followOwnedRows(store, &CollectionStore::foldersInserted, &CollectionStore::foldersRemoved,
            m_folders, u"folders"_s,
            [store](const QUuid& c) { return store->collection(c)->folders; });
        followOwnedRows(store, &CollectionStore::requestsInserted,
            &CollectionStore::requestsRemoved, m_requests, u"requests"_s,
            [store](const QUuid& c) { return store->collection(c)->requests; });
        QObject::connect(store, &CollectionStore::collectionChanged, &m_context,
            [this](const QUuid& id) { note(u"collectionChanged "_s + name(id)); });
        QObject::connect(store, &CollectionStore::folderChanged, &m_context,
            [this](const QUuid&, const QUuid& f) { note(u"folderChanged "_s + name(f)); });
        QObject::connect(store, &CollectionStore::requestChanged, &m_context,
            [this](const QUuid&, const QUuid& r) { note(u"requestChanged "_s + name(r)); });
        noteOn(store, &CollectionStore::collectionsChanged);
    }

    void followEnvironments()
    {
        const EnvironmentStore* store = &m_state.environmentStore();
        followRows(
            store, &EnvironmentStore::environmentsInserted, &EnvironmentStore::environmentsRemoved,
            m_environments, u"environments"_s, [store] { return store->environments(); },
            [this, store](int row) {
                m_variables[m_environments[row]] = ids(store->environments()[row].variables);
            });
        followOwnedRows(store, &EnvironmentStore::variablesInserted,
            &EnvironmentStore::variablesRemoved, m_variables, u"variables"_s,
            [store](const std::optional<QUuid>& e) { return *store->variables(e); });
        QObject::connect(store, &EnvironmentStore::environmentChanged, &m_context,
            [this](const QUuid& id) { note(u"environmentChanged "_s + name(id)); });
        QObject::connect(store, &EnvironmentStore::variableChanged, &m_context,
            [this](const std::optional<QUuid>& e, const QUuid& v) {
                note(u"variableChanged "_s + name(e) + u" "_s + name(v));
            });
        noteOn(store, &EnvironmentStore::activeEnvironmentChanged);
        noteOn(store, &EnvironmentStore::environmentsChanged);
        noteOn(store, &EnvironmentStore::globalVariablesChanged);
    }

    void followHistoryAndTabs()
    {
        const HistoryStore* history = &m_state.historyStore();
        followRows(history, &HistoryStore::historyInserted, &HistoryStore::historyRemoved,
            m_history, u"history"_s, [history] { return history->history(); });
        noteOn(history, &HistoryStore::historyChanged);
        const TabStore* tabs = &m_state.tabStore();
        followRows(tabs, &TabStore::tabsInserted, &TabStore::tabsRemoved, m_tabs, u"tabs"_s,
            [tabs] { return tabs->tabs(); });
        QObject::connect(tabs, &TabStore::tabChanged, &m_context,
            [this](const QUuid& id) { note(u"tabChanged "_s + name(id)); });
        QObject::connect(tabs, &TabStore::activeTabIDChanged, &m_context, [=, this] {
            // The active tab is always one of the list, or none.
            EXPECT_TRUE(!tabs->activeTabID() || tabs->activeTab());
            note(u"activeTabIDChanged"_s);
        });
        noteOn(tabs, &TabStore::tabsChanged);
        noteOn(tabs, &TabStore::openRequestChanged);
        noteOn(tabs, &TabStore::openRequestOriginChanged);
    }

    QObject m_context;
    const AppState& m_state;
    const QHash<QUuid, QString>& m_names;
    QList<QUuid> m_collections, m_environments, m_history, m_tabs;
    QHash<QUuid, QList<QUuid>> m_requests, m_folders;
    // By environment id; the null id holds the global variables.
    QHash<QUuid, QList<QUuid>> m_variables;
};

} // namespace

// A state with two collections (API: r1, r2, folder F listing r2; Other: empty), two
// environments (Dev, active, with row v; Prod), one global row g, two history entries (the
// retention limit is 2), and two tabs: r1 from API (t1) and a new request (t2, active).
struct Workspace {
    Workspace()
    {
        run.settings.setValue(SettingKeys::historyRetention, 2);
        const CollectionFolder folder {.name = u"F"_s, .requestIDs = {r2.id}};
        state.appendCollection(
            Collection {.name = u"API"_s, .requests = {r1, r2}, .folders = {folder}});
        state.addCollection(u"Other"_s);
        state.addEnvironment(u"Dev"_s);
        state.addEnvironment(u"Prod"_s);
        state.setActiveEnvironment(id(state.environments(), 0));
        state.setGlobalVariables({KeyValuePair {.key = u"host"_s}});
        state.addHistoryItem(r1, 200, 0.1);
        state.addHistoryItem(r2, 200, 0.1);
        state.openFromCollection(r1, id(state.collections(), 0));
        state.openNewRequest();
        const QList<QList<QUuid>> named {ids(state.collections()), {folder.id, r1.id, r2.id},
            ids(state.environments()), {id(state.environments()[0].variables, 0)},
            ids(state.globalVariables()), ids(state.tabs())};
        const QStringList labels {u"API"_s, u"Other"_s, u"F"_s, u"r1"_s, u"r2"_s, u"Dev"_s,
            u"Prod"_s, u"v"_s, u"g"_s, u"t1"_s, u"t2"_s};
        qsizetype next = 0;
        for (const QList<QUuid>& group : named) {
            for (const QUuid& uuid : group)
                names.insert(uuid, labels.at(next++));
        }
    }

    template <typename T> static QUuid id(const QList<T>& list, int row) { return list.at(row).id; }
    QUuid named(const QString& name) const { return names.key(name); }

    StateRun run;
    AppState& state = run.state;
    const APIRequest r1 {.name = u"r1"_s}, r2 {.name = u"r2"_s};
    QHash<QUuid, QString> names;
};

struct Case {
    const char* name;
    std::function<void(Workspace&)> op;
    QStringList expected;
};

// Each operation, on the same workspace: the notifications it sends, in order. A no-op sends
// none. The follower checks that each one describes the list as it is when it arrives.
void expectNotifications(const QList<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Workspace workspace;
        Follower follower(workspace.state, workspace.names);
        c.op(workspace);
        EXPECT_EQ(follower.log, c.expected);
        EXPECT_TRUE(follower.inStep());
    }
}

TEST(Notifications, collectionOperationsAnnounceExactlyTheRowsTheyChange)
{
    const auto edited = [](Workspace& w) {
        APIRequest request = w.state.collections()[0].requests[0];
        request.url = u"https://edited.test"_s;
        return request;
    };
    expectNotifications({
        {"add collection", [](Workspace& w) { w.state.addCollection(u"N"_s); },
            {u"collectionsInserted 2-2"_s, u"collectionsChanged"_s}},
        {"delete collection with a tab",
            [](Workspace& w) { w.state.deleteCollection(w.named(u"API"_s)); },
            {u"tabsRemoved 0-0"_s, u"tabsChanged"_s, u"collectionsRemoved 0-0"_s,
                u"collectionsChanged"_s}},
        {"delete unknown collection",
            [](Workspace& w) { w.state.deleteCollection(QUuid::createUuid()); }, {}},
        {"rename collection",
            [](Workspace& w) { w.state.renameCollection(w.named(u"API"_s), u"X"_s); },
            {u"collectionChanged API"_s, u"collectionsChanged"_s}},
        {"rename collection to its name",
            [](Workspace& w) { w.state.renameCollection(w.named(u"API"_s), u"API"_s); }, {}},
        {"add folder", [](Workspace& w) { w.state.addFolder(u"G"_s, w.named(u"API"_s)); },
            {u"foldersInserted API 1-1"_s, u"collectionsChanged"_s}},
        {"delete folder",
            [](Workspace& w) { w.state.deleteFolder(w.named(u"F"_s), w.named(u"API"_s)); },
            {u"foldersRemoved API 0-0"_s, u"collectionsChanged"_s}},
        {"rename folder",
            [](Workspace& w) { w.state.renameFolder(w.named(u"F"_s), w.named(u"API"_s), u"G"_s); },
            {u"folderChanged F"_s, u"collectionsChanged"_s}},
        {"set collection scripts",
            [](Workspace& w) {
                w.state.setScripts(w.named(u"API"_s), std::nullopt, u"p()"_s, u"t()"_s);
            },
            {u"collectionChanged API"_s, u"collectionsChanged"_s}},
        {"set folder scripts",
            [](Workspace& w) {
                w.state.setScripts(w.named(u"API"_s), w.named(u"F"_s), u"p()"_s, QString());
            },
            {u"folderChanged F"_s, u"collectionsChanged"_s}},
        {"set scripts as they are",
            [](Workspace& w) {
                w.state.setScripts(w.named(u"API"_s), w.named(u"F"_s), QString(), QString());
            },
            {}},
        {"save changed request",
            [&](Workspace& w) { w.state.saveRequestToCollection(edited(w), w.named(u"API"_s)); },
            {u"requestChanged r1"_s, u"collectionsChanged"_s}},
        {"save new request",
            [](Workspace& w) { w.state.saveRequestToCollection(APIRequest {}, w.named(u"API"_s)); },
            {u"requestsInserted API 2-2"_s, u"collectionsChanged"_s}},
        {"save request unchanged",
            [](Workspace& w) { w.state.saveRequestToCollection(w.r1, w.named(u"API"_s)); }, {}},
        {"remove filed request",
            [](Workspace& w) { w.state.removeRequest(w.r2.id, w.named(u"API"_s)); },
            {u"folderChanged F"_s, u"requestsRemoved API 1-1"_s, u"collectionsChanged"_s}},
        {"remove request open in a tab",
            [](Workspace& w) { w.state.removeRequest(w.r1.id, w.named(u"API"_s)); },
            {u"requestsRemoved API 0-0"_s, u"collectionsChanged"_s, u"tabsRemoved 0-0"_s,
                u"tabsChanged"_s}},
        {"file request",
            [](Workspace& w) {
                w.state.moveRequestToFolder(w.r1.id, w.named(u"F"_s), w.named(u"API"_s));
            },
            {u"folderChanged F"_s, u"collectionsChanged"_s}},
        {"file request where it is",
            [](Workspace& w) {
                w.state.moveRequestToFolder(w.r2.id, w.named(u"F"_s), w.named(u"API"_s));
            },
            {}},
        {"move folder to another collection",
            [](Workspace& w) {
                EXPECT_TRUE(w.state.moveFolderToCollection(w.named(u"F"_s), w.named(u"Other"_s)));
            },
            {u"requestsInserted Other 0-0"_s, u"foldersInserted Other 0-0"_s,
                u"foldersRemoved API 0-0"_s, u"requestsRemoved API 1-1"_s,
                u"collectionsChanged"_s}},
        {"move folder to its own collection",
            [](Workspace& w) {
                EXPECT_FALSE(w.state.moveFolderToCollection(w.named(u"F"_s), w.named(u"API"_s)));
            },
            {}},
    });
}

TEST(Notifications, environmentOperationsAnnounceExactlyTheRowsTheyChange)
{
    expectNotifications({
        {"add environment", [](Workspace& w) { w.state.addEnvironment(u"E"_s); },
            {u"environmentsInserted 2-2"_s, u"environmentsChanged"_s}},
        {"delete active environment",
            [](Workspace& w) { w.state.deleteEnvironment(w.named(u"Dev"_s)); },
            {u"environmentsRemoved 0-0"_s, u"activeEnvironmentChanged"_s,
                u"environmentsChanged"_s}},
        {"activate another", [](Workspace& w) { w.state.setActiveEnvironment(w.named(u"Prod"_s)); },
            {u"environmentChanged Dev"_s, u"environmentChanged Prod"_s,
                u"activeEnvironmentChanged"_s, u"environmentsChanged"_s}},
        {"activate the active one",
            [](Workspace& w) { w.state.setActiveEnvironment(w.named(u"Dev"_s)); }, {}},
        {"rename environment",
            [](Workspace& w) { w.state.renameEnvironment(w.named(u"Prod"_s), u"P"_s); },
            {u"environmentChanged Prod"_s, u"environmentsChanged"_s}},
        {"insert rows",
            [](Workspace& w) {
                EXPECT_TRUE(w.state.insertVariables(w.named(u"Dev"_s), 1, {{}, {}}));
            },
            {u"variablesInserted Dev 1-2"_s, u"environmentsChanged"_s}},
        {"insert rows past the end",
            [](Workspace& w) { EXPECT_FALSE(w.state.insertVariables(w.named(u"Dev"_s), 2, {{}})); },
            {}},
        {"remove row",
            [](Workspace& w) { EXPECT_TRUE(w.state.removeVariables(w.named(u"Dev"_s), 0, 1)); },
            {u"variablesRemoved Dev 0-0"_s, u"environmentsChanged"_s}},
        {"remove rows that are not there",
            [](Workspace& w) { EXPECT_FALSE(w.state.removeVariables(std::nullopt, 0, 2)); }, {}},
        {"edit global row",
            [](Workspace& w) {
                KeyValuePair row = w.state.globalVariables()[0];
                row.value = u"a"_s;
                w.state.updateVariable(std::nullopt, row);
            },
            {u"variableChanged global g"_s, u"globalVariablesChanged"_s}},
        {"same global rows",
            [](Workspace& w) { w.state.setGlobalVariables(w.state.globalVariables()); }, {}},
        {"replace rows",
            [](Workspace& w) { w.state.setEnvironmentVariables(w.named(u"Dev"_s), {{}}); },
            {u"variablesRemoved Dev 0-0"_s, u"variablesInserted Dev 0-0"_s,
                u"environmentsChanged"_s}},
    });
}

TEST(Notifications, historyAndTabOperationsAnnounceExactlyTheRowsTheyChange)
{
    expectNotifications({
        {"record at the limit", [](Workspace& w) { w.state.addHistoryItem(w.r1, 201, 0.2); },
            {u"historyInserted 0-0"_s, u"historyRemoved 2-2"_s, u"historyChanged"_s}},
        {"clear history", [](Workspace& w) { w.state.clearHistory(); },
            {u"historyRemoved 0-1"_s, u"historyChanged"_s}},
        {"open new request", [](Workspace& w) { w.state.openNewRequest(); },
            {u"tabsInserted 2-2"_s, u"activeTabIDChanged"_s, u"openRequestChanged"_s,
                u"tabsChanged"_s}},
        {"close active tab", [](Workspace& w) { w.state.closeTab(w.named(u"t2"_s)); },
            {u"activeTabIDChanged"_s, u"openRequestChanged"_s, u"openRequestOriginChanged"_s,
                u"tabsRemoved 1-1"_s, u"tabsChanged"_s}},
        {"close all tabs", [](Workspace& w) { w.state.closeAllTabs(); },
            {u"activeTabIDChanged"_s, u"openRequestChanged"_s, u"tabsRemoved 0-1"_s,
                u"tabsChanged"_s}},
        {"switch to the active tab", [](Workspace& w) { w.state.switchToTab(w.named(u"t2"_s)); },
            {}},
        {"a background tab starts loading",
            [](Workspace& w) {
                w.state.updateTabResponse(w.named(u"t1"_s), std::nullopt, std::nullopt, true);
            },
            {u"tabChanged t1"_s, u"tabsChanged"_s}},
        {"a tab's scripts outcome",
            [](Workspace& w) {
                w.state.updateTabScripts(w.named(u"t1"_s), ScriptOutcome {.console = {u"hello"_s}});
            },
            {u"tabChanged t1"_s, u"tabsChanged"_s}},
        {"a tab's send state again",
            [](Workspace& w) {
                w.state.updateTabResponse(w.named(u"t1"_s), std::nullopt, std::nullopt, false);
            },
            {}},
        {"change origin",
            [](Workspace& w) {
                w.state.setActiveTabOrigin(RequestOrigin::collection(w.named(u"Other"_s)));
            },
            {u"openRequestOriginChanged"_s, u"tabChanged t2"_s, u"tabsChanged"_s}},
    });
}

// A restored backup and the start-up load change whole lists; they too arrive as insertions
// and removals a model can follow.
TEST(Notifications, loadAndBackupArriveAsRowsAModelCanFollow)
{
    const QList<Collection> stored {Collection {.name = u"A"_s}, Collection {.name = u"B"_s}};
    StateRun run({.files = {{kCollectionsFile, encodeRecords(stored)}}, .waitForLoad = false});
    run.state.addCollection(u"Early"_s);
    QHash<QUuid, QString> names;
    Follower follower(run.state, names);
    ASSERT_TRUE(waitUntilLoaded(run.state));
    EXPECT_EQ(follower.log, (QStringList {u"collectionsInserted 0-1"_s, u"collectionsChanged"_s}));

    follower.log.clear();
    run.folder.write(u"backup.json"_s,
        CollectionExporter::makeBackup(
            {.collections = QList<Collection> {}, .environments = {}, .history = {}}, QDateTime()));
    run.state.importAllData(run.folder.filePath(u"backup.json"_s));
    ASSERT_TRUE(QSignalSpy(&run.state, &AppState::fileOperationFinished).wait(20000));
    EXPECT_EQ(follower.log, (QStringList {u"collectionsRemoved 0-2"_s, u"collectionsChanged"_s}));
}
