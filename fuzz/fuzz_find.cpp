// Find on arbitrary lines with an arbitrary query, both directions.
#include "support/fuzz_rig.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    FindQuery query;
    query.matchCase = in.flag();
    query.wholeWord = in.flag();
    const int first = in.number(-5, 80);
    const int last = in.number(-5, 80);
    const std::size_t length = static_cast<std::size_t>(in.number(0, 12));
    for (std::size_t i = 0; i < length; ++i) query.text += static_cast<char>(in.byte());
    const auto lines = in.lines();
    const auto hit = SearchLines(lines, first, last, query);
    if (hit) {
        Expect(*hit >= 0 && *hit < static_cast<int>(lines.size()));
        const int origin = std::min(first, last);
        const int start = FindHitPageStart(lines, *hit, origin);
        Expect(start >= 0 && start <= *hit);
    }
    return 0;
}
