#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

namespace mako::test {

/// One request as it arrived at the peer.
struct RecordedRequest {
    QByteArray method, target, httpVersion; // request line: "GET", "/a?b=1", "HTTP/1.1"
    QList<std::pair<QByteArray, QByteArray>> headers; // arrival order, names as sent
    QByteArray body; // de-chunked
    QByteArray raw; // the bytes as received
    QByteArray header(QByteArrayView name) const; // case-insensitive, first match, empty if none
};

/// What the peer answers with. Content-Length is added unless the reply is chunked or the
/// headers already give a length.
struct ScriptedResponse {
    int status = 200;
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;
    QList<QByteArray> chunks; // non-empty: Transfer-Encoding: chunked, one write per chunk
    int delayMs = 0; // before the response starts
    int chunkDelayMs = 0; // between chunks (event streams)
    /// Close the connection after the status line and headers. The headers announce a body
    /// (its length, or chunked when there is none) that never comes, so a client sees a
    /// truncated reply.
    bool closeAbruptly = false;
};

/// The TLS identity of a peer: its PEM certificate and key, and, when `clientAuthorities` holds
/// any PEM certificates, a demand that every client show a certificate they issued.
struct TlsServerIdentity {
    QByteArray certificate;
    QByteArray key;
    QByteArray clientAuthorities;
};

class HttpTestServerWorker;
struct HttpTestServerState;

/// An HTTP/1.1 peer on 127.0.0.1 for tests: records every request and answers from a script.
/// Listens on its own thread, so a test may block while a client talks to it. Connections are
/// kept alive unless the client asks to close them. Bytes that are not HTTP at all (a TLS
/// handshake) get a 400 reply and a closed connection.
class HttpTestServer {
public:
    enum class Tls { Off, SelfSigned };
    explicit HttpTestServer(Tls tls = Tls::Off);
    /// An HTTPS peer with its own certificate.
    explicit HttpTestServer(const TlsServerIdentity& identity);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    quint16 port() const;
    QString baseUrl() const; // "http://127.0.0.1:PORT" or "https://127.0.0.1:PORT"
    /// Default handler: 200, Content-Type application/json, body = a JSON echo of the request
    /// (method, target, headers as an object of name -> value, body as text). Handlers run on
    /// the server thread.
    void setHandler(std::function<ScriptedResponse(const RecordedRequest&)> handler);
    QList<RecordedRequest> requests() const;
    bool waitForRequests(int count, int timeoutMs = 5000) const;
    /// Whether the clients have closed `count` connections so far, waiting for that at most
    /// `timeoutMs`.
    bool waitForClosedConnections(int count, int timeoutMs = 5000) const;
    /// How many connections the peer has accepted so far.
    int connectionCount() const;

private:
    HttpTestServer(Tls tls, const std::optional<TlsServerIdentity>& identity);
    // Waits on the shared state's lock until `reached` holds, at most `timeoutMs`.
    bool waitFor(const std::function<bool()>& reached, int timeoutMs) const;

    std::shared_ptr<HttpTestServerState> m_shared;
    std::thread m_thread;
    HttpTestServerWorker* m_worker = nullptr;
    quint16 m_port = 0;
    Tls m_tls;
};

/// The JSON echo the default handler answers with.
ScriptedResponse echoResponse(const RecordedRequest& request);

} // namespace mako::test
