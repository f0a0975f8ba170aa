// Cold start of the window to its first painted frame, and its resident memory once idle, whole
// process each, against a bare Qt Widgets window (main window, menu bar, splitter, tree, tab
// widget) in the same executable, so both load the same libraries. Printed as medians of
// interleaved runs and ratios; the targets are reported, not asserted.
//
// The executable runs itself: without arguments it is the parent that measures; with "bare" or
// "mako" it is one run of that window. The child prints the monotonic time at which its first
// paint pass ended; the parent read the same clock just before it spawned the child.

#include "benchdata.h"
#include "interchange/foldercollection.h"
#include "model/recordjson.h"
#include "stalls.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "ui/shell/mainwindow.h"
#include "ui/shell/makoapp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace mako;
using namespace mako::bench;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 11;
// How long the event loop sits idle after the first frame (and, for Mako, after the data files
// have loaded) before the resident memory is read.
constexpr int kIdleMilliseconds = 1500;
constexpr int kGiveUpMilliseconds = 60'000;

qint64 monotonicNanoseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// VmRSS of this process in KiB, or -1.
long residentKiB()
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmRSS: %ld kB", &kib) == 1)
            break;
    }
    std::fclose(status);
    return kib;
}

// ---- Child: one run of one window ----

// Notes when the first paint pass of a main window has ended, backing store flushed. A pass
// sends one paint event per widget, one after the other, so the end of one paint is not the end
// of the pass: a queued call made at the first paint runs once control is back in the event
// loop and reports the end of the last paint delivered before it.
class FirstPaintProbe : public QApplication {
public:
    using QApplication::QApplication;

    std::function<void(qint64 paintEnd)> onFirstPaint;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const bool paint = event->type() == QEvent::Paint && !m_reported && receiver->isWidgetType()
            && qobject_cast<QMainWindow*>(static_cast<QWidget*>(receiver)->window());
        const bool result = QApplication::notify(receiver, event);
        if (paint) {
            m_lastPaintEnd = monotonicNanoseconds();
            if (!m_scheduled) {
                m_scheduled = true;
                QMetaObject::invokeMethod(
                    this, [this] { report(); }, Qt::QueuedConnection);
            }
        }
        return result;
    }

private:
    void report()
    {
        m_reported = true;
        if (onFirstPaint)
            onFirstPaint(m_lastPaintEnd);
    }

    qint64 m_lastPaintEnd = 0;
    bool m_scheduled = false;
    bool m_reported = false;
};

// What a plain Qt Widgets application shows at the least: the frame of a list beside tabs.
std::unique_ptr<QMainWindow> buildBareWindow()
{
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(u"Bare"_s);
    for (const QString& title : {u"File"_s, u"Edit"_s, u"View"_s, u"Help"_s})
        window->menuBar()->addMenu(title)->addAction(title + u" Item"_s);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(new QTreeView);
    auto* tabs = new QTabWidget;
    tabs->addTab(new QWidget, u"Tab"_s);
    splitter->addWidget(tabs);
    window->setCentralWidget(splitter);
    window->resize(MainWindow::kDefaultSize);
    return window;
}

// Prints the figures once the window has painted, its data (if any) has loaded and the event
// loop has then sat idle, and quits. `loadedAt` is 0 until the data has loaded.
void reportWhenIdle(FirstPaintProbe& application, std::function<qint64()> loadedAt)
{
    application.onFirstPaint = [&application, loadedAt](qint64 paintEnd) {
        auto* poll = new QTimer(&application);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, &application, [=, &application] {
            const qint64 loaded = loadedAt();
            if (loaded == 0)
                return;
            poll->stop();
            QTimer::singleShot(kIdleMilliseconds, &application, [=] {
                std::printf("paint %lld loaded %lld rss %ld\n", static_cast<long long>(paintEnd),
                    static_cast<long long>(loaded), residentKiB());
                std::fflush(stdout);
                QApplication::quit();
            });
        });
        poll->start();
    };
}

