// An event stream arrives in whatever pieces the network delivers. Properties:
// - the events do not depend on where the stream is cut: one byte at a time, every cut in two
//   (for short streams) and random cuts with empty pieces give what one whole feed gives;
// - after finish() the parser reads the same stream the same way again;
// - an event has data, and neither its type nor its data holds a carriage return, and the type
//   holds no line feed (line ends never leak into values).

#include "execution/sseparser.h"
#include "fuzzcheck.h"

#include <QStringList>

#include <random>

using namespace Qt::StringLiterals;

namespace {

using namespace mako;
using namespace mako::fuzz;
using Events = QList<SSEParser::Event>;

// Streams up to this size are also cut in two at every position.
constexpr qsizetype kEveryCutLimit = 512;

QByteArray describe(const Events& events)
{
    QStringList lines;
    for (const SSEParser::Event& event : events)
        lines.append(u"%1: %2"_s.arg(event.event, event.data));
    return lines.join(u"\n---\n"_s).toUtf8();
}

Events fed(QByteArrayView stream, const QList<qsizetype>& cuts)
{
    SSEParser parser;
    Events events;
    qsizetype from = 0;
    for (const qsizetype cut : cuts) {
        parser.feed(stream.sliced(from, cut - from), events);
        from = cut;
    }
    parser.feed(stream.sliced(from), events);
    return events;
}

void requireSame(const Events& whole, const Events& pieces, QByteArrayView stream,
    const QList<qsizetype>& cuts,
    const char* property = "a stream cut into pieces gives the events of the whole stream")
{
    if (pieces == whole)
        return;
    QStringList at;
    for (const qsizetype cut : cuts)
        at.append(QString::number(cut));
    fail(property,
        "cuts at: " + at.join(u',').toUtf8() + "\nstream: " + stream.toByteArray() + "\nwhole:\n"
            + describe(whole) + "\npieces:\n" + describe(pieces));
}

void checkEvents(const Events& events)
{
    for (const SSEParser::Event& event : events) {
        require(!event.data.isEmpty(), "an event has data");
        require(!event.event.contains(u'\r') && !event.event.contains(u'\n')
                && !event.data.contains(u'\r'),
            "line ends do not leak into an event", [&] { return describe({event}); });
    }
}

void checkCuts(QByteArrayView stream, const Events& whole)
{
    QList<qsizetype> everyByte;
    for (qsizetype i = 1; i < stream.size(); ++i)
        everyByte.append(i);
    requireSame(whole, fed(stream, everyByte), stream, everyByte);

    if (stream.size() <= kEveryCutLimit) {
        for (qsizetype i = 0; i <= stream.size(); ++i)
            requireSame(whole, fed(stream, {i}), stream, {i});
    }

    // Random pieces of up to 16 bytes, empty ones included, seeded by the stream so that a
    // failure repeats.
    std::minstd_rand random(qHash(stream));
    for (int round = 0; round < 4; ++round) {
        QList<qsizetype> cuts;
        for (qsizetype at = 0; at <= stream.size(); at += qsizetype(random() % 17))
            cuts.append(at);
        requireSame(whole, fed(stream, cuts), stream, cuts);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView stream(data, qsizetype(size));
    SSEParser parser;
    const Events whole = parser.feed(stream);
    checkEvents(whole);
    checkCuts(stream, whole);

    parser.finish();
    Events again;
    parser.feed(stream, again);
    requireSame(whole, again, stream, {}, "a finished parser reads the stream again the same way");
    return 0;
}
