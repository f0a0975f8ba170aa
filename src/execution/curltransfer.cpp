#include "execution/curltransfer.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QUrl>
#include <QUtf8StringView>

#include <algorithm>
#include <cerrno>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

bool containsHeader(const QList<std::pair<QByteArray, QByteArray>>& headers, QByteArrayView name)
{
    for (const auto& header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// A line break inside a field would start a new header line of the user's making.
QByteArray singleLine(QByteArray text)
{
    return text.replace('\r', ' ').replace('\n', ' ');
}

QString headerText(const QByteArray& bytes)
{
    return QUtf8StringView(bytes).isValidUtf8() ? QString::fromUtf8(bytes)
                                                : QString::fromLatin1(bytes);
}

double seconds(curl_off_t microseconds)
{
    return std::max<curl_off_t>(microseconds, 0) / 1e6;
}

long milliseconds(double seconds)
{
    return std::max(1L, static_cast<long>(seconds * 1000));
}

curl_off_t timeInfo(CURL* easy, CURLINFO info)
{
    curl_off_t value = 0;
    curl_easy_getinfo(easy, info, &value);
    return value;
}

QString versionText(long version)
{
    switch (version) {
    case CURL_HTTP_VERSION_1_0:
        return u"HTTP/1.0"_s;
    case CURL_HTTP_VERSION_1_1:
        return u"HTTP/1.1"_s;
    case CURL_HTTP_VERSION_2_0:
        return u"HTTP/2"_s;
    case CURL_HTTP_VERSION_3:
        return u"HTTP/3"_s;
    default:
        return {};
    }
}

// Hosts that never go through a proxy, whatever the environment says; the user's own
// exceptions are kept. The environment is read once, as libcurl's own proxy variables are only
// ever set before the program starts.
const QByteArray& noProxyHosts()
{
    static const QByteArray hosts = [] {
        const QByteArray local = "localhost,127.0.0.1,::1";
        for (const char* name : {"no_proxy", "NO_PROXY"}) {
            if (const QByteArray extra = qgetenv(name); !extra.isEmpty())
                return local + ',' + extra;
        }
        return local;
    }();
    return hosts;
}

// The system's certificate authorities as one PEM bundle: the file OpenSSL programs are pointed
// at with SSL_CERT_FILE, else the one libcurl was built with.
QString systemCaBundlePath()
{
    if (const QString named = qEnvironmentVariable("SSL_CERT_FILE"); !named.isEmpty())
        return named;
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    return info && info->cainfo ? QFile::decodeName(info->cainfo) : QString();
}

// The bundle's bytes, read once per file for the run (it rarely changes and is large).
QByteArray systemCaBundle(const QString& path)
{
    static QMutex mutex;
    static QHash<QString, QByteArray> bundles;
    QMutexLocker lock(&mutex);
    if (const auto found = bundles.constFind(path); found != bundles.cend())
        return *found;
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    bundles.insert(path, bytes);
    return bytes;
}

} // namespace

CurlTransfer::CurlTransfer(HttpTransferRequest request, std::shared_ptr<TransferState> state)
    : m_request(std::move(request))
    , m_state(std::move(state))
    , m_easy(curl_easy_init())
    , m_streaming(static_cast<bool>(m_state->callbacks.onData))
{ }

void CurlTransfer::setUp()
{
    CURL* easy = m_easy.get();
    curl_easy_setopt(easy, CURLOPT_URL, m_request.url.constData());
    // Never read local files or speak other protocols, not even after a redirect.
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, m_errorBuffer);
    // Bodies arrive decoded, whatever encoding the server chose among those libcurl knows.
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlTransfer::handleHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::handleBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &CurlTransfer::handleProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    setUpMethodAndBody();
    setUpHeaders();
    setUpConnection();
    setUpCertificate();
    setUpAuth();
}

