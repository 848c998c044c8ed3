// ShowPage on the Qt surface at 1920 x 1080: one page drawn from the middle
// of a book, for a short and a very long book; and that page painted.
#include "display/color_sets.h"
#include "display/page_renderer.h"
#include "display/qt/qt_surface.h"
#include "synthetic_book.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

class NoDisplay : public cadenzo::PositionDisplay {
  public:
    void setPrevEnabled(bool) override {}
    void setNextEnabled(bool) override {}
    void setPositionText(const std::string&) override {}
    void setProgress(int, int) override {}
};

// Arguments: book lines, font size, columns.
void BM_ShowPage(benchmark::State& state) {
    const cadenzo::BookLineList lines =
        cadenzo::PrepareBookLines(cadenzo::bench::StoredBook(static_cast<int>(state.range(0))));
    cadenzo::ColorTable sets{};
    cadenzo::WriteSchemeColors(sets, cadenzo::Scheme::Light);
    const std::string dir = "/nowhere/";
    cadenzo::QtSurface surface;
    surface.reset(1920, 1080, Qt::lightGray);
    cadenzo::PageState page;
    NoDisplay display;
    const cadenzo::PageInputs in{lines, static_cast<int>(state.range(1)),        sets, state.range(2) == 2, dir, 1920,
                                 1080,  [](const std::string&) { return false; }};
    // The same stretch of the repeating text for every book length.
    const int period = 7 * 31 * 6;
    const int start = static_cast<int>(lines.size()) / 2 / period * period;
    for (auto _ : state) {
        int next = cadenzo::ShowPage(start, in, page, surface, display);
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK(BM_ShowPage)
    ->Args({1'000, 8, 2})
    ->Args({1'000'000, 8, 2})
    ->Args({1'000, 15, 1})
    ->Args({1'000'000, 15, 1})
    ->Unit(benchmark::kMillisecond);

// The drawn page painted onto a window-sized image, as the page widget does.
// Arguments: font size, columns.
void BM_PaintPage(benchmark::State& state) {
    const cadenzo::BookLineList lines = cadenzo::PrepareBookLines(cadenzo::bench::StoredBook(1'000));
    cadenzo::ColorTable sets{};
    cadenzo::WriteSchemeColors(sets, cadenzo::Scheme::Light);
    const std::string dir = "/nowhere/";
    cadenzo::QtSurface surface;
    surface.reset(1920, 1080, Qt::lightGray);
    cadenzo::PageState page;
    NoDisplay display;
    const cadenzo::PageInputs in{lines, static_cast<int>(state.range(0)),        sets, state.range(1) == 2, dir, 1920,
                                 1080,  [](const std::string&) { return false; }};
    cadenzo::ShowPage(0, in, page, surface, display);
    QImage window(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        surface.paint(painter, window.rect());
    }
}
BENCHMARK(BM_PaintPage)->Args({8, 2})->Args({15, 1})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
