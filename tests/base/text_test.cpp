#include "base/checked.h"
#include "base/errors.h"
#include "base/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cadenzo {
namespace {

TEST(StrToInt, ReadsDecimalAndHexAndRejectsTheRest) {
    struct Case {
        const char* text;
        int value; // -999 for "not a number"
    };
    const Case cases[] = {{"05", 5},
                          {"52", 52},
                          {" 7", 7},
                          {"-3", -3},
                          {"0x1F", 31},
                          {"$10", 16},
                          {"", -999},
                          {"x5", -999},
                          {"5 ", -999},
                          {"0x", -999},
                          {"99999999999", -999},
                          {"2147483647", 2147483647},
                          {"-2147483648", -2147483647 - 1}};
    for (const Case& c : cases) EXPECT_EQ(StrToIntDef(c.text, -999), c.value) << c.text;
}

TEST(Trimmed, RemovesBlanksAndControlCharactersAtBothEnds) {
    EXPECT_EQ(Trimmed(" \t\r a b \n"), "a b");
    EXPECT_EQ(Trimmed("   "), "");
    EXPECT_EQ(Trimmed("\xC3\xA9 "), "\xC3\xA9"); // UTF-8 bytes are not control characters
}

TEST(AsciiLower, LowersOnlyAsciiLettersAndComparesWithoutTheirCase) {
    EXPECT_EQ(asciiLower("ReadMe.TXT \xC3\x89"), "readme.txt \xC3\x89");
    EXPECT_TRUE(equalsIgnoringAsciiCase("FontSize", "fontsize"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("fontsize", "fontsiz"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("\xC3\x89", "\xC3\xA9"));
}

TEST(CheckedAt, RaisesTheListIndexErrorOutsideTheList) {
    std::vector<std::string> list = {"a", "b"};
    EXPECT_EQ(checkedAt(list, 1), "b");
    checkedAt(list, 0) = "c";
    EXPECT_EQ(list[0], "c");
    EXPECT_EQ(checkedAt(list, std::size_t{0}), "c");
    for (long long bad : {-1LL, 2LL, 4294967296LL}) {
        try {
            checkedAt(list, bad);
            ADD_FAILURE() << bad;
        } catch (const ListIndexError& e) {
            EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
    EXPECT_THROW(checkedAt(list, std::size_t{2}), ListIndexError);
}

} // namespace
} // namespace cadenzo