void CurlTransfer::setUpCertificate()
{
    CURL* easy = m_easy.get();
    const QString systemBundle = systemCaBundlePath();
    if (const HostCertificate* entry
        = certificateForUrl(m_request.settings.certificates, QUrl::fromEncoded(m_request.url))) {
        m_certificate = *entry;
    }
    const bool certifies = m_certificate && !m_certificate->certificateFile.isEmpty();
    if (certifies) {
        const bool pkcs12 = m_certificate->type == HostCertificate::Type::pkcs12;
        curl_easy_setopt(
            easy, CURLOPT_SSLCERT, QFile::encodeName(m_certificate->certificateFile).constData());
        curl_easy_setopt(easy, CURLOPT_SSLCERTTYPE, pkcs12 ? "P12" : "PEM");
        if (!pkcs12 && !m_certificate->keyFile.isEmpty()) {
            curl_easy_setopt(
                easy, CURLOPT_SSLKEY, QFile::encodeName(m_certificate->keyFile).constData());
            curl_easy_setopt(easy, CURLOPT_SSLKEYTYPE, "PEM");
        }
        if (!m_certificate->passphrase.isEmpty())
            curl_easy_setopt(
                easy, CURLOPT_KEYPASSWD, m_certificate->passphrase.toUtf8().constData());
    }
    if (m_certificate && !m_certificate->caBundleFile.isEmpty()) {
        // With OpenSSL a CA file replaces the system bundle instead of adding to it, so the
        // system's authorities travel in the same blob, ahead of the user's.
        QFile extra(m_certificate->caBundleFile);
        if (!extra.open(QIODevice::ReadOnly)) {
            // libcurl then fails the handshake on the file, which errorFor names.
            curl_easy_setopt(
                easy, CURLOPT_CAINFO, QFile::encodeName(m_certificate->caBundleFile).constData());
            return;
        }
        QByteArray bundle = systemCaBundle(systemBundle);
        bundle += '\n' + extra.readAll();
        curl_blob blob {bundle.data(), size_t(bundle.size()), CURL_BLOB_COPY};
        curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &blob);
    } else if (qEnvironmentVariableIsSet("SSL_CERT_FILE") && !systemBundle.isEmpty()) {
        curl_easy_setopt(easy, CURLOPT_CAINFO, QFile::encodeName(systemBundle).constData());
    }
}

void CurlTransfer::setUpAuth()
{
    CURL* easy = m_easy.get();
    const TransferAuth& auth = m_request.auth;
    switch (auth.scheme) {
    case TransferAuth::Scheme::none:
        return;
    case TransferAuth::Scheme::digest:
        curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_DIGEST);
        break;
    case TransferAuth::Scheme::ntlm:
        curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_NTLM);
        break;
    case TransferAuth::Scheme::negotiate:
        curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_NEGOTIATE);
        break;
    case TransferAuth::Scheme::awsSigV4:
        curl_easy_setopt(easy, CURLOPT_AWS_SIGV4, auth.awsSigV4.toUtf8().constData());
        break;
    }
    // libcurl copies both; an empty user name is still set, which Negotiate's single sign-on
    // needs to start at all.
    curl_easy_setopt(easy, CURLOPT_USERNAME, auth.username.toUtf8().constData());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, auth.password.toUtf8().constData());
}

void CurlTransfer::setUpMethodAndBody()
{
    CURL* easy = m_easy.get();
    const QByteArray& method = m_request.method;
    if (method == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else if (m_request.body || method == "POST") {
        if (!m_request.body)
            m_request.body = QByteArray();
        // POSTFIELDS does not copy; the request owns the bytes for the transfer's life.
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(m_request.body->size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, m_request.body->constData());
        if (method != "POST") {
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method.constData());
            // libcurl would turn the body into a GET's on a 301/302/303 yet keep the method
            // name, sending a PUT without its body. Only a POST changes into a GET.
            curl_easy_setopt(easy, CURLOPT_POSTREDIR, long(CURL_REDIR_POST_ALL));
        }
    } else if (method != "GET") {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method.constData());
    }
}

