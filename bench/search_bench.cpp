// Loading word indexes into the tree the Index page shows, and a Find that
// runs through a whole long book without a hit.
#include "book/shipped_book.h"
#include "search/find.h"
#include "search/word_index.h"
#include "synthetic_book.h"
#include "word_index_builder.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>

namespace {

std::vector<std::string> syntheticIndex(int words, int references) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(words));
    const int perWord = references / words;
    for (int w = 0; w < words; ++w) {
        std::string line(1, static_cast<char>('a' + w * 26 / words));
        line += "word" + std::to_string(w);
        for (int r = 0; r < perWord; ++r) line += cadenzo::index::Reference(w % 12, (w * perWord + r) % 900'000);
        lines.push_back(std::move(line));
    }
    return lines;
}

void BM_LoadShippedIndex(benchmark::State& state) {
    const auto lines = cadenzo::index::BuildWordIndex(cadenzo::PrepareBookLines(cadenzo::FillShippedBook()), {});
    for (auto _ : state) {
        cadenzo::IndexTree tree = cadenzo::BuildIndexTree(cadenzo::IndexRows(lines));
        benchmark::DoNotOptimize(tree.text.data());
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_LoadShippedIndex)->Unit(benchmark::kMillisecond);

void BM_LoadSyntheticIndex(benchmark::State& state) {
    const auto lines = syntheticIndex(50'000, 1'000'000);
    for (auto _ : state) {
        cadenzo::IndexTree tree = cadenzo::BuildIndexTree(cadenzo::IndexRows(lines));
        benchmark::DoNotOptimize(tree.text.data());
    }
}
BENCHMARK(BM_LoadSyntheticIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindNoHit(benchmark::State& state) {
    const cadenzo::BookLineList lines =
        cadenzo::PrepareBookLines(cadenzo::bench::StoredBook(static_cast<int>(state.range(0))));
    const cadenzo::FindQuery query{"nowhere to be found", false, false};
    for (auto _ : state) {
        auto hit = cadenzo::SearchLines(lines, 0, static_cast<int>(lines.size()) - 1, query);
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(BM_FindNoHit)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld MB\n", usage.ru_maxrss / 1024);
    return 0;
}
