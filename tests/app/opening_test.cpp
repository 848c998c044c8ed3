#include "base/errors.h"
#include "support/reader_rig.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

using test::ReaderRig;
using test::ReadFile;
using test::StoredBookText;
using test::WriteFile;

const char* const kCatalogue =
    "Library  <<0none\r\n"
    "My Book  <<1mybook\r\n"
    "One<<2mybook@refpt001\r\n"
    "\r\n"
    "; notes and blank lines are left out\r\n"
    "Two<<2mybook@refpt002\r\n"
    "Missing<<2mybook@refpt009\r\n"
    "Empty<<1\r\n";

class Opening : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(rig.folder.path("app/Reader.toc"), kCatalogue);
        WriteFile(rig.folder.path("app/mybook.lit"), StoredBookText(2, 6));
        rig.start();
    }
    Reader& r() { return *rig.reader; }
    void click(int line) {
        rig.window.selectLine(line);
        r().TOCTreeViewClick();
    }
    ReaderRig rig;
};

TEST_F(Opening, CatalogueFileBuildsTheTreeAndTheFirstClickOpens) {
    EXPECT_EQ(r().state().CatalogueLines.size(), 7u); // six entries and the end line
    EXPECT_EQ(rig.window.applicationTitle, "Library");
    EXPECT_EQ(rig.window.tree.size(), 6u);
    EXPECT_EQ(rig.window.selected, 0);
    EXPECT_TRUE(rig.window.expanded.count(0));
    // The reader's own expansions are not toggles: the first click opens.
    click(2);
    EXPECT_EQ(r().state().BookFileName, rig.folder.path("app/mybook.lit"));
    EXPECT_EQ(r().state().BookKey, "mybook");
    EXPECT_EQ(rig.window.caption, "Cadenzo -- My Book");
    EXPECT_EQ(rig.window.frontPage, "Reading");
    EXPECT_EQ(r().state().BookLines[3], "|refpt001> ");
    EXPECT_EQ(r().PageStart(), 4); // the line after the anchor
    EXPECT_EQ(rig.window.openDialogFileName, r().state().BookFileName);
}

TEST_F(Opening, ChaptersOfTheOpenBookMoveWithoutRefilling) {
    click(2);
    ReaderPeer::markBookLine(r(), 10, "marked");
    click(3);
    EXPECT_EQ(r().state().BookLines[10].substr(r().state().BookLines[10].size() - 6), "marked");
    EXPECT_EQ(r().state().BookLines[static_cast<std::size_t>(r().PageStart() - 1)], "|refpt002> ");
    // An anchor no line carries opens the book at its first line.
    click(4);
    EXPECT_EQ(r().PageStart(), 0);
    EXPECT_TRUE(rig.window.questions.empty());
}

TEST_F(Opening, ToggleClicksAndDoubleClicks) {
    r().TOCTreeViewExpanded();
    click(2);
    EXPECT_TRUE(r().state().BookFileName.empty()); // that click only cleared the toggle
    EXPECT_EQ(r().state().TOCToggled, 0);
    r().TOCTreeViewCollapsed();
    rig.window.selectLine(2);
    r().TOCTreeViewDblClick();
    EXPECT_EQ(r().state().BookKey, "mybook");
}

TEST_F(Opening, EntriesWithoutKeyAndWithoutSelection) {
    click(5);
    EXPECT_EQ(rig.window.messages, (std::vector<std::string>{"Not here yet"}));
    EXPECT_EQ(rig.window.caption, "Cadenzo -- Empty");
    EXPECT_EQ(r().state().BookFileName, rig.folder.path("app/none.lit")); // preset by the click
    // No node selected: the previous click's key, without its anchor.
    click(3);
    rig.window.selected.reset();
    r().TOCTreeViewClick();
    EXPECT_EQ(r().PageStart(), 0);
    // A node number past the end of the lines.
    rig.window.selected = 40;
    r().TOCTreeViewClick();
    EXPECT_EQ(rig.window.caption, "Cadenzo");
    EXPECT_EQ(rig.window.messages.size(), 2u);
}

TEST_F(Opening, RootEntryKeepsTheWelcomePage) {
    click(0);
    EXPECT_EQ(r().state().BookLines.size(), 19u);
    EXPECT_EQ(r().state().BookLines[18], "p000");
}

