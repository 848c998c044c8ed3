#include "search/find.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

const BookLineList kLines = {
    "p000 ",                          // 0
    "     The Time of the tide ",     // 1
    "          was|9> early|4>, ",    // 2
    "s000 ",                          // 3
    "     and the bell ",             // 4
    "          rang over|7> the ",    // 5
    "     causeway|4> stones. ",      // 6
    "p001 ",                          // 7
    "     |refpt002> TIME ",          // 8
    "     other words ",              // 9
    "p999",                           // 10
    "        END OF FILE",            // 11
    " ",                              // 12
};

TEST(Find, WordsForwardAndBackwardWithAndWithoutCase) {
    struct Case {
        const char* text;
        bool matchCase, wholeWord;
        int first, last;
        std::optional<int> hit;
    };
    const Case cases[] = {
        {"Time", false, false, 0, 12, 1},
        {"Time", false, false, 2, 12, 8},     // TIME in upper case
        {"Time", true, false, 2, 12, std::nullopt},
        {"time", true, false, 12, 0, std::nullopt},
        {"TIME", true, false, 12, 0, 8},
        {"bell", false, false, 12, 0, 4},     // backward
        {"bell", false, false, 3, 0, std::nullopt},
        {"he", false, false, 0, 12, 1},       // substring: "The"
        {"he", false, true, 0, 12, std::nullopt},
        {"the", false, true, 2, 12, 4},       // whole words only
        {"early", false, true, 0, 12, 2},     // the tag after it is no letter
        {"", false, false, 0, 12, std::nullopt},
        {"Tidal", false, false, 0, 12, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchLines(kLines, c.first, c.last, {c.text, c.matchCase, c.wholeWord}), c.hit) << c.text;
}

TEST(Find, PhrasesAcrossTwoLinesWithTagsRemoved) {
    struct Case {
        const char* text;
        int first, last;
        std::optional<int> hit;
    };
    const Case cases[] = {
        {"tide was early", 0, 12, 1},           // joined: "The Time of the tide was early, "
        {"the causeway", 0, 12, 5},             // "over the" + "causeway stones."
        {"rang over the causeway", 0, 12, 5},
        {"bell rang over the causeway", 0, 12, std::nullopt}, // three lines
        {"the bell rang", 0, 12, 4},
        {"the tide is", 0, 12, std::nullopt},   // key word found, phrase not
        {"fpt002> time", 0, 12, 8},             // an anchor tag loses only "|re"
        {" tide", 0, 12, std::nullopt},         // empty key word: only the limit line is checked
        {" words p999", 0, 9, 9},               // ...which is the last line examined
        {"END OF", 12, 11, 11},
        {"file ", 0, 12, 11},
        {" ", 12, 12, 12},                       // the last line joins with nothing after it
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchLines(kLines, c.first, c.last, {c.text, false, false}), c.hit) << c.text;
}

TEST(Find, HitPageStartsAtTheParagraphUnlessItIsBeforeTheOrigin) {
    EXPECT_EQ(FindHitPageStart(kLines, 5, 3), 5);  // paragraph line 0 is before the origin
    EXPECT_EQ(FindHitPageStart(kLines, 9, 3), 7);  // paragraph line 7 is after it
    EXPECT_EQ(FindHitPageStart(kLines, 9, 7), 9);
    EXPECT_EQ(FindHitPageStart(kLines, 0, 5), 0);
    EXPECT_EQ(FindHitPageStart(kLines, 1, 0), 1);
}

} // namespace
} // namespace cadenzo
