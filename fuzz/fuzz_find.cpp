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
    const BookLineList lines = in.bookLines();
    const auto hit = SearchLines(lines, first, last, query);
    const int count = static_cast<int>(lines.size());
    if (count == 0 || query.text.empty()) {
        Expect(!hit);
        return 0;
    }
    const int low = std::clamp(std::min(first, last), 0, count - 1);
    const int high = std::clamp(std::max(first, last), 0, count - 1);
    const bool isWord = query.text.find(' ') == std::string::npos;
    auto holds = [&](int i) {
        return Occurs(lines[static_cast<std::size_t>(i)], query.text, !query.matchCase, query.wholeWord);
    };
    if (hit) {
        Expect(*hit >= low && *hit <= high);
        if (isWord) Expect(holds(*hit));
        const int start = FindHitPageStart(lines, *hit, low);
        Expect(start >= 0 && start <= *hit);
    } else if (isWord) {
        for (int i = low; i <= high; ++i) Expect(!holds(i)); // a word that is there is found
    }
    return 0;
}