void CurlTransfer::setUpHeaders()
{
    const auto& headers = m_request.headers;
    curl_slist* list = nullptr;
    QByteArray cookies;
    for (const auto& [name, value] : headers) {
        // A request carries one Cookie field: the user's cookies join the stored ones in the
        // line libcurl writes, instead of following it as a second field.
        if (name.compare("Cookie", Qt::CaseInsensitive) == 0) {
            cookies += (cookies.isEmpty() ? "" : "; ") + singleLine(value);
            continue;
        }
        // "Name;" is libcurl's way to send a field with an empty value ("Name:" would remove it).
        const QByteArray line = value.isEmpty() ? singleLine(name) + ';'
                                                : singleLine(name) + ": " + singleLine(value);
        list = curl_slist_append(list, line.constData());
    }
    // libcurl would otherwise add a form content type the user never asked for and hold the
    // body back for "100 Continue". An AWS signature covers every line of this list, the
    // lines that only remove a header included, and a signed header that never goes out
    // breaks the signature: there libcurl's own lines stay and the wait is cut to nothing.
    const bool signs = m_request.auth.scheme == TransferAuth::Scheme::awsSigV4;
    if (signs)
        curl_easy_setopt(m_easy.get(), CURLOPT_EXPECT_100_TIMEOUT_MS, 0L);
    if (!signs && !containsHeader(headers, "Expect"))
        list = curl_slist_append(list, "Expect:");
    if (!signs && m_request.body && !containsHeader(headers, "Content-Type"))
        list = curl_slist_append(list, "Content-Type:");
    if (!cookies.isEmpty())
        curl_easy_setopt(m_easy.get(), CURLOPT_COOKIE, cookies.constData());
    m_headerList.reset(list);
    curl_easy_setopt(m_easy.get(), CURLOPT_HTTPHEADER, list);
    const QByteArray agent = m_request.settings.defaultUserAgent.toUtf8();
    if (!agent.isEmpty() && !containsHeader(headers, "User-Agent"))
        curl_easy_setopt(m_easy.get(), CURLOPT_USERAGENT, agent.constData());
}

void CurlTransfer::setUpConnection()
{
    CURL* easy = m_easy.get();
    const NetworkSettings& settings = m_request.settings;
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, settings.followRedirects ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, long(settings.maxRedirects));
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, settings.verifySSL ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, settings.verifySSL ? 2L : 0L);
    // Automatic leaves libcurl's default alone, which follows what each release thinks best.
    if (settings.httpVersion == HttpVersion::http1_1)
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    else if (settings.httpVersion == HttpVersion::http2)
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_2_0));
    if (settings.requestTimeout > 0)
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, milliseconds(settings.requestTimeout));
    if (settings.resourceTimeout > 0)
        curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, milliseconds(settings.resourceTimeout));
    const ProxySettings& proxy = settings.proxy;
    if (proxy.enabled && !proxy.host.isEmpty()) {
        static constexpr long kTypes[]
            = {CURLPROXY_HTTP, CURLPROXY_HTTPS, CURLPROXY_SOCKS5_HOSTNAME};
        curl_easy_setopt(easy, CURLOPT_PROXY, proxy.host.toUtf8().constData());
        curl_easy_setopt(easy, CURLOPT_PROXYPORT, long(proxy.port));
        curl_easy_setopt(easy, CURLOPT_PROXYTYPE, kTypes[static_cast<int>(proxy.type)]);
        curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
        if (proxy.authenticate) {
            curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, proxy.username.toUtf8().constData());
            curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, proxy.password.toUtf8().constData());
        }
    } else if (proxy.useSystem) {
        // libcurl reads the proxy variables itself when it is given no proxy.
        curl_easy_setopt(easy, CURLOPT_NOPROXY, noProxyHosts().constData());
    } else {
        // An empty proxy is libcurl's way to ignore the variables.
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
    }
}

void CurlTransfer::markStarted()
{
    m_started = m_lastActivity = EngineClock::now();
}

std::optional<EngineClock::time_point> CurlTransfer::idleDeadline() const
{
    if (!(m_request.settings.requestTimeout > 0))
        return std::nullopt;
    return m_lastActivity
        + std::chrono::milliseconds(milliseconds(m_request.settings.requestTimeout));
}

