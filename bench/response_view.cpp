// The response viewer on large replies: a generated pretty-printable JSON body of 10, 50 and
// 200 MB shown in the real ResponseView on the offscreen platform, one child process per size so
// that each reports its own peak memory. Printed, per size:
// - the longest stall of the window's thread (a 10 ms timer's longest gap) from the reply's
//   arrival to the first painted rows, and while scrolling to the end;
// - the time to the first painted rows against the pretty-printer alone on the same body;
// - the peak memory of the whole process against the raw body plus its pretty text;
// - typing a filter query: the longest stall, and the time to the filtered rows against a plain
//   scan of the same lines with the same matcher;
// and, as the reference, QPlainTextEdit::setPlainText of the same pretty text in a child of its
// own (given up after kPlainGiveUpSeconds). The targets are reported, not asserted.
//
// The executable runs itself: without arguments it is the parent; "view <MB> <file>" and
// "plain <MB> <file>" are one run, which writes its figures as "key=value" lines to <file>.

#include "processtiming.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "ui/response/bodydocument.h"
#include "ui/response/bodypane.h"
#include "ui/response/bodyview.h"
#include "ui/response/linematcher.h"
#include "ui/response/responseview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

constexpr int kSizesMB[] = {10, 50, 200};
constexpr unsigned kPlainGiveUpSeconds = 90;
constexpr int kWaitMilliseconds = 600'000;
const QString kQuery = u"name"_s;

// A compact JSON array of small objects, as an API that lists records sends it.
QByteArray generateJson(qint64 bytes)
{
    QByteArray body;
    body.reserve(bytes + 256);
    body += '[';
    for (qint64 id = 0; body.size() < bytes; ++id) {
        body += "{\"id\":" + QByteArray::number(id) + ",\"name\":\"record " + QByteArray::number(id)
            + "\",\"active\":" + (id % 3 ? "true" : "false")
            + ",\"score\":" + QByteArray::number(double(id % 1000) / 7, 'f', 3)
            + ",\"tags\":[\"alpha\",\"beta\"],\"owner\":{\"login\":\"user"
            + QByteArray::number(id % 97) + "\",\"site\":null}},";
    }
    body.back() = ']';
    return body;
}

// Peak resident memory of this process (VmHWM) in MiB.
double peakMiB()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return -1;
}

// The longest gap between ticks of a 10 ms timer: how long the window's thread went without
// getting back to its event loop.
class StallMeter : public QObject {
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this,
            [this] { m_longest = std::max(m_longest, m_clock.restart()); });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_timer.start();
    }
    qint64 longest() const { return std::max(m_longest, m_clock.elapsed()); }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

// Notes the time of the first paint of `widget` after `arm` at which `ready` holds.
class PaintProbe : public QObject {
public:
    explicit PaintProbe(QWidget* widget) { widget->installEventFilter(this); }

    void arm(std::function<bool()> ready)
    {
        m_ready = std::move(ready);
        m_paintedAt.reset();
    }
    std::optional<qint64> paintedAt() const { return m_paintedAt; }
    void waitForPaint() const
    {
        static_cast<void>(
            QTest::qWaitFor([this] { return m_paintedAt.has_value(); }, kWaitMilliseconds));
    }
    QElapsedTimer clock;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_paintedAt && m_ready && m_ready())
            m_paintedAt = clock.nsecsElapsed();
        return false;
    }

private:
    std::function<bool()> m_ready;
    std::optional<qint64> m_paintedAt;
};

double milliseconds(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

using Figures = std::map<std::string, double>;

void writeFigures(const QString& path, const Figures& figures)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (const auto& [key, value] : figures)
        file.write(QByteArray::fromStdString(key) + '=' + QByteArray::number(value, 'f', 3) + '\n');
}

Figures readFigures(const QString& path)
{
    Figures figures;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return figures;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            figures[line.left(equals).toStdString()] = line.mid(equals + 1).toDouble();
    }
    return figures;
}

APIResponse jsonResponse(const QByteArray& body)
{
    return {.statusCode = 200,
        .headers = {{u"Content-Type"_s, u"application/json"_s}},
        .body = body,
        .duration = 0.5,
        .size = body.size()};
}

// ---- Child: the response viewer ----

// The plain scan the filter is held against: every line, the same matcher, one thread.
qint64 plainScan(const QByteArray& text, const LineMatcher& matcher)
{
    qint64 kept = 0;
    qsizetype at = 0;
    while (at <= text.size()) {
        qsizetype end = text.indexOf('\n', at);
        if (end < 0)
            end = text.size();
        kept += matcher.matches(QByteArrayView(text).sliced(at, end - at));
        at = end + 1;
    }
    return kept;
}

