// ShowPage on the Qt surface at 1920 x 1080: one page drawn from the middle
// of a book, for a short and a very long book, with and without the page
// measured ahead; and that page painted.
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

// A book of `lines` lines drawn at a font size, in one or two columns, on a
// 1920 x 1080 surface.
struct PageRig {
    PageRig(int bookLines, int fontSize, int columns)
        : lines(cadenzo::PrepareBookLines(cadenzo::bench::StoredBook(bookLines))),
          in{lines, fontSize, sets, columns == 2, dir, 1920, 1080, [](const std::string&) { return false; }} {
        cadenzo::WriteSchemeColors(sets, cadenzo::Scheme::Light);
        surface.reset(1920, 1080, Qt::lightGray);
    }
    int show(int start) { return cadenzo::ShowPage(start, in, page, surface, display); }
    // The page measured ahead on the measuring surface, as the reader does
    // while the window is idle.
    void measureAhead(int start) {
        cadenzo::PageState ahead = page;
        cadenzo::ShowPage(start, in, ahead, surface.measuringSurface(), display);
    }

    const cadenzo::BookLineList lines;
    cadenzo::ColorTable sets{};
    const std::string dir = "/nowhere/";
    cadenzo::QtSurface surface;
    cadenzo::PageState page;
    NoDisplay display;
    const cadenzo::PageInputs in;
};

// Arguments: book lines, font size, columns, whether the page was measured
// ahead (a page turned to) or not (a page jumped to: every width measured).
void BM_ShowPage(benchmark::State& state) {
    PageRig rig(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    // The same stretch of the repeating text for every book length.
    const int period = 7 * 31 * 6;
    const int start = static_cast<int>(rig.lines.size()) / 2 / period * period;
    const bool ahead = state.range(3) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (ahead)
            rig.measureAhead(start);
        else
            rig.surface.measuringSurface(); // drops what was measured
        state.ResumeTiming();
        int next = rig.show(start);
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK(BM_ShowPage)
    ->Args({1'000, 8, 2, 0})
    ->Args({1'000, 8, 2, 1})
    ->Args({1'000'000, 8, 2, 0})
    ->Args({1'000, 15, 1, 0})
    ->Args({1'000, 15, 1, 1})
    ->Args({1'000'000, 15, 1, 0})
    ->Unit(benchmark::kMillisecond);

// The drawn page painted onto a window-sized image, as the page widget does.
// Arguments: font size, columns, whether the page was measured ahead.
void BM_PaintPage(benchmark::State& state) {
    PageRig rig(1'000, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (state.range(2) != 0) rig.measureAhead(0);
    rig.show(0);
    QImage window(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        rig.surface.paint(painter, window.rect());
    }
}
BENCHMARK(BM_PaintPage)
    ->Args({8, 2, 0})
    ->Args({8, 2, 1})
    ->Args({15, 1, 0})
    ->Args({15, 1, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
