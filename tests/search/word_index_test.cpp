#include "search/word_index.h"

#include <gtest/gtest.h>

#include <random>

namespace cadenzo {
namespace {

// The loading steps done the slow way, by inserting rows into a list: the
// reference the one-pass version must agree with.
std::vector<std::string> rowsByInsertion(const std::vector<std::string>& fileLines) {
    std::vector<std::string> rows;
    for (const auto& l : fileLines)
        if (!l.empty()) rows.push_back(l);
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    char group = ' ';
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (fold(rows[i][0]) != fold(group)) {
            const char letter = fold(rows[i][0]);
            group = rows[i][0];
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(i), std::string(1, letter));
            ++i;
        }
    }
    for (std::size_t j = 0; j < rows.size();) {
        std::string& r = rows[j];
        if (r.size() > 10 && r[r.size() - 10] == '|') {
            std::string cut = r.substr(r.size() - 10);
            r.resize(r.size() - 10);
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(j + 1), cut);
        } else if (r.size() > 11 && r[r.size() - 11] == '|') {
            std::string cut = r.substr(r.size() - 11);
            r.resize(r.size() - 11);
            std::size_t k = j + 1;
            while (k + 1 < rows.size() && rows[k][0] == '|' && rows[k].size() < 11) ++k;
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(k), cut);
        } else {
            ++j;
        }
    }
    return rows;
}

std::vector<std::string> textsUnder(const IndexTree& t, int node) {
    std::vector<std::string> out;
    for (int k = 0; k < t.childCount[static_cast<std::size_t>(node)]; ++k)
        out.push_back(t.text[static_cast<std::size_t>(t.child(node, k))]);
    return out;
}

TEST(WordIndex, AppleApricotBear) {
    const IndexTree t = BuildIndexTree(IndexRows({"Apple|abcd00012", "apricot|abcd00340|abcd001234", "Bear|abcd00007"}));
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
        EXPECT_EQ(rowsByInsertion(c.file), c.rows);
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

// Random index files, well formed and not, loaded both ways.
TEST(WordIndex, OnePassAgreesWithInsertionOnRandomFiles) {
    std::mt19937 random(20261208);
    const std::string alphabet = "aAbB |x1";
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> file;
        const int lines = pick(7);
        for (int l = 0; l < lines; ++l) {
            std::string line;
            const int wordLength = pick(4);
            for (int c = 0; c < wordLength; ++c) line += alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))];
            const int refs = pick(5);
            for (int r = 0; r < refs; ++r) line += pick(2) ? "|abcd00042" : "|abcd123456";
            if (pick(6) == 0) line = "|abc" + std::to_string(pick(1000));
            file.push_back(line);
        }
        ASSERT_EQ(IndexRows(file), rowsByInsertion(file)) << "round " << round;
    }
}

} // namespace
} // namespace cadenzo