size_t CurlTransfer::handleHeader(char* data, size_t size, size_t count, void* self)
{
    auto& transfer = *static_cast<CurlTransfer*>(self);
    const size_t length = size * count;
    transfer.m_lastActivity = EngineClock::now();
    const QByteArrayView line = QByteArrayView(data, qsizetype(length)).trimmed();
    if (line.startsWith("HTTP/")) {
        const qsizetype space = line.indexOf(' ');
        transfer.m_statusVersion = line.first(space < 0 ? line.size() : space).toByteArray();
        transfer.m_statusCode = space < 0
            ? 0
            : line.sliced(space + 1).first(std::min<qsizetype>(3, line.size() - space - 1)).toInt();
        transfer.m_headers.clear();
    } else if (line.isEmpty()) {
        transfer.headerBlockEnded();
    } else if (const qsizetype colon = line.indexOf(':'); colon > 0) {
        const QByteArray name = line.first(colon).trimmed().toByteArray();
        const QByteArray value = line.sliced(colon + 1).trimmed().toByteArray();
        if (name.compare("Set-Cookie", Qt::CaseInsensitive) == 0)
            transfer.recordSetCookie(value);
        // Repeated fields become one, joined by ", ", under the first spelling of the name.
        auto& headers = transfer.m_headers;
        auto it = std::find_if(headers.begin(), headers.end(), [&](const auto& header) {
            return header.first.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (it == headers.end())
            headers.append({name, value});
        else
            it->second += ", " + value;
    }
    return length;
}

void CurlTransfer::recordSetCookie(const QByteArray& value)
{
    // While a reply's headers arrive, the effective URL is the one that reply answers: libcurl
    // moves it on only when it follows the redirect. That URL, not the text the user typed,
    // is what the cookie's domain and path are judged against.
    const char* url = nullptr;
    curl_easy_getinfo(m_easy.get(), CURLINFO_EFFECTIVE_URL, &url);
    m_setCookies.append(SetCookieField {.url = QString::fromUtf8(url ? url : ""), .value = value});
}

void CurlTransfer::headerBlockEnded()
{
    if (!m_streaming || m_headDelivered || m_statusCode < 200)
        return;
    const bool redirect = m_statusCode == 301 || m_statusCode == 302 || m_statusCode == 303
        || m_statusCode == 307 || m_statusCode == 308;
    if (redirect && m_request.settings.followRedirects && containsHeader(m_headers, "Location"))
        return;
    deliverHead();
}

void CurlTransfer::deliverHead()
{
    m_headDelivered = true;
    m_state->post([head = responseHead()](TransferState& state) { state.head = head; });
}

size_t CurlTransfer::handleBody(char* data, size_t size, size_t count, void* self)
{
    auto& transfer = *static_cast<CurlTransfer*>(self);
    const size_t length = size * count;
    transfer.m_lastActivity = EngineClock::now();
    transfer.m_received += qint64(length);
    if (!transfer.m_streaming) {
        transfer.m_body.append(data, qsizetype(length));
        return length;
    }
    if (!transfer.m_headDelivered)
        transfer.deliverHead();
    transfer.m_state->post([bytes = QByteArray(data, qsizetype(length))](
                               TransferState& state) { state.data += bytes; });
    return length;
}

int CurlTransfer::handleProgress(
    void* self, curl_off_t, curl_off_t dlNow, curl_off_t, curl_off_t ulNow)
{
    auto& transfer = *static_cast<CurlTransfer*>(self);
    if (transfer.m_state->cancelRequested)
        return 1;
    if (dlNow != transfer.m_lastDownloaded || ulNow != transfer.m_lastUploaded) {
        transfer.m_lastDownloaded = dlNow;
        transfer.m_lastUploaded = ulNow;
        transfer.m_lastActivity = EngineClock::now();
    }
    return 0;
}

APIResponse CurlTransfer::responseHead() const
{
    APIResponse head;
    head.statusCode = m_statusCode;
    for (const auto& [name, value] : m_headers)
        head.headers.insert(QString::fromLatin1(name), headerText(value));
    head.httpVersion = QString::fromLatin1(m_statusVersion);
    head.setCookies = m_setCookies;
    return head;
}

NetworkResult CurlTransfer::takeResult(CURLcode code, EngineClock::time_point end)
{
    if (code != CURLE_OK)
        return errorFor(code);
    CURL* easy = m_easy.get();
    APIResponse response = responseHead();
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    response.statusCode = int(status);
    long version = 0;
    curl_easy_getinfo(easy, CURLINFO_HTTP_VERSION, &version);
    response.httpVersion = versionText(version);
    response.body = std::move(m_body);
    response.size = m_received;
    response.duration = std::chrono::duration<double>(end - m_started).count();
    const curl_off_t lookup = timeInfo(easy, CURLINFO_NAMELOOKUP_TIME_T);
    const curl_off_t connect = timeInfo(easy, CURLINFO_CONNECT_TIME_T);
    const curl_off_t tls = timeInfo(easy, CURLINFO_APPCONNECT_TIME_T);
    const curl_off_t sent = timeInfo(easy, CURLINFO_PRETRANSFER_TIME_T);
    const curl_off_t firstByte = timeInfo(easy, CURLINFO_STARTTRANSFER_TIME_T);
    const curl_off_t total = timeInfo(easy, CURLINFO_TOTAL_TIME_T);
    response.timingPhases = TimingPhases {
        .nameLookup = seconds(lookup),
        .connect = connect > 0 ? seconds(connect - lookup) : 0,
        .tlsHandshake = tls > 0 ? seconds(tls - connect) : 0,
        .timeToFirstByte = seconds(firstByte - sent),
        .transfer = seconds(total - firstByte),
        .redirect = seconds(timeInfo(easy, CURLINFO_REDIRECT_TIME_T)),
    };
    return response;
}

std::optional<NetworkError> CurlTransfer::certificateErrorFor(CURLcode code) const
{
    if (code != CURLE_SSL_CERTPROBLEM && code != CURLE_SSL_CACERT_BADFILE
        && code != CURLE_SSL_CONNECT_ERROR && code != CURLE_RECV_ERROR && code != CURLE_SEND_ERROR
        && code != CURLE_GOT_NOTHING)
        return std::nullopt;
    const QByteArray detail = QByteArray(m_errorBuffer).toLower();
    if (detail.contains("certificate required"))
        return NetworkError::network(NetworkError::kClientCertificateRequired);
    const bool certifies = m_certificate && !m_certificate->certificateFile.isEmpty();
    if (m_certificate) {
        for (const QString* file : {&m_certificate->certificateFile, &m_certificate->keyFile,
                 &m_certificate->caBundleFile}) {
            if (!file->isEmpty() && !QFileInfo::exists(*file))
                return NetworkError::network(NetworkError::kFileDoesNotExist, *file);
        }
    }
    if (code == CURLE_SSL_CERTPROBLEM) {
        // OpenSSL cannot tell a wrong passphrase from a damaged key; when it names the key or
        // the PKCS #12 file the passphrase is the likelier cause.
        const bool passphrase = detail.contains("password") || detail.contains("private key")
            || detail.contains("pkcs12");
        return NetworkError::network(passphrase ? NetworkError::kClientCertificatePassphrase
                                                : NetworkError::kClientCertificateUnreadable,
            QString::fromUtf8(m_errorBuffer));
    }
    if (certifies
        && (detail.contains("bad certificate") || detail.contains("unknown ca")
            || detail.contains("certificate unknown")))
        return NetworkError::network(NetworkError::kClientCertificateRejected);
    // Many servers look at the client's certificate only once the handshake is through (TLS
    // 1.3 always does) and then drop the connection without a word, where a TLS alert would
    // have said why. A connection dropped right after a completed handshake, before any reply,
    // is that far more often than anything else.
    if (code == CURLE_SSL_CONNECT_ERROR || m_statusCode != 0
        || timeInfo(m_easy.get(), CURLINFO_APPCONNECT_TIME_T) <= 0)
        return std::nullopt;
    return NetworkError::network(certifies ? NetworkError::kClosedAfterClientCertificate
                                           : NetworkError::kClosedWithoutClientCertificate);
}

NetworkError CurlTransfer::errorFor(CURLcode code) const
{
    if (std::optional<NetworkError> certificate = certificateErrorFor(code))
        return *certificate;
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return NetworkError::network(NetworkError::kTimedOut);
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return NetworkError::network(NetworkError::kCannotFindHost);
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
        return NetworkError::network(NetworkError::kSecureConnectionFailed);
    case CURLE_PEER_FAILED_VERIFICATION:
        return NetworkError::network(NetworkError::kServerCertificateUntrusted);
    case CURLE_ABORTED_BY_CALLBACK:
        return NetworkError::network(NetworkError::kCancelled);
    case CURLE_WEIRD_SERVER_REPLY:
        return NetworkError::invalidResponse();
    case CURLE_COULDNT_CONNECT: {
        long osError = 0;
        curl_easy_getinfo(m_easy.get(), CURLINFO_OS_ERRNO, &osError);
        if (osError == ENETUNREACH)
            return NetworkError::network(NetworkError::kNotConnectedToInternet);
        break;
    }
    default:
        break;
    }
    const QString detail = m_errorBuffer[0] != '\0' ? QString::fromUtf8(m_errorBuffer)
                                                    : QString::fromUtf8(curl_easy_strerror(code));
    return NetworkError::network(NetworkError::kUnknown, detail);
}

} // namespace mako
