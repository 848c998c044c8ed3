#include "base/errors.h"
#include "search/word_index.h"
#include "support/index_reference.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace cadenzo {
namespace {

std::vector<std::string> textsUnder(const IndexTree& t, int node) {
    std::vector<std::string> out;
    for (int k = 0; k < t.childCount[static_cast<std::size_t>(node)]; ++k)
        out.push_back(t.text[static_cast<std::size_t>(t.child(node, k))]);
    return out;
}

TEST(WordIndex, AppleApricotBear) {
    const IndexTree t =
        BuildIndexTree(IndexRows({"Apple|abcd00012", "apricot|abcd00340|abcd001234", "Bear|abcd00007"}));
    ASSERT_EQ(t.topLevel, (std::vector<int>{0}));
    EXPECT_EQ(t.text[0], "Index");
    EXPECT_EQ(textsUnder(t, 0), (std::vector<std::string>{"a", "b"}));
    const int a = t.child(0, 0), b = t.child(0, 1);
    EXPECT_EQ(textsUnder(t, a), (std::vector<std::string>{"Apple", "apricot"}));
    EXPECT_EQ(textsUnder(t, t.child(a, 0)), (std::vector<std::string>{"  00012"}));
    EXPECT_EQ(textsUnder(t, t.child(a, 1)), (std::vector<std::string>{"  00340", "  001234"}));
    EXPECT_EQ(textsUnder(t, t.child(b, 0)), (std::vector<std::string>{"  00007"}));
    EXPECT_EQ(t.firstAfterRoot(), a);
}

// Node and child numbers come from the window: one the tree does not hold is
// reported, never answered with another node's child.
TEST(WordIndex, ChildOutsideTheTreeRaisesTheListIndexError) {
    const IndexTree t =
        BuildIndexTree(IndexRows({"Apple|abcd00012", "apricot|abcd00340|abcd001234", "Bear|abcd00007"}));
    const int leaf = t.child(t.child(t.child(0, 0), 0), 0); // "  00012"
    const std::pair<int, int> cases[] = {{-1, 0}, {t.size(), 0}, {0, -1}, {0, 2}, {leaf, 0}};
    for (const auto& [node, k] : cases) EXPECT_THROW(t.child(node, k), ListIndexError) << node << "," << k;
}

TEST(WordIndex, OrderingsOfShortAndLongReferences) {
    struct Case {
        std::vector<std::string> file;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        // Long before short in the file: the short comes first...
        {{"alpha|xxxx123456|xxxx00001", "beta|xxxx00002"},
         {"a", "alpha", "|xxxx00001", "|xxxx123456", "b", "beta", "|xxxx00002"}},
        // ...except for the last word, whose long one cannot pass the last row.
        {{"alpha|xxxx123456|xxxx00001"}, {"a", "alpha", "|xxxx123456", "|xxxx00001"}},
        {{"alpha|xxxx100000|xxxx00001|xxxx100001|xxxx00002"},
         {"a", "alpha", "|xxxx00001", "|xxxx100000", "|xxxx100001", "|xxxx00002"}},
        // A one-character word is taken for a letter row.
        {{"hat|xxxx00010", "I|xxxx00020", "ice|xxxx00030"},
         {"h", "hat", "|xxxx00010", "i", "I", "|xxxx00020", "ice", "|xxxx00030"}},
        // Lines beginning with a blank before any letter get no letter row.
        {{" the|xxxx00001", "Zed|xxxx00002"}, {" the", "|xxxx00001", "z", "Zed", "|xxxx00002"}},
        // A "|" neither 10 nor 11 from the end stays part of the word.
        {{"odd|ref", "odd|xxxx0001234"}, {"o", "odd|ref", "odd|xxxx0001234"}},
        // Empty lines are skipped; an empty file has no rows.
        {{"", "cat|xxxx00003", ""}, {"c", "cat", "|xxxx00003"}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IndexRows(c.file), c.rows);
        EXPECT_EQ(test::IndexRowsByInsertion(c.file), c.rows);
    }
}

TEST(WordIndex, TreeOfOddRows) {
    // " the" stands beside the root; "I" is a letter row and its reference
    // goes under the word before it.
    const IndexTree t = BuildIndexTree(IndexRows({" the|xxxx00001", "hat|xxxx00010", "I|xxxx00020"}));
    ASSERT_EQ(t.topLevel.size(), 2u);
    EXPECT_EQ(t.text[static_cast<std::size_t>(t.topLevel[1])], " the");
    EXPECT_EQ(textsUnder(t, t.topLevel[1]), (std::vector<std::string>{"  00001"}));
    EXPECT_EQ(textsUnder(t, 0), (std::vector<std::string>{"h", "i", "I"}));
    const int hat = t.child(t.child(0, 0), 0);
    EXPECT_EQ(textsUnder(t, hat), (std::vector<std::string>{"  00010", "  00020"}));
    EXPECT_EQ(BuildIndexTree({}).firstAfterRoot(), -1);
}

TEST(WordIndex, LineBeginningWithANulByteGetsItsLetterRow) {
    const std::vector<std::string> file = {"Apple|abcd00001", std::string("\0Har|abcd00007", 14), "bee|abcd00002"};
    const std::vector<std::string> rows = {
        "a",          "Apple", "|abcd00001", std::string(1, '\0'), std::string("\0Har", 4),
        "|abcd00007", "b",     "bee",        "|abcd00002"};
    EXPECT_EQ(IndexRows(file), rows);
    EXPECT_EQ(test::IndexRowsByInsertion(file), rows);
}

// Random index files, well formed and not, loaded both ways.
TEST(WordIndex, OnePassAgreesWithInsertionOnRandomFiles) {
    std::mt19937 random(20261208);
    const std::string alphabet = std::string("aAbB |x1\0", 9);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> file;
        const int lines = pick(7);
        for (int l = 0; l < lines; ++l) {
            std::string line;
            const int wordLength = pick(4);
            for (int c = 0; c < wordLength; ++c)
                line += alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))];
            const int refs = pick(5);
            for (int r = 0; r < refs; ++r) line += pick(2) ? "|abcd00042" : "|abcd123456";
            if (pick(6) == 0) line = "|abc" + std::to_string(pick(1000));
            file.push_back(line);
        }
        ASSERT_EQ(IndexRows(file), test::IndexRowsByInsertion(file)) << "round " << round;
    }
}

