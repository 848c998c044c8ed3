// The example shelf: its books are the formatter's and the index builder's
// output for their sources, and the catalogue opens every chapter.
#include "formatter.h"
#include "support/reader_rig.h"
#include "word_index_builder.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

using test::ReaderRig;
using test::ReadFile;

const std::string kExamples = CADENZO_EXAMPLES_DIR;

TEST(Examples, BooksAndIndexesAreReproducibleFromTheirSources) {
    RealFileSystem files;
    for (const std::string name : {"lamp", "letters"}) {
        const auto book = format::formatBook(format::parseManuscript(ReadFile(kExamples + "/src/" + name + ".txt")));
        EXPECT_EQ(files.readLines(kExamples + "/" + name + ".lit"), book) << name;
        EXPECT_EQ(files.readLines(kExamples + "/" + name + ".lix"), index::BuildWordIndex(PrepareBookLines(book), {}))
            << name;
    }
}

TEST(Examples, ShelfOpensEveryChapterAtItsAnchor) {
    ReaderRig rig;
    rig.start();
    rig.window.openAnswers = {kExamples + "/shelf.toc"};
    rig.reader->OpenTOCItemClick();
    Reader& r = *rig.reader;
    ASSERT_EQ(r.state().CatalogueLines.size(), 10u);
    EXPECT_EQ(rig.window.applicationTitle, "Small Shelf");
    for (int line = 3; line <= 8; ++line) {
        if (line == 6) continue; // the second book's title line
        rig.window.selectLine(line);
        r.TOCTreeViewClick();
        const std::string anchor = r.state().CatalogueLines[static_cast<std::size_t>(line)].substr(
            r.state().CatalogueLines[static_cast<std::size_t>(line)].find('@') + 1);
        ASSERT_GT(r.PageStart(), 0) << line;
        EXPECT_EQ(r.state().BookLines[static_cast<std::size_t>(r.PageStart() - 1)], "|" + anchor + "> ");
        EXPECT_TRUE(rig.window.indexTabVisible); // each book has its index beside it
    }
    EXPECT_EQ(rig.window.caption, "Cadenzo -- Letters to the Lighthouse, by Corin Dale");
}

} // namespace
} // namespace cadenzo
