// Laying books out: a plain-text novel of 1 and 5 MB and the shipped
// manuscript in the default mode, as cadenzo-format and the reader do.
//   cadenzo_format_bench --write-text-book FILE MB   writes the novel to FILE
#include "book_file.h"
#include "plain_text_book.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

void BM_LayOutPlainText(benchmark::State& state) {
    const std::string text = cadenzo::bench::PlainTextBook(static_cast<std::size_t>(state.range(0)) << 20);
    for (auto _ : state) {
        auto book = cadenzo::format::layOutBook(text, "bench.txt");
        benchmark::DoNotOptimize(book.lines.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_LayOutPlainText)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

// Reading alone: the text into the book model, before any layout.
void BM_ReadPlainText(benchmark::State& state) {
    const std::string text = cadenzo::bench::PlainTextBook(static_cast<std::size_t>(state.range(0)) << 20);
    for (auto _ : state) {
        auto book = cadenzo::format::readBook(text, "bench.txt");
        benchmark::DoNotOptimize(book.chapters.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadPlainText)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_LayOutShippedManuscript(benchmark::State& state) {
    const std::string text = cadenzo::format::readBookFileBytes(CADENZO_MANUSCRIPT);
    for (auto _ : state) {
        auto book = cadenzo::format::layOutBook(text, "vestaria.txt");
        benchmark::DoNotOptimize(book.lines.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_LayOutShippedManuscript)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-text-book") == 0) {
        std::ofstream(argv[2], std::ios::binary)
            << cadenzo::bench::PlainTextBook(std::strtoul(argv[3], nullptr, 10) << 20);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
