#include "base/errors.h"
#include "bookmarks/bookmark_list.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

TEST(BookmarkSections, HeaderAddedAtTheEndIsAlwaysFollowedByATerminator) {
    struct Case {
        BookmarkLines before, after;
    };
    const Case cases[] = {
        {{"<<none", "<<title", "#5 x"}, {"<<none", "<<title", "#5 x", "<<book", ""}},
        {{"<<none", "<<title"}, {"<<none", "<<title", "<<book", ""}},
        {{"<<none", "<<title", ""}, {"<<none", "<<title", "<<book", ""}},
        {{"<<none", "<<title", "end"}, {"<<none", "<<title", "<<book", ""}},
        // A header on line 0 is never found: a second one is added.
        {{"<<book", "<<title"}, {"<<book", "<<title", "<<book", ""}},
        // A header standing last only needs its terminator.
        {{"<<none", "<<book"}, {"<<none", "<<book", ""}},
        // Files too short to hold a section.
        {{}, {"", "<<book", ""}},
        {{"<<none"}, {"<<none", "<<book", ""}},
    };
    for (const Case& c : cases) {
        BookmarkLines lines = c.before;
        EXPECT_TRUE(EnsureSection(lines, "book"));
        EXPECT_EQ(lines, c.after);
        EXPECT_GE(FindSectionHeader(lines, "book"), 1);
        EXPECT_FALSE(EnsureSection(lines, "book"));
    }
}

TEST(BookmarkSections, ListNewestFirstStopAtTheNextHeaderAndNeverTheLastLine) {
    const BookmarkLines lines = {"<<none", "<<vesta", "#40 newest", "#12 older", "<<aut", "#3 other", "#9 last"};
    const int header = FindSectionHeader(lines, "vesta");
    EXPECT_EQ(header, 1);
    EXPECT_EQ(SectionOf(lines, header).count(), 2);
    const int aut = FindSectionHeader(lines, "aut");
    EXPECT_EQ(SectionOf(lines, aut).count(), 1); // "#9 last" is the file's last line
    // Keys are compared whole and with their letter case.
    EXPECT_EQ(FindSectionHeader(lines, "Vesta"), -1);
    EXPECT_EQ(FindSectionHeader(lines, "ves"), -1);

    BookmarkLines many = {"<<none", "<<vesta"};
    for (int i = 0; i < 120; ++i) many.push_back("#" + std::to_string(i) + " mark");
    many.push_back("");
    EXPECT_EQ(SectionOf(many, 1).count(), kMaxListedBookmarks);
}

TEST(BookmarkLines, NamesAndNumbers) {
    EXPECT_EQ(BookmarkCaption("#120 Closed book at 08/12/2026 14:30:05"), "Closed book at 08/12/2026 14:30:05");
    EXPECT_EQ(BookmarkCaption("#120  "), " ");
    EXPECT_EQ(BookmarkCaption("#120"), "#120");
    EXPECT_EQ(BookmarkLineNumber("#120 name"), 120);
    EXPECT_THROW(BookmarkLineNumber("#7"), ConversionError); // no space: no number
    EXPECT_THROW(BookmarkLineNumber("#12x name"), ConversionError);
    EXPECT_THROW(BookmarkLineNumber("# name"), ConversionError);
    EXPECT_THROW(BookmarkLineNumber(""), ConversionError);
    EXPECT_EQ(BookmarkLine(4086, " "), "#4086  ");
}

} // namespace
} // namespace cadenzo
