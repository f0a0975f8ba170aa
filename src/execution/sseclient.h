#pragma once

#include "execution/networkservice.h"
#include "execution/sseparser.h"
#include "execution/streamclient.h"
#include "model/keyvaluepair.h"
#include "model/timestamp.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace mako {

/// One entry of an event stream's list: an event of the stream, or a notice of the client.
struct SSEEvent {
    /// Fresh for each entry; the stream's own id field is not kept.
    QUuid id = QUuid::createUuid();
    /// The stream's event type, "message" when it gave none, "system" for the client's notices.
    QString event;
    QString data;
    /// When the entry was appended on the main thread.
    Timestamp timestamp = currentTimestamp();

    bool operator==(const SSEEvent&) const = default;
};

/// Listens to one server-sent event stream for a screen and keeps what arrived. Lives on the
/// main thread; the transfer runs on the network service's engine. The list only grows: a
/// reconnect continues it.
///
/// The stream is a GET with "Accept: text/event-stream", which a header row of the same name
/// replaces. A request's stream gets its variables and authentication as an HTTP send does
/// (see StreamClient); a bare URL and rows go out as given. The stream has no time-out of its
/// own: a quiet stream stays open until the server or the user ends it.
///
/// A new connect stops the previous stream first, and destroying the client stops its
/// stream; nothing an old stream still had on its way reaches the list.
class SSEClient : public StreamClient {
    Q_OBJECT
    Q_PROPERTY(QList<mako::SSEEvent> events READ events NOTIFY eventsChanged)

public:
    explicit SSEClient(
        NetworkService& service = NetworkService::shared(), QObject* parent = nullptr);
    ~SSEClient() override;

    using StreamClient::connect;
    /// Starts listening to `url` and appends "Connected to " + `url`; connected at once, before
    /// any reply. Text that is not a URL only sets `error` to "Invalid URL".
    void connect(const QString& url, const QList<KeyValuePair>& headers) override;
    /// Stops the stream and appends "Disconnected". The stopped stream then ends as any stream
    /// does with "Connection closed", but the user's own stop is no failure: `error` stays
    /// absent.
    void disconnect() override;

    const QList<SSEEvent>& events() const { return m_events; }

Q_SIGNALS:
    /// Entries were appended (never removed or changed); events that arrive together are
    /// appended together, with one signal.
    void eventsChanged();

private:
    void handleData(quint64 stream, const QByteArray& data);
    void handleFinished(quint64 stream, const NetworkResult& result);
    void appendNotice(const QString& text);

    NetworkService& m_service;
    QList<SSEEvent> m_events;
    TransferHandle m_transfer;
    // Which stream the callbacks belong to; an old stream's late calls are ignored.
    quint64 m_streamId = 0;
    // The user stopped the current stream; its end is then no failure.
    bool m_disconnected = false;
    SSEParser m_parser;
    QList<SSEParser::Event> m_parsed;
};

} // namespace mako

Q_DECLARE_TYPEINFO(mako::SSEEvent, Q_RELOCATABLE_TYPE);
