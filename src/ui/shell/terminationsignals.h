#pragma once

#include <QObject>

class QSocketNotifier;

namespace mako {

/// Turns SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in the terminal that started
/// Mako) into an ordinary quit of the application, so pending saves are written and the window
/// remembers its place, as when the user chooses Quit. One per process.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    void handleSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace mako
