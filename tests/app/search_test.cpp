#include "base/errors.h"
#include "display/page_text.h"
#include "support/reader_rig.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

using test::ReaderRig;
using test::ReadFile;
using test::StoredBookText;
using test::WriteFile;

class Search : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(rig.folder.path("app/Reader.toc"), "Shelf  <<0none\r\nMy Book<<1mybook\r\nTwo<<2mybook@refpt002\r\n");
        WriteFile(rig.folder.path("app/mybook.lit"), StoredBookText(2, 12));
        rig.window.setCapacity(10);
        rig.start();
        rig.window.selectLine(1);
        r().TOCTreeViewClick();
    }
    Reader& r() { return *rig.reader; }
    int count() { return static_cast<int>(r().state().BookLines.size()); }
    void find(const std::string& text, bool down = true) {
        rig.window.find.text = text;
        rig.window.findDown = down;
        r().FindDialog1Find();
    }
    ReaderRig rig;
};

TEST_F(Search, FindTurnsToTheHitAndClosesWhenNothingMoreIsFound) {
    r().FindItemClick();
    EXPECT_TRUE(rig.window.findOpen);
    EXPECT_EQ(rig.window.findX, rig.window.rect.left + 50);
    EXPECT_EQ(rig.window.findY, rig.window.rect.top + 50);

    const int origin = r().state().NextPageStart;
    find("Chapter 2 sentence 4");
    EXPECT_TRUE(rig.window.findOpen);
    const int hit = r().state().FindHitLine;
    EXPECT_NE(r().state().BookLines[static_cast<std::size_t>(hit)].find("Chapter 2 sentence 4"), std::string::npos);
    // The paragraph line above the hit lies after the origin: the page starts there.
    EXPECT_GT(r().PageStart(), origin);
    EXPECT_LE(r().PageStart(), hit);
    EXPECT_EQ(r().state().BookLines[static_cast<std::size_t>(r().PageStart())][0], 'p');

    find("Chapter 2 sentence 4"); // no second occurrence further down
    EXPECT_FALSE(rig.window.findOpen);
    EXPECT_EQ(r().state().FindHitLine, hit); // the page is unchanged
    find("chapter 1 sentence 2", false);     // backward, case folded
    EXPECT_LT(r().PageStart(), hit);
    EXPECT_EQ(r().PageStart(), r().state().FindHitLine); // backward hits start their page
}

TEST_F(Search, LinesRightAtThePageEdgesAreFound) {
    // The first line after the page and the one after it are searched.
    const int next = r().state().NextPageStart;
    ReaderPeer::markBookLine(r(), static_cast<std::size_t>(next), "needle");
    find("needle");
    EXPECT_EQ(r().state().FindHitLine, next);
    // Upward: the line just before the page, and line 0.
    rig.showPageFrom(20);
    ReaderPeer::markBookLine(r(), 19, "pin");
    find("pin", false);
    EXPECT_EQ(r().state().FindHitLine, 19);
    ReaderPeer::markBookLine(r(), 0, " top");
    find("top", false);
    EXPECT_EQ(r().state().FindHitLine, 0);
    EXPECT_EQ(r().PageStart(), 0);
}

TEST_F(Search, NothingToSearchClosesAndEmptyTextKeepsTheDialog) {
    r().FindItemClick();
    find("", true);
    EXPECT_TRUE(rig.window.findOpen);
    find("Chapter", false); // the page starts at line 0: nothing above it
    EXPECT_FALSE(rig.window.findOpen);
    r().FindItemClick();
    rig.showPageFrom(count() - 3);
    find("Chapter", true);
    EXPECT_FALSE(rig.window.findOpen);
    // The whole-word option is honoured: "hapter" is no word.
    rig.showPageFrom(0);
    r().FindItemClick();
    rig.window.find.wholeWord = true;
    find("hapter");
    EXPECT_FALSE(rig.window.findOpen);
}

