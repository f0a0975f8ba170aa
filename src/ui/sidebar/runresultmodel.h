#pragma once

#include <QAbstractListModel>

namespace mako {

class CollectionRunnerSheetModel;

/// The result rows of the runner sheet, one per request run so far, in the order they came.
/// A result that arrives adds one row; a new run clears them. A row's tooltip lists every test
/// of its request, marked passed or failed, and its accessible text and description say the
/// same as what the row shows.
class RunResultModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        PassedRole = Qt::UserRole,
        /// The method name (QString).
        MethodRole,
        /// The status code (int), or nothing without a response.
        StatusRole,
        /// "123ms", or nothing for a duration of 0.
        DurationRole,
        /// The error text, or nothing.
        ErrorRole,
        /// "3/4 tests": how many of the request's tests passed, or nothing without tests.
        TestsRole,
        /// Whether every test of the request passed (bool); true without tests.
        TestsPassedRole,
        /// The lines that say what went wrong in the scripts (QStringList): a script's error,
        /// then each failed test with its message. Empty when nothing failed.
        ScriptFailuresRole,
    };

    /// `runner` must outlive the model.
    explicit RunResultModel(const CollectionRunnerSheetModel& runner, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void handleResultsChanged();

    const CollectionRunnerSheetModel& m_runner;
    int m_rows = 0;
};

} // namespace mako
