#include "search/find.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

const BookLineList kLines = {
    "p000 ",                       // 0
    "     The Time of the tide ",  // 1
    "          was|9> early|4>, ", // 2
    "s000 ",                       // 3
    "     and the bell ",          // 4
    "          rang over|7> the ", // 5
    "     causeway|4> stones. ",   // 6
    "p001 ",                       // 7
    "     |refpt002> TIME ",       // 8
    "     other words ",           // 9
    "p999",                        // 10
    "        END OF FILE",         // 11
    " ",                           // 12
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
        {"Time", false, false, 2, 12, 8}, // TIME in upper case
        {"Time", true, false, 2, 12, std::nullopt},
        {"time", true, false, 12, 0, std::nullopt},
        {"TIME", true, false, 12, 0, 8},
        {"bell", false, false, 12, 0, 4}, // backward
        {"bell", false, false, 3, 0, std::nullopt},
        {"he", false, false, 0, 12, 1}, // substring: "The"
        {"he", false, true, 0, 12, std::nullopt},
        {"the", false, true, 2, 12, 4},   // whole words only
        {"early", false, true, 0, 12, 2}, // the tag after it is no letter
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
        {"tide was early", 0, 12, 1}, // joined: "The Time of the tide was early, "
        {"the causeway", 0, 12, 5},   // "over the" + "causeway stones."
        {"rang over the causeway", 0, 12, 5},
        {"bell rang over the causeway", 0, 12, std::nullopt}, // three lines
        {"the bell rang", 0, 12, 4},
        {"the tide is", 0, 12, std::nullopt}, // key word found, phrase not
        {"fpt002> time", 0, 12, 8},           // an anchor tag loses only "|re"
        {" tide", 0, 12, std::nullopt},       // empty key word: only the limit line is checked
        {" words p999", 0, 9, 9},             // ...which is the last line examined
        {"END OF", 12, 11, 11},
        {"file ", 0, 12, 11},
        {" ", 12, 12, 12}, // the last line joins with nothing after it
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchLines(kLines, c.first, c.last, {c.text, false, false}), c.hit) << c.text;
}

TEST(Find, HitPageStartsAtTheParagraphUnlessItIsBeforeTheOrigin) {
    EXPECT_EQ(FindHitPageStart(kLines, 5, 3), 5); // paragraph line 0 is before the origin
    EXPECT_EQ(FindHitPageStart(kLines, 9, 3), 7); // paragraph line 7 is after it
    EXPECT_EQ(FindHitPageStart(kLines, 9, 7), 9);
    EXPECT_EQ(FindHitPageStart(kLines, 0, 5), 0);
    EXPECT_EQ(FindHitPageStart(kLines, 1, 0), 1);
}

// Letter case and whole words in any script: "CAFÉ" finds "café", "né" is no
// whole word inside "née", and a dash or a typographic quote is no letter.
TEST(Find, CaseAndWholeWordsCoverAccentedLetters) {
    struct Case {
        const char* text;
        const char* pattern;
        bool foldCase, wholeWord, found;
    };
    const Case cases[] = {
        {"     un caf\xC3\xA9 noir ", "CAF\xC3\x89", true, false, true},
        {"     un caf\xC3\xA9 noir ", "CAF\xC3\x89", false, false, false},
        {"     un CAF\xC3\x89 noir ", "caf\xC3\xA9", true, true, true},
        {"     n\xC3\xA9"
         "e ",
         "n\xC3\xA9", true, true, false}, // "né" inside "née"
        {"     n\xC3\xA9"
         "e ",
         "n\xC3\xA9", true, false, true},
        {"     il est n\xC3\xA9, ", "N\xC3\x89", true, true, true},
        {"     \xC3\xA9t\xC3\xA9 ", "t", false, true, false},    // letters on both sides
        {"     end\xE2\x80\x94word ", "end", false, true, true}, // an em dash is no letter
        {"     \xE2\x80\x9CKeeper\xE2\x80\x9D ", "keeper", true, true, true},
        {"     \xD0\xB6\xD1\x83\xD0\xBA ", "\xD0\x96\xD0\xA3\xD0\x9A", true, true, true}, // Cyrillic
        {"     stra\xC3\x9F"
         "e ",
         "STRA\xC3\x9F"
         "E",
         true, false, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Occurs(c.text, c.pattern, c.foldCase, c.wholeWord), c.found) << c.text << " / " << c.pattern;

    // A phrase across two lines, tags taken out, without letter case.
    const BookLineList lines = {
        "p000 ", "     the caf|9> \xC3\xA9t\xC3\xA9|4> ", "          \xC3\xA0 Paris ", "p999", "        END OF FILE",
        " "};
    EXPECT_EQ(SearchLines(lines, 0, 5, {"\xC3\x89T\xC3\x89 \xC3\x80 PARIS", false, true}), 1);
}

} // namespace
} // namespace cadenzo
