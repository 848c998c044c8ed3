// The page renderer on arbitrary prepared lines: tags, anchors, pictures,
// very long lines, tiny and huge surfaces.
#include "display/color_sets.h"
#include "display/page_renderer.h"
#include "support/fuzz_rig.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    test::FakeSurface surface;
    test::FakePositionDisplay display;
    ColorTable sets{};
    WriteSchemeColors(sets, static_cast<Scheme>(in.number(0, 2)));
    if (in.flag()) ApplyNoColoredText(sets);
    if (in.flag()) ApplySingleShade(sets);
    const int width = in.flag() ? in.number(0, 40) : in.number(0, 255) * 16;
    const int height = in.flag() ? in.number(0, 40) : in.number(0, 255) * 8;
    const int font = in.number(4, 40);
    const bool two = in.flag();
    int start = in.number(-3, 60);
    const std::string dir = "/pictures/";
    const BookLineList lines = in.bookLines();
    PageInputs inputs{lines, font,  sets,   two,
                      dir,   width, height, [](const std::string& p) { return p.size() % 2 == 0; }};
    PageState state;
    for (int i = 0; i < 4; ++i) {
        const int next = ShowPage(start, inputs, state, surface, display);
        const int count = static_cast<int>(lines.size());
        const int first = std::max(start, 0);
        if (first < count - 2)
            Expect(next > first && next <= count - 1);
        else
            Expect(next == first);
        Expect(state.CurColorSet == 0 || state.CurColorSet == 1);
        if (next == first) break;
        start = next;
    }
    return 0;
}
