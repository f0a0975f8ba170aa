// The request editor's two hot paths, on the offscreen platform, printed as ratios; the targets
// are reported, not asserted.
//
// 1. Typing into the body editor holding a 5 MB JSON text with validation on, against the same
//    QPlainTextEdit on its own (no binding, no validation), interleaved in one run: the longest
//    UI-thread stall of a keystroke, and of the pause after a burst of typing (when the text is
//    handed to the request and checked).
// 2. Switching between two tabs whose requests carry 200 headers each, through the state as the
//    tab bar does, against filling a bare QTableWidget with the same rows.

#include "benchdata.h"
#include "execution/networkservice.h"
#include "model/prettyjson.h"
#include "stalls.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/requestviewmodel.h"
#include "state/settings.h"
#include "ui/commands/commands.h"
#include "ui/editor/bodyeditor.h"
#include "ui/editor/requestview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace mako;
using namespace mako::bench;
using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kBodyBytes = 5 * 1024 * 1024;
constexpr int kBursts = 8;
constexpr int kKeysPerBurst = 25;
constexpr int kHeaders = 200;
constexpr int kSwitches = 60;

// One key and the event-loop turn that handles it (layout, repaint, timers due).
double keystroke(QWidget* target, QChar key)
{
    return milliseconds([&] {
        QTest::keyClick(target, key.toLatin1());
        QCoreApplication::processEvents();
    });
}

// The longest single event-loop turn while the editor sits idle for `idleMs`.
double longestIdleTurn(int idleMs)
{
    double longest = 0;
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < idleMs) {
        longest = std::max(longest,
            milliseconds([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); }));
    }
    return longest;
}

// A pretty-printed JSON body of about `bytes`, as a body is usually typed or pasted.
QString prettyBody(qsizetype bytes)
{
    const auto pretty = [](qsizetype compact) {
        return prettyPrintJson(bench::generateJsonBody(compact)).value_or(QByteArray());
    };
    const QByteArray first = pretty(bytes);
    return QString::fromUtf8(pretty(bytes * bytes / std::max<qsizetype>(1, first.size())));
}

struct Stalls {
    std::vector<double> keys;
    std::vector<double> pauses;
};

void typeBurst(QPlainTextEdit* edit, Stalls& stalls)
{
    for (int key = 0; key < kKeysPerBurst; ++key)
        stalls.keys.push_back(keystroke(edit, key % 2 ? u' ' : u'x'));
    stalls.pauses.push_back(longestIdleTurn(BodyEditor::kPauseMs * 2));
}

void benchmarkTyping(Settings& settings)
{
    const QString body = prettyBody(kBodyBytes);
    RequestViewModel model(
        APIRequest {.bodyType = RequestBodyType::json, .body = body}, &NetworkService::shared());
    BodyEditor editor(model, settings, [] { return std::optional<APIEnvironment>(); });
    editor.resize(900, 500);
    editor.show();
    auto* text = editor.findChild<QPlainTextEdit*>(u"bodyText"_s);
    // The same field, set up the same way, with nothing bound to it.
    QPlainTextEdit bare;
    bare.setFont(text->font());
    bare.setLineWrapMode(text->lineWrapMode());
    bare.setTabStopDistance(text->tabStopDistance());
    bare.setPlainText(body);
    bare.resize(text->size());
    bare.show();
    for (QPlainTextEdit* edit : {&bare, text}) {
        // Typing starts in the middle of the text, once the first layout is done.
        QTextCursor middle(edit->document()->findBlockByNumber(edit->document()->blockCount() / 2));
        edit->setTextCursor(middle);
        edit->ensureCursorVisible();
        keystroke(edit, u' ');
    }
    QCoreApplication::processEvents();

    Stalls bareStalls, editorStalls;
    for (int burst = 0; burst < kBursts; ++burst) {
        typeBurst(&bare, bareStalls);
        typeBurst(text, editorStalls);
    }
    // The hand-over on its own: the typed keys replayed on the text the request holds.
    std::vector<double> handOvers;
    for (int round = 0; round < kBursts; ++round) {
        for (int key = 0; key < kKeysPerBurst; ++key)
            keystroke(text, u'y');
        handOvers.push_back(milliseconds([&] { editor.flushPendingText(); }));
    }
    const bool sent = model.request().body.size() == body.size() + 1 + 2 * kBursts * kKeysPerBurst;
    std::printf("typing into a %.1f MB JSON body, %d keys in bursts of %d, interleaved\n",
        double(body.toUtf8().size()) / 1e6, kBursts * kKeysPerBurst, kKeysPerBurst);
    std::printf("  keystroke stall   bare %7.2f ms max %6.2f median | editor %7.2f ms max %6.2f "
                "median | ratio of maxima %.2fx (target <= 1.5x)\n",
        maximum(bareStalls.keys), median(bareStalls.keys), maximum(editorStalls.keys),
        median(editorStalls.keys), maximum(editorStalls.keys) / maximum(bareStalls.keys));
    std::printf("  pause after burst bare %7.2f ms max          | editor %7.2f ms max "
                "(text handed to the request: %s; verdict so far \"%s\")\n",
        maximum(bareStalls.pauses), maximum(editorStalls.pauses), sent ? "yes" : "NO",
        qPrintable(editor.jsonError().value_or(u"valid"_s)));
    std::printf("  hand-over of %d typed keys to the request: %.2f ms median %.2f max\n",
        kKeysPerBurst, median(handOvers), maximum(handOvers));
}

