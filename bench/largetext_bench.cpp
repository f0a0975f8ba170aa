// Large request bodies in the editor, on the offscreen platform; the targets are reported, not
// asserted.
//
// 1. Switching between two HTTP tabs that each hold a 5 MB JSON body, through the state as the
//    tab bar does, with the Body tab in view: the longest stall of one switch, against a baseline
//    measured in the same run: switching between two empty tabs plus a bare QPlainTextEdit being
//    handed an already built document of the same text (setDocument). Target: <= 1.5x.
// 2. "Format" of a 5 MB JSON body: the longest gap between the ticks of a 0 ms timer from the
//    click until the formatted text is in the field and the request. Target: < 50 ms.

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
#include "ui/editor/requestdetailtabs.h"
#include "ui/editor/requestview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace mako;
using namespace mako::bench;
using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kBodyBytes = 5 * 1024 * 1024;
constexpr int kRounds = 4;
constexpr int kPerBlock = 4;

// A pretty-printed JSON body of about `bytes`: the many lines a body usually has.
QString prettyBody(qsizetype bytes)
{
    const auto pretty = [](qsizetype compact) {
        return prettyPrintJson(bench::generateJsonBody(compact)).value_or(QByteArray());
    };
    const QByteArray first = pretty(bytes);
    return QString::fromUtf8(pretty(bytes * bytes / std::max<qsizetype>(1, first.size())));
}

// The same change of tab, then the event-loop turn that shows it.
double switchTo(AppState& state, const QUuid& tab)
{
    return milliseconds([&] {
        state.switchToTab(tab);
        QCoreApplication::processEvents();
    });
}

void benchmarkTabSwitch(const QString& folder)
{
    Settings settings(folder + u"/switch.ini"_s);
    PersistenceService persistence(folder);
    AppState state(&persistence, &settings);
    QSignalSpy loaded(&state, &AppState::didLoadChanged);
    if (!state.didLoad())
        loaded.wait(20000);
    Commands commands;
    RequestView view(state, commands, settings);
    view.resize(1000, 700);
    view.show();
    view.findChild<RequestDetailTabs*>(u"requestDetailTabs"_s)
        ->selectTab(RequestDetailTabs::BodyTab);
    const QString body = prettyBody(kBodyBytes);
    QList<QUuid> large, empty;
    for (int tab = 0; tab < 4; ++tab) {
        state.openNewRequest();
        APIRequest request = *state.openRequest();
        request.url = u"https://api.example.test/%1"_s.arg(tab);
        request.bodyType = RequestBodyType::json;
        // Each its own text, as two pasted bodies would be.
        request.body = tab < 2 ? QString(body.constData(), body.size()) : QString();
        state.setOpenRequest(request);
        (tab < 2 ? large : empty).append(*state.activeTabID());
        QCoreApplication::processEvents();
    }
    auto* field = view.findChild<QPlainTextEdit*>(u"bodyText"_s);

    // The bare field, set up as the editor's, handed documents built beforehand.
    QPlainTextEdit bare;
    bare.setFont(field->font());
    bare.setLineWrapMode(field->lineWrapMode());
    bare.setTabStopDistance(field->tabStopDistance());
    bare.resize(field->size());
    bare.show();
    QTextDocument* documents[2];
    for (QTextDocument*& document : documents) {
        document = new QTextDocument(&bare);
        document->setDocumentLayout(new QPlainTextDocumentLayout(document));
        document->setDefaultFont(field->font());
        document->setDefaultTextOption(field->document()->defaultTextOption());
        document->setPlainText(QString(body.constData(), body.size()));
    }

    // Every tab and document once, so that each run starts from text already laid out.
    for (const QUuid& tab : large + empty)
        switchTo(state, tab);
    for (QTextDocument* document : documents) {
        bare.setDocument(document);
        QCoreApplication::processEvents();
    }
    // In blocks of switches between two tabs of the same kind, the blocks interleaved. Coming
    // from an empty tab to a large one is reported on its own: the field's scroll bar appears.
    std::vector<double> largeSwitches, emptySwitches, handed, arrivals;
    for (int round = 0; round < kRounds; ++round) {
        arrivals.push_back(switchTo(state, large[0]));
        for (int step = 1; step <= kPerBlock; ++step)
            largeSwitches.push_back(switchTo(state, large[step % 2]));
        switchTo(state, empty[0]);
        for (int step = 1; step <= kPerBlock; ++step)
            emptySwitches.push_back(switchTo(state, empty[step % 2]));
        for (int step = 1; step <= kPerBlock; ++step) {
            handed.push_back(milliseconds([&] {
                bare.setDocument(documents[step % 2]);
                QCoreApplication::processEvents();
            }));
        }
    }
    const double baseline = maximum(emptySwitches) + maximum(handed);
    std::printf("switching between two tabs of a %.1f MB JSON body (%d lines), %d switches of "
                "each kind, in blocks\n",
        double(body.toUtf8().size()) / 1e6, int(body.count(u'\n')) + 1, kRounds * kPerBlock);
    std::printf("  large tabs %7.2f ms max %7.2f median | empty tabs %6.2f ms max + bare "
                "setDocument %7.2f ms max = %7.2f ms\n",
        maximum(largeSwitches), median(largeSwitches), maximum(emptySwitches), maximum(handed),
        baseline);
    std::printf("  ratio of the longest stalls %.2fx (target <= 1.5x); medians %.2fx\n",
        maximum(largeSwitches) / baseline,
        median(largeSwitches) / (median(emptySwitches) + median(handed)));
    std::printf("  from an empty tab to a large one: %7.2f ms max %7.2f median\n",
        maximum(arrivals), median(arrivals));
}

