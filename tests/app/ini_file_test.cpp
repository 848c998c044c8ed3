#include "app/file_system.h"
#include "app/ini_file.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace cadenzo {
namespace {

TEST(IniFile, ReadsIntegersWithDefaults) {
    const IniLines lines = {"[c:\\apps\\reader.toc]",
                            "fontsize=99",
                            "[How]",
                            " FontSize = 0x1A ",
                            "background=dark",
                            "tleft=-20",
                            "empty=",
                            "[other]",
                            "twidth=5"};
    EXPECT_EQ(IniReadInteger(lines, "how", "fontsize", 15), 26); // section and key ignore case
    EXPECT_EQ(IniReadInteger(lines, "how", "background", 1), 1);
    EXPECT_EQ(IniReadInteger(lines, "how", "tleft", 100), -20);
    EXPECT_EQ(IniReadInteger(lines, "how", "empty", 7), 7);
    EXPECT_EQ(IniReadInteger(lines, "how", "twidth", 500), 500); // belongs to another section
    EXPECT_EQ(IniReadInteger({}, "how", "twidth", 500), 500);
}

TEST(IniFile, WritesOnlyTheLineItChanges) {
    IniLines lines = {"; note", "[how]", "fontsize=15", "", "[other]", "x=1"};
    IniWriteInteger(lines, "how", "fontsize", 22);
    IniWriteInteger(lines, "how", "plainbkg", 1);
    IniWriteInteger(lines, "new", "k", 3);
    const IniLines expected = {"; note", "[how]", "fontsize=22", "plainbkg=1", "", "[other]", "x=1", "[new]", "k=3"};
    EXPECT_EQ(lines, expected);
}

TEST(FileSystem, WritesWholeFilesThroughATemporaryFile) {
    const test::TempFolder temp;
    const std::filesystem::path& folder = temp.root();
    RealFileSystem files;
    const std::string path = (folder / "a.ini").string();
    ASSERT_TRUE(files.writeLines(path, {"one", "two"}));
    EXPECT_EQ(files.readLines(path), (std::vector<std::string>{"one", "two"}));
    // A folder that does not exist: nothing is written and nothing is left behind.
    EXPECT_FALSE(files.writeLines((folder / "missing" / "b.ini").string(), {"x"}));
    // The target is a folder: the rename fails and the temporary file is removed.
    std::filesystem::create_directories(folder / "c.ini" / "inside");
    EXPECT_FALSE(files.writeLines((folder / "c.ini").string(), {"x"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

TEST(IniFile, LinesSplitAtAnyLineEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitLines("").empty());
}

} // namespace
} // namespace cadenzo
