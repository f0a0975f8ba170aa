#include "ui/sidebar/runresultmodel.h"

#include "execution/collectionrunnersheetmodel.h"
#include "ui/common/badges.h"

namespace mako {

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
        return rawValue(result.request.method);
    case StatusRole:
        return result.statusCode ? QVariant(*result.statusCode) : QVariant();
    case DurationRole:
        return result.duration > 0 ? QVariant(durationText(result.duration)) : QVariant();
    case ErrorRole:
        return result.error ? QVariant(*result.error) : QVariant();
    case Qt::AccessibleTextRole:
        return tr("%1 %2: %3")
            .arg(rawValue(result.request.method), result.request.name,
                result.passed ? tr("passed") : tr("failed"));
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
