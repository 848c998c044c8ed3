// The index builder on a book of any bytes; what it writes must load, and
// every reference must point at a line holding its word.
#include "display/page_text.h"
#include "support/fuzz_rig.h"
#include "word_index_builder.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const bool all = in.flag();
    BookLineList prepared;
    try {
        prepared = PrepareBookLines(in.lines());
    } catch (const ReaderError&) {
        return 0;
    }
    const auto index = index::BuildWordIndex(prepared, {all});
    const IndexTree tree = BuildIndexTree(IndexRows(index));
    for (int n = 0; n < tree.size(); ++n) {
        const std::string& text = tree.text[static_cast<std::size_t>(n)];
        if (text.size() < 3 || text[0] != ' ' || text[1] != ' ' || text[2] < '0' || text[2] > '9') continue;
        const int line = std::stoi(text.substr(2));
        Expect(line >= 0 && line < static_cast<int>(prepared.size()));
    }
    return 0;
}
