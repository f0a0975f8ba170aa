#pragma once

#include "model/collection.h"

#include <QDialog>

class QLabel;
class QListView;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace mako {

class AppState;
class CollectionRunnerSheetModel;
class RunResultModel;

/// The collection runner: "Run All" sends every request of a copy of the collection, one after
/// another, with the variables in effect when it starts, and lists each result as it comes,
/// with the progress while it runs and a pass/fail summary of the requests and of their tests.
/// Closing the sheet stops the run.
/// Window-modal: open it with `open()`; it deletes itself when closed.
class RunnerSheet : public QDialog {
    Q_OBJECT

public:
    /// `state` must outlive the sheet.
    RunnerSheet(AppState& state, const Collection& collection, QWidget* window);

    CollectionRunnerSheetModel& runner() const { return *m_runner; }

private:
    void buildEmptyState(int requestCount);
    void buildList();
    QWidget* buildProgressRow();
    QWidget* buildSummaryRow();
    void update();

    CollectionRunnerSheetModel* m_runner;
    RunResultModel* m_results;
    QStackedWidget* m_content;
    QWidget* m_emptyState;
    QListView* m_list;
    QWidget* m_progressRow;
    QProgressBar* m_progress;
    QLabel* m_progressText;
    QWidget* m_summaryRow;
    QLabel* m_passed;
    QLabel* m_failed;
    QLabel* m_testsPassed;
    QLabel* m_testsFailed;
    QLabel* m_totalTime;
    QPushButton* m_runAll;
};

} // namespace mako