int runChild(int argc, char** argv, const std::string& mode)
{
    FirstPaintProbe application(argc, argv);
    // A window that never paints fails the run instead of stalling the benchmark.
    QTimer::singleShot(kGiveUpMilliseconds, &application, [] { QApplication::exit(1); });
    if (mode == "bare") {
        const auto window = buildBareWindow();
        reportWhenIdle(application, [] { return monotonicNanoseconds(); });
        window->show();
        return application.exec();
    }
    // As the application's own main does; the load it starts reports back through the event
    // loop, so connecting after construction misses nothing.
    MakoApp mako;
    qint64 loadedAt = 0;
    QObject::connect(&mako.appState(), &AppState::didLoadChanged, &mako,
        [&] { loadedAt = monotonicNanoseconds(); });
    reportWhenIdle(application, [&] { return loadedAt; });
    mako.show();
    return application.exec();
}

// ---- Parent: spawns the runs and reports ----

struct Run {
    double startMs = 0;
    double loadedMs = 0;
    double rssMiB = 0;
};

struct Scenario {
    std::string name;
    // Where the last run's standard error goes, shown when a run fails.
    std::string errorLog;
    std::map<std::string, std::string> environment;
};

std::vector<std::string> childEnvironment(const Scenario& scenario)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (!scenario.environment.contains(text.substr(0, text.find('='))))
            result.push_back(text);
    }
    for (const auto& [name, value] : scenario.environment)
        result.push_back(name + '=' + value);
    return result;
}

// Reads everything the child writes to `fd`, then closes it.
std::string drain(int fd)
{
    std::string text;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(count));
    close(fd);
    return text;
}

std::optional<Run> spawnRun(
    const std::string& self, const std::string& mode, const Scenario& scenario)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    // Qt's notes about the offscreen platform would only clutter the report.
    posix_spawn_file_actions_addopen(
        &actions, STDERR_FILENO, scenario.errorLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> environment = childEnvironment(scenario);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string modeArgument = mode;
    char* argv[] = {const_cast<char*>(self.c_str()), modeArgument.data(), nullptr};

    const qint64 spawnedAt = monotonicNanoseconds();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    const std::string output = drain(pipeFds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)
        || WEXITSTATUS(status) != 0)
        return std::nullopt;
    long long paint = 0, loaded = 0;
    long rss = 0;
    if (std::sscanf(output.c_str(), "paint %lld loaded %lld rss %ld", &paint, &loaded, &rss) != 3)
        return std::nullopt;
    return Run {(paint - spawnedAt) / 1e6, (loaded - spawnedAt) / 1e6, rss / 1024.0};
}

struct Medians {
    Run bare;
    Run mako;
};

// One warm-up run of each (file system caches), then `kRuns` interleaved pairs.
std::optional<Medians> measure(const std::string& self, const Scenario& scenario)
{
    std::map<std::string, std::vector<Run>> runs;
    for (int round = 0; round <= kRuns; ++round) {
        for (const std::string mode : {"bare", "mako"}) {
            const auto run = spawnRun(self, mode, scenario);
            if (!run)
                return std::nullopt;
            if (round > 0)
                runs[mode].push_back(*run);
        }
    }
    const auto summary = [](const std::vector<Run>& list) {
        std::vector<double> start, loaded, rss;
        for (const Run& run : list) {
            start.push_back(run.startMs);
            loaded.push_back(run.loadedMs);
            rss.push_back(run.rssMiB);
        }
        return Run {median(start), median(loaded), median(rss)};
    };
    return Medians {summary(runs["bare"]), summary(runs["mako"])};
}

void printReport(const std::string& name, const Medians& m, double startTarget, double rssTarget)
{
    const char* label = name.c_str();
    std::printf("%s: bare window first paint: %.1f ms\n", label, m.bare.startMs);
    std::printf("%s: mako first paint: %.1f ms\n", label, m.mako.startMs);
    std::printf("%s: start ratio: %.2fx the bare window (target: at most %.1fx)\n", label,
        m.mako.startMs / m.bare.startMs, startTarget);
    std::printf("%s: mako data loaded: %.1f ms\n", label, m.mako.loadedMs);
    std::printf("%s: bare window idle RSS: %.1f MiB\n", label, m.bare.rssMiB);
    std::printf("%s: mako idle RSS: %.1f MiB\n", label, m.mako.rssMiB);
    if (rssTarget > 0)
        std::printf("%s: RSS ratio: %.2fx the bare window (target: at most %.1fx)\n", label,
            m.mako.rssMiB / m.bare.rssMiB, rssTarget);
    else
        std::printf("%s: RSS ratio: %.2fx the bare window (reported)\n", label,
            m.mako.rssMiB / m.bare.rssMiB);
}

