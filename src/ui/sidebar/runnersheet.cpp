#include "ui/sidebar/runnersheet.h"

#include "scripting/collectionrunnersheetmodel.h"
#include "state/appstate.h"
#include "ui/common/badges.h"
#include "ui/common/iconlabel.h"
#include "ui/common/sheettitle.h"
#include "ui/sidebar/runresultdelegate.h"
#include "ui/sidebar/runresultmodel.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QLabel* colouredLabel(const QString& objectName, SystemColor color, const QPalette& palette)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    QPalette own = palette;
    own.setColor(QPalette::WindowText, systemColor(color, palette));
    label->setPalette(own);
    return label;
}

} // namespace

RunnerSheet::RunnerSheet(AppState& state, const Collection& collection, QWidget* window)
    : QDialog(window)
    , m_runner(new CollectionRunnerSheetModel(collection,
          {
              .scopes = [&state, id = collection.id] { return state.variableScopes(id); },
              .keep =
                  [state = QPointer(&state), id = collection.id](const VariableScopes& scopes) {
                      if (state)
                          state->keepScriptVariables(scopes, id);
                  },
              .settings = [&state] { return state.scriptSettings(); },
          },
          NetworkService::shared(), this))
    , m_results(new RunResultModel(*m_runner, this))
    , m_content(new QStackedWidget)
    , m_emptyState(new QWidget)
    , m_list(new QListView)
{
    setObjectName(u"collectionRunnerSheet"_s);
    setWindowTitle(tr("Collection Runner"));
    setAccessibleName(tr("Collection Runner"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(520, 460);

    auto* name = new QLabel(collection.name);
    name->setObjectName(u"runnerCollectionName"_s);
    name->setForegroundRole(QPalette::PlaceholderText);

    buildEmptyState(static_cast<int>(collection.requests.size()));
    buildList();
    m_content->addWidget(m_emptyState);
    m_content->addWidget(m_list);

    auto* buttons = new QDialogButtonBox;
    m_runAll = buttons->addButton(tr("Run All"), QDialogButtonBox::ActionRole);
    m_runAll->setObjectName(u"runAllButton"_s);
    m_runAll->setDefault(true);
    QPushButton* done = buttons->addButton(tr("Done"), QDialogButtonBox::AcceptRole);
    done->setObjectName(u"doneButton"_s);
    done->setAutoDefault(false);
    connect(m_runAll, &QPushButton::clicked, m_runner, &CollectionRunnerSheetModel::runCollection);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(tr("Collection Runner")));
    layout->addWidget(name);
    layout->addWidget(buildProgressRow());
    layout->addWidget(m_content, 1);
    layout->addWidget(buildSummaryRow());
    layout->addWidget(buttons);

    connect(m_runner, &CollectionRunnerSheetModel::resultsChanged, this, &RunnerSheet::update);
    connect(m_runner, &CollectionRunnerSheetModel::isRunningChanged, this, &RunnerSheet::update);
    connect(m_runner, &CollectionRunnerSheetModel::progressChanged, this, &RunnerSheet::update);
    connect(m_runner, &CollectionRunnerSheetModel::totalChanged, this, &RunnerSheet::update);
    update();
}

void RunnerSheet::buildEmptyState(int requestCount)
{
    auto* emptyText
        = new QLabel(tr("Click 'Run All' to execute %n request(s)", nullptr, requestCount));
    emptyText->setObjectName(u"runnerEmptyText"_s);
    emptyText->setForegroundRole(QPalette::PlaceholderText);
    auto* emptyLayout = new QVBoxLayout(m_emptyState);
    emptyLayout->addStretch();
    emptyLayout->addWidget(new IconLabel(u"play.circle", 40), 0, Qt::AlignHCenter);
    emptyLayout->addWidget(emptyText, 0, Qt::AlignHCenter);
    emptyLayout->addStretch();
}

void RunnerSheet::buildList()
{
    m_list->setObjectName(u"runnerResults"_s);
    m_list->setAccessibleName(tr("Results"));
    m_list->setModel(m_results);
    m_list->setItemDelegate(new RunResultDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
}

QWidget* RunnerSheet::buildProgressRow()
{
    m_progressRow = new QWidget;
    m_progress = new QProgressBar;
    m_progress->setObjectName(u"runnerProgress"_s);
    m_progress->setTextVisible(false);
    m_progressText = new QLabel;
    m_progressText->setObjectName(u"runnerProgressText"_s);
    auto* layout = new QHBoxLayout(m_progressRow);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_progress, 1);
    layout->addWidget(m_progressText);
    return m_progressRow;
}

QWidget* RunnerSheet::buildSummaryRow()
{
    m_summaryRow = new QWidget;
    m_passed = colouredLabel(u"runnerPassed"_s, SystemColor::green, palette());
    m_failed = colouredLabel(u"runnerFailed"_s, SystemColor::red, palette());
    m_testsPassed = colouredLabel(u"runnerTestsPassed"_s, SystemColor::green, palette());
    m_testsFailed = colouredLabel(u"runnerTestsFailed"_s, SystemColor::red, palette());
    m_totalTime = new QLabel;
    m_totalTime->setObjectName(u"runnerTotalTime"_s);
    m_totalTime->setForegroundRole(QPalette::PlaceholderText);
    auto* layout = new QHBoxLayout(m_summaryRow);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_passed);
    layout->addWidget(m_failed);
    layout->addSpacing(12);
    layout->addWidget(m_testsPassed);
    layout->addWidget(m_testsFailed);
    layout->addStretch();
    layout->addWidget(m_totalTime);
    return m_summaryRow;
}

void RunnerSheet::update()
{
    const CollectionRunnerSheetModel& runner = *m_runner;
    const bool running = runner.isRunning();
    const bool empty = runner.results().isEmpty();
    m_content->setCurrentWidget(empty && !running ? m_emptyState : m_list);
    m_progressRow->setVisible(running);
    m_progress->setRange(0, std::max(runner.total(), 1));
    m_progress->setValue(runner.progress());
    m_progressText->setText(u"%1/%2"_s.arg(runner.progress()).arg(runner.total()));
    m_summaryRow->setVisible(!empty);
    const RunTally tally = runner.tally();
    m_passed->setText(tr("%1 passed").arg(tally.passedRequests));
    m_failed->setText(tr("%1 failed").arg(tally.failedRequests));
    // A run whose requests have no tests keeps to the requests' counts.
    m_testsPassed->setVisible(tally.tests() > 0);
    m_testsFailed->setVisible(tally.tests() > 0);
    m_testsPassed->setText(tr("%n test(s) passed", nullptr, tally.passedTests));
    m_testsFailed->setText(tr("%n test(s) failed", nullptr, tally.failedTests));
    m_totalTime->setText(tr("Total: %1").arg(durationText(tally.duration)));
    m_runAll->setText(running ? tr("Running...") : tr("Run All"));
    m_runAll->setEnabled(runner.canRun());
}

} // namespace mako
