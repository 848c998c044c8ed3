#include "base/errors.h"
#include "support/reader_rig.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace cadenzo {
namespace {

using test::ReaderRig;
using test::ReadFile;
using test::StoredBookText;
using test::WriteFile;

class Bookmarks : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(rig.folder.path("app/Reader.toc"),
                  "Shelf  <<0none\r\nMy Book<<1mybook\r\nOne<<2mybook@refpt001\r\n"
                  "Two<<2mybook@refpt002\r\nOther<<1other\r\n");
        WriteFile(rig.folder.path("app/mybook.lit"), StoredBookText(2, 12));
        WriteFile(rig.folder.path("app/other.lit"), StoredBookText(1, 12));
        rig.window.setCapacity(10);
        rig.start();
    }
    Reader& r() { return *rig.reader; }
    void click(int line) {
        rig.window.selectLine(line);
        r().TOCTreeViewClick();
    }
    std::string file() { return ReadFile(r().state().BookmarkPath); }
    void add(const std::string& name) {
        rig.window.bookmarkNames.push_back(name);
        ASSERT_TRUE(r().BMMenuClick());
        r().BMAddItemClick();
    }
    ReaderRig rig;
};

TEST_F(Bookmarks, AddedNewestFirstAndListedInThePopup) {
    click(2);
    ASSERT_TRUE(r().BMMenuClick());
    EXPECT_FALSE(rig.window.bookmarkItemsEnabled); // nothing to go to or delete yet
    r().NextPage();
    const int first = r().PageStart();
    add(" "); // the edit's first text, a single space
    r().NextPage();
    add("second look");
    EXPECT_EQ(file(), "<<none\r\n<<mybook\r\n#" + std::to_string(r().PageStart()) + " second look\r\n#" +
                          std::to_string(first) + "  \r\n<<other\r\n");
    EXPECT_FALSE(r().state().PageTurned);
    ASSERT_TRUE(r().BMMenuClick());
    EXPECT_TRUE(rig.window.bookmarkItemsEnabled);
    r().BMGOItemClick();
    EXPECT_EQ(rig.window.popupCaptions, (std::vector<std::string>{"second look", " "}));
    EXPECT_EQ(rig.window.popupX, rig.window.rect.left + rig.window.panelLeft - 100);
    EXPECT_EQ(rig.window.popupY, rig.window.rect.top);
    r().BMPopupItemClick(1);
    EXPECT_EQ(r().PageStart(), first);
    EXPECT_FALSE(r().state().PageTurned); // going to a bookmark is not paging

    ASSERT_TRUE(r().BMMenuClick());
    r().BMDeleteItemClick();
    r().BMPopupItemClick(0);
    EXPECT_EQ(file(), "<<none\r\n<<mybook\r\n#" + std::to_string(first) + "  \r\n<<other\r\n");
    EXPECT_THROW(r().BMPopupItemClick(5), ReaderError);
}

TEST_F(Bookmarks, EmptyNameAddsNothing) {
    click(2);
    r().NextPage();
    const std::string before = file();
    add("");
    EXPECT_EQ(rig.window.messages, (std::vector<std::string>{"No BookMark Added"}));
    EXPECT_EQ(file(), before);
    EXPECT_TRUE(r().state().PageTurned);
}

TEST_F(Bookmarks, FirstBookmarkOfANewSectionIsOffered) {
    // "other" has no header yet; its header is added at the end of the file.
    WriteFile(r().state().BookmarkPath, "<<none\r\n<<mybook\r\n#3 old");
    click(4);
    EXPECT_EQ(file(), "<<none\r\n<<mybook\r\n#3 old\r\n<<other\r\n\r\n");
    r().NextPage();
    add("in other");
    EXPECT_EQ(file(),
              "<<none\r\n<<mybook\r\n#3 old\r\n<<other\r\n#" + std::to_string(r().PageStart()) + " in other\r\n\r\n");
    // Opening the book at its title offers that first bookmark.
    const int marked = r().PageStart();
    click(2);
    rig.window.yesNoAnswers = {true};
    click(4);
    ASSERT_EQ(rig.window.questions.size(), 1u);
    EXPECT_EQ(rig.window.questions[0].first, "in other");
    EXPECT_EQ(rig.window.questions[0].second, "Do you want to start reading where you last closed the file?");
    EXPECT_EQ(r().PageStart(), marked);
}

TEST_F(Bookmarks, ResumeOfferAnsweredNoStartsAtTheTop) {
    click(2);
    r().NextPage();
    r().NextPage();
    click(4); // leaving after paging writes the closing bookmark
    EXPECT_NE(file().find("<<mybook\r\n#"), std::string::npos);
    EXPECT_NE(file().find(" Closed book at 08/12/2026 14:30:05\r\n"), std::string::npos);
    rig.window.yesNoAnswers = {false};
    click(1);
    ASSERT_FALSE(rig.window.questions.empty());
    EXPECT_EQ(rig.window.questions.back().first, "Closed book at 08/12/2026 14:30:05");
    EXPECT_EQ(r().PageStart(), 0);
}

