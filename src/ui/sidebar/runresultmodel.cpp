#include "ui/sidebar/runresultmodel.h"

#include "scripting/collectionrunnersheetmodel.h"
#include "ui/common/badges.h"

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QString testsText(const ScriptOutcome& scripts)
{
    const int total = int(scripts.tests.size());
    return RunResultModel::tr("%1/%n test(s)", nullptr, total).arg(total - scripts.failedTests());
}

// A failed test with its message; a test of the legacy form fails without one.
QString failure(const TestResult& test)
{
    return test.error.isEmpty() ? test.name
                                : RunResultModel::tr("%1: %2").arg(test.name, test.error);
}

QStringList scriptFailures(const ScriptOutcome& scripts)
{
    QStringList lines;
    if (scripts.error)
        lines.append(*scripts.error);
    for (const TestResult& test : scripts.tests) {
        if (!test.passed)
            lines.append(failure(test));
    }
    return lines;
}

// Every test with a tick or a cross, so that the long messages a row cuts short can be read
// whole; the script's error last.
QString testList(const ScriptOutcome& scripts)
{
    QStringList lines;
    for (const TestResult& test : scripts.tests) {
        lines.append(test.passed ? u"✓ "_s + test.name : u"✗ "_s + failure(test));
    }
    if (scripts.error)
        lines.append(u"! "_s + *scripts.error);
    return lines.join(u'\n');
}

QString accessibleText(const RunResult& result)
{
    const QString method = methodName(result.request);
    const QString verdict
        = result.passed ? RunResultModel::tr("passed") : RunResultModel::tr("failed");
    const int total = int(result.scripts.tests.size());
    if (total == 0)
        return RunResultModel::tr("%1 %2: %3").arg(method, result.request.name, verdict);
    return RunResultModel::tr("%1 %2: %3, %4 of %n test(s) passed", nullptr, total)
        .arg(method, result.request.name, verdict,
            QString::number(total - result.scripts.failedTests()));
}

} // namespace

RunResultModel::RunResultModel(const CollectionRunnerSheetModel& runner, QObject* parent)
    : QAbstractListModel(parent)
    , m_runner(runner)
    , m_rows(static_cast<int>(runner.results().size()))
{
    connect(&runner, &CollectionRunnerSheetModel::resultsChanged, this,
        &RunResultModel::handleResultsChanged);
}

int RunResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant RunResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_runner.results().size())
        return {};
    const RunResult& result = m_runner.results()[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return result.request.name;
    case PassedRole:
        return result.passed;
    case MethodRole:
        return methodName(result.request);
    case StatusRole:
        return result.statusCode ? QVariant(*result.statusCode) : QVariant();
    case DurationRole:
        return result.duration > 0 ? QVariant(durationText(result.duration)) : QVariant();
    case ErrorRole:
        return result.error ? QVariant(*result.error) : QVariant();
    case TestsRole:
        return result.scripts.tests.isEmpty() ? QVariant() : QVariant(testsText(result.scripts));
    case TestsPassedRole:
        return result.scripts.failedTests() == 0;
    case ScriptFailuresRole:
        return scriptFailures(result.scripts);
    case Qt::ToolTipRole:
        return result.scripts.tests.isEmpty() && !result.scripts.error
            ? QVariant()
            : QVariant(testList(result.scripts));
    case Qt::AccessibleTextRole:
        return accessibleText(result);
    case Qt::AccessibleDescriptionRole: {
        QStringList lines = scriptFailures(result.scripts);
        if (result.error)
            lines.prepend(*result.error);
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(u'\n'));
    }
    default:
        return {};
    }
}

void RunResultModel::handleResultsChanged()
{
    // Results only ever grow during a run; fewer of them means a new run began.
    const int count = static_cast<int>(m_runner.results().size());
    if (count > m_rows) {
        beginInsertRows({}, m_rows, count - 1);
        m_rows = count;
        endInsertRows();
    } else if (count < m_rows) {
        beginResetModel();
        m_rows = count;
        endResetModel();
    }
}

} // namespace mako
