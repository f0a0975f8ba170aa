#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUuid>

class QMessageBox;
class QWidget;

namespace mako {

class AppState;

/// Shows the state's pending message as the "Error" alert of the window, and its pending
/// import report as a result: what came in, what was left out counted by kind, and every line
/// of it behind "Show Details...". One of each at a time: a new message replaces the text of
/// the one on screen. "OK" clears what it showed, so it does not come back. It also asks what a
/// tab with edits does when its request changed on disk.
class AlertPresenter : public QObject {
    Q_OBJECT

public:
    AlertPresenter(AppState& state, QWidget* window);

private:
    void handleAlertMessageChanged();
    void handleImportReportChanged();
    /// Asks whether a tab with edits takes the version of its request that changed on disk.
    void askAboutChangeOnDisk(const QUuid& tabID, const QString& requestName);

    AppState& m_state;
    QWidget* m_window;
    QPointer<QMessageBox> m_alert;
    QPointer<QMessageBox> m_report;
};

} // namespace mako