void benchmarkFormat(Settings& settings)
{
    const QString compact = QString::fromUtf8(bench::generateJsonBody(kBodyBytes));
    RequestViewModel model(
        APIRequest {.bodyType = RequestBodyType::json, .body = compact}, &NetworkService::shared());
    BodyEditor editor(model, settings, [] { return std::optional<APIEnvironment>(); });
    editor.resize(900, 500);
    editor.show();
    QCoreApplication::processEvents();
    auto* button = editor.findChild<QPushButton*>(u"formatButton"_s);

    // The ticks of a timer that wants to run at every turn of the event loop.
    QElapsedTimer clock;
    std::vector<qint64> ticks;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ticks.push_back(clock.nsecsElapsed()); });
    clock.start();
    ticker.start();
    QCoreApplication::processEvents();
    QTest::mouseClick(button, Qt::LeftButton);
    const qint64 clicked = clock.nsecsElapsed();
    while (editor.isFormatting() || model.request().body == compact)
        QCoreApplication::processEvents();
    const qint64 done = clock.nsecsElapsed();
    ticker.stop();
    ticks.push_back(done);
    double longest = 0;
    for (size_t tick = 1; tick < ticks.size(); ++tick)
        longest = std::max(longest, double(ticks[tick] - ticks[tick - 1]) / 1e6);
    const QString pretty = model.request().body;
    auto* field = editor.findChild<QPlainTextEdit*>(u"bodyText"_s);
    const bool shown = field->document()->characterCount() == pretty.size() + 1;

    // For comparison: the same text put in place through a cursor, as one undoable edit, and
    // handing a bare field a document already built (the least any swap of text costs).
    QPlainTextEdit bare;
    bare.setFont(field->font());
    bare.setLineWrapMode(field->lineWrapMode());
    bare.resize(field->size());
    bare.setPlainText(compact);
    bare.show();
    QCoreApplication::processEvents();
    const double inPlace = milliseconds([&] {
        QTextCursor cursor(bare.document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(pretty);
        QCoreApplication::processEvents();
    });
    auto* built = new QTextDocument(&bare);
    built->setDocumentLayout(new QPlainTextDocumentLayout(built));
    built->setDefaultFont(field->font());
    built->setDefaultTextOption(field->document()->defaultTextOption());
    built->setPlainText(pretty);
    const double handed = milliseconds([&] {
        bare.setDocument(built);
        QCoreApplication::processEvents();
    });
    std::printf("\"Format\" of a %.1f MB JSON body into %d lines\n",
        double(compact.toUtf8().size()) / 1e6, int(pretty.count(u'\n')) + 1);
    std::printf("  longest event-loop stall %7.2f ms (target < 50 ms), %zu ticks, %.0f ms from the "
                "click to the text in place (shown: %s)\n",
        longest, ticks.size(), double(done - clicked) / 1e6, shown ? "yes" : "NO");
    std::printf("  for comparison: in place through a cursor %7.2f ms; a bare field handed the "
                "built document %7.2f ms\n",
        inPlace, handed);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Settings settings(folder.path() + u"/format.ini"_s);
    benchmarkTabSwitch(folder.path());
    benchmarkFormat(settings);
    return 0;
}
