// The WebSocket and SSE screens under a fast stream: a WebSocket peer sending 10,000 messages a
// second for 10 seconds, and an event stream of 50 MB/s for 10 seconds, each shown on its screen
// in a window on the offscreen platform. Reported per stream: the longest stall of the main
// thread, and the resident memory grown per entry, against the core client alone taking in the
// same stream. Targets are reported, not asserted.
//
// The executable runs itself, one child process per measurement, so that memory one run freed
// cannot hide the growth of the next: without arguments it is the parent; with "ws-client",
// "ws-screen", "sse-client" or "sse-screen" it is one run and prints one result line.

#include "execution/sseclient.h"
#include "execution/websocketclient.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "support/httptestserver.h"
#include "support/websockettestpeer.h"
#include "ui/commands/commands.h"
#include "ui/screens/ssescreen.h"
#include "ui/screens/websocketscreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

constexpr int kWebSocketRate = 10'000;
constexpr int kSeconds = 10;
constexpr int kEventBytes = 1024;
constexpr int kChunkBytes = 1024 * 1024;
// 50 chunks of 1 MB a second.
constexpr int kChunkDelayMs = 20;
constexpr int kChunks = 50 * kSeconds;

qint64 residentBytes()
{
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

// Runs the main loop until `done()` holds, ticking a 1 ms timer to find the longest time the
// loop was busy elsewhere. Returns that time in milliseconds.
double longestStallUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = clock.nsecsElapsed();
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
        if (done())
            loop.quit();
    });
    QTimer::singleShot((kSeconds + 50) * 1000, &loop, &QEventLoop::quit);
    ticker.start();
    loop.exec();
    return double(longestGap) / 1e6 - 1.0;
}

void waitUntil(const std::function<bool()>& condition)
{
    longestStallUntil(condition);
}

// A window showing one screen over a state on a temporary folder, with one open request.
struct ScreenWindow {
    explicit ScreenWindow(const APIRequest& request)
        : persistence(folder.path())
        , settings(folder.filePath(u"settings.ini"_s))
        , state(&persistence, &settings)
    {
        state.openFromCollection(request, QUuid::createUuid());
        window.resize(1000, 700);
    }
    void show(QWidget* screen)
    {
        (new QVBoxLayout(&window))->addWidget(screen);
        window.show();
        screen->findChild<QPushButton*>(u"connectButton"_s)->click();
    }

    QTemporaryDir folder;
    PersistenceService persistence;
    Settings settings;
    AppState state;
    Commands commands;
    QWidget window;
};

void printResult(qsizetype entries, double stallMs, qint64 grownBytes)
{
    std::printf("RESULT %lld %.3f %lld\n", qlonglong(entries), stallMs, qlonglong(grownBytes));
}

void runWebSocket(bool withScreen)
{
    test::WebSocketTestPeer peer;
    peer.setEcho(false);
    const APIRequest request {.url = peer.url(), .requestProtocol = RequestProtocol::websocket};
    std::unique_ptr<ScreenWindow> shown;
    std::unique_ptr<WebSocketClient> alone;
    WebSocketClient* client = nullptr;
    if (withScreen) {
        shown = std::make_unique<ScreenWindow>(request);
        auto* screen = new WebSocketScreen(shown->state, shown->commands);
        shown->show(screen);
        client = screen->client();
    } else {
        alone = std::make_unique<WebSocketClient>();
        alone->connect(request.url, {});
        client = alone.get();
    }
    waitUntil([&] { return peer.openConnectionCount() == 1; });
    const qint64 before = residentBytes();
    const int count = kWebSocketRate * kSeconds;
    peer.stream(count, kWebSocketRate, u"message number "_s);
    // The first entry is "Connected to".
    const double stall = longestStallUntil([&] { return client->messages().size() > count; });
    printResult(client->messages().size(), stall, residentBytes() - before);
}

