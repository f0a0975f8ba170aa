#pragma once

#include <QObject>
#include <QPointer>

class QMessageBox;
class QWidget;

namespace mako {

class AppState;

/// Shows the state's pending message as the "Error" alert of the window. One alert at a time:
/// a new message replaces the text of the one on screen. "OK" clears the message, so the alert
/// does not come back.
class AlertPresenter : public QObject {
    Q_OBJECT

public:
    AlertPresenter(AppState& state, QWidget* window);

private:
    void handleAlertMessageChanged();

    AppState& m_state;
    QWidget* m_window;
    QPointer<QMessageBox> m_alert;
};

} // namespace mako
