// A folder collection of 5,000 request files (50 folders of 100), made in a temporary folder:
//   bareRead        reading the same 5,000 files with QFile in a plain loop, the baseline;
//   openThroughApp  "Open Folder as Collection" through the application state with the sidebar
//                   shown, until the collection is in the sidebar, with the longest stall of
//                   the UI thread seen by a 1 ms timer meanwhile;
//   outsideChange   one request file written over from outside, until the state holds it.
// Printed as ratios against bareRead at the end. Targets: stall < 50 ms, change < 200 ms.

#include "interchange/foldercollection.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "ui/commands/shortcutmap.h"
#include "ui/common/filedialogs.h"
#include "ui/sidebar/sidebar.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

constexpr int kFolders = 50;
constexpr int kRequestsPerFolder = 100;

struct Figures {
    double bareReadMs = 0;
    double openMs = 0;
    double openStallMs = 0;
    double changeMs = 0;
    double changeStallMs = 0;
    double bareWriteMs = 0;
    double saveMs = 0;
};
Figures figures;

struct TeamFolder {
    TeamFolder()
    {
        Collection collection {.name = u"Team API"_s};
        for (int f = 0; f < kFolders; ++f) {
            CollectionFolder folder {.name = u"Area %1"_s.arg(f)};
            for (int r = 0; r < kRequestsPerFolder; ++r) {
                const APIRequest request {.name = u"Request %1-%2"_s.arg(f).arg(r),
                    .url = u"https://{{host}}/area/%1/items/%2"_s.arg(f).arg(r),
                    .headers = {KeyValuePair {.key = u"Accept"_s, .value = u"application/json"_s}}};
                folder.requestIDs.append(request.id);
                collection.requests.append(request);
            }
            collection.folders.append(folder);
        }
        contents.collection = collection;
        files = FolderCollection::encode(contents);
        FolderCollection::write(path, files, {});
    }

    QTemporaryDir root;
    QString path = root.filePath(u"team-api"_s);
    FolderCollection::Contents contents;
    FolderCollection::Files files;
};

TeamFolder& team()
{
    static TeamFolder folder;
    return folder;
}

// The longest gap between the ticks of a 1 ms timer on the UI thread while it runs.
class StallMeter {
public:
    StallMeter()
    {
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.nsecsElapsed() / 1e6);
            m_clock.restart();
        });
        m_clock.start();
        m_timer.start();
    }
    double longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_longest = 0;
};

// An application with its sidebar shown, as the window has it.
struct App {
    App()
    {
        sidebar = new Sidebar(state, settings, dialogs, shortcuts, &window);
        sidebar->resize(320, 900);
        window.resize(320, 900);
        window.show();
        loaded = QTest::qWaitFor([&] { return state.didLoad(); }, 60000);
    }

    QTemporaryDir data;
    PersistenceService persistence {data.filePath(u"app"_s)};
    Settings settings {data.filePath(u"settings.ini"_s)};
    AppState state {&persistence, &settings};
    SystemFileDialogs dialogs;
    ShortcutMap shortcuts {settings};
    QWidget window;
    Sidebar* sidebar = nullptr;
    bool loaded = false;
};

void bareRead(benchmark::State& state)
{
    const QDir folder(team().path);
    QElapsedTimer clock;
    double total = 0;
    for (auto _ : state) {
        clock.start();
        qint64 bytes = 0;
        for (auto file = team().files.cbegin(); file != team().files.cend(); ++file) {
            QFile opened(folder.filePath(file.key()));
            if (opened.open(QIODevice::ReadOnly))
                bytes += opened.readAll().size();
        }
        benchmark::DoNotOptimize(bytes);
        total += clock.nsecsElapsed() / 1e6;
    }
    figures.bareReadMs = total / double(state.iterations());
    state.counters["files"] = double(team().files.size());
}
BENCHMARK(bareRead)->Unit(benchmark::kMillisecond)->Iterations(5);

void openThroughApp(benchmark::State& state)
{
    double total = 0;
    double stall = 0;
    for (auto _ : state) {
        App app;
        if (!app.loaded)
            state.SkipWithError("the application did not start");
        QSignalSpy finished(&app.state, &AppState::fileOperationFinished);
        StallMeter meter;
        QElapsedTimer clock;
        clock.start();
        app.state.openFolderCollection(team().path);
        if (!finished.wait(60000) || app.state.collections().isEmpty()
            || app.state.collections()[0].requests.size() != kFolders * kRequestsPerFolder)
            state.SkipWithError("the folder did not load");
        total += clock.nsecsElapsed() / 1e6;
        stall = std::max(stall, meter.longestMs());
    }
    figures.openMs = total / double(state.iterations());
    figures.openStallMs = stall;
    state.counters["total_ms"] = figures.openMs;
    state.counters["max_stall_ms"] = stall;
}
BENCHMARK(openThroughApp)->Unit(benchmark::kMillisecond)->Iterations(3);

