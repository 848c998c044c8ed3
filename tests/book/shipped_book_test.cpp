// The book built into the reader, as the reader holds it, opens it and pages
// through it.
#include "book/shipped_book.h"
#include "support/reader_rig.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

using test::FakeSurface;
using test::ReaderRig;

TEST(ShippedBook, ChunksOfOneSizeMakeTheWholeBook) {
    // The chunk size is the build's choice; what holds for any size is that
    // equal chunks, the last one possibly shorter, add up to the whole book.
    const auto& chunks = ShippedBookChunks();
    ASSERT_FALSE(chunks.empty());
    std::size_t total = 0;
    for (std::size_t c = 0; c < chunks.size(); ++c) {
        if (c + 1 < chunks.size()) {
            EXPECT_EQ(chunks[c].count, chunks[0].count) << c;
        }
        EXPECT_GT(chunks[c].count, 0u);
        EXPECT_LE(chunks[c].count, chunks[0].count);
        total += chunks[c].count;
    }
    const ShippedLineList book = FillShippedBook();
    ASSERT_EQ(book.size(), total);
    ASSERT_EQ(book.size(), 11'821u);
    EXPECT_EQ(book[1], "l00|b>Vestaria, by  ");
    EXPECT_EQ(book[4], "l00|refpt001> ");
    EXPECT_EQ(book[4086], "l00|refpt005> ");
    EXPECT_EQ(book[11'820], "p307");
}

class ShippedBookOpened : public ::testing::Test {
  protected:
    void open(int capacity) {
        rig.window.width = 600;
        rig.window.setCapacity(capacity);
        rig.start();
        rig.window.yesNoAnswers = {false};
        rig.window.selectLine(2); // "Vestaria, by Penwright" under "Listed by Title"
        rig.reader->TOCTreeViewClick();
    }
    std::vector<int> pagesForward() {
        std::vector<int> starts{rig.reader->PageStart()};
        for (int i = 0; i < 4; ++i) {
            rig.reader->NextPage();
            starts.push_back(rig.reader->PageStart());
        }
        return starts;
    }
    ReaderRig rig;
};

TEST_F(ShippedBookOpened, PreparedLinesAndTheFirstPage) {
    open(18);
    const Reader& r = *rig.reader;
    ASSERT_EQ(r.state().BookLines.size(), 11'823u);
    EXPECT_EQ(r.state().BookLines[0], "|b>Vestaria, by  ");
    EXPECT_EQ(r.state().BookLines[3], "|refpt001> "); // one index lower than in the stored book
    EXPECT_EQ(r.state().BookLines[11'820], "p999");
    EXPECT_EQ(r.state().BookLines[11'821], "        END OF FILE");
    EXPECT_EQ(r.state().BookLines[11'822], " ");
    EXPECT_EQ(rig.window.positionText, "0 of 118 panels");
    EXPECT_EQ(rig.window.caption, "Cadenzo -- Vestaria, by Penwright");
}

TEST_F(ShippedBookOpened, ChapterFiveStartsAtItsNumberLine) {
    open(18);
    rig.window.selectLine(7); // chapter V under the title
    rig.reader->TOCTreeViewClick();
    EXPECT_EQ(rig.reader->PageStart(), 4086);
    EXPECT_EQ(rig.reader->state().BookLines[4086], "|b>V|n> ");
}

TEST_F(ShippedBookOpened, PagesOfEighteenLinesForwardAndBack) {
    open(18);
    EXPECT_EQ(pagesForward(), (std::vector<int>{0, 13, 28, 39, 52}));
    std::vector<int> back;
    for (int i = 0; i < 4; ++i) {
        rig.reader->PrevPage();
        back.push_back(rig.reader->PageStart());
    }
    EXPECT_EQ(back, (std::vector<int>{39, 28, 13, 0}));
}

TEST_F(ShippedBookOpened, PagesOfTwentyFiveLines) {
    open(25);
    EXPECT_EQ(pagesForward(), (std::vector<int>{0, 18, 39, 62, 85}));
}

TEST_F(ShippedBookOpened, LastPageEndsWithTheEndLine) {
    open(18);
    for (int i = 0; i < 2000 && rig.window.nextEnabled; ++i) rig.reader->NextPage();
    EXPECT_FALSE(rig.window.nextEnabled);
    EXPECT_EQ(rig.reader->state().NextPageStart, 11'822);
    EXPECT_EQ(rig.window.surface.texts.back().text, "        END OF FILE ");
}

} // namespace
} // namespace cadenzo
