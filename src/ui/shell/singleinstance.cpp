#include "ui/shell/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr QByteArrayView kRaiseRequest = "raise\n";
// Long enough for a busy machine, short enough that a hung first instance does not keep the
// second from starting for long.
constexpr int kConnectMilliseconds = 1000;

// A Unix socket path holds at most 107 bytes, so the folder goes in as a short digest. The data
// folder lies in the user's home, so the name is the user's own even in the shared temporary
// folder used where the desktop provides no runtime folder.
QString socketPath(const QString& dataFolder)
{
    const QString runtime = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
        ? QDir::tempPath()
        : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QByteArray digest = QCryptographicHash::hash(
        QDir::cleanPath(QDir(dataFolder).absolutePath()).toUtf8(), QCryptographicHash::Sha256);
    return runtime + u"/mako-"_s + QString::fromLatin1(digest.toHex().left(16));
}

} // namespace

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent)
    : QObject(parent)
    , m_serverName(socketPath(dataFolder))
{ }

SingleInstance::~SingleInstance() = default;

bool SingleInstance::raiseRunningInstance() const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kConnectMilliseconds))
        return false;
    socket.write(kRaiseRequest.data(), kRaiseRequest.size());
    // The first instance answers by closing; waiting for that makes sure the request arrived
    // before this process goes.
    if (!socket.waitForBytesWritten(kConnectMilliseconds))
        return false;
    socket.waitForDisconnected(kConnectMilliseconds);
    return true;
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        // A socket file left by an instance that crashed: nobody answered on it a moment ago.
        QLocalServer::removeServer(m_serverName);
        if (!m_server->listen(m_serverName))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::handleNewConnection);
    return true;
}

void SingleInstance::handleNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kRaiseRequest)
                Q_EMIT raiseRequested();
            socket->disconnectFromServer();
        });
    }
}

} // namespace mako
