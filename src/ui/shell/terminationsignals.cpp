#include "ui/shell/terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace mako {

#ifdef Q_OS_UNIX

namespace {

constexpr int kSignals[] {SIGTERM, SIGINT, SIGHUP};

// A signal handler may do next to nothing, so it only writes a byte; the event loop reads it
// and quits the ordinary way.
int s_sockets[2] {-1, -1};

void writeWakeUp(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(s_sockets[0], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_sockets) != 0)
        return;
    m_notifier = new QSocketNotifier(s_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::handleSignal);
    struct sigaction action { };
    action.sa_handler = writeWakeUp;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (int signal : kSignals)
        std::signal(signal, SIG_DFL);
    delete m_notifier;
    ::close(s_sockets[0]);
    ::close(s_sockets[1]);
    s_sockets[0] = s_sockets[1] = -1;
}

void TerminationSignals::handleSignal()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(s_sockets[1], &byte, 1);
    QCoreApplication::quit();
}

#else

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{ }

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::handleSignal() { }

#endif

} // namespace mako
