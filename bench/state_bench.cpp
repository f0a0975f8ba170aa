#include "benchdata.h"
#include "model/recordjson.h"
#include "state/appstate.h"
#include "state/datafile.h"
#include "state/persistenceservice.h"
#include "state/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

constexpr double kMB = 1 << 20;

// A workspace of 10,000 requests in 50 collections plus 100 history items, on disk.
struct Workspace {
    Workspace()
    {
        QDir().mkpath(appDirectory());
        const QList<Collection> collections = bench::generateCollections(10000, 50);
        QList<HistoryItem> history;
        for (int i = 0; i < 100; ++i)
            history.append(
                HistoryItem {.request = collections[i % 50].requests[i], .statusCode = 200});
        const QByteArray collectionBytes = encodeRecords(collections);
        const QByteArray historyBytes = encodeRecords(history);
        writeDataFile(filePath(PersistenceService::kCollectionsFile), collectionBytes);
        writeDataFile(filePath(PersistenceService::kHistoryFile), historyBytes);
        collectionsMB = collectionBytes.size() / kMB;
        totalMB = (collectionBytes.size() + historyBytes.size()) / kMB;
    }

    QString appDirectory() const { return root.filePath(u"com.quorin.mako"_s); }
    QString filePath(const QString& name) const { return QDir(appDirectory()).filePath(name); }

    QTemporaryDir root;
    double collectionsMB = 0;
    double totalMB = 0;
};

// Start-up: from constructing the state to the moment every list has been assigned.
void startupLoad(benchmark::State& state)
{
    Workspace workspace;
    Settings settings(workspace.root.filePath(u"settings.ini"_s));
    PersistenceService persistence(workspace.appDirectory());
    QElapsedTimer clock;
    qint64 nanoseconds = 0;
    for (auto _ : state) {
        clock.start();
        AppState appState(&persistence, &settings);
        QSignalSpy loaded(&appState, &AppState::didLoadChanged);
        if (!loaded.wait(60000) || appState.collections().size() != 50)
            state.SkipWithError("load failed");
        nanoseconds += clock.nsecsElapsed();
    }
    state.counters["JSON_MB"] = workspace.totalMB;
    state.counters["ms_per_MB"] = nanoseconds / 1e6 / state.iterations() / workspace.totalMB;
}
BENCHMARK(startupLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

// The workspace loaded into an application state, as after start-up.
struct LoadedWorkspace {
    Workspace workspace;
    Settings settings {workspace.root.filePath(u"settings.ini"_s)};
    PersistenceService persistence {workspace.appDirectory()};
    AppState appState {&persistence, &settings};

    LoadedWorkspace() { QSignalSpy(&appState, &AppState::didLoadChanged).wait(60000); }
};

// One save of the collections, from the request to the write having landed.
void saveWorkspace(benchmark::State& state)
{
    LoadedWorkspace loaded;
    auto& [workspace, settings, persistence, appState] = loaded;
    QSignalSpy written(&persistence, &PersistenceService::saveFinished);
    QElapsedTimer clock;
    qint64 nanoseconds = 0;
    for (auto _ : state) {
        clock.start();
        appState.saveCollections();
        if (!written.wait(60000) || !written.last().at(1).toBool())
            state.SkipWithError("save failed");
        nanoseconds += clock.nsecsElapsed();
    }
    state.counters["JSON_MB"] = workspace.collectionsMB;
    state.counters["ms_per_MB"] = nanoseconds / 1e6 / state.iterations() / workspace.collectionsMB;
}
BENCHMARK(saveWorkspace)->Unit(benchmark::kMillisecond)->Iterations(5);

// 1,000 edits inside one debounce window: the auto-save must write once, not 1,000 times.
void burstOfEditsWithinDebounce(benchmark::State& state)
{
    LoadedWorkspace loaded;
    auto& [workspace, settings, persistence, appState] = loaded;
    QSignalSpy written(&persistence, &PersistenceService::saveFinished);
    for (auto _ : state) {
        written.clear();
        for (int edit = 0; edit < 1000; ++edit) {
            appState.renameCollection(appState.collections()[edit % 50].id, u"edit %1"_s.arg(edit));
            QCoreApplication::processEvents();
        }
        written.wait(5000);
        // Anything later than a second debounce window would be a second write of the burst.
        QSignalSpy(&persistence, &PersistenceService::saveFinished)
            .wait(int(2 * AppState::kAutoSaveDelay.count()));
    }
    state.counters["writes_per_burst"] = double(written.size());
    if (written.size() != 1)
        state.SkipWithError("a burst of edits did not cause exactly one write");
}
BENCHMARK(burstOfEditsWithinDebounce)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
