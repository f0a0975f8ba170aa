#include "support/httptestserver.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QPointer>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWaitCondition>

#include <cctype>
#include <future>
#include <mutex>
#include <optional>

namespace mako::test {

using namespace Qt::StringLiterals;

QByteArray RecordedRequest::header(QByteArrayView name) const
{
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

ScriptedResponse echoResponse(const RecordedRequest& request)
{
    QJsonObject headers;
    for (const auto& [name, value] : request.headers)
        headers.insert(QString::fromLatin1(name), QString::fromLatin1(value));
    const QJsonObject echo {
        {u"method"_s, QString::fromLatin1(request.method)},
        {u"target"_s, QString::fromLatin1(request.target)},
        {u"headers"_s, headers},
        {u"body"_s, QString::fromUtf8(request.body)},
    };
    return ScriptedResponse {
        .headers = {{"Content-Type", "application/json"}},
        .body = QJsonDocument(echo).toJson(QJsonDocument::Compact),
    };
}

struct HttpTestServerState {
    mutable QMutex mutex;
    mutable QWaitCondition arrived;
    QList<RecordedRequest> requests;
    std::function<ScriptedResponse(const RecordedRequest&)> handler = echoResponse;
    int connections = 0;
    int closedConnections = 0;
};

namespace {

// Key generation takes a noticeable moment, so one identity serves every TLS peer of the run.
const TlsServerIdentity& selfSignedIdentity()
{
    static TlsServerIdentity identity;
    static std::once_flag once;
    std::call_once(once, [] {
        QTemporaryDir dir;
        QProcess openssl;
        openssl.start(u"openssl"_s,
            {u"req"_s, u"-x509"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s,
                u"ec_paramgen_curve:prime256v1"_s, u"-nodes"_s, u"-days"_s, u"2"_s, u"-subj"_s,
                u"/CN=127.0.0.1"_s, u"-addext"_s, u"subjectAltName=IP:127.0.0.1"_s, u"-keyout"_s,
                dir.filePath(u"key.pem"_s), u"-out"_s, dir.filePath(u"cert.pem"_s)});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            qFatal("openssl could not make a test certificate: %s",
                openssl.readAllStandardError().constData());
        QFile cert(dir.filePath(u"cert.pem"_s));
        QFile key(dir.filePath(u"key.pem"_s));
        if (!cert.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
            qFatal("openssl wrote no test certificate");
        identity = {cert.readAll(), key.readAll(), {}};
    });
    return identity;
}

QByteArray standardReason(int status)
{
    static const QHash<int, QByteArray> reasons {{100, "Continue"}, {200, "OK"}, {201, "Created"},
        {202, "Accepted"}, {204, "No Content"}, {301, "Moved Permanently"}, {302, "Found"},
        {303, "See Other"}, {304, "Not Modified"}, {307, "Temporary Redirect"},
        {308, "Permanent Redirect"}, {400, "Bad Request"}, {401, "Unauthorized"},
        {403, "Forbidden"}, {404, "Not Found"}, {405, "Method Not Allowed"},
        {408, "Request Timeout"}, {429, "Too Many Requests"}, {500, "Internal Server Error"},
        {502, "Bad Gateway"}, {503, "Service Unavailable"}, {504, "Gateway Timeout"}};
    return reasons.value(status, "Status");
}

bool hasHeader(const QList<std::pair<QByteArray, QByteArray>>& headers, QByteArrayView name)
{
    for (const auto& header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Reads a chunked body from the start of `data`; nothing when it has not all arrived yet.
std::optional<std::pair<QByteArray, qsizetype>> dechunk(QByteArrayView data)
{
    QByteArray body;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype lineEnd = data.indexOf("\r\n", pos);
        if (lineEnd < 0)
            return std::nullopt;
        QByteArrayView sizeText = data.sliced(pos, lineEnd - pos);
        if (const qsizetype semi = sizeText.indexOf(';'); semi >= 0)
            sizeText = sizeText.first(semi);
        bool ok = false;
        const qsizetype size = sizeText.trimmed().toLongLong(&ok, 16);
        if (!ok)
            return std::nullopt;
        pos = lineEnd + 2;
        if (size == 0) {
            // Trailers, then an empty line.
            for (;;) {
                const qsizetype end = data.indexOf("\r\n", pos);
                if (end < 0)
                    return std::nullopt;
                const bool empty = end == pos;
                pos = end + 2;
                if (empty)
                    return std::pair {body, pos};
            }
        }
        if (data.size() < pos + size + 2)
            return std::nullopt;
        body += data.sliced(pos, size);
        pos += size + 2;
    }
}

} // namespace

/// One accepted connection: parses requests as they arrive and answers them one at a time.
class HttpTestConnection : public QObject {
public:
    HttpTestConnection(QTcpSocket* socket, std::shared_ptr<HttpTestServerState> shared)
        : QObject(socket)
        , m_socket(socket)
        , m_shared(std::move(shared))
    {
        connect(socket, &QTcpSocket::readyRead, this, &HttpTestConnection::handleReadyRead);
        connect(socket, &QTcpSocket::disconnected, socket, [this] {
            {
                QMutexLocker lock(&m_shared->mutex);
                ++m_shared->closedConnections;
            }
            m_shared->arrived.wakeAll();
            m_socket->deleteLater();
        });
    }

private:
    void handleReadyRead()
    {
        m_buffer += m_socket->readAll();
        processBuffer();
    }

    void processBuffer()
    {
        // Not HTTP at all (a TLS handshake, say): answer as a plain server would and hang up.
        if (!m_buffer.isEmpty() && !std::isupper(static_cast<unsigned char>(m_buffer[0]))) {
            m_socket->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n");
            m_socket->disconnectFromHost();
            m_buffer.clear();
            return;
        }
        while (!m_responding) {
            std::optional<RecordedRequest> request = takeRequest();
            if (!request)
                return;
            answer(*request);
        }
    }

    std::optional<RecordedRequest> takeRequest()
    {
        const qsizetype headEnd = m_buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return std::nullopt;
        RecordedRequest request;
        const QList<QByteArray> lines = m_buffer.first(headEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        request.httpVersion = requestLine.value(2);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].chopped(lines[i].endsWith('\r') ? 1 : 0);
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                request.headers.append({line.first(colon), line.sliced(colon + 1).trimmed()});
        }
        qsizetype end = headEnd + 4;
        if (request.header("Transfer-Encoding").toLower().contains("chunked")) {
            const auto chunked = dechunk(QByteArrayView(m_buffer).sliced(end));
            if (!chunked)
                return std::nullopt;
            request.body = chunked->first;
            end += chunked->second;
        } else if (const qsizetype length = request.header("Content-Length").toLongLong();
                   length > 0) {
            if (m_buffer.size() < end + length)
                return std::nullopt;
            request.body = m_buffer.sliced(end, length);
            end += length;
        }
        request.raw = m_buffer.first(end);
        m_buffer.remove(0, end);
        return request;
    }

    void answer(const RecordedRequest& request)
    {
        std::function<ScriptedResponse(const RecordedRequest&)> handler;
        {
            QMutexLocker lock(&m_shared->mutex);
            handler = m_shared->handler;
        }
        ScriptedResponse response = handler(request);
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->requests.append(request);
            m_shared->arrived.wakeAll();
        }
        m_responding = true;
        const bool head = request.method == "HEAD";
        const bool close = request.header("Connection").toLower() == "close"
            || request.httpVersion == "HTTP/1.0";
        QTimer::singleShot(
            response.delayMs, this, [this, response = std::move(response), head, close] {
                writeResponse(response, head, close);
            });
    }

    void writeResponse(ScriptedResponse response, bool head, bool close)
    {
        if (response.closeAbruptly && response.chunks.isEmpty() && response.body.isEmpty())
            response.chunks = {"never sent"};
        const bool chunked = !response.chunks.isEmpty();
        QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + ' '
            + standardReason(response.status) + "\r\n";
        for (const auto& [name, value] : response.headers)
            out += name + ": " + value + "\r\n";
        if (chunked && !hasHeader(response.headers, "Transfer-Encoding"))
            out += "Transfer-Encoding: chunked\r\n";
        if (!chunked && !hasHeader(response.headers, "Content-Length") && response.status != 204
            && response.status != 304)
            out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        if (close)
            out += "Connection: close\r\n";
        out += "\r\n";
        m_socket->write(out);
        if (response.closeAbruptly) {
            m_socket->flush();
            m_socket->disconnectFromHost();
            return;
        }
        if (head || response.status == 204 || response.status == 304)
            return finishResponse(close);
        if (!chunked) {
            m_socket->write(response.body);
            return finishResponse(close);
        }
        writeChunk(response.chunks, 0, response.chunkDelayMs, close);
    }

    void writeChunk(const QList<QByteArray>& chunks, qsizetype index, int delayMs, bool close)
    {
        if (index == chunks.size()) {
            m_socket->write("0\r\n\r\n");
            return finishResponse(close);
        }
        const QByteArray& chunk = chunks[index];
        if (!chunk.isEmpty())
            m_socket->write(QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n");
        m_socket->flush();
        QTimer::singleShot(
            index + 1 < chunks.size() ? delayMs : 0, this, [this, chunks, index, delayMs, close] {
                writeChunk(chunks, index + 1, delayMs, close);
            });
    }

    void finishResponse(bool close)
    {
        m_responding = false;
        if (close) {
            m_socket->disconnectFromHost();
            return;
        }
        processBuffer();
    }

    QTcpSocket* m_socket;
    std::shared_ptr<HttpTestServerState> m_shared;
    QByteArray m_buffer;
    bool m_responding = false;
};

/// Lives on the server thread and owns the listening socket and its connections.
class HttpTestServerWorker : public QObject {
public:
    explicit HttpTestServerWorker(std::shared_ptr<HttpTestServerState> shared)
        : m_shared(std::move(shared))
    { }

    void exec() { m_loop.exec(); }
    void quit() { m_loop.quit(); }

    quint16 listen(const std::optional<TlsServerIdentity>& identity)
    {
        if (identity) {
            auto* server = new QSslServer(this);
            QSslConfiguration config = QSslConfiguration::defaultConfiguration();
            config.setLocalCertificate(QSslCertificate(identity->certificate, QSsl::Pem));
            config.setPrivateKey(QSslKey(identity->key, QSsl::Ec, QSsl::Pem));
            if (identity->clientAuthorities.isEmpty()) {
                config.setPeerVerifyMode(QSslSocket::VerifyNone);
            } else {
                config.setCaCertificates(QSslCertificate::fromData(identity->clientAuthorities));
                config.setPeerVerifyMode(QSslSocket::VerifyPeer);
            }
            server->setSslConfiguration(config);
            connect(server, &QSslServer::pendingConnectionAvailable, this,
                &HttpTestServerWorker::acceptConnections);
            m_server = server;
        } else {
            m_server = new QTcpServer(this);
            connect(m_server, &QTcpServer::pendingConnectionAvailable, this,
                &HttpTestServerWorker::acceptConnections);
        }
        // Room for many clients connecting at once.
        m_server->setListenBacklogSize(1024);
        m_server->setMaxPendingConnections(1024);
        if (!m_server->listen(QHostAddress::LocalHost, 0))
            qFatal("test server cannot listen on 127.0.0.1");
        return m_server->serverPort();
    }

private:
    void acceptConnections()
    {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            {
                QMutexLocker lock(&m_shared->mutex);
                ++m_shared->connections;
            }
            new HttpTestConnection(socket, m_shared);
        }
    }

    std::shared_ptr<HttpTestServerState> m_shared;
    QEventLoop m_loop;
    QTcpServer* m_server = nullptr;
};

HttpTestServer::HttpTestServer(Tls tls)
    : HttpTestServer(
        tls, tls == Tls::SelfSigned ? std::optional(selfSignedIdentity()) : std::nullopt)
{ }

HttpTestServer::HttpTestServer(const TlsServerIdentity& identity)
    : HttpTestServer(Tls::SelfSigned, identity)
{ }

HttpTestServer::HttpTestServer(Tls tls, const std::optional<TlsServerIdentity>& identity)
    : m_shared(std::make_shared<HttpTestServerState>())
    , m_tls(tls)
{
    std::promise<void> listening;
    // A plain thread rather than a QThread: joining it waits until the thread has wholly
    // ended, OpenSSL's per-thread state included, where QThread::wait returns a moment early.
    m_thread = std::thread([this, &listening, &identity] {
        HttpTestServerWorker worker(m_shared);
        m_port = worker.listen(identity);
        m_worker = &worker;
        listening.set_value();
        worker.exec();
    });
    listening.get_future().wait();
}

HttpTestServer::~HttpTestServer()
{
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->quit(); });
    m_thread.join();
}

quint16 HttpTestServer::port() const
{
    return m_port;
}

QString HttpTestServer::baseUrl() const
{
    return (m_tls == Tls::SelfSigned ? u"https://127.0.0.1:"_s : u"http://127.0.0.1:"_s)
        + QString::number(m_port);
}

void HttpTestServer::setHandler(std::function<ScriptedResponse(const RecordedRequest&)> handler)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->handler = std::move(handler);
}

QList<RecordedRequest> HttpTestServer::requests() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->requests;
}

bool HttpTestServer::waitForRequests(int count, int timeoutMs) const
{
    return waitFor([&] { return m_shared->requests.size() >= count; }, timeoutMs);
}

bool HttpTestServer::waitForClosedConnections(int count, int timeoutMs) const
{
    return waitFor([&] { return m_shared->closedConnections >= count; }, timeoutMs);
}

bool HttpTestServer::waitFor(const std::function<bool()>& reached, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker lock(&m_shared->mutex);
    while (!reached()) {
        if (!m_shared->arrived.wait(&m_shared->mutex, deadline))
            return reached();
    }
    return true;
}

int HttpTestServer::connectionCount() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->connections;
}

} // namespace mako::test
