// Preparing a stored book for reading.
#include "synthetic_book.h"

#include <benchmark/benchmark.h>

namespace {

void BM_PrepareBookLines(benchmark::State& state) {
    const cadenzo::StoredLines stored = cadenzo::bench::StoredBook(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        cadenzo::BookLineList prepared = cadenzo::PrepareBookLines(stored);
        benchmark::DoNotOptimize(prepared.textSize());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PrepareBookLines)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
