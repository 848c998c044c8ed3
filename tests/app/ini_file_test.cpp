#include "app/file_system.h"
#include "app/ini_file.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

TEST(IniFile, ReadsIntegersWithDefaults) {
    const IniLines lines = {"[c:\\apps\\reader.toc]", "fontsize=99", "[How]", " FontSize = 0x1A ",
                            "background=dark", "tleft=-20", "empty=", "[other]", "twidth=5"};
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

TEST(IniFile, LinesSplitAtAnyLineEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitLines("").empty());
}

} // namespace
} // namespace cadenzo
