// A word-index file of any bytes, loaded in one pass and checked against
// loading by insertion.
#include "support/fuzz_rig.h"
#include "support/index_reference.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const int click = in.number(0, 255);
    const auto lines = in.lines();
    const auto rows = IndexRows(lines);
    if (lines.size() < 200) Expect(rows == test::IndexRowsByInsertion(lines));
    const IndexTree tree = BuildIndexTree(rows);
    Expect(tree.size() == static_cast<int>(rows.size()) + 1);

    ReaderRig rig;
    rig.start();
    rig.files.files["/mem/app/book.lix"] = lines;
    ReaderPeer::setIndexPath(*rig.reader, "/mem/app/book.lix");
    rig.run([&] { rig.reader->IndexLoadButtonClick(); });
    rig.window.indexSelected = click;
    rig.run([&] { rig.reader->InxTreeViewClick(); });
    return 0;
}
