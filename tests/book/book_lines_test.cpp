#include "book/book_lines.h"

#include "base/errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cadenzo {
namespace {

std::vector<std::string> texts(const BookLineList& lines) { return {lines.begin(), lines.end()}; }

TEST(BookLineList, LinesKeepTheirTextThroughReplacingAndAppending) {
    BookLineList lines = {"p000 ", "", "     Émile’s café ", " "};
    lines.replace(1, "|refpt001> "); // longer: the lines after it move
    lines.replace(2, "x");           // shorter
    EXPECT_EQ(texts(lines), (std::vector<std::string>{"p000 ", "|refpt001> ", "x", " "}));
    // A list appended to itself copies the lines as they were.
    lines.append(lines, 1, 3);
    EXPECT_EQ(texts(lines), (std::vector<std::string>{"p000 ", "|refpt001> ", "x", " ", "|refpt001> ", "x"}));
    EXPECT_EQ(lines.back(), "x");
    const std::vector<std::string> copied = texts(lines);
    const BookLineList same(copied.begin(), copied.end());
    EXPECT_EQ(lines, same);
    lines.replace(0, "p001 ");
    EXPECT_FALSE(lines == same);
}

TEST(BookLineList, PositionsPastTheEndThrowInsteadOfReading) {
    BookLineList lines(3, "     words ");
    EXPECT_EQ(lines.textSize(), 33u);
    EXPECT_THROW(lines[3], ListIndexError);
    EXPECT_THROW(lines.replace(3, "x"), ListIndexError);
    EXPECT_THROW(lines.append(lines, 2, 4), ListIndexError);
    EXPECT_THROW(lines.append(lines, 2, 1), ListIndexError);
    EXPECT_EQ(lines.size(), 3u);
    lines.clear();
    EXPECT_TRUE(lines.empty());
    EXPECT_THROW(lines.back(), ListIndexError);
}

} // namespace
} // namespace cadenzo
