#include "app/ini_file.h"
#include "app/layout.h"
#include "app/settings.h"
#include "base/errors.h"
#include "support/reader_rig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace cadenzo {
namespace {

using test::ReaderRig;
constexpr auto readFile = test::ReadFile;
constexpr auto writeFile = test::WriteFile;

TEST(DefaultSettings, DependOnTheScreenWidth) {
    struct Case {
        int w, h;
        const char *twidth, *theight, *pleft, *pwidth, *pheight;
    };
    const Case cases[] = {{640, 480, "twidth=500", "theight=440", "pleft=501", "pwidth=130", "pheight=200"},
                          {800, 600, "twidth=600", "theight=500", "pleft=601", "pwidth=190", "pheight=250"},
                          {1024, 768, "twidth=700", "theight=668", "pleft=701", "pwidth=300", "pheight=400"}};
    for (const Case& c : cases) {
        const auto lines = MakeDefaultSettings("c:\\apps\\reader.toc", c.w, c.h);
        ASSERT_EQ(lines.size(), 17u);
        EXPECT_EQ(lines[0], "[c:\\apps\\reader.toc]");
        EXPECT_EQ(lines[1], "[how]");
        EXPECT_EQ(lines[4], "background=0");
        EXPECT_EQ(lines[8], "tleft=0");
        EXPECT_EQ(lines[9], c.twidth);
        EXPECT_EQ(lines[11], c.theight);
        EXPECT_EQ(lines[12], c.pleft);
        EXPECT_EQ(lines[13], c.pwidth);
        EXPECT_EQ(lines[14], "ptop=0");
        EXPECT_EQ(lines[15], c.pheight);
        EXPECT_EQ(lines[16], "");
    }
}

TEST(Startup, FirstStartWritesDefaultsOpensAtTopLeftAndShowsTheWelcomePage) {
    ReaderRig rig;
    Reader& r = rig.start();
    EXPECT_EQ(r.state().ProgramBaseName, "Reader");
    EXPECT_EQ(r.state().IniPath, rig.folder.path("data") + "/Reader.ini");
    EXPECT_EQ(r.state().BookmarkPath, rig.folder.path("data") + "/Reader.bm");
    EXPECT_EQ(r.state().TocPath, rig.folder.path("app") + "/Reader.toc");
    EXPECT_EQ(r.state().IndexPath, ""); // no index beside the program
    EXPECT_FALSE(rig.window.indexTabVisible);
    const std::string ini = readFile(r.state().IniPath);
    EXPECT_NE(ini.find("[how]\r\ndictionary=0\r\nfontsize=15\r\n"), std::string::npos);
    EXPECT_NE(ini.find("theight=668\r\n"), std::string::npos);
    EXPECT_EQ(rig.window.rect, (WindowRect{0, 0, 700, 668}));
    EXPECT_EQ(rig.window.scheme, 0);
    // The welcome page: nineteen lines ending in a paragraph marker, drawn from line 0.
    ASSERT_EQ(r.state().BookLines.size(), 19u);
    EXPECT_EQ(r.state().BookLines[1], "Select a Book");
    EXPECT_EQ(r.state().BookLines[18], "p000");
    EXPECT_EQ(r.PageStart(), 0);
    EXPECT_EQ(rig.window.surface.texts.front().face, FontFace::Default);
    EXPECT_EQ(rig.window.frontPanelTab, "Control");
    EXPECT_TRUE(rig.window.instructionsCopied);
    EXPECT_EQ(r.state().LastIndexEntry, " ");
}

TEST(Startup, SettingsAreReadWithDefaultsAndClamped) {
    struct Case {
        const char* body;
        int fontSize, scheme;
        bool plain, twoColor, twoColumn;
        WindowRect rect;
    };
    const Case cases[] = {
        {"[how]\r\nfontsize=15\r\n", 15, 1, false, false, false, {100, 0, 500, 450}},
        {"[how]\r\nfontsize=60\r\nbackground=7\r\nplainbkg=1\r\n", 40, 2, true, false, false, {100, 0, 500, 450}},
        {"[how]\r\nfontsize=2\r\nbackground=-5\r\nplainbkg=2\r\ntwocolumn=1\r\n",
         4,
         -1,
         false,
         false,
         true,
         {100, 0, 500, 450}},
        {"[how]\r\nfontsize=0x10\r\nbackground=zero\r\ntwocolor=1\r\ntwidth=900\r\ntheight=700\r\ntleft=5\r\nttop="
         "6\r\n",
         16,
         1,
         false,
         true,
         false,
         {5, 6, 900, 700}},
        {"garbage without sections\r\n", 15, 1, false, false, false, {100, 0, 500, 450}},
        {"[how]\r\ntleft=2147483647\r\nttop=-2147483648\r\ntwidth=99999999\r\ntheight=-5\r\n",
         15,
         1,
         false,
         false,
         false,
         {32767, -32767, 32767, 450}},
    };
    for (const Case& c : cases) {
        ReaderRig rig;
        writeFile(rig.folder.path("data/Reader.ini"), c.body);
        rig.start();
        EXPECT_EQ(rig.reader->state().PageFontSize, c.fontSize) << c.body;
        EXPECT_EQ(rig.window.slider, c.fontSize);
        EXPECT_EQ(rig.window.upDown, c.fontSize);
        EXPECT_EQ(rig.window.catalogueFontSize, c.fontSize);
        EXPECT_EQ(rig.window.scheme, c.scheme) << c.body;
        EXPECT_EQ(rig.window.singleShade, c.plain);
        EXPECT_EQ(rig.window.noColoredText, c.twoColor);
        EXPECT_EQ(rig.window.twoColumn, c.twoColumn);
        EXPECT_EQ(rig.window.rect, c.rect) << c.body; // the minimum height 450 applies
    }
}

TEST(Startup, MissingBackgroundIsDarkAndResetGivesLight) {
    ReaderRig rig;
    writeFile(rig.folder.path("data/Reader.ini"), "[how]\r\nfontsize=20\r\n");
    rig.start();
    EXPECT_EQ(rig.reader->state().ColorSets[1].slot[1], Color::Rgb(0x384545));
    rig.window.twoColumn = true;
    rig.reader->ResetToStartupDefaultsButtonClick();
    EXPECT_EQ(rig.window.scheme, 0);
    EXPECT_EQ(rig.reader->state().ColorSets[1].slot[1], Color::Rgb(0xDDC2A6));
    EXPECT_EQ(rig.reader->state().PageFontSize, 15);
    EXPECT_FALSE(rig.window.twoColumn);
    EXPECT_EQ(rig.window.rect, (WindowRect{0, 0, 700, 668}));
}

TEST(Shutdown, SavesTheOptionsButNotTwoColumnsNorAScreenSizedWindow) {
    ReaderRig rig;
    rig.start();
    rig.window.rect = {10, 20, 640, 500};
    rig.window.scheme = 2;
    rig.window.slider = 22;
    rig.window.singleShade = true;
    rig.window.twoColumn = true;
    rig.reader->FormClose();
    const IniLines ini = *rig.files.readLines(rig.reader->state().IniPath);
    auto value = [&](const char* key) { return IniReadInteger(ini, "how", key, -99); };
    EXPECT_EQ(value("background"), 2);
    EXPECT_EQ(value("tleft"), 10);
    EXPECT_EQ(value("ttop"), 20);
    EXPECT_EQ(value("twidth"), 640);
    EXPECT_EQ(value("theight"), 500);
    EXPECT_EQ(value("fontsize"), 22);
    EXPECT_EQ(value("plainbkg"), 1);
    EXPECT_EQ(value("twocolor"), 0);
    EXPECT_EQ(value("twocolumn"), 0);
    EXPECT_EQ(ini[0], "[" + rig.reader->state().TocPath + "]"); // the rest of the file is kept

    // Next start: one column again, the rest restored.
    rig.reset();
    rig.start();
    EXPECT_FALSE(rig.window.twoColumn);
    EXPECT_EQ(rig.window.slider, 22);

    const std::string before = readFile(rig.reader->state().IniPath);
    rig.window.rect = {0, 0, rig.window.screenW, 600};
    rig.window.slider = 30;
    rig.reader->FormClose();
    EXPECT_EQ(readFile(rig.reader->state().IniPath), before);
}

TEST(Shutdown, UnwritableSettingsAreReportedAndClosingGoesOn) {
    ReaderRig rig;
    rig.start();
    // A folder where the settings file should be: it cannot be replaced.
    std::filesystem::remove(rig.reader->state().IniPath);
    std::filesystem::create_directories(rig.reader->state().IniPath + "/blocked");
    rig.window.rect = {1, 2, 600, 500};
    EXPECT_NO_THROW(rig.reader->FormClose());
    ASSERT_EQ(rig.window.errors.size(), 1u);
    EXPECT_EQ(rig.window.errors[0], "Unable to write to " + rig.reader->state().IniPath);
}

TEST(Startup, DataFolderThatCannotBeCreatedRaisesAnError) {
    ReaderRig rig;
    writeFile(rig.folder.path("data"), "a file where the folder should be");
    EXPECT_THROW(rig.reader->FormCreate(), ReaderError);
}

// The window's rectangle is its outer one; the client area sits inside the
// window manager's frame, and the least outer size stays 400 x 450.
TEST(WindowFrame, ClientAreaSitsInsideTheOuterRectangle) {
    const struct {
        Rect outer;
        FrameMargins frame;
        Rect client;
        Rect least;
    } cases[] = {
        {{0, 0, 700, 668}, {1, 20, 1, 5}, {1, 20, 698, 643}, {0, 0, 398, 425}},
        {{30, 40, 612, 480}, {0, 0, 0, 0}, {30, 40, 612, 480}, {0, 0, 400, 450}},
        {{-5, 10, 400, 450}, {4, 30, 4, 4}, {-1, 40, 392, 416}, {0, 0, 392, 416}},
        {{0, 0, 10, 10}, {300, 300, 300, 300}, {300, 300, 0, 0}, {0, 0, 0, 0}}, // no room inside
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClientRectOf(c.outer, c.frame), c.client);
        if (c.client.width > 0) {
            EXPECT_EQ(OuterRectOf(c.client, c.frame), c.outer);
        }
        EXPECT_EQ(MinimumClientSize(c.frame), c.least);
    }
}

} // namespace
} // namespace cadenzo
