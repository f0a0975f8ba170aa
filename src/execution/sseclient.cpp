#include "execution/sseclient.h"

#include <QUrl>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

using HeaderList = QList<std::pair<QByteArray, QByteArray>>;

// A later field of the same name (in any letter case) replaces the earlier one in its place.
void setHeader(HeaderList& headers, const QByteArray& name, const QByteArray& value)
{
    const auto same = std::find_if(headers.begin(), headers.end(),
        [&](const auto& header) { return header.first.compare(name, Qt::CaseInsensitive) == 0; });
    if (same == headers.end())
        headers.append({name, value});
    else
        *same = {name, value};
}

} // namespace

SSEClient::SSEClient(NetworkService& service, QObject* parent)
    : StreamClient(parent)
    , m_service(service)
{ }

SSEClient::~SSEClient()
{
    m_transfer.cancel();
}

void SSEClient::connect(const QString& url, const QList<KeyValuePair>& headers)
{
    const QUrl parsed(url, QUrl::StrictMode);
    if (url.isEmpty() || !parsed.isValid()) {
        setError(u"Invalid URL"_s);
        return;
    }
    HttpTransferRequest request {.url = parsed.toEncoded(), .settings = m_service.settings()};
    setHeader(request.headers, "Accept", "text/event-stream");
    for (const KeyValuePair& row : headers) {
        if (row.isApplicable())
            setHeader(request.headers, row.key.toUtf8(), row.value.toUtf8());
    }
    // A stream may stay quiet for as long as the server likes.
    request.settings.requestTimeout = 0;
    request.settings.resourceTimeout = 0;

    m_transfer.cancel();
    m_parser.finish();
    const quint64 stream = ++m_streamId;
    m_disconnected = false;
    m_transfer = m_service.engine().start(std::move(request), this,
        TransferCallbacks {
            .onData = [this, stream](const QByteArray& data) { handleData(stream, data); },
            .onFinished
            = [this, stream](const NetworkResult& result) { handleFinished(stream, result); },
        });
    setConnected(true);
    setError(std::nullopt);
    appendNotice(tr("Connected to %1").arg(url));
}

void SSEClient::disconnect()
{
    m_transfer.cancel();
    m_disconnected = true;
    setConnected(false);
    appendNotice(u"Disconnected"_s);
}

void SSEClient::handleData(quint64 stream, const QByteArray& data)
{
    if (stream != m_streamId)
        return;
    m_parsed.clear();
    m_parser.feed(data, m_parsed);
    if (m_parsed.isEmpty())
        return;
    const Timestamp now = currentTimestamp();
    // No reserve for the exact new size here: on a list that grows by every chunk it would
    // reallocate and move the whole list each time, where append's own growth amortises.
    for (SSEParser::Event& event : m_parsed) {
        m_events.append(SSEEvent {
            .event = std::move(event.event), .data = std::move(event.data), .timestamp = now});
    }
    Q_EMIT eventsChanged();
}

void SSEClient::handleFinished(quint64 stream, const NetworkResult& result)
{
    if (stream != m_streamId)
        return;
    m_transfer = {};
    // An event the stream never closed with an empty line is not reported.
    m_parser.finish();
    setConnected(false);
    const auto* failure = std::get_if<NetworkError>(&result);
    if (failure && !m_disconnected)
        setError(failure->errorDescription());
    appendNotice(tr("Connection closed"));
}

void SSEClient::appendNotice(const QString& text)
{
    m_events.append(SSEEvent {.event = u"system"_s, .data = text});
    Q_EMIT eventsChanged();
}

} // namespace mako
