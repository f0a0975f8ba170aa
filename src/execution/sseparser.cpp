#include "execution/sseparser.h"

#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr QByteArrayView kDataField = "data:";
constexpr QByteArrayView kEventField = "event:";
constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";

// Only blanks and tabs count: a value keeps any other white space it carries.
QByteArrayView trimmedValue(QByteArrayView value)
{
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!value.isEmpty() && isBlank(value.front()))
        value = value.sliced(1);
    while (!value.isEmpty() && isBlank(value.back()))
        value.chop(1);
    return value;
}

// QString::fromUtf8 drops a byte order mark at the start of the text. Only the stream's first one
// is a mark (handleLine removes it); inside an event it is a character like any other.
QString decoded(const QByteArray& utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

const char* findLineEnd(const char* from, const char* end)
{
    for (; from != end; ++from) {
        if (*from == '\n' || *from == '\r')
            return from;
    }
    return end;
}

} // namespace

void SSEParser::feed(QByteArrayView chunk, QList<Event>& events)
{
    const char* position = chunk.data();
    const char* const end = position + chunk.size();
    // A "\r" that ended the previous chunk may be the first half of a "\r\n".
    if (m_skipLeadingLineFeed && position != end) {
        if (*position == '\n')
            ++position;
        m_skipLeadingLineFeed = false;
    }
    while (position != end) {
        const char* lineEnd = findLineEnd(position, end);
        if (lineEnd == end) {
            // Lines are decoded only once whole, so a character split across chunks waits here.
            m_partialLine.append(position, end - position);
            break;
        }
        const QByteArrayView line(position, lineEnd - position);
        if (m_partialLine.isEmpty()) {
            handleLine(line, events);
        } else {
            m_partialLine.append(line);
            handleLine(m_partialLine, events);
            m_partialLine.resize(0);
        }
        if (*lineEnd == '\r') {
            if (lineEnd + 1 == end)
                m_skipLeadingLineFeed = true;
            else if (lineEnd[1] == '\n')
                ++lineEnd;
        }
        position = lineEnd + 1;
    }
}

QList<SSEParser::Event> SSEParser::feed(QByteArrayView chunk)
{
    QList<Event> events;
    feed(chunk, events);
    return events;
}

void SSEParser::finish()
{
    *this = SSEParser {};
}

void SSEParser::handleLine(QByteArrayView line, QList<Event>& events)
{
    if (m_atStreamStart) {
        m_atStreamStart = false;
        if (line.startsWith(kByteOrderMark))
            line = line.sliced(kByteOrderMark.size());
    }
    if (line.isEmpty()) {
        if (!m_data.isEmpty()) {
            events.append(Event {
                .event = m_hasEventType ? decoded(m_eventType) : u"message"_s,
                .data = decoded(m_data),
            });
        }
        m_data.resize(0);
        m_hasEventType = false;
        return;
    }
    if (line.startsWith(kDataField)) {
        const QByteArrayView value = trimmedValue(line.sliced(kDataField.size()));
        // An empty value before any data adds nothing; after data it adds a line break.
        if (!m_data.isEmpty())
            m_data.append('\n');
        m_data.append(value);
    } else if (line.startsWith(kEventField)) {
        m_eventType = trimmedValue(line.sliced(kEventField.size())).toByteArray();
        m_hasEventType = true;
    }
}

} // namespace mako