TEST_F(Bookmarks, ClosingBookmarkForEveryChapterReadInOneSession) {
    click(2);
    r().NextPage();
    rig.window.now = {"08/12/2026", "00:00:00", true};
    click(3); // leaves chapter I: first closing bookmark, and the list is emptied
    r().NextPage();
    const int second = r().PageStart();
    rig.window.now = {"08/12/2026", "21:05:00", false};
    r().FormClose(); // the reading position in chapter II is kept too
    const std::string text = file();
    EXPECT_NE(text.find("<<mybook\r\n#" + std::to_string(second) + " Closed book at 08/12/2026 21:05:00\r\n#"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(" Closed book at 08/12/2026\r\n"), std::string::npos) << text; // midnight: no time
}

TEST_F(Bookmarks, ClosingGoesOnWhenTheSettingsCannotBeWritten) {
    click(2);
    r().NextPage();
    rig.files.failWrites.insert(r().state().IniPath);
    rig.window.rect = {3, 4, 640, 500};
    r().FormClose();
    EXPECT_EQ(rig.window.errors, (std::vector<std::string>{"Unable to write to " + r().state().IniPath}));
    EXPECT_NE(file().find(" Closed book at "), std::string::npos);
}

TEST_F(Bookmarks, NoClosingBookmarkWithoutPagingAndNoneAfterAnAdd) {
    click(2);
    const std::string untouched = file();
    click(3);
    EXPECT_EQ(file(), untouched);
    r().NextPage();
    add("mine");
    const std::string added = file();
    click(2);
    EXPECT_EQ(file(), added);
    // Paging once more and leaving writes one, above the added bookmark.
    r().NextPage();
    click(3);
    EXPECT_LT(file().find("Closed book at"), file().find("mine"));
}

TEST_F(Bookmarks, NinetyEightAtMostAreListed) {
    std::string text = "<<none\r\n<<mybook\r\n";
    for (int i = 0; i < 110; ++i) text += "#" + std::to_string(i) + " m" + std::to_string(i) + "\r\n";
    WriteFile(r().state().BookmarkPath, text + "<<other\r\n");
    rig.window.yesNoAnswers = {false};
    click(1);
    ASSERT_TRUE(r().BMMenuClick());
    r().BMGOItemClick();
    ASSERT_EQ(rig.window.popupCaptions.size(), 98u);
    EXPECT_EQ(rig.window.popupCaptions.front(), "m0");
    EXPECT_EQ(rig.window.popupCaptions.back(), "m97");
}

TEST_F(Bookmarks, DamagedBookmarkNumbers) {
    WriteFile(r().state().BookmarkPath, "<<none\r\n<<mybook\r\n#12x broken\r\nnospace\r\n");
    click(1);
    // The resume offer reports the damaged line and opens the book at its top.
    EXPECT_EQ(rig.window.errors, (std::vector<std::string>{"'12x' is not a valid integer value"}));
    EXPECT_EQ(r().state().BookKey, "mybook");
    EXPECT_EQ(r().PageStart(), 0);
    ASSERT_TRUE(r().BMMenuClick());
    r().BMGOItemClick();
    EXPECT_EQ(rig.window.popupCaptions, (std::vector<std::string>{"broken"}));
    EXPECT_THROW(r().BMPopupItemClick(0), ConversionError);
    EXPECT_EQ(r().PageStart(), 0);

    // A bookmark may name any line an int holds; paging back from there is defined.
    WriteFile(r().state().BookmarkPath, "<<none\r\n<<mybook\r\n#2147483647 far\r\n#-2147483648 before\r\n<<other\r\n");
    for (int item : {0, 1}) {
        ASSERT_TRUE(r().BMMenuClick());
        r().BMGOItemClick();
        r().BMPopupItemClick(item);
        r().PrevPage();
        EXPECT_GE(r().PageStart(), 0);
    }
}

TEST_F(Bookmarks, FileThatVanishesOrCannotBeWrittenLosesNothing) {
    click(2);
    r().NextPage();
    ASSERT_TRUE(r().BMMenuClick());
    std::filesystem::remove(r().state().BookmarkPath);
    rig.window.bookmarkNames.push_back("gone");
    EXPECT_THROW(r().BMAddItemClick(), ReaderError);
    EXPECT_FALSE(std::filesystem::exists(r().state().BookmarkPath));
    EXPECT_TRUE(r().state().PageTurned);

    // A bookmark file that cannot be written: the old one stays byte for byte.
    WriteFile(r().state().BookmarkPath, "<<none\r\n<<mybook\r\n\r\n");
    rig.files.failWrites.insert(r().state().BookmarkPath);
    rig.window.bookmarkNames.push_back("kept out");
    EXPECT_THROW(r().BMAddItemClick(), CreateFileError);
    EXPECT_EQ(file(), "<<none\r\n<<mybook\r\n\r\n");
    EXPECT_TRUE(r().state().PageTurned);
}

} // namespace
} // namespace cadenzo
