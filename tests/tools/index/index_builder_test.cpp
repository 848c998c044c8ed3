#include "app/file_system.h"
#include "book/shipped_book.h"
#include "display/page_text.h"
#include "search/word_index.h"
#include "word_index_builder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace cadenzo::index {
namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The word as a whole word in the line's text, ignoring case.
bool lineHasWord(std::string_view line, const std::string& word) {
    const std::string text = lower(WithoutMarkup(line));
    const std::string w = lower(word);
    auto isLetter = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0xC0;
    };
    // An apostrophe belongs to a word only between letters ("Tobias's", not "clerks'").
    auto inWord = [&](std::size_t i) {
        if (i >= text.size()) return false;
        if (isLetter(text[i])) return true;
        return text[i] == '\'' && i > 0 && i + 1 < text.size() && isLetter(text[i - 1]) && isLetter(text[i + 1]);
    };
    for (std::size_t at = text.find(w); at != std::string::npos; at = text.find(w, at + 1)) {
        const bool before = at == 0 || !inWord(at - 1);
        const bool after = !inWord(at + w.size());
        if (before && after) return true;
    }
    return false;
}

// Every reference of every word points at a line that holds the word.
void expectReferencesHold(const std::vector<std::string>& index, const BookLineList& prepared) {
    const IndexTree tree = BuildIndexTree(IndexRows(index));
    int checked = 0;
    for (int n = 0; n < tree.size(); ++n) {
        const std::string& text = tree.text[static_cast<std::size_t>(n)];
        if (text.rfind("  ", 0) != 0) continue;
        const int line = std::stoi(text.substr(2));
        const std::string& word = tree.text[static_cast<std::size_t>(tree.parent[static_cast<std::size_t>(n)])];
        ASSERT_LT(line, static_cast<int>(prepared.size()));
        EXPECT_TRUE(lineHasWord(prepared[static_cast<std::size_t>(line)], word)) << word << " @ " << line;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

const BookLineList kBook = PrepareBookLines({
    "banner",
    "l00|b>Tides, by  ",
    "l00|refpt001> ",
    "p000 ",
    "l05The tide|9> rose|4> and Tobias's bell ",
    "l10rang; the Tide rose again, ",
    "s000 ",
    "l00|refpt002> ",
    "l05zebra Apple apple x I'm ",
});

TEST(IndexBuilder, WordsSortedIgnoringCaseWithTheirLinesAndChapters) {
    const auto index = BuildWordIndex(kBook, {});
    const struct {
        const char* word;
        int chapter, line; // of the first reference
    } expected[] = {
        {"apple", 2, 7},                // "Apple" and "apple" are one word, shown in lower case
        {"bell", 1, 3},  {"I'm", 2, 7}, // apostrophes inside a word are kept; "x" is too short
        {"rang", 1, 4},  {"rose", 1, 3}, {"tide", 1, 3}, {"Tides", 0, 0}, {"Tobias's", 1, 3}, {"zebra", 2, 7},
    };
    ASSERT_EQ(index.size(), std::size(expected));
    for (std::size_t i = 0; i < index.size(); ++i) {
        const std::string first = expected[i].word + Reference(expected[i].chapter, expected[i].line);
        EXPECT_EQ(index[i].substr(0, first.size()), first) << index[i];
    }
    EXPECT_EQ(index[4], "rose" + Reference(1, 3) + Reference(1, 4));
    EXPECT_EQ(index[0], "apple" + Reference(2, 7));
    expectReferencesHold(index, kBook);

    // Common words are left out unless kept.
    const auto all = BuildWordIndex(kBook, {true});
    EXPECT_NE(std::find(all.begin(), all.end(), "the" + Reference(1, 3) + Reference(1, 4)), all.end());
    EXPECT_EQ(all.size(), index.size() + 4); // "by", "the", "and", "again"
}

TEST(IndexBuilder, ReferencesAreShortBelowOneHundredThousandAndLongFrom) {
    EXPECT_EQ(Reference(3, 4086), "|000304086");
    EXPECT_EQ(Reference(12, 99'999), "|001299999");
    EXPECT_EQ(Reference(12, 100'000), "|0012100000");
    EXPECT_EQ(IndexRows({"word" + Reference(1, 7) + Reference(1, 100'000)}),
              (std::vector<std::string>{"w", "word", Reference(1, 7), Reference(1, 100'000)}));
}

TEST(IndexBuilder, ShippedBookIndexBesideTheReaderPointsAtItsWords) {
    RealFileSystem files;
    const auto lix = files.readLines(CADENZO_VESTA_LIX);
    ASSERT_TRUE(lix.has_value()) << CADENZO_VESTA_LIX;
    const BookLineList prepared = PrepareBookLines(FillShippedBook());
    EXPECT_EQ(*lix, BuildWordIndex(prepared, {}));
    EXPECT_GT(lix->size(), 1000u);
    expectReferencesHold(*lix, prepared);
}

// Words of any script are words: accented letters, a typographic apostrophe
// inside a word; a dash or a quote ends a word. They are ordered as a reader
// expects, letter case and accents set aside.
TEST(IndexBuilder, AccentedWordsAreWholeAndOrderedIgnoringAccents) {
    const BookLineList book = PrepareBookLines({
        "banner",
        "l05Eagle|9> \xC3\x89"
        "cole|4> ecru \xE2\x80\x9C"
        "caf\xC3\xA9\xE2\x80\x9D ",
        "l05Keeper\xE2\x80\x99s z\xC3\xA8"
        "bre ",
        "l05\xC3\x98rsted na\xC3\xAFve\xE2\x80\x94really ",
    });
    const auto index = BuildWordIndex(book, {});
    const std::vector<std::string> expected = {"caf\xC3\xA9" + Reference(0, 0),
                                               "Eagle" + Reference(0, 0),
                                               "\xC3\x89"
                                               "cole" +
                                                   Reference(0, 0),
                                               "ecru" + Reference(0, 0),
                                               "Keeper\xE2\x80\x99s" + Reference(0, 1),
                                               "na\xC3\xAFve" + Reference(0, 2),
                                               "really" + Reference(0, 2),
                                               "z\xC3\xA8"
                                               "bre" +
                                                   Reference(0, 1),
                                               "\xC3\x98rsted" + Reference(0, 2)};
    EXPECT_EQ(index, expected);
}

} // namespace
} // namespace cadenzo::index