TEST_F(Opening, IndexTabFollowsTheIndexFile) {
    WriteFile(rig.folder.path("app/mybook.lix"), "Apple|abcd00012\r\n");
    rig.window.indexView = IndexView::Loaded; // another book's index was loaded
    click(2);
    EXPECT_TRUE(rig.window.indexTabVisible);
    EXPECT_EQ(r().state().IndexPath, rig.folder.path("app/mybook.lix"));
    EXPECT_EQ(rig.window.indexView, IndexView::Unloaded);
    std::filesystem::remove(rig.folder.path("app/mybook.lix"));
    rig.window.indexView = IndexView::Loaded;
    click(3); // same book: the index view is left alone
    EXPECT_FALSE(rig.window.indexTabVisible);
    EXPECT_EQ(r().state().IndexPath, "");
    EXPECT_EQ(rig.window.indexView, IndexView::Loaded);
}

TEST_F(Opening, KeysChooseBuiltInPages) {
    struct Case {
        std::string file;
        std::vector<std::string> firstLines;
    };
    const std::string dir = rig.folder.path("app/");
    const Case cases[] = {
        {dir + "title.lit", {"", "   This is a list", "      of books listed", "        by the title"}},
        {dir + "author.lit", {"", "   This is a list", "      of books listed", "        by the author"}},
        {dir + "none.lit", {"     Welcome to Tidal Type!", "", "      Select a Book"}},
        // Keys keep their letter case; a name without "." has an empty key.
        {dir + "Vesta.lit", {"|b>", "    Penwright", "|n>", "p000"}},
        {dir + "nodot", {"|b>", "    Penwright", "|n>", "p000"}},
        {dir + "absent.lit", {"|b>", "    Penwright", "|n>", "p000"}},
    };
    for (const Case& c : cases) {
        r().OpenBook(c.file, " ");
        ASSERT_GE(r().state().BookLines.size(), c.firstLines.size() + 3);
        for (std::size_t i = 0; i < c.firstLines.size(); ++i)
            EXPECT_EQ(r().state().BookLines[i], c.firstLines[i]) << c.file;
        const auto n = r().state().BookLines.size();
        EXPECT_EQ(r().state().BookLines[n - 3], "p999");
        EXPECT_EQ(r().state().BookLines[n - 2], "        END OF FILE");
        EXPECT_EQ(r().state().BookLines[n - 1], " ");
    }
    r().OpenBook(dir + "none.lit", " ");
    EXPECT_EQ(r().state().BookLines.size(), 30u + 3u);
    EXPECT_EQ(r().state().BookKey, "none");
}

TEST_F(Opening, BadBookFileLeavesTheOpenBookAsItWas) {
    click(3);
    r().NextPage();
    const BookLineList lines = r().state().BookLines;
    const int start = r().PageStart();
    for (const std::string& text : {std::string("banner\r\nl05fine \r\nlx5broken \r\n"), std::string()}) {
        WriteFile(rig.folder.path("app/broken.lit"), text);
        try {
            r().OpenBook(rig.folder.path("app/broken.lit"), " ");
            FAIL() << "no error";
        } catch (const ReaderError& e) {
            EXPECT_NE(std::string(e.what()).find("broken.lit"), std::string::npos) << e.what();
        }
        EXPECT_EQ(r().state().BookLines, lines);
        EXPECT_EQ(r().state().BookKey, "mybook");
        EXPECT_EQ(r().state().BookFileName, rig.folder.path("app/mybook.lit"));
        EXPECT_EQ(r().PageStart(), start);
    }
}

TEST_F(Opening, OpenFileAndCancel) {
    rig.window.caption = "Cadenzo -- Before";
    rig.window.openAnswers = {std::nullopt, std::string()};
    r().OpenLITItemClick();
    r().OpenLITItemClick();
    EXPECT_TRUE(r().state().BookFileName.empty());
    EXPECT_TRUE(rig.window.bookmarksMenuVisible);
    rig.window.openAnswers = {rig.folder.path("app/mybook.lit")};
    r().OpenLITItemClick();
    EXPECT_EQ(r().state().BookKey, "mybook");
    EXPECT_FALSE(rig.window.bookmarksMenuVisible);
    EXPECT_EQ(rig.window.caption, "Cadenzo -- Before");
    EXPECT_EQ(rig.window.frontPage, "Reading");
}

