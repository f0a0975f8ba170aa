#pragma once

#include <QByteArray>
#include <QList>

#include <atomic>
#include <mutex>
#include <thread>

class QTcpSocket;

namespace mako::test {

/// A SOCKS5 proxy on 127.0.0.1 for tests. It records where each client asks to go, with the
/// credentials it offered, and then joins the client to the loopback port it was made with,
/// whatever the destination asked for, so that nothing leaves the machine. One client at a time.
class Socks5TestProxy {
public:
    struct Connect {
        QByteArray destination; // "host:port" as the client gave it
        QByteArray username, password; // empty when the client offered none
    };

    explicit Socks5TestProxy(quint16 upstreamPort);
    ~Socks5TestProxy();
    Socks5TestProxy(const Socks5TestProxy&) = delete;
    Socks5TestProxy& operator=(const Socks5TestProxy&) = delete;

    quint16 port() const { return m_port; }
    QList<Connect> connects() const;

private:
    void serveClient(QTcpSocket& client);

    quint16 m_upstreamPort;
    quint16 m_port = 0;
    std::atomic<bool> m_stop {false};
    mutable std::mutex m_mutex;
    QList<Connect> m_connects;
    std::thread m_thread;
};

} // namespace mako::test