void runEvents(bool withScreen)
{
    test::HttpTestServer server;
    QByteArray event = "data: " + QByteArray(kEventBytes - 8, 'x') + "\n\n";
    QByteArray chunk;
    while (chunk.size() + event.size() <= kChunkBytes)
        chunk += event;
    const qsizetype eventsPerChunk = chunk.size() / event.size();
    // The same bytes for every chunk: the list shares them, so the peer adds no memory here.
    const test::ScriptedResponse response {.headers = {{"Content-Type", "text/event-stream"}},
        .chunks = QList<QByteArray>(kChunks, chunk),
        .chunkDelayMs = kChunkDelayMs};
    server.setHandler([response](const test::RecordedRequest&) { return response; });
    const APIRequest request {
        .url = server.baseUrl() + u"/events"_s, .requestProtocol = RequestProtocol::sse};
    std::unique_ptr<ScreenWindow> shown;
    std::unique_ptr<SSEClient> alone;
    SSEClient* client = nullptr;
    const qint64 before = residentBytes();
    if (withScreen) {
        shown = std::make_unique<ScreenWindow>(request);
        auto* screen = new SSEScreen(shown->state, shown->commands);
        shown->show(screen);
        client = screen->client();
    } else {
        alone = std::make_unique<SSEClient>();
        alone->connect(request.url, {});
        client = alone.get();
    }
    // "Connected to" first, "Connection closed" when the stream has ended.
    const qsizetype expected = eventsPerChunk * kChunks + 2;
    const double stall = longestStallUntil([&] { return client->events().size() >= expected; });
    printResult(client->events().size(), stall, residentBytes() - before);
}

struct Result {
    qsizetype entries = 0;
    double stallMs = 0;
    qint64 grownBytes = 0;
};

Result runChild(const QString& program, const QString& mode)
{
    QProcess child;
    child.start(program, {mode});
    child.waitForFinished(180'000);
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 4 && fields[0] == "RESULT")
            return {fields[1].toLongLong(), fields[2].toDouble(), fields[3].toLongLong()};
    }
    std::fprintf(stderr, "%s: no result\n", qPrintable(mode));
    return {};
}

void report(const char* name, const QString& program, const QString& kind, double targetMs)
{
    const Result alone = runChild(program, kind + u"-client"_s);
    const Result shown = runChild(program, kind + u"-screen"_s);
    const auto perEntry = [](const Result& result) {
        return result.entries > 0 ? double(result.grownBytes) / double(result.entries) : 0.0;
    };
    std::printf("%s\n", name);
    std::printf("  core client alone: %8lld entries, longest stall %7.2f ms, %8.1f bytes/entry\n",
        qlonglong(alone.entries), alone.stallMs, perEntry(alone));
    std::printf("  shown on screen:   %8lld entries, longest stall %7.2f ms, %8.1f bytes/entry\n",
        qlonglong(shown.entries), shown.stallMs, perEntry(shown));
    std::printf(
        "  screen / client: stall %.2f, memory per entry %.2f; target stall < %.0f ms: %s\n",
        shown.stallMs / std::max(alone.stallMs, 0.01),
        perEntry(shown) / std::max(perEntry(alone), 0.01), targetMs,
        shown.stallMs < targetMs ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv)
{
    // The screens are measured without a display, as the window's tests run them.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == u"ws-client"_s || mode == u"ws-screen"_s) {
        runWebSocket(mode.endsWith(u"screen"_s));
        return 0;
    }
    if (mode == u"sse-client"_s || mode == u"sse-screen"_s) {
        runEvents(mode.endsWith(u"screen"_s));
        return 0;
    }
    const QString self = QCoreApplication::applicationFilePath();
    report("WebSocket, 10,000 messages/s for 10 s", self, u"ws"_s, 50);
    report("Server-sent events, 50 MB/s for 10 s", self, u"sse"_s, 50);
    return 0;
}