APIRequest requestWithHeaders(const QString& name)
{
    APIRequest request {.name = name, .url = u"https://api.example.test/"_s + name};
    request.headers.clear();
    for (int row = 0; row < kHeaders; ++row) {
        request.headers.append(KeyValuePair {
            .key = u"X-Header-%1"_s.arg(row), .value = u"%1 value %2"_s.arg(name).arg(row)});
    }
    return request;
}

// What a bare widget does to show the rows: one item per cell.
void fillTable(QTableWidget& table, const APIRequest& request)
{
    for (int row = 0; row < request.headers.size(); ++row) {
        const KeyValuePair& pair = request.headers[row];
        auto* check = new QTableWidgetItem;
        check->setCheckState(pair.isEnabled ? Qt::Checked : Qt::Unchecked);
        table.setItem(row, 0, check);
        table.setItem(row, 1, new QTableWidgetItem(pair.key));
        table.setItem(row, 2, new QTableWidgetItem(pair.value));
    }
}

void benchmarkTabSwitch(const QString& folder)
{
    Settings settings(folder + u"/settings.ini"_s);
    PersistenceService persistence(folder);
    AppState state(&persistence, &settings);
    QSignalSpy loaded(&state, &AppState::didLoadChanged);
    if (!state.didLoad())
        loaded.wait(20000);
    Commands commands;
    RequestView view(state, commands, settings);
    view.resize(1000, 700);
    view.show();
    for (const QString& name : {u"one"_s, u"two"_s}) {
        state.openNewRequest();
        state.setOpenRequest(requestWithHeaders(name));
    }
    const QUuid tabs[] {state.tabs()[0].id, state.tabs()[1].id};
    QCoreApplication::processEvents();

    QTableWidget bare(kHeaders, 3);
    bare.resize(1000, 700);
    bare.show();
    const APIRequest rows[] {requestWithHeaders(u"one"_s), requestWithHeaders(u"two"_s)};
    std::vector<double> switches, fills;
    for (int round = 0; round < kSwitches; ++round) {
        switches.push_back(milliseconds([&] {
            state.switchToTab(tabs[round % 2]);
            QCoreApplication::processEvents();
        }));
        fills.push_back(milliseconds([&] {
            fillTable(bare, rows[round % 2]);
            QCoreApplication::processEvents();
        }));
    }
    std::printf("switching between two tabs of %d headers each, %d switches, interleaved\n",
        kHeaders, kSwitches);
    std::printf("  editor %6.2f ms median %6.2f max | bare table fill %6.2f ms median %6.2f max | "
                "ratio of medians %.2fx (target: editor <= 20 ms)\n",
        median(switches), maximum(switches), median(fills), maximum(fills),
        median(switches) / median(fills));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Settings settings(folder.path() + u"/typing.ini"_s);
    benchmarkTyping(settings);
    benchmarkTabSwitch(folder.path());
    return 0;
}
