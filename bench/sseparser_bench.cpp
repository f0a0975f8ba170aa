#include "execution/sseparser.h"

#include <benchmark/benchmark.h>

using namespace mako;

namespace {

// About `bytes` of a typical feed: typed JSON events with ids, some multi-line data, comments,
// and non-ASCII text, with the given line ending.
QByteArray generateStream(qsizetype bytes, const QByteArray& lineEnd)
{
    QByteArray stream;
    stream.reserve(bytes + 1024);
    for (int n = 0; stream.size() < bytes; ++n) {
        stream += "id: " + QByteArray::number(n) + lineEnd;
        if (n % 3 == 0)
            stream += "event: price" + lineEnd;
        stream += R"(data: {"symbol":"MAKO","price":)" + QByteArray::number(100 + n % 50)
            + R"(.25,"note":"gr\u00fc\u00dfe ✓","seq":)" + QByteArray::number(n) + "}" + lineEnd;
        if (n % 5 == 0)
            stream += "data: second line of the same event" + lineEnd;
        if (n % 50 == 0)
            stream += ": keep-alive" + lineEnd;
        stream += lineEnd;
    }
    return stream;
}

void parse(benchmark::State& state, const QByteArray& lineEnd)
{
    const QByteArray stream = generateStream(16 << 20, lineEnd);
    const qsizetype chunkSize = state.range(0);
    qsizetype eventCount = 0;
    for (auto _ : state) {
        SSEParser parser;
        QList<SSEParser::Event> events;
        events.reserve(1 << 17);
        for (qsizetype at = 0; at < stream.size(); at += chunkSize)
            parser.feed(
                QByteArrayView(stream).sliced(at, std::min(chunkSize, stream.size() - at)), events);
        eventCount = events.size();
        benchmark::DoNotOptimize(events.data());
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    // The target is 50 MB/s of event data.
    state.counters["MB/s"] = benchmark::Counter(
        double(stream.size()) / 1e6 * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["events"] = double(eventCount);
}

void parseLineFeed(benchmark::State& state)
{
    parse(state, QByteArrayLiteral("\n"));
}
void parseCarriageReturnLineFeed(benchmark::State& state)
{
    parse(state, QByteArrayLiteral("\r\n"));
}

// 16 KiB is what a streaming transfer typically hands over per callback; 61 bytes cuts nearly
// every line and many characters in two.
BENCHMARK(parseLineFeed)->Arg(16384)->Arg(61)->Unit(benchmark::kMillisecond);
BENCHMARK(parseCarriageReturnLineFeed)->Arg(16384)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
