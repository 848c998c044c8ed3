#include "base/unicode.h"
#include "display/color_sets.h"
#include "display/page_renderer.h"
#include "support/fake_surface.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <set>

namespace cadenzo {
namespace {

using test::FakePositionDisplay;
using test::FakeSurface;

// Renders prepared lines on the fake surface with the light scheme.
struct RendererRig {
    BookLineList lines;
    ColorTable sets{};
    PageState state;
    FakeSurface page;
    FakePositionDisplay display;
    std::string programDir = "/books/";
    std::set<std::string> existingFiles;
    int width = 600;
    int height = 18 * FakeSurface::lineHeightFor(15);
    bool twoColumns = false;
    int fontSize = 15;

    RendererRig() { WriteSchemeColors(sets, Scheme::Light); }

    int show(int start) {
        PageInputs in{
            lines,      fontSize, sets,   twoColumns,
            programDir, width,    height, [this](const std::string& p) { return existingFiles.count(p) > 0; }};
        page.clearLog();
        return ShowPage(start, in, state, page, display);
    }
    FakeSurface& surface() { return page; }
    int rowY(int row) const { return kTopMargin + row * FakeSurface::lineHeightFor(fontSize); }
};

// Sentences of `length` phrase lines separated by sentence markers, ending
// like a prepared book.
BookLineList sentences(int count, int length) {
    BookLineList lines;
    for (int s = 0; s < count; ++s) {
        if (s > 0) lines.push_back("s000 ");
        for (int i = 0; i < length; ++i)
            lines.push_back("     line " + std::to_string(s) + "." + std::to_string(i) + " ");
    }
    lines.push_back("p999");
    lines.push_back("        END OF FILE");
    lines.push_back(" ");
    return lines;
}

TEST(ShowPage, FirstPageResetsShadeAndShowsPanels) {
    RendererRig rig;
    rig.lines = sentences(60, 4); // 302 lines
    rig.show(250);
    ASSERT_TRUE(rig.display.prevEnabled);
    rig.state.CurColorSet = 1;
    rig.show(0);
    EXPECT_FALSE(rig.display.prevEnabled);
    EXPECT_EQ(rig.state.CurColorSet, 0);
    EXPECT_EQ(rig.display.positionText, "0 of 3 panels");
    EXPECT_EQ(rig.display.progressMax, 302);
    EXPECT_TRUE(rig.display.nextEnabled);
    rig.show(250);
    EXPECT_TRUE(rig.display.prevEnabled);
    EXPECT_EQ(rig.display.positionText, "2 of 3 panels");
    EXPECT_EQ(rig.display.progressPos, 250);
}

TEST(ShowPage, PageEndsBeforeTheLastBreakPointThatFits) {
    RendererRig rig;
    rig.lines = sentences(20, 4); // markers at 4, 9, 14, 19, ...
    // Capacity 18: lines 0..17 fit; the last break point among 17..1 is line 14.
    EXPECT_EQ(rig.show(0), 14);
    // The next page starts with that marker, drawn as a blank line.
    EXPECT_EQ(rig.show(14), 29);
    EXPECT_EQ(rig.surface().rowText(rig.rowY(0)), "     ");

    // A sentence longer than the capacity fills the column; the next page continues inside it.
    rig.lines = sentences(2, 30);
    EXPECT_EQ(rig.show(0), 18);
    EXPECT_EQ(rig.show(18), 30);
}

TEST(ShowPage, MarkerAsLastFittingLineMovesToTheNextPage) {
    RendererRig rig;
    rig.lines = sentences(3, 17); // marker at line 17, the column's last fitting line
    EXPECT_EQ(rig.show(0), 17);
}

TEST(ShowPage, ShortListsAndStartsNearTheEndDrawNothing) {
    RendererRig rig;
    for (const BookLineList& lines : {BookLineList{}, BookLineList{"a"}, BookLineList{"a", "b"}}) {
        rig.lines = lines;
        rig.surface().clearLog();
        EXPECT_EQ(rig.show(0), 0);
        EXPECT_TRUE(rig.surface().texts.empty());
    }
    rig.lines = sentences(5, 4);
    const int count = static_cast<int>(rig.lines.size());
    rig.surface().clearLog();
    EXPECT_EQ(rig.show(count - 2), count - 2);
    EXPECT_EQ(rig.state.PageStart, count - 2);
    EXPECT_TRUE(rig.surface().texts.empty());
    const int afterFirst = rig.show(0);
    rig.show(count - 2);
    EXPECT_EQ(rig.show(-7), afterFirst); // a negative start is the first line
    EXPECT_EQ(rig.state.PageStart, 0);
}

TEST(ShowPage, LastPageEndsWithTheEndLineAndDisablesNext) {
    RendererRig rig;
    rig.lines = sentences(3, 3);
    const int count = static_cast<int>(rig.lines.size());
    EXPECT_EQ(rig.show(8), count - 3); // "p999" is a break point: the last page starts there
    EXPECT_TRUE(rig.display.nextEnabled);
    EXPECT_EQ(rig.show(count - 3), count - 1); // the single blank after the end line is never drawn
    EXPECT_FALSE(rig.display.nextEnabled);
    bool endDrawn = false;
    for (const auto& t : rig.surface().texts) endDrawn |= t.text == "        END OF FILE ";
    EXPECT_TRUE(endDrawn);
}

TEST(ShowPage, TooWideLinesShrinkForThemselvesOnly) {
    RendererRig rig;
    rig.lines = {std::string(90, 'w'), "narrow", std::string(200, 'v'), "tail", "p999", "        END OF FILE", " "};
    rig.show(0);
    auto sizeOf = [&](int row) {
        for (const auto& t : rig.surface().texts)
            if (t.y == rig.rowY(row)) return t.size;
        return -1;
    };
    // 91 characters at 15 pt are 682 px wide, at 13 pt 591 px: they fit in 600 at 13.
    EXPECT_EQ(sizeOf(0), 13);
    EXPECT_EQ(sizeOf(1), 15);
    EXPECT_EQ(sizeOf(2), kMinFitSize); // never below 8 points, even when still too wide
    EXPECT_EQ(sizeOf(3), 15);
}

TEST(ShowPage, TwoColumnsSplitAtTheMiddleWithARule) {
    RendererRig rig;
    rig.twoColumns = true;
    rig.lines = sentences(20, 4);
    rig.lines.replace(4, "p000 "); // a paragraph: the shade changes, so the lines after it fill their strips
    const int next = rig.show(0);
    EXPECT_EQ(next, 29); // left column 0..13, right column 14..28
    const TwoColumnGeometry g = TwoColumns(600);
    EXPECT_EQ(g.leftColumnRight, 298);
    EXPECT_EQ(g.rightColumnLeft, 303);
    EXPECT_EQ(g.ruleX, 297);
    ASSERT_EQ(rig.surface().lines.size(), 1u);
    EXPECT_EQ(rig.surface().lines[0].x1, 297);
    EXPECT_EQ(rig.surface().lines[0].width, kRuleWidth);
    EXPECT_EQ(rig.surface().lines[0].color, Color::Rgb(0x808080));
    bool rightColumnDrawn = false;
    for (const auto& t : rig.surface().texts) rightColumnDrawn |= t.x == 303;
    EXPECT_TRUE(rightColumnDrawn);
    // Strips of the left column end at the left column's edge.
    int strips = 0;
    for (const auto& f : rig.surface().fills)
        if (f.x1 < 298 && f.y2 - f.y1 == FakeSurface::lineHeightFor(15)) {
            EXPECT_EQ(f.x2, 298);
            ++strips;
        }
    EXPECT_GE(strips, 8); // the paragraph line and the lines after it in the left column
}

TEST(ShowPage, TagsColourFaceAndStyle) {
    RendererRig rig;
    rig.lines = {"|b>Title, by  ",
                 "        Author  ",
                 "     His grey|9> eyes|4> |n>plain|0>x|z>y",
                 "|p> ",
                 "p999",
                 "        END OF FILE",
                 " "};
    rig.show(0);
    const auto& t = rig.surface().texts;
    // Bold switched on by "|b>" stays on for the following lines until "|n>".
    EXPECT_EQ(t[0].text, "");
    EXPECT_TRUE(t[1].style.bold);
    EXPECT_EQ(t[1].face, FontFace::TimesNewRoman);
    EXPECT_TRUE(t[2].style.bold);
    const int row2 = rig.rowY(2);
    std::string highlighted;
    for (const auto& d : t)
        if (d.y == row2 && d.color == rig.sets[0].slot[9]) highlighted += d.text;
    EXPECT_EQ(highlighted, " eyes");
    EXPECT_EQ(rig.surface().rowText(row2), "     His grey eyes plainxy ");
    // "|p>" is removed and the line shows empty.
    EXPECT_EQ(rig.surface().rowText(rig.rowY(3)), "  ");
}

TEST(ShowPage, ParagraphsAndAnchorsToggleTheShade) {
    RendererRig rig;
    rig.lines = {"p000 ",      "     one ", "|refpt001> ",         "     two ", "s000 ",
                 "     three", "p999",      "        END OF FILE", " "};
    rig.show(0);
    // The paragraph marker on the first line toggles before anything is drawn.
    EXPECT_EQ(rig.surface().texts[0].background, rig.sets[1].slot[1]);
    EXPECT_EQ(rig.surface().rowText(rig.rowY(2)), "       "); // anchor line shows blank
    // p000 and the anchor toggle twice; the sentence marker does not toggle, and
    // the page ends before "p999".
    EXPECT_EQ(rig.state.CurColorSet, 0);
    for (const auto& d : rig.surface().texts)
        if (d.y == rig.rowY(3)) {
            EXPECT_EQ(d.background, rig.sets[0].slot[1]);
        }
    // Drawing a page that does not start at 0 starts with the set the last one
    // ended with: set 0 here, toggled to set 1 by the anchor.
    rig.show(1);
    EXPECT_EQ(rig.surface().texts.front().background, rig.sets[0].slot[1]);
    EXPECT_EQ(rig.surface().texts.back().background, rig.sets[1].slot[1]);
}

TEST(ShowPage, PicturesShowAPlaceholderOnlyForTheFirstExistingOne) {
    RendererRig rig;
    rig.existingFiles = {"/books/map.png"};
    rig.lines = {"     before|image>map.png  ",
                 "     x|image>other.png",
                 "     after",
                 "     more",
                 "p999",
                 "        END OF FILE",
                 " "};
    rig.twoColumns = true;
    const int next = rig.show(0);
    EXPECT_EQ(rig.state.PageImageFile, "/books/map.png");
    EXPECT_EQ(rig.surface().rowText(rig.rowY(0), 303), "     before  [image]");
    // The second picture tag drops its line's rest and ends the column there.
    EXPECT_EQ(rig.surface().rowText(rig.rowY(1), 303), "     x");
    bool afterInRightColumn = false;
    for (const auto& t : rig.surface().texts) afterInRightColumn |= t.x == 303 && t.text == "     after ";
    EXPECT_TRUE(afterInRightColumn);
    EXPECT_EQ(next, 4); // the right column ends before "p999"

    rig.existingFiles.clear();
    rig.twoColumns = false;
    rig.show(0);
    EXPECT_EQ(rig.surface().rowText(rig.rowY(0)).substr(0, 11), "     before");
    EXPECT_EQ(rig.state.PageImageFile, "/books/map.png");
}

// UTF-8 lines: a tag whose code is a multi-byte character goes whole, a
// highlighted accented word keeps its colour, a multi-byte character ends a
// line, and a run cut at the surface's edge is cut between characters.
TEST(ShowPage, MultiByteCharactersAreNeverSplit) {
    const std::string e = "\xC3\xA9", dash = "\xE2\x80\x94", book = "\xF0\x9F\x93\x96";
    std::string dashes;
    for (int i = 0; i < 30; ++i) dashes += dash;
    RendererRig rig;
    rig.lines = {"     la|9> caf" + e + "|4>" + dash,
                 "|" + e + e + "x" + book + "|" + dash + ">y",
                 "     n" + e,
                 dashes,
                 "p999",
                 "        END OF FILE",
                 " "};
    rig.show(0);
    std::string highlighted;
    for (const auto& t : rig.surface().texts) {
        EXPECT_TRUE(text::isValidUtf8(t.text)) << t.text;
        if (t.y == rig.rowY(0) && t.color == rig.sets[0].slot[9]) highlighted += t.text;
    }
    EXPECT_EQ(highlighted, " caf" + e);
    EXPECT_EQ(rig.surface().rowText(rig.rowY(1)), "x" + book + "y ");
    EXPECT_EQ(rig.surface().rowText(rig.rowY(2)), "     n" + e + " ");
    EXPECT_EQ(rig.surface().rowText(rig.rowY(3)), dashes + " ");

    // 20 pixels hold at least 20 characters of any size: the 30 dashes (90
    // bytes) are cut after the 20th dash, not after the 20th byte.
    rig.width = 20;
    rig.show(0);
    for (const auto& t : rig.surface().texts) EXPECT_TRUE(text::isValidUtf8(t.text)) << t.text;
    EXPECT_EQ(rig.surface().rowText(rig.rowY(3)), dashes.substr(0, 20 * 3));
}

} // namespace
} // namespace cadenzo
