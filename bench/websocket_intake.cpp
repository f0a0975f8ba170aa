// How fast the WebSocket transcript takes in messages from the loopback peer, and the longest
// stall of the main thread meanwhile. The baseline, measured in the same run, is a plain
// QWebSocket on the main thread appending each message to a list as it arrives.
#include "execution/websocketclient.h"
#include "support/websockettestpeer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebSocket>

#include <cstdio>
#include <functional>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

struct Intake {
    double messagesPerSecond = 0;
    double longestStallMs = 0;
    bool complete = false;
};

// Runs the main loop until `received()` reaches `count`, ticking a 1 ms timer to find the
// longest time the loop was busy elsewhere.
Intake measure(int count, const std::function<qsizetype()>& received)
{
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = clock.nsecsElapsed();
    qint64 longestGap = 0;
    qint64 firstAt = -1;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
        if (firstAt < 0 && received() > 0)
            firstAt = now;
        if (received() >= count)
            loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    ticker.start();
    loop.exec();
    const double seconds = double(clock.nsecsElapsed() - std::max<qint64>(firstAt, 0)) / 1e9;
    return Intake {
        .messagesPerSecond = double(received()) / seconds,
        .longestStallMs = double(longestGap) / 1e6 - 1.0,
        .complete = received() >= count,
    };
}

// The same loop with nothing arriving: what the machine's scheduling alone costs.
double idleStallMs()
{
    QElapsedTimer clock;
    clock.start();
    return measure(1, [&] { return clock.elapsed() >= 2000 ? 1 : 0; }).longestStallMs;
}

Intake plainSocket(int count, int perSecond)
{
    test::WebSocketTestPeer peer;
    peer.setEcho(false);
    QWebSocket socket;
    QStringList messages;
    QObject::connect(&socket, &QWebSocket::textMessageReceived, &socket,
        [&messages](const QString& text) { messages.append(text); });
    QEventLoop opened;
    QObject::connect(&socket, &QWebSocket::connected, &opened, &QEventLoop::quit);
    socket.open(QUrl(peer.url()));
    opened.exec();
    peer.stream(count, perSecond, u"message number "_s);
    return measure(count, [&] { return messages.size(); });
}

Intake transcript(int count, int perSecond)
{
    test::WebSocketTestPeer peer;
    peer.setEcho(false);
    WebSocketClient client;
    client.connect(peer.url(), {});
    QEventLoop opened;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &opened, [&] {
        if (peer.openConnectionCount() == 1)
            opened.quit();
    });
    poll.start(1);
    opened.exec();
    peer.stream(count, perSecond, u"message number "_s);
    // The first entry is "Connected to".
    return measure(count, [&] { return client.messages().size() - 1; });
}

void report(const char* name, int count, int perSecond)
{
    const Intake baseline = plainSocket(count, perSecond);
    const Intake ours = transcript(count, perSecond);
    std::printf("%s: %d messages sent at %d/s\n", name, count, perSecond);
    std::printf(
        "  plain QWebSocket on the main thread: %9.0f messages/s, longest stall %6.2f ms%s\n",
        baseline.messagesPerSecond, baseline.longestStallMs,
        baseline.complete ? "" : " (INCOMPLETE)");
    std::printf(
        "  WebSocketClient transcript:          %9.0f messages/s, longest stall %6.2f ms%s\n",
        ours.messagesPerSecond, ours.longestStallMs, ours.complete ? "" : " (INCOMPLETE)");
    std::printf("  ratio transcript / baseline: rate %.2f, longest stall %.2f\n",
        ours.messagesPerSecond / baseline.messagesPerSecond,
        ours.longestStallMs / std::max(baseline.longestStallMs, 0.01));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("idle main loop: longest stall %.2f ms\n", idleStallMs());
    report("paced", 30000, 10000);
    report("burst", 100000, 100000000);
    return 0;
}