// The window under measure: a ResponseView over a state of its own, shown, with a tab open.
struct ViewRun {
    ViewRun()
        : persistence(folder.path())
        , settings(folder.filePath(u"settings.ini"_s))
        , state(&persistence, &settings)
        , view(state, &settings)
        , body(view.bodyPane()->view())
        , document(view.bodyPane()->document())
        , probe(body->viewport())
    {
        view.resize(1100, 700);
        view.show();
        static_cast<void>(QTest::qWaitForWindowExposed(&view));
        state.openNewRequest();
        QTest::qWait(50);
    }

    QTemporaryDir folder;
    PersistenceService persistence;
    Settings settings;
    AppState state;
    ResponseView view;
    BodyView* body;
    BodyDocument* document;
    PaintProbe probe;
    StallMeter meter;
};

void measureArrival(ViewRun& run, const APIResponse& response, Figures& figures)
{
    BodyDocument* document = run.document;
    run.probe.arm([document] { return document->rowCount() > 0; });
    run.meter.start();
    run.probe.clock.start();
    run.state.updateActiveTabResponse(response, std::nullopt, false);
    run.probe.waitForPaint();
    figures["first_rows_ms"] = milliseconds(run.probe.paintedAt().value_or(-1));
    figures["arrival_stall_ms"] = double(run.meter.longest());
    static_cast<void>(
        QTest::qWaitFor([document] { return !document->isBusy(); }, kWaitMilliseconds));
    figures["ready_ms"] = milliseconds(run.probe.clock.nsecsElapsed());
    figures["ready_stall_ms"] = double(run.meter.longest());
    figures["rows"] = double(document->rowCount());
}

void measureScroll(ViewRun& run, Figures& figures)
{
    QScrollBar* bar = run.body->verticalScrollBar();
    BodyView* body = run.body;
    run.probe.arm([body, bar] { return body->firstVisibleRow() == bar->maximum(); });
    run.meter.start();
    run.probe.clock.start();
    bar->setValue(bar->maximum());
    run.probe.waitForPaint();
    figures["scroll_ms"] = milliseconds(run.probe.paintedAt().value_or(-1));
    QTest::qWait(100);
    figures["scroll_stall_ms"] = double(run.meter.longest());
}

void measureFilter(ViewRun& run, Figures& figures)
{
    BodyDocument* document = run.document;
    const LineMatcher matcher(kQuery);
    QElapsedTimer clock;
    clock.start();
    const qint64 expected = plainScan(document->text(), matcher);
    figures["scan_ms"] = milliseconds(clock.nsecsElapsed());
    auto* field = run.view.findChild<QLineEdit*>(u"responseSearchField"_s);
    run.probe.arm([document] { return document->isFiltered() && !document->isBusy(); });
    run.meter.start();
    QTest::keyClicks(field, kQuery.chopped(1));
    run.probe.clock.start();
    QTest::keyClick(field, kQuery.back().toLatin1());
    run.probe.waitForPaint();
    figures["filter_ms"] = milliseconds(run.probe.paintedAt().value_or(-1));
    QTest::qWait(100);
    figures["filter_stall_ms"] = double(run.meter.longest());
    figures["filter_rows_ok"] = document->rowCount() == expected ? 1 : 0;
}

// The pretty-printer alone on the same body, in milliseconds.
double timePrettyPrinter(const APIResponse& response, Figures& figures)
{
    QElapsedTimer clock;
    clock.start();
    figures["pretty_mib"] = double(response.prettyBody().size()) / (1 << 20);
    return milliseconds(clock.nsecsElapsed());
}

int runView(qint64 megabytes, const QString& out)
{
    Figures figures;
    const APIResponse response = jsonResponse(generateJson(megabytes << 20));
    figures["raw_mib"] = double(response.body.size()) / (1 << 20);
    // The printer is timed before and after the view, so that a change in the machine's load
    // during the run weighs on both sides of the ratio alike.
    const double before = timePrettyPrinter(response, figures);
    {
        ViewRun run;
        measureArrival(run, response, figures);
        measureScroll(run, figures);
        measureFilter(run, figures);
        figures["peak_mib"] = peakMiB();
    }
    figures["pretty_ms"] = (before + timePrettyPrinter(response, figures)) / 2;
    writeFigures(out, figures);
    return 0;
}

// ---- Child: the reference ----