TEST_F(Search, IndexLoadsAndReferencesTurnThePage) {
    const std::string lix = rig.folder.path("app/mybook.lix");
    WriteFile(lix, "Chapter|000100040|0002000070\r\nends|000100003\r\n\r\nhere|000100002\r\n");
    rig.setIndexPath(lix);
    r().IndexLoadButtonClick();
    EXPECT_EQ(rig.window.indexLoadingShown, 1);
    EXPECT_FALSE(rig.window.indexLoading);
    EXPECT_EQ(rig.window.indexView, IndexView::Loaded);
    ASSERT_TRUE(rig.window.indexSelected.has_value());
    EXPECT_EQ(rig.window.indexTree.text[static_cast<std::size_t>(*rig.window.indexSelected)], "c");

    rig.window.selectIndexText("  00040");
    r().InxTreeViewClick();
    EXPECT_EQ(r().PageStart(), 35);
    EXPECT_EQ(rig.window.searchingShown, 1);
    EXPECT_FALSE(rig.window.searching);
    // The same reference again does nothing; a word or letter does nothing.
    rig.showPageFrom(0);
    r().InxTreeViewClick();
    rig.window.selectIndexText("ends");
    r().InxTreeViewClick();
    EXPECT_EQ(r().PageStart(), 0);
    // References below 5 start at line 0.
    rig.window.selectIndexText("  00003");
    rig.showPageFrom(30);
    r().InxTreeViewClick();
    EXPECT_EQ(r().PageStart(), 0);
    EXPECT_EQ(r().state().LastIndexEntry, "00003");

    // A missing file: nothing happens.
    rig.window.indexLoadingShown = 0;
    rig.setIndexPath(rig.folder.path("app/none.lix"));
    r().IndexLoadButtonClick();
    EXPECT_EQ(rig.window.indexLoadingShown, 0);
}

TEST_F(Search, EmptyIndexFileLoadsTheRootAlone) {
    const std::string lix = rig.folder.path("app/mybook.lix");
    WriteFile(lix, "");
    rig.setIndexPath(lix);
    rig.window.indexSelected.reset();
    r().IndexLoadButtonClick();
    EXPECT_EQ(rig.window.indexTree.size(), 1);
    EXPECT_FALSE(rig.window.indexSelected.has_value());
}

TEST_F(Search, SaveWritesThePageWithoutMarkup) {
    rig.window.selectLine(2); // chapter 2's opening page
    r().TOCTreeViewClick();
    const std::string out = rig.folder.path("page.txt");
    rig.window.saveAnswers = {std::nullopt, out};
    r().SaveScreenItemClick();
    EXPECT_FALSE(std::filesystem::exists(out)); // cancelled
    r().SaveScreenItemClick();
    const std::string text = ReadFile(out);
    EXPECT_EQ(text.substr(0, 7), "2 \r\n \r\n"); // "|b>2|n> ", the "|p>" line; its marker left out
    EXPECT_NE(text.find("            goes on here \r\n"), std::string::npos);
    EXPECT_EQ(text.find('|'), std::string::npos);

    // The book's last page ends with the end line and the single blank.
    rig.showPageFrom(count() - 3);
    r().SaveScreenItemClick(); // no answer queued: cancelled
    rig.window.saveAnswers = {out};
    r().SaveScreenItemClick();
    EXPECT_EQ(ReadFile(out), "        END OF FILE\r\n \r\n");

    rig.window.saveAnswers = {rig.folder.path("no/such/folder/page.txt")};
    try {
        r().SaveScreenItemClick();
        FAIL() << "no error";
    } catch (const CreateFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + rig.folder.path("no/such/folder/page.txt"));
    }
}

TEST_F(Search, PageTextFollowsEveryDrawnPage) {
    ASSERT_FALSE(rig.window.pageText.empty());
    EXPECT_EQ(rig.window.pageText[0], "Test, by  ");
    r().NextPage();
    EXPECT_EQ(rig.window.pageText, PageTextLines(r().state().BookLines, r().PageStart(), r().state().NextPageStart));
    EXPECT_NE(rig.window.pageText[0], "Test, by  ");
}

} // namespace
} // namespace cadenzo