// Accented initials stand with their plain letter ("École" under "e"); a
// letter row or a word of one multi-byte character is one character.
TEST(WordIndex, AccentedWordsAndOneCharacterRows) {
    const std::vector<std::string> file = {"eagle|xxxx00001",
                                           "\xC3\x89"
                                           "cole|xxxx00002",
                                           "ecru|xxxx00003", "\xC3\x98rsted|xxxx00004", "\xC3\xA0|xxxx00005"};
    const std::vector<std::string> rows = {"e",
                                           "eagle",
                                           "|xxxx00001",
                                           "\xC3\x89"
                                           "cole",
                                           "|xxxx00002",
                                           "ecru",
                                           "|xxxx00003",
                                           "\xC3\xB8",
                                           "\xC3\x98rsted",
                                           "|xxxx00004",
                                           "a",
                                           "\xC3\xA0",
                                           "|xxxx00005"};
    EXPECT_EQ(IndexRows(file), rows);
    const IndexTree t = BuildIndexTree(rows);
    EXPECT_EQ(textsUnder(t, 0), (std::vector<std::string>{"e", "\xC3\xB8", "a", "\xC3\xA0"}));
    const int oe = t.child(0, 1);
    EXPECT_EQ(textsUnder(t, oe), (std::vector<std::string>{"\xC3\x98rsted"}));
    // "à" is taken for a letter row; its reference goes under the word before it.
    EXPECT_EQ(textsUnder(t, t.child(oe, 0)), (std::vector<std::string>{"  00004", "  00005"}));
}

} // namespace
} // namespace cadenzo