int runPlain(qint64 megabytes, const QString& out)
{
    const QByteArray pretty = jsonResponse(generateJson(megabytes << 20)).prettyBody();
    QPlainTextEdit edit;
    edit.resize(1100, 700);
    edit.show();
    static_cast<void>(QTest::qWaitForWindowExposed(&edit));
    // A plain text view that cannot finish is given up by the alarm, which ends the process.
    alarm(kPlainGiveUpSeconds);
    QElapsedTimer clock;
    clock.start();
    edit.setPlainText(QString::fromUtf8(pretty));
    QApplication::processEvents();
    Figures figures {{"plain_ms", milliseconds(clock.nsecsElapsed())}, {"peak_mib", peakMiB()},
        {"pretty_mib", double(pretty.size()) / (1 << 20)}};
    writeFigures(out, figures);
    return 0;
}

// ---- Parent ----

Figures runChild(const std::string& self, const char* mode, int megabytes, const QString& out)
{
    QFile::remove(out);
    bench::runProcess({self, mode, std::to_string(megabytes), out.toStdString()});
    return readFigures(out);
}

void printSize(int megabytes, const Figures& view, const Figures& plain)
{
    const auto get = [](const Figures& f, const char* key) {
        const auto it = f.find(key);
        return it == f.end() ? -1.0 : it->second;
    };
    const double rawAndPretty = get(view, "raw_mib") + get(view, "pretty_mib");
    std::printf("\n%d MB body (%.0f MiB raw, %.0f MiB pretty, %.0f rows)\n", megabytes,
        get(view, "raw_mib"), get(view, "pretty_mib"), get(view, "rows"));
    std::printf(
        "  pretty-printer alone        %9.1f ms  (mean of a run before and after the view)\n",
        get(view, "pretty_ms"));
    std::printf("  first painted rows          %9.1f ms  ratio %.2f (target <= 1.2)\n",
        get(view, "first_rows_ms"), get(view, "first_rows_ms") / get(view, "pretty_ms"));
    std::printf(
        "  longest stall, arrival      %9.1f ms  (target < 100)\n", get(view, "arrival_stall_ms"));
    std::printf("  fully indexed after         %9.1f ms  longest stall %.1f ms\n",
        get(view, "ready_ms"), get(view, "ready_stall_ms"));
    std::printf("  scroll to the end painted   %9.1f ms  longest stall %.1f ms (target < 100)\n",
        get(view, "scroll_ms"), get(view, "scroll_stall_ms"));
    std::printf(
        "  peak memory                 %9.1f MiB ratio %.2f of raw + pretty (target <= 1.5)\n",
        get(view, "peak_mib"), get(view, "peak_mib") / rawAndPretty);
    std::printf(
        "  plain line scan \"%s\"       %9.1f ms\n", qPrintable(kQuery), get(view, "scan_ms"));
    std::printf("  filtered rows painted       %9.1f ms  ratio %.2f (target <= 1.5), rows %s\n",
        get(view, "filter_ms"), get(view, "filter_ms") / get(view, "scan_ms"),
        get(view, "filter_rows_ok") == 1 ? "as the scan" : "DIFFER from the scan");
    std::printf(
        "  longest stall, filtering    %9.1f ms  (target < 100)\n", get(view, "filter_stall_ms"));
    if (plain.count("plain_ms"))
        std::printf(
            "  QPlainTextEdit::setPlainText %8.1f ms, peak %.0f MiB (%.1fx the pretty text)\n",
            get(plain, "plain_ms"), get(plain, "peak_mib"),
            get(plain, "peak_mib") / get(plain, "pretty_mib"));
    else
        std::printf("  QPlainTextEdit::setPlainText gave up after %u s\n", kPlainGiveUpSeconds);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4) {
        QApplication application(argc, argv);
        const qint64 megabytes = std::atoll(argv[2]);
        const QString out = QString::fromLocal8Bit(argv[3]);
        if (std::strcmp(argv[1], "view") == 0)
            return runView(megabytes, out);
        if (std::strcmp(argv[1], "plain") == 0)
            return runPlain(megabytes, out);
        return 2;
    }
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    std::printf("Response viewer on generated JSON replies (offscreen platform)\n");
    for (int megabytes : kSizesMB) {
        const Figures view = runChild(self, "view", megabytes, folder.filePath(u"view"_s));
        const Figures plain = runChild(self, "plain", megabytes, folder.filePath(u"plain"_s));
        printSize(megabytes, view, plain);
        std::fflush(stdout);
    }
    return 0;
}
