#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace mako {

/// One running Mako per data folder. Two processes auto-saving the same files would each write
/// back what they loaded and lose the other's edits, so a second start hands over to the first
/// (which raises its window) and quits.
///
/// The rendezvous is a local socket named after the data folder in the user's runtime folder:
/// per user, and a run on another folder (a test's temporary one) is a separate instance.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    /// The socket's full path.
    QString serverName() const { return m_serverName; }

    /// Asks a running instance to raise its window. True when one answered: this process should
    /// then quit.
    bool raiseRunningInstance() const;

    /// Starts answering later starts. False when the socket cannot be made; Mako then runs
    /// without the guard rather than not at all.
    bool listen();

Q_SIGNALS:
    /// Another start asked for the window.
    void raiseRequested();

private:
    void handleNewConnection();

    QString m_serverName;
    QLocalServer* m_server = nullptr;
};

} // namespace mako