TEST(CommandLine, BookComesFirstAndTheWelcomeLinesFollowIt) {
    ReaderRig rig;
    WriteFile(rig.folder.path("books/mybook.lit"), StoredBookText(1, 3));
    rig.platform.commandLineBook = rig.folder.path("books/mybook.lit");
    rig.reset();
    rig.start();
    const Reader& r = *rig.reader;
    EXPECT_EQ(r.state().BookKey, "mybook");
    EXPECT_EQ(r.state().BookLines[0], "|b>Test, by  ");
    EXPECT_EQ(r.state().BookLines.back(), "p000"); // the welcome page's last line
    EXPECT_EQ(r.PageStart(), 0);
    EXPECT_EQ(rig.window.frontPage, "About"); // opening the book changes no tab
    bool titleDrawn = false;
    for (const auto& t : rig.window.surface.texts) titleDrawn |= t.text == "Test, by   ";
    EXPECT_TRUE(titleDrawn);
}

TEST(CommandLine, BookThatCannotBeOpenedLeavesTheCatalogueUsable) {
    ReaderRig rig;
    WriteFile(rig.folder.path("books/bad.lit"), "banner\r\nlx5\r\n");
    rig.platform.commandLineBook = rig.folder.path("books/bad.lit");
    rig.reset();
    rig.start();
    ASSERT_EQ(rig.window.errors.size(), 1u);
    EXPECT_NE(rig.window.errors[0].find("bad.lit"), std::string::npos);
    EXPECT_EQ(rig.window.tree.size(), 30u);
    EXPECT_EQ(rig.reader->state().BookLines.size(), 19u); // the welcome page
}

TEST(CatalogueFiles, OpeningOneSwitchesNamesSettingsAndBookmarks) {
    ReaderRig rig;
    rig.start();
    WriteFile(rig.folder.path("books/poems.v2.toc"), "Poems <<0poems\r\nAutumn<<1autumn\r\n");
    const std::string builtInBookmarks = ReadFile(rig.reader->state().BookmarkPath);
    rig.window.openAnswers = {rig.folder.path("books/poems.v2.toc")};
    rig.reader->OpenTOCItemClick();
    Reader& r = *rig.reader;
    EXPECT_EQ(r.state().ProgramBaseName, "poems");
    EXPECT_EQ(r.state().ProgramDir, rig.folder.path("books/"));
    EXPECT_EQ(r.state().IniPath, rig.folder.path("data/poems.ini"));
    EXPECT_EQ(r.state().TocPath, rig.folder.path("books/poems.toc"));
    EXPECT_EQ(ReadFile(r.state().BookmarkPath), "<<poems\r\n<<autumn\r\n");
    EXPECT_NE(ReadFile(r.state().IniPath).find("[how]"), std::string::npos);
    EXPECT_EQ(rig.window.applicationTitle, "Poems");
    EXPECT_EQ(rig.window.indexView, IndexView::CatalogueOpened);
    EXPECT_EQ(rig.window.frontPage, "Table Of Contents");
    EXPECT_EQ(ReadFile(rig.folder.path("data/Reader.bm")), builtInBookmarks); // left byte for byte

    // A catalogue file with no entries: a clear error and the built-in catalogue.
    WriteFile(rig.folder.path("books/empty.toc"), "just a note\r\n");
    rig.window.openAnswers = {rig.folder.path("books/empty.toc")};
    r.OpenTOCItemClick();
    EXPECT_EQ(r.state().CatalogueLines.size(), 31u);
    ASSERT_EQ(rig.window.errors.size(), 1u);
    EXPECT_NE(rig.window.errors[0].find("empty.toc"), std::string::npos);
}

TEST(CatalogueFiles, SeededBookmarkFileIsLeftAloneOnceItExists) {
    ReaderRig rig;
    rig.start();
    EXPECT_EQ(ReadFile(rig.reader->state().BookmarkPath),
              "<<none\r\n<<title\r\n<<vesta\r\n<<author\r\n<<aut\r\n<<vesta\r\n");
    WriteFile(rig.reader->state().BookmarkPath, "mine\n<<vesta\n#5 kept");
    rig.reset();
    rig.start();
    EXPECT_EQ(ReadFile(rig.reader->state().BookmarkPath), "mine\n<<vesta\n#5 kept");
}

} // namespace
} // namespace cadenzo