// A private data, preference and cache folder under `root`, with `collections` stored.
std::optional<Scenario> makeScenario(
    const std::string& name, const QString& root, const QList<Collection>& collections)
{
    const QString data = root + u"/data"_s;
    const QString appFolder = data + u"/com.quorin.mako"_s;
    if (!QDir().mkpath(appFolder) || !QDir().mkpath(root + u"/config"_s))
        return std::nullopt;
    if (!collections.isEmpty()) {
        QFile file(appFolder + u'/' + PersistenceService::kCollectionsFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(encodeRecords(collections)) < 0)
            return std::nullopt;
    }
    return Scenario {name, (root + u"/stderr.log"_s).toStdString(),
        {{"QT_QPA_PLATFORM", "offscreen"}, {"XDG_DATA_HOME", data.toStdString()},
            {"XDG_CONFIG_HOME", (root + u"/config"_s).toStdString()},
            {"XDG_CACHE_HOME", (root + u"/cache"_s).toStdString()}}};
}

// A collection of `requests` kept in a folder of its own under `root`, as a clone of a team's
// repository holds it; the data folder refers to it.
std::optional<Scenario> makeFolderScenario(
    const std::string& name, const QString& root, int requests)
{
    FolderCollection::Contents contents {
        .collection = bench::generateCollections(requests, 1).constFirst(), .environments = {}};
    const QString folder = root + u"/team"_s;
    const FolderCollection::Files files = FolderCollection::encode(contents);
    for (auto it = files.begin(); it != files.end(); ++it) {
        // Plain writes: the atomic ones sync every file, which only slows the set-up.
        QFile file(folder + u'/' + it.key());
        if (!QDir().mkpath(QFileInfo(file).path()) || !file.open(QIODevice::WriteOnly)
            || file.write(it.value()) < 0)
            return std::nullopt;
    }
    Collection reference {.id = contents.collection.id, .name = contents.collection.name};
    reference.folderPath = folder;
    return makeScenario(name, root, {reference});
}

int runParent(const std::string& self)
{
    QTemporaryDir root;
    const auto empty = makeScenario("empty data folder", root.filePath(u"empty"_s), {});
    const auto large = makeScenario("10,000 requests in 50 collections", root.filePath(u"large"_s),
        bench::generateCollections(10000, 50));
    const auto folder = makeFolderScenario(
        "a folder collection of 5,000 request files", root.filePath(u"folder"_s), 5000);
    if (!root.isValid() || !empty || !large || !folder) {
        std::fprintf(stderr, "could not write the data folders\n");
        return 1;
    }
    std::printf("window start-up on the offscreen platform, whole process, median of %d "
                "interleaved runs\n",
        kRuns);
    const auto emptyMedians = measure(self, *empty);
    const auto largeMedians = emptyMedians ? measure(self, *large) : std::nullopt;
    const auto folderMedians = largeMedians ? measure(self, *folder) : std::nullopt;
    if (!folderMedians) {
        const Scenario& failed = !emptyMedians ? *empty : !largeMedians ? *large : *folder;
        QFile log(QString::fromStdString(failed.errorLog));
        std::fprintf(stderr, "a window run failed (%s); its standard error:\n%s\n",
            failed.name.c_str(), log.open(QIODevice::ReadOnly) ? log.readAll().constData() : "");
        return 1;
    }
    printReport(empty->name, *emptyMedians, 1.5, 1.5);
    printReport(large->name, *largeMedians, 2.0, 0);
    printReport(folder->name, *folderMedians, 1.5, 0);
    // The folder is read after the first frame: that frame should come as soon as with no data.
    std::printf("%s: first paint %.2fx that of the empty data folder\n", folder->name.c_str(),
        folderMedians->mako.startMs / emptyMedians->mako.startMs);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "bare") == 0 || std::strcmp(argv[1], "mako") == 0))
        return runChild(argc, argv, argv[1]);
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    return runParent(std::string(self, size_t(length)));
}