void outsideChange(benchmark::State& state)
{
    App app;
    QSignalSpy finished(&app.state, &AppState::fileOperationFinished);
    app.state.openFolderCollection(team().path);
    if (!finished.wait(60000) || app.state.collections().isEmpty()) {
        state.SkipWithError("the folder did not load");
        return;
    }
    const QUuid collectionID = app.state.collections()[0].id;
    const QUuid requestID = team().contents.collection.requests[1234].id;
    FolderCollection::Contents contents = team().contents;
    double total = 0;
    double stall = 0;
    int round = 0;
    for (auto _ : state) {
        // Let the watches of the last round settle before the next change.
        QTest::qWait(100);
        const QString url = u"https://{{host}}/changed/%1"_s.arg(++round);
        contents.collection.requests[1234].url = url;
        const FolderCollection::Files next = FolderCollection::encode(contents);
        StallMeter meter;
        QElapsedTimer clock;
        clock.start();
        for (auto file = next.cbegin(); file != next.cend(); ++file) {
            if (file.value().contains(url.toUtf8())) {
                QFile written(QDir(team().path).filePath(file.key()));
                if (written.open(QIODevice::WriteOnly | QIODevice::Truncate))
                    written.write(file.value());
            }
        }
        const bool takenIn = QTest::qWaitFor(
            [&] {
                const Collection* collection = app.state.collectionStore().collection(collectionID);
                return collection
                    && std::ranges::any_of(collection->requests, [&](const APIRequest& request) {
                           return request.id == requestID && request.url == url;
                       });
            },
            10000);
        if (!takenIn)
            state.SkipWithError("the change was not taken in");
        total += clock.nsecsElapsed() / 1e6;
        stall = std::max(stall, meter.longestMs());
    }
    figures.changeMs = total / double(state.iterations());
    figures.changeStallMs = stall;
    state.counters["taken_in_ms"] = figures.changeMs;
    state.counters["max_stall_ms"] = stall;
}
BENCHMARK(outsideChange)->Unit(benchmark::kMillisecond)->Iterations(5);

// The first save of a collection into a folder: every file new, written atomically and put on
// the disk, against plain writes of the same bytes.
void firstSave(benchmark::State& state)
{
    QElapsedTimer clock;
    double bare = 0;
    double saved = 0;
    for (auto _ : state) {
        QTemporaryDir plain;
        clock.start();
        for (auto file = team().files.cbegin(); file != team().files.cend(); ++file) {
            QFile opened(plain.filePath(file.key()));
            QDir().mkpath(QFileInfo(opened).path());
            if (opened.open(QIODevice::WriteOnly))
                opened.write(file.value());
        }
        bare += clock.nsecsElapsed() / 1e6;
        QTemporaryDir folder;
        clock.start();
        benchmark::DoNotOptimize(FolderCollection::write(folder.path(), team().files, {}));
        saved += clock.nsecsElapsed() / 1e6;
    }
    figures.bareWriteMs = bare / double(state.iterations());
    figures.saveMs = saved / double(state.iterations());
}
BENCHMARK(firstSave)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (figures.bareReadMs > 0) {
        std::printf("\n5,000 request files: bare QFile loop %.1f ms\n", figures.bareReadMs);
        std::printf("open through the app:   %.1f ms (%.1fx the bare loop), longest UI stall "
                    "%.1f ms (target < 50 ms)\n",
            figures.openMs, figures.openMs / figures.bareReadMs, figures.openStallMs);
        std::printf("one file changed outside: taken in after %.1f ms (%.1fx the bare loop; "
                    "target < 200 ms), longest UI stall %.1f ms\n",
            figures.changeMs, figures.changeMs / figures.bareReadMs, figures.changeStallMs);
        std::printf("first save into a folder: %.1f ms (%.1fx plain writes of the same files, "
                    "%.1f ms)\n",
            figures.saveMs, figures.saveMs / figures.bareWriteMs, figures.bareWriteMs);
    }
    return 0;
}
