#include "benchdata.h"
#include "model/apiresponse.h"
#include "model/prettyjson.h"
#include "model/recordjson.h"

#include <benchmark/benchmark.h>

using namespace mako;

namespace {

void prettyJson(benchmark::State& state)
{
    const QByteArray body = bench::generateJsonBody(state.range(0) << 20);
    for (auto _ : state) {
        auto pretty = prettyPrintJson(body);
        benchmark::DoNotOptimize(pretty);
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}
BENCHMARK(prettyJson)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);

// A collections file of 10,000 requests, each with a few headers and a body.
void encodeCollections(benchmark::State& state)
{
    const QList<Collection> collections = bench::generateCollections(10000, 50);
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray bytes = encodeRecords(collections);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["file_MB"] = double(size) / (1 << 20);
}
BENCHMARK(encodeCollections)->Unit(benchmark::kMillisecond);

void decodeCollections(benchmark::State& state)
{
    const QByteArray bytes = encodeRecords(bench::generateCollections(10000, 50));
    for (auto _ : state) {
        auto collections = decodeRecords<Collection>(bytes);
        if (!collections)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(collections);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["file_MB"] = double(bytes.size()) / (1 << 20);
}
BENCHMARK(decodeCollections)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
