#include "support/reader_rig.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

using test::ReaderRig;

class DisplayOptions : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.start();
        rig.window.scheme = 0;
        rig.reader->BGColorRadioGroupClick();
    }
    const ColorSet& set(int i) const { return rig.reader->state().ColorSets[static_cast<std::size_t>(i)]; }
    ReaderRig rig;
};

TEST_F(DisplayOptions, NoColoredTextPaintsTagsInTextColourAndUncheckingRestores) {
    rig.window.noColoredText = true;
    rig.reader->TwoColorCheckBoxClick();
    for (int s : {0, 1})
        for (int k : {6, 7, 8, 9}) EXPECT_EQ(set(s).slot[k], Color::Rgb(0x000000));
    rig.window.singleShade = true;
    rig.reader->SingleShadeBgCheckBoxClick();
    rig.window.noColoredText = false;
    rig.reader->TwoColorCheckBoxClick();
    EXPECT_EQ(set(1).slot[9], Color::Rgb(0x4A004A));
    // "1 Color Background " stays in force.
    EXPECT_EQ(set(0).slot[1], Color::Rgb(0xDDC2A6));
    EXPECT_EQ(set(0).slot[9], Color::Rgb(0x4A004A));
}

TEST_F(DisplayOptions, DarkSingleShadeUsesRecordOneEverywhere) {
    rig.window.scheme = 1;
    rig.reader->BGColorRadioGroupClick();
    rig.window.singleShade = true;
    rig.reader->SingleShadeBgCheckBoxClick();
    for (int s : {0, 1}) {
        EXPECT_EQ(set(s).slot[1], Color::Rgb(0x384545));
        EXPECT_EQ(set(s).slot[7], Color::Rgb(0xE1B19D));
        EXPECT_EQ(set(s).slot[9], Color::Rgb(0xCDB8C2));
        EXPECT_EQ(set(s).slot[4], Color::Rgb(0xE7D687));
    }
}

TEST_F(DisplayOptions, SchemeChangeKeepsCheckedBoxesButWindowsShowsGreyTagsUntilToggled) {
    // Light or Dark with both boxes checked: both stay in force.
    rig.window.noColoredText = true;
    rig.window.singleShade = true;
    rig.window.scheme = 1;
    rig.reader->BGColorRadioGroupClick();
    EXPECT_EQ(set(0).slot[1], Color::Rgb(0x384545));
    EXPECT_EQ(set(0).slot[7], Color::Rgb(0xE7D687));
    // Only single shade checked: the scheme's two shades come back, the box stays checked.
    rig.window.noColoredText = false;
    rig.reader->BGColorRadioGroupClick();
    EXPECT_EQ(set(0).slot[1], Color::Rgb(0x392F46));
    EXPECT_TRUE(rig.window.singleShade);
    // Windows with "No Colored Text" checked: tags in grey text until the box is clicked off and on.
    rig.window.singleShade = false;
    rig.window.noColoredText = true;
    rig.window.scheme = 2;
    rig.reader->BGColorRadioGroupClick();
    EXPECT_EQ(set(0).slot[6], Color::System(SystemColor::GrayText));
    rig.reader->TwoColorCheckBoxClick();
    EXPECT_EQ(set(0).slot[6], Color::System(SystemColor::WindowText));
    EXPECT_EQ(rig.reader->CurColorSet(), 0);
    // Slots 2, 3 and 5 are never written.
    for (int k : {2, 3, 5}) EXPECT_EQ(set(1).slot[k], Color::Rgb(0));
}

TEST_F(DisplayOptions, FontSizeSliderAndUpDownFollowEachOther) {
    rig.window.slider = 40;
    rig.reader->FontSizeTrackBarChange();
    EXPECT_EQ(rig.window.fontSizeLabel, "Font Size = 40");
    EXPECT_EQ(rig.window.upDown, 40);
    EXPECT_EQ(rig.window.catalogueFontSize, 40);
    EXPECT_EQ(rig.reader->state().PageFontSize, 40);
    rig.window.upDown = 9;
    rig.reader->FontSizeUpDownClick();
    EXPECT_EQ(rig.window.slider, 9);
    EXPECT_EQ(rig.reader->state().PageFontSize, 9);
    EXPECT_EQ(rig.window.surface.texts.back().size, 9);
}

TEST_F(DisplayOptions, TwoColumnToggleRedrawsFromTheSameLine) {
    BookLineList lines;
    for (int i = 0; i < 200; ++i) lines.push_back(i % 5 == 4 ? "s000 " : "     words ");
    for (const char* end : {"p999", "        END OF FILE", " "}) lines.push_back(end);
    rig.window.setCapacity(18);
    rig.open(lines);
    rig.reader->NextPage();
    const int start = rig.reader->PageStart();
    rig.window.twoColumn = true;
    rig.reader->TwoColCheckBoxClick();
    EXPECT_EQ(rig.reader->PageStart(), start);
    EXPECT_EQ(rig.window.surface.lines.back().x1, 297);
}

} // namespace
} // namespace cadenzo
