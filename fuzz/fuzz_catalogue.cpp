// A catalogue file of any bytes: read, built into the tree, seeded into the
// bookmark file, and clicked.
#include "support/fuzz_rig.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const int clicks = in.number(0, 8);
    std::vector<int> nodes;
    for (int i = 0; i < clicks; ++i) nodes.push_back(in.number(-2, 40));
    const auto fileLines = in.lines();

    const CatalogueLineList lines = CatalogueFromFileLines(fileLines);
    const CatalogueTree tree = BuildCatalogueTree(lines);
    Expect(tree.size() + 1 == lines.size());
    std::vector<bool> seen(tree.size(), false);
    for (const auto& node : tree) {
        Expect(node.number >= 0 && node.number < static_cast<int>(tree.size()) &&
               !seen[static_cast<std::size_t>(node.number)]);
        seen[static_cast<std::size_t>(node.number)] = true;
        Expect(node.parent < static_cast<int>(tree.size()));
    }
    for (std::size_t i = 0; i < lines.size(); ++i) Expect(TitleLineOf(lines, i) <= i);
    SeedBookmarkLines(lines);

    ReaderRig rig;
    rig.files.files["/mem/app/reader.toc"] = fileLines;
    ReaderPeer::setShippedBook(*rig.reader, ShippedLineList{"banner", "l00|refpt001> ", "l05Text ", "p000"});
    rig.start();
    for (int n : nodes) {
        rig.window.selected = n;
        rig.run([&] { rig.reader->TOCTreeViewClick(); });
        rig.run([&] { rig.reader->NextPage(); });
    }
    return 0;
}
