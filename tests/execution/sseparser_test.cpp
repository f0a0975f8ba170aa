#include "execution/sseparser.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace mako;
using namespace Qt::StringLiterals;

namespace mako {
inline void PrintTo(const SSEParser::Event& event, std::ostream* os)
{
    *os << '{' << event.event.toStdString() << ", " << event.data.toStdString() << '}';
}
} // namespace mako

namespace {

using Event = SSEParser::Event;

struct StreamCase {
    const char* name;
    QByteArray stream;
    QList<Event> expected;
};

Event message(const QString& data)
{
    return Event {.event = u"message"_s, .data = data};
}

const QList<StreamCase> kCases {
    {"data lines join", "data: a\ndata: b\n\n", {message(u"a\nb"_s)}},
    {"leading empty data line", "data:\ndata: b\n\n", {message(u"b"_s)}},
    {"trailing empty data line", "data: a\ndata:\n\n", {message(u"a\n"_s)}},
    {"only empty data", "data:\ndata: \n\n", {}},
    {"blanks trimmed", "data:\t  v w \t\ndata:v\n\n", {message(u"v w\nv"_s)}},
    {"no data, no event", "event: x\n\n: comment\n\nid: 3\n\n", {}},
    {"other fields ignored", "id: 7\nretry: 10\n: hi\ndata: x\n\n", {message(u"x"_s)}},
    {"later event line wins", "event: a\nevent:\ndata: 1\n\n", {{u""_s, u"1"_s}}},
    {"field names are case-sensitive", "Data: x\n data: y\nDATA: z\n\n", {}},
    {"CRLF", "event: e\r\ndata: 1\r\n\r\ndata: 2\r\ndata: 3\r\n\r\n",
        {{u"e"_s, u"1"_s}, message(u"2\n3"_s)}},
    {"CR", "event: e\rdata: 1\r\rdata: 2\r\r", {{u"e"_s, u"1"_s}, message(u"2"_s)}},
    {"mixed line ends", "data: 1\r\n\ndata: 2\n\r\ndata: 3\r\r\n",
        {message(u"1"_s), message(u"2"_s), message(u"3"_s)}},
    {"blank lines between events", "\n\n\ndata: x\n\n\n\r\n", {message(u"x"_s)}},
    {"multi-byte characters",
        "event: \xC3\xA9v\ndata: h\xC3\xA9llo \xE2\x86\x92 \xE6\x97\xA5 \xF0\x9F\x98\x80\n\n",
        {{u"\u00e9v"_s, u"h\u00e9llo \u2192 \u65e5 \U0001F600"_s}}},
    {"byte order mark",
        "\xEF\xBB\xBF"
        "data: x\n\n",
        {message(u"x"_s)}},
    {"byte order mark inside an event kept",
        "data: \xEF\xBB\xBF\n\nevent:\xEF\xBB\xBF"
        "e\ndata: \xEF\xBB\xBFx\n\n",
        {message(u"\uFEFF"_s), {u"\uFEFFe"_s, u"\uFEFFx"_s}}},
    {"invalid UTF-8 replaced",
        "data: a\xFF"
        "b\n\n",
        {message(u"a\uFFFDb"_s)}},
    {"unfinished event dropped", "data: 1\n\ndata: 2\n", {message(u"1"_s)}},
};

QList<Event> parseInChunks(const QByteArray& stream, const QList<qsizetype>& cuts)
{
    SSEParser parser;
    QList<Event> events;
    qsizetype from = 0;
    for (qsizetype cut : cuts) {
        parser.feed(QByteArrayView(stream).sliced(from, cut - from), events);
        from = cut;
    }
    parser.feed(QByteArrayView(stream).sliced(from), events);
    parser.finish();
    return events;
}

} // namespace

TEST(SSEParser, yieldsTheSameEventsWhereverTheStreamIsCut)
{
    for (const StreamCase& c : kCases) {
        for (qsizetype cut = 0; cut < c.stream.size(); ++cut)
            EXPECT_EQ(parseInChunks(c.stream, {cut}), c.expected) << c.name << " cut at " << cut;
        QList<qsizetype> everyByte;
        for (qsizetype cut = 1; cut < c.stream.size(); ++cut)
            everyByte.append(cut);
        EXPECT_EQ(parseInChunks(c.stream, everyByte), c.expected) << c.name << " byte by byte";
    }
}

TEST(SSEParser, reportsAnEventOnlyOnceItsBlankLineArrivesAndFinishForgetsTheRest)
{
    SSEParser parser;
    EXPECT_TRUE(parser.feed("event: tick\ndata: par").isEmpty());
    EXPECT_TRUE(parser.feed("tial\r").isEmpty());
    // The line feed completes the "\r\n" of the line above; it is not an empty line.
    EXPECT_TRUE(parser.feed("\n").isEmpty());
    const QList<Event> events = parser.feed("\r\ndata: next\n\n");
    EXPECT_EQ(events, (QList<Event> {{u"tick"_s, u"partial"_s}, message(u"next"_s)}));

    EXPECT_TRUE(parser.feed("event: old\ndata: lost\n").isEmpty());
    parser.finish();
    EXPECT_EQ(parser.feed("data: new\n\n"), QList<Event> {message(u"new"_s)});
}
