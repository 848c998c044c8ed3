#include "support/reader_rig.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

using test::ReaderRig;

// Sentences of varying length between markers, each paragraph's first line a
// paragraph marker, ending like a prepared book.
BookLineList book(int sentenceCount) {
    BookLineList lines;
    for (int s = 0; s < sentenceCount; ++s) {
        lines.push_back(s % 4 == 0 ? "p" + std::to_string(100 + s / 4) + " " : std::string("s000 "));
        for (int i = 0; i < 3 + s % 5; ++i) lines.push_back("     phrase " + std::to_string(s) + " ");
    }
    for (const char* end : {"p999", "        END OF FILE", " "}) lines.push_back(end);
    return lines;
}

class Paging : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.start();
        rig.window.setCapacity(18);
        rig.open(book(40));
    }
    ReaderRig rig;
};

TEST_F(Paging, ForwardPagesFollowOnWithoutGapsAndMarkTheTurn) {
    EXPECT_FALSE(rig.reader->state().PageTurned);
    int expectedStart = rig.reader->state().NextPageStart;
    for (int i = 0; i < 5; ++i) {
        rig.reader->NextPage();
        EXPECT_EQ(rig.reader->PageStart(), expectedStart);
        const std::string_view first = rig.reader->state().BookLines[static_cast<std::size_t>(expectedStart)];
        EXPECT_TRUE(first[0] == 'p' || first[0] == 's') << first;
        expectedStart = rig.reader->state().NextPageStart;
    }
    EXPECT_TRUE(rig.reader->state().PageTurned);
}

// Once the window is idle, the page after the one shown is measured ahead, on
// the measuring surface and from a copy of the page state: what it measures
// is what turning to that page then draws, in the same fonts and shades, and
// nothing shown changes meanwhile.
TEST_F(Paging, TheNextPageIsMeasuredAheadAsItWillBeDrawnAndNothingShownChanges) {
    BookLineList lines = book(40);
    lines.replace(9, "     |b>bold |3>coloured |n>plain ");
    rig.open(lines);
    for (int turn = 0; turn < 4; ++turn) {
        rig.reader->NextPage();
        rig.reader->RedrawPage(); // a second drawing before the window is idle
        ASSERT_EQ(rig.window.idleTasks.size(), 1u) << "measured once, after the last drawing";
        const ReaderState before = rig.reader->state();
        const std::vector<test::DrawnText> shown = rig.window.surface.texts;
        const std::vector<std::string> pageText = rig.window.pageText;
        rig.window.runIdleTasks();
        EXPECT_EQ(rig.reader->PageStart(), before.page.PageStart);
        EXPECT_EQ(rig.reader->CurColorSet(), before.page.CurColorSet);
        EXPECT_EQ(rig.reader->state().NextPageStart, before.NextPageStart);
        EXPECT_EQ(rig.window.surface.texts, shown);
        EXPECT_EQ(rig.window.pageText, pageText);

        const std::vector<test::DrawnText> measured = rig.window.measuring.texts;
        ASSERT_FALSE(measured.empty());
        rig.window.surface.clearLog();
        rig.reader->NextPage();
        EXPECT_EQ(rig.window.surface.texts, measured) << "turn " << turn;
        rig.window.runIdleTasks();
    }
}

TEST_F(Paging, PrevStepsBackOneColumnToABreakPoint) {
    rig.reader->NextPage();
    rig.reader->NextPage();
    const int from = rig.reader->PageStart();
    rig.reader->PrevPage();
    EXPECT_EQ(rig.reader->state().LinesPerPage, 18);
    const int s = rig.reader->PageStart();
    EXPECT_LT(s, from);
    EXPECT_GE(s, from - 18);
    EXPECT_EQ(s, 15); // 30 - 18 = 12 is inside a sentence; 15 begins the next
    // The first break point at or after the candidate.
    for (int i = from - 18; i < s; ++i) {
        const std::string_view line = rig.reader->state().BookLines[static_cast<std::size_t>(i)];
        EXPECT_FALSE(line.size() < 2 || line[0] == 'p' || line[0] == 's') << i;
    }
}

