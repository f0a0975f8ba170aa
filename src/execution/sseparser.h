#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace mako {

/// Cuts an event stream into events. Bytes go in as chunks of any size, split anywhere (inside a
/// line, inside a multi-byte character, between the "\r" and "\n" of a line end); complete events
/// come out in stream order. Lines end with "\n", "\r\n" or "\r".
///
/// Per event: the last "event:" line names its type ("message" when there is none); each
/// "data:" value joins the data, after a line feed unless the data is still empty; values lose
/// spaces and tabs at both ends. An empty line ends the event, which is reported only when its
/// data is not empty. Every other line (id, retry, comments) is ignored. Field names match
/// case-sensitively at the start of the line only.
///
/// Not thread-safe: one parser belongs to one stream and is fed from one thread at a time.
class SSEParser {
public:
    struct Event {
        QString event;
        QString data;

        bool operator==(const Event&) const = default;
    };

    /// Parses `chunk` and appends the events it completes to `events`.
    void feed(QByteArrayView chunk, QList<Event>& events);

    /// Convenience form of feed that returns the completed events.
    QList<Event> feed(QByteArrayView chunk);

    /// Ends the stream: an event that was not closed by an empty line is dropped, and the parser
    /// is ready for a new stream.
    void finish();

private:
    void handleLine(QByteArrayView line, QList<Event>& events);

    QByteArray m_partialLine;
    QByteArray m_eventType;
    QByteArray m_data;
    bool m_hasEventType = false;
    bool m_skipLeadingLineFeed = false;
    bool m_atStreamStart = true;
};

} // namespace mako