TEST_F(Paging, PrevWithoutBreakPointStartsInsideTheSentence) {
    BookLineList lines(100, "     no marker here ");
    for (const char* end : {"p999", "        END OF FILE", " "}) lines.push_back(end);
    rig.open(lines);
    rig.showPageFrom(50);
    rig.reader->PrevPage();
    EXPECT_EQ(rig.reader->PageStart(), 32);
}

TEST_F(Paging, PageUpOnTheFirstPageRedrawsItWithShadeReset) {
    ReaderPeer::setCurColorSet(*rig.reader, 1);
    rig.reader->PrevPage();
    EXPECT_EQ(rig.reader->PageStart(), 0);
    EXPECT_EQ(rig.reader->CurColorSet(), 1); // p100 at line 0 toggled the reset set 0
    EXPECT_FALSE(rig.window.prevEnabled);
}

TEST_F(Paging, HoldingPageDownAtTheEndLeavesTheScreenAndPageUpComesBack) {
    for (int i = 0; i < 100; ++i) rig.reader->NextPage();
    const int count = static_cast<int>(rig.reader->state().BookLines.size());
    EXPECT_FALSE(rig.window.nextEnabled);
    rig.window.surface.clearLog();
    rig.reader->NextPage();
    EXPECT_TRUE(rig.window.surface.texts.empty());
    EXPECT_GE(rig.reader->PageStart(), count - 2);
    rig.reader->PrevPage();
    EXPECT_LT(rig.reader->PageStart(), count - 2);
    EXPECT_GE(rig.reader->state().NextPageStart, count - 3); // a page at the end of the book
}

TEST_F(Paging, CourierFaceIsResetWhenPagingBackOverIt) {
    BookLineList lines = book(40);
    lines.replace(30, "     |f>typewriter text ");
    rig.open(lines);
    rig.window.surface.setFontFace(FontFace::CourierNew);
    rig.showPageFrom(40);
    rig.window.surface.setFontFace(FontFace::CourierNew);
    rig.window.surface.clearLog();
    rig.reader->PrevPage();
    ASSERT_LE(rig.reader->PageStart(), 30);
    EXPECT_EQ(rig.window.surface.texts.front().face, FontFace::TimesNewRoman);
}

TEST_F(Paging, KeysAndButtons) {
    const int next = rig.reader->state().NextPageStart;
    EXPECT_TRUE(rig.reader->FormKeyDown(kKeyPageDown));
    EXPECT_EQ(rig.reader->PageStart(), next);
    EXPECT_TRUE(rig.reader->FormKeyDown(kKeyPageUp));
    EXPECT_EQ(rig.reader->PageStart(), 0);
    const int before = rig.reader->PageStart();
    EXPECT_TRUE(rig.reader->FormKeyDown('A')); // every key is used up, and does nothing else
    EXPECT_EQ(rig.reader->PageStart(), before);
    rig.reader->NextButtonClick();
    rig.reader->PrevButtonClick();
    EXPECT_EQ(rig.window.findDialogCloses, 2);
}

TEST_F(Paging, ResizeRedrawsFromTheSameFirstLine) {
    rig.reader->NextPage();
    const int start = rig.reader->PageStart();
    rig.window.setCapacity(30);
    rig.reader->ReadTabSheetResize();
    EXPECT_EQ(rig.reader->PageStart(), start);
    rig.reader->HideControlPanelItemClick();
    EXPECT_FALSE(rig.window.panelMenuShown);
    EXPECT_EQ(rig.window.layout.pageControl1.width, rig.window.rect.width);
    EXPECT_EQ(rig.reader->PageStart(), start);
}

} // namespace
} // namespace cadenzo
